#include "platform/audio/soundfont_subset.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace platform {

namespace {

// Record sizes of the preset chunks (SoundFont 2.04, section 7).
constexpr std::size_t kPresetHeader = 38;  // name[20], program, bank, first zone, library, genre, morphology
constexpr std::size_t kZone = 4;           // first generator, first modulator
constexpr std::size_t kModulator = 10;
constexpr std::size_t kGenerator = 4;
constexpr std::size_t kZoneIndexAt = 24;   // in a preset header

std::uint32_t Little(const std::uint8_t* at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | at[i];
  return value;
}

void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void SetLittle(std::uint8_t* at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool ReadAt(std::ifstream& in, std::uint64_t offset, std::size_t count, std::uint8_t* out) {
  in.seekg(static_cast<std::streamoff>(offset));
  in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
  return in.gcount() == static_cast<std::streamsize>(count);
}

}  // namespace

std::shared_ptr<const SoundFontView> SoundFontView::WholeFile(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return nullptr;
  auto view = std::make_shared<SoundFontView>();
  view->path_ = path;
  view->Add({.size = size, .held = {}});
  return view;
}

void SoundFontView::Add(Piece piece) {
  piece.at = size_;
  if (!piece.held.empty()) piece.size = piece.held.size();
  size_ += piece.size;
  if (piece.size > 0) pieces_.push_back(std::move(piece));
}

bool SoundFontView::Read(std::FILE* file, std::uint64_t offset, std::uint64_t count, void* out) const {
  if (offset > size_ || count > size_ - offset) return false;
  auto* to = static_cast<std::uint8_t*>(out);
  for (const Piece& piece : pieces_) {
    if (count == 0) break;
    if (offset >= piece.at + piece.size) continue;
    const std::uint64_t within = offset - piece.at;
    const std::uint64_t take = std::min(count, piece.size - within);
    if (!piece.held.empty()) {
      std::memcpy(to, piece.held.data() + within, take);
    } else if (!file || std::fseek(file, static_cast<long>(piece.file_offset + within), SEEK_SET) != 0 ||
               std::fread(to, 1, take, file) != take) {
      return false;
    }
    to += take;
    offset += take;
    count -= take;
  }
  return count == 0;
}

std::optional<SoundFontFile> SoundFontFile::Open(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  SoundFontFile font;
  font.path_ = path;
  std::error_code error;
  font.file_size_ = std::filesystem::file_size(path, error);
  std::uint8_t header[12];
  if (error || !ReadAt(in, 0, sizeof header, header) || std::memcmp(header, "RIFF", 4) != 0 ||
      std::memcmp(header + 8, "sfbk", 4) != 0) {
    return std::nullopt;
  }
  font.riff_size_ = Little(header + 4, 4);
  const std::uint64_t end = std::min<std::uint64_t>(font.file_size_, 8 + std::uint64_t{font.riff_size_});

  // The top-level chunks: only the preset LIST is read.
  for (std::uint64_t at = 12; at + 12 <= end;) {
    std::uint8_t chunk[12];
    if (!ReadAt(in, at, sizeof chunk, chunk)) return std::nullopt;
    const std::uint32_t size = Little(chunk + 4, 4);
    const std::uint64_t next = at + 8 + size + (size & 1);
    if (std::memcmp(chunk, "LIST", 4) == 0 && std::memcmp(chunk + 8, "pdta", 4) == 0 && size >= 4) {
      std::vector<std::uint8_t> list(size - 4);
      if (at + 8 + size > end || !ReadAt(in, at + 12, list.size(), list.data())) return std::nullopt;
      font.pdta_offset_ = at;
      font.pdta_size_ = std::min(next, end) - at;
      for (std::size_t sub = 0; sub + 8 <= list.size();) {
        const std::uint32_t length = Little(&list[sub + 4], 4);
        if (length > list.size() - sub - 8) return std::nullopt;
        Chunk piece{std::string(reinterpret_cast<const char*>(&list[sub]), 4),
                    std::vector<std::uint8_t>(list.begin() + static_cast<std::ptrdiff_t>(sub + 8),
                                              list.begin() + static_cast<std::ptrdiff_t>(sub + 8 + length))};
        font.pdta_.push_back(std::move(piece));
        sub += 8 + length + (length & 1);
      }
    }
    at = next;
  }

  // The presets and their zones, checked as the synthesizer will use them.
  const Chunk* headers = font.Find("phdr");
  const Chunk* zones = font.Find("pbag");
  const Chunk* modulators = font.Find("pmod");
  const Chunk* generators = font.Find("pgen");
  if (!headers || !zones || !modulators || !generators) return std::nullopt;
  if (headers->data.size() % kPresetHeader || headers->data.size() < 2 * kPresetHeader ||
      zones->data.size() % kZone || zones->data.empty() || modulators->data.size() % kModulator ||
      modulators->data.empty() || generators->data.size() % kGenerator || generators->data.empty()) {
    return std::nullopt;
  }
  const std::size_t zone_count = zones->data.size() / kZone;
  std::uint32_t last_generator = 0, last_modulator = 0;
  for (std::size_t zone = 0; zone < zone_count; ++zone) {
    const std::uint32_t generator = Little(&zones->data[zone * kZone], 2);
    const std::uint32_t modulator = Little(&zones->data[zone * kZone + 2], 2);
    if (generator < last_generator || modulator < last_modulator || generator >= generators->data.size() / kGenerator ||
        modulator >= modulators->data.size() / kModulator) {
      return std::nullopt;
    }
    last_generator = generator;
    last_modulator = modulator;
  }
  const std::size_t preset_count = headers->data.size() / kPresetHeader - 1;
  for (std::size_t record = 0; record < preset_count; ++record) {
    const std::uint8_t* at = &headers->data[record * kPresetHeader];
    const auto first = static_cast<std::uint16_t>(Little(at + kZoneIndexAt, 2));
    const auto last = static_cast<std::uint16_t>(Little(at + kPresetHeader + kZoneIndexAt, 2));
    if (first > last || last >= zone_count) return std::nullopt;
    font.presets_.push_back({static_cast<std::uint16_t>(Little(at + 20, 2)), record, first, last});
  }
  return font;
}

const SoundFontFile::Chunk* SoundFontFile::Find(const char* id) const {
  for (const Chunk& chunk : pdta_) {
    if (chunk.id == id) return &chunk;
  }
  return nullptr;
}

std::shared_ptr<const SoundFontView> SoundFontFile::Subset(std::bitset<128> programs) const {
  programs.set(0);
  const std::vector<std::uint8_t>& headers = Find("phdr")->data;
  const std::vector<std::uint8_t>& zones = Find("pbag")->data;
  const std::vector<std::uint8_t>& modulators = Find("pmod")->data;
  const std::vector<std::uint8_t>& generators = Find("pgen")->data;
  auto zone_field = [&zones](std::size_t zone, int field) { return Little(&zones[zone * kZone + 2 * field], 2); };

  std::vector<std::uint8_t> new_headers, new_zones, new_modulators, new_generators;
  for (const Preset& preset : presets_) {
    if (preset.program >= programs.size() || !programs[preset.program]) continue;
    const auto record = headers.begin() + static_cast<std::ptrdiff_t>(preset.record * kPresetHeader);
    const std::size_t at = new_headers.size();
    new_headers.insert(new_headers.end(), record, record + kPresetHeader);
    SetLittle(&new_headers[at + kZoneIndexAt], static_cast<std::uint32_t>(new_zones.size() / kZone), 2);
    for (std::size_t zone = preset.first_zone; zone < preset.end_zone; ++zone) {
      PutLittle(new_zones, static_cast<std::uint32_t>(new_generators.size() / kGenerator), 2);
      PutLittle(new_zones, static_cast<std::uint32_t>(new_modulators.size() / kModulator), 2);
      const auto copy = [](const std::vector<std::uint8_t>& from, std::size_t record_size, std::uint32_t first,
                           std::uint32_t end, std::vector<std::uint8_t>& to) {
        to.insert(to.end(), from.begin() + static_cast<std::ptrdiff_t>(first * record_size),
                  from.begin() + static_cast<std::ptrdiff_t>(end * record_size));
      };
      copy(generators, kGenerator, zone_field(zone, 0), zone_field(zone + 1, 0), new_generators);
      copy(modulators, kModulator, zone_field(zone, 1), zone_field(zone + 1, 1), new_modulators);
    }
  }
  // The closing records: the last preset header names the end of the zones,
  // the last zone the ends of the generators and modulators.
  const std::size_t at = new_headers.size();
  new_headers.insert(new_headers.end(), headers.end() - kPresetHeader, headers.end());
  SetLittle(&new_headers[at + kZoneIndexAt], static_cast<std::uint32_t>(new_zones.size() / kZone), 2);
  PutLittle(new_zones, static_cast<std::uint32_t>(new_generators.size() / kGenerator), 2);
  PutLittle(new_zones, static_cast<std::uint32_t>(new_modulators.size() / kModulator), 2);
  new_generators.insert(new_generators.end(), generators.end() - kGenerator, generators.end());
  new_modulators.insert(new_modulators.end(), modulators.end() - kModulator, modulators.end());

  std::vector<std::uint8_t> list{'L', 'I', 'S', 'T', 0, 0, 0, 0, 'p', 'd', 't', 'a'};
  for (const Chunk& chunk : pdta_) {
    const std::vector<std::uint8_t>& data = chunk.id == "phdr"   ? new_headers
                                            : chunk.id == "pbag" ? new_zones
                                            : chunk.id == "pmod" ? new_modulators
                                            : chunk.id == "pgen" ? new_generators
                                                                 : chunk.data;
    list.insert(list.end(), chunk.id.begin(), chunk.id.end());
    PutLittle(list, static_cast<std::uint32_t>(data.size()), 4);
    list.insert(list.end(), data.begin(), data.end());
    if (data.size() & 1) list.push_back(0);
  }
  SetLittle(&list[4], static_cast<std::uint32_t>(list.size() - 8), 4);

  auto view = std::make_shared<SoundFontView>();
  view->path_ = path_;
  std::vector<std::uint8_t> riff{'R', 'I', 'F', 'F'};
  PutLittle(riff, static_cast<std::uint32_t>(riff_size_ - pdta_size_ + list.size()), 4);
  riff.insert(riff.end(), {'s', 'f', 'b', 'k'});
  view->Add({.held = std::move(riff)});
  view->Add({.size = pdta_offset_ - 12, .file_offset = 12, .held = {}});
  view->Add({.held = std::move(list)});
  const std::uint64_t after = pdta_offset_ + pdta_size_;
  view->Add({.size = file_size_ > after ? file_size_ - after : 0, .file_offset = after, .held = {}});
  return view;
}

}  // namespace platform
