#include "ui/picture_source.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>

namespace ui {

namespace {

constexpr std::uint32_t kClearPixel = 0x00000000;
constexpr int kLargestSide = 4096;

// A palette maps the printable ASCII characters; '#' starts comments and
// blanks separate words, so neither can be a pixel.
bool IsPixelCharacter(char c) { return c > ' ' && c <= '~' && c != '#'; }

std::string Quoted(char c) { return std::string("'") + c + "'"; }

struct Palette {
  std::array<std::optional<std::uint32_t>, 128> colours{};
};

struct Part {
  int width = 0;
  int height = 0;
  std::vector<std::string> rows;
  std::vector<int> row_lines;  // where each row stands in the source, for errors
  int header_line = 0;
};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  while (!(line = Trim(line)).empty()) {
    std::size_t end = line.find_first_of(" \t");
    words.push_back(line.substr(0, end));
    line = end == std::string_view::npos ? std::string_view() : line.substr(end);
  }
  return words;
}

bool IsKeyword(std::string_view word) { return word == "palette" || word == "part" || word == "picture"; }

class Decoder {
 public:
  explicit Decoder(const PictureSource& source) : source_(source) {}

  std::vector<NamedBitmap> Run() {
    std::string_view text = source_.text;
    while (!text.empty()) {
      std::size_t end = text.find('\n');
      ++line_number_;
      Line(Trim(text.substr(0, end)));
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    CloseBlock();
    return std::move(pictures_);
  }

 private:
  enum class Block { None, Palette, Part, Picture };

  [[noreturn]] void Fail(const std::string& what, int line = 0) const {
    throw PictureSourceError(std::string(source_.file) + ":" + std::to_string(line ? line : line_number_) + ": " + what);
  }

  void Line(std::string_view line) {
    if (line.empty() || line.front() == '#') return;
    std::vector<std::string_view> words = Words(line);
    // A header where a row should be means rows are missing; say so.
    bool header = words.size() > 1 && IsKeyword(words.front());
    if (block_ == Block::Part && rows_left_ > 0 && !header) return PartRow(line);
    if (IsKeyword(words.front())) {
      CloseBlock();
      if (words.front() == "palette") return PaletteHeader(words);
      if (words.front() == "part") return PartHeader(words);
      return PictureHeader(words);
    }
    switch (block_) {
      case Block::Palette: return PaletteEntry(words);
      case Block::Picture: return Stamp(words);
      default: Fail("expected palette, part or picture, found '" + std::string(words.front()) + "'");
    }
  }

  void CloseBlock() {
    if (block_ == Block::Part && rows_left_ > 0) {
      const Part& part = parts_.at(block_name_);
      Fail("part " + block_name_ + " has " + std::to_string(part.rows.size()) + " rows, not " +
               std::to_string(part.height),
           part.header_line);
    }
    if (block_ == Block::Picture && stamps_ == 0) Fail("picture " + pictures_.back().first + " has no parts", block_line_);
    block_ = Block::None;
  }

  std::string Name(std::string_view word) const {
    for (char c : word) {
      bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                   c == '_' || c == '-';
      if (!plain) Fail("'" + std::string(word) + "' is not a name (letters, digits, '.', '_', '-')");
    }
    if (IsKeyword(word)) Fail("'" + std::string(word) + "' is a keyword, not a name");
    return std::string(word);
  }

  int Number(std::string_view word, int least, int most) const {
    int value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < least || value > most)
      Fail("'" + std::string(word) + "' is not a number from " + std::to_string(least) + " to " + std::to_string(most));
    return value;
  }

  // "32x24" or "5,3": two numbers around a separator.
  std::pair<int, int> Pair(std::string_view word, char separator, int least) const {
    std::size_t at = word.find(separator);
    if (at == std::string_view::npos) Fail("'" + std::string(word) + "' should read like 12" + separator + "34");
    return {Number(word.substr(0, at), least, kLargestSide), Number(word.substr(at + 1), least, kLargestSide)};
  }

  void Expect(const std::vector<std::string_view>& words, std::size_t least, std::size_t most, const char* form) const {
    if (words.size() < least || words.size() > most) Fail(std::string("should read: ") + form);
  }

  void Open(Block block, std::string name) {
    block_ = block;
    block_name_ = std::move(name);
    block_line_ = line_number_;
  }

  void PaletteHeader(const std::vector<std::string_view>& words) {
    if (words.size() != 2 && !(words.size() == 4 && words[2] == "from")) Fail("should read: palette <name> [from <name>]");
    std::string name = Name(words[1]);
    if (palettes_.count(name)) Fail("palette " + name + " is defined twice");
    Palette palette;
    if (words.size() == 4) palette = FindPalette(words[3]);
    palettes_[name] = palette;
    own_entries_.fill(false);
    Open(Block::Palette, name);
  }

  void PaletteEntry(const std::vector<std::string_view>& words) {
    // Words after the colour are a note for the reader ("k #201810 outline").
    Expect(words, 2, 99, "<character> #RRGGBB | <character> clear");
    if (words[0].size() != 1 || !IsPixelCharacter(words[0][0]))
      Fail("'" + std::string(words[0]) + "' is not one pixel character (printable, not '#')");
    char c = words[0][0];
    if (own_entries_[static_cast<unsigned char>(c)]) Fail(Quoted(c) + " is given twice in palette " + block_name_);
    own_entries_[static_cast<unsigned char>(c)] = true;
    palettes_[block_name_].colours[static_cast<unsigned char>(c)] = Colour(words[1]);
  }

  std::uint32_t Colour(std::string_view word) const {
    if (word == "clear") return kClearPixel;
    std::uint32_t rgb = 0;
    bool hex = word.size() == 7 && word[0] == '#';
    if (hex) {
      auto [end, error] = std::from_chars(word.data() + 1, word.data() + 7, rgb, 16);
      hex = error == std::errc() && end == word.data() + 7;
    }
    if (!hex) Fail("'" + std::string(word) + "' is not a colour (#RRGGBB or clear)");
    return 0xFF000000u | rgb;
  }

  const Palette& FindPalette(std::string_view name) const {
    auto found = palettes_.find(std::string(name));
    if (found == palettes_.end()) Fail("no palette " + std::string(name) + " above this line");
    return found->second;
  }

  void PartHeader(const std::vector<std::string_view>& words) {
    Expect(words, 3, 3, "part <name> <width>x<height>");
    std::string name = Name(words[1]);
    if (parts_.count(name)) Fail("part " + name + " is defined twice");
    auto [width, height] = Pair(words[2], 'x', 1);
    parts_[name] = Part{width, height, {}, {}, line_number_};
    rows_left_ = height;
    Open(Block::Part, name);
  }

  void PartRow(std::string_view row) {
    Part& part = parts_.at(block_name_);
    for (char c : row)
      if (!IsPixelCharacter(c)) Fail("row of part " + block_name_ + " holds " + Quoted(c) + ", which cannot be a pixel");
    if (static_cast<int>(row.size()) != part.width)
      Fail("row of part " + block_name_ + " is " + std::to_string(row.size()) + " wide, not " + std::to_string(part.width));
    part.rows.emplace_back(row);
    part.row_lines.push_back(line_number_);
    --rows_left_;
  }

  void PictureHeader(const std::vector<std::string_view>& words) {
    Expect(words, 4, 4, "picture <name> <palette> <width>x<height>");
    std::string name = Name(words[1]);
    for (const auto& [drawn, bitmap] : pictures_)
      if (drawn == name) Fail("picture " + name + " is defined twice");
    palette_ = &FindPalette(words[2]);
    palette_name_ = std::string(words[2]);
    auto [width, height] = Pair(words[3], 'x', 1);
    Bitmap bitmap{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, kClearPixel)};
    pictures_.emplace_back(name, std::move(bitmap));
    stamps_ = 0;
    Open(Block::Picture, name);
  }

  void Stamp(const std::vector<std::string_view>& words) {
    Expect(words, 2, 2, "<part> <x>,<y>");
    auto found = parts_.find(std::string(words[0]));
    if (found == parts_.end()) Fail("no part " + std::string(words[0]) + " above this line");
    const Part& part = found->second;
    auto [left, top] = Pair(words[1], ',', 0);
    Bitmap& bitmap = pictures_.back().second;
    if (left + part.width > bitmap.width || top + part.height > bitmap.height)
      Fail("part " + std::string(words[0]) + " at " + std::string(words[1]) + " reaches outside picture " + block_name_);
    for (int y = 0; y < part.height; ++y) {
      for (int x = 0; x < part.width; ++x) {
        char c = part.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
        const auto& colour = palette_->colours[static_cast<unsigned char>(c)];
        if (!colour)
          Fail(Quoted(c) + " is not in palette " + palette_name_ + " (picture " + block_name_ + ")",
               part.row_lines[static_cast<std::size_t>(y)]);
        if (*colour != kClearPixel) bitmap.pixels[static_cast<std::size_t>((top + y) * bitmap.width + left + x)] = *colour;
      }
    }
    ++stamps_;
  }

  const PictureSource& source_;
  int line_number_ = 0;
  Block block_ = Block::None;
  std::string block_name_;
  int block_line_ = 0;
  int rows_left_ = 0;
  int stamps_ = 0;
  const Palette* palette_ = nullptr;
  std::string palette_name_;
  std::array<bool, 128> own_entries_{};
  std::map<std::string, Palette> palettes_;
  std::map<std::string, Part> parts_;
  std::vector<NamedBitmap> pictures_;
};

}  // namespace

std::vector<NamedBitmap> DecodePictureSource(const PictureSource& source) { return Decoder(source).Run(); }

PictureLibrary DecodePictureSources(std::span<const PictureSource> sources) {
  PictureLibrary library;
  for (const PictureSource& source : sources) {
    for (auto& [name, bitmap] : DecodePictureSource(source)) {
      if (!library.emplace(name, std::move(bitmap)).second)
        throw PictureSourceError(std::string(source.file) + ": picture " + name + " is also drawn in another file");
    }
  }
  return library;
}

}  // namespace ui
