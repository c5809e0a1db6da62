// A General MIDI soundfont cut down to the programs a song selects, without
// copying it: the synthesizer builds every preset of a font it loads, some
// two kilobytes for each of its thousands of zones, while a tune plays a
// handful. The cut font keeps the file's samples and instruments as they are
// and rewrites only the preset list, so the presets it keeps sound exactly as
// in the whole font.
#pragma once

#include <bitset>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A soundfont file as the synthesizer reads it, made of spans of the file on
// disk and bytes held here.
class SoundFontView {
 public:
  // The whole file as it is.
  static std::shared_ptr<const SoundFontView> WholeFile(const std::string& path);

  std::uint64_t size() const { return size_; }
  const std::string& source() const { return path_; }
  // Reads `count` bytes from `offset` of the view, taking the file's spans
  // from `file` (the source, opened for reading); false past the end or on a
  // read error.
  bool Read(std::FILE* file, std::uint64_t offset, std::uint64_t count, void* out) const;

 private:
  friend class SoundFontFile;
  struct Piece {
    std::uint64_t at = 0;  // where it starts in the view
    std::uint64_t size = 0;
    std::uint64_t file_offset = 0;   // where it comes from in the file...
    std::vector<std::uint8_t> held;  // ...unless it is held here
  };
  void Add(Piece piece);

  std::string path_;
  std::vector<Piece> pieces_;
  std::uint64_t size_ = 0;
};

class SoundFontFile {
 public:
  // Reads the structure and the preset chunks of a soundfont (not its
  // samples); empty unless it is a well-formed one.
  static std::optional<SoundFontFile> Open(const std::string& path);

  // The font with only the presets of these programs, in every bank.
  // Program 0 is always kept: every channel starts on it and a missing drum
  // kit falls back to it.
  std::shared_ptr<const SoundFontView> Subset(std::bitset<128> programs) const;

  int preset_count() const { return static_cast<int>(presets_.size()); }
  const std::string& path() const { return path_; }

 private:
  struct Chunk {
    std::string id;
    std::vector<std::uint8_t> data;
  };
  struct Preset {
    std::uint16_t program = 0;
    std::size_t record = 0;  // its index in the preset headers
    std::uint16_t first_zone = 0, end_zone = 0;
  };
  const Chunk* Find(const char* id) const;

  std::string path_;
  std::uint64_t file_size_ = 0;
  std::uint32_t riff_size_ = 0;
  std::uint64_t pdta_offset_ = 0;  // the preset LIST chunk, its header and padding included
  std::uint64_t pdta_size_ = 0;
  std::vector<Chunk> pdta_;  // its sub-chunks, in file order
  std::vector<Preset> presets_;
};

}  // namespace platform
