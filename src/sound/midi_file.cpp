#include "sound/midi_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace sound {

namespace {

constexpr std::uint32_t kDefaultMicrosPerQuarter = 500000;  // 120 beats a minute

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t left() const { return bytes_.size() - at_; }

  bool Byte(std::uint8_t& out) {
    if (left() < 1) return false;
    out = bytes_[at_++];
    return true;
  }
  bool BigEndian(int size, std::uint32_t& out) {
    if (left() < static_cast<std::size_t>(size)) return false;
    out = 0;
    for (int i = 0; i < size; ++i) out = (out << 8) | bytes_[at_++];
    return true;
  }
  bool Bytes(std::size_t size, std::span<const std::uint8_t>& out) {
    if (left() < size) return false;
    out = bytes_.subspan(at_, size);
    at_ += size;
    return true;
  }
  // A variable-length quantity: at most four bytes, seven bits each.
  bool VarLen(std::uint32_t& out) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint8_t byte = 0;
      if (!Byte(byte)) return false;
      out = (out << 7) | (byte & 0x7F);
      if ((byte & 0x80) == 0) return true;
    }
    return false;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

struct TempoChange {
  std::uint64_t tick;
  std::uint32_t micros_per_quarter;
};

struct Track {
  std::uint64_t end_tick = 0;
  int notes = 0;
  std::bitset<128> programs;
};

bool ReadTrack(std::span<const std::uint8_t> chunk, Track& track, std::vector<TempoChange>& tempos) {
  Reader in(chunk);
  std::uint64_t tick = 0;
  std::uint8_t running = 0;  // the status a data byte continues; 0 for none
  for (;;) {
    std::uint32_t delta = 0;
    std::uint8_t status = 0;
    if (!in.VarLen(delta) || !in.Byte(status)) return false;
    tick += delta;

    if (status == 0xFF) {
      running = 0;
      std::uint8_t type = 0;
      std::uint32_t length = 0;
      std::span<const std::uint8_t> data;
      if (!in.Byte(type) || !in.VarLen(length) || !in.Bytes(length, data)) return false;
      if (type == 0x2F) {  // end of track; anything after it in the chunk is ignored
        if (length != 0) return false;
        track.end_tick = tick;
        return true;
      }
      if (type == 0x51) {
        if (length != 3) return false;
        const std::uint32_t micros = (std::uint32_t{data[0]} << 16) | (std::uint32_t{data[1]} << 8) | data[2];
        if (micros == 0) return false;
        tempos.push_back({tick, micros});
      }
      continue;
    }
    if (status == 0xF0 || status == 0xF7) {
      running = 0;
      std::uint32_t length = 0;
      std::span<const std::uint8_t> data;
      if (!in.VarLen(length) || !in.Bytes(length, data)) return false;
      continue;
    }
    if (status > 0xF0) return false;  // system common and real-time messages never stand in a file

    std::uint8_t first = 0;
    if (status < 0x80) {
      if (running == 0) return false;
      first = status;
      status = running;
    } else {
      running = status;
      if (!in.Byte(first)) return false;
    }
    if (first >= 0x80) return false;
    const std::uint8_t kind = status & 0xF0;
    if (kind == 0xC0) track.programs.set(first);
    if (kind == 0xC0 || kind == 0xD0) continue;  // one data byte
    std::uint8_t second = 0;
    if (!in.Byte(second) || second >= 0x80) return false;
    if (kind == 0x90 && second > 0) ++track.notes;
  }
}

double TicksToSeconds(std::uint64_t end, std::uint32_t ticks_per_quarter, std::vector<TempoChange>& tempos) {
  std::stable_sort(tempos.begin(), tempos.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  double seconds = 0;
  std::uint64_t tick = 0;
  std::uint32_t micros = kDefaultMicrosPerQuarter;
  for (const TempoChange& change : tempos) {
    if (change.tick >= end) break;
    seconds += static_cast<double>(change.tick - tick) * micros / ticks_per_quarter / 1e6;
    tick = change.tick;
    micros = change.micros_per_quarter;
  }
  return seconds + static_cast<double>(end - tick) * micros / ticks_per_quarter / 1e6;
}

}  // namespace

std::optional<MidiFileSummary> ReadMidiFileSummary(std::span<const std::uint8_t> bytes) {
  Reader in(bytes);
  std::span<const std::uint8_t> id;
  std::uint32_t header_length = 0, format = 0, track_count = 0, division = 0;
  if (!in.Bytes(4, id) || std::memcmp(id.data(), "MThd", 4) != 0) return std::nullopt;
  if (!in.BigEndian(4, header_length) || header_length < 6) return std::nullopt;
  std::span<const std::uint8_t> header;
  if (!in.Bytes(header_length, header)) return std::nullopt;
  Reader fields(header);
  fields.BigEndian(2, format);
  fields.BigEndian(2, track_count);
  fields.BigEndian(2, division);
  if (format > 2 || track_count == 0 || (format == 0 && track_count != 1) || division == 0) return std::nullopt;

  double seconds_per_frame_tick = 0;  // for time-code divisions only
  if (division & 0x8000) {
    const int frames_per_second = -static_cast<std::int8_t>(division >> 8);
    const unsigned ticks_per_frame = division & 0xFF;
    if (ticks_per_frame == 0) return std::nullopt;
    double rate = 0;
    switch (frames_per_second) {
      case 24: case 25: case 30: rate = frames_per_second; break;
      case 29: rate = 29.97; break;
      default: return std::nullopt;
    }
    seconds_per_frame_tick = 1.0 / (rate * ticks_per_frame);
  }

  MidiFileSummary summary;
  summary.format = static_cast<int>(format);
  summary.tracks = static_cast<int>(track_count);
  std::vector<TempoChange> tempos;
  std::uint64_t end = 0;
  for (std::uint32_t found = 0; found < track_count;) {
    std::uint32_t length = 0;
    std::span<const std::uint8_t> chunk;
    if (!in.Bytes(4, id) || !in.BigEndian(4, length) || !in.Bytes(length, chunk)) return std::nullopt;
    if (std::memcmp(id.data(), "MTrk", 4) != 0) continue;  // chunks of unknown kinds are skipped
    Track track;
    if (!ReadTrack(chunk, track, tempos)) return std::nullopt;
    summary.notes += track.notes;
    summary.programs |= track.programs;
    end = std::max(end, track.end_tick);
    ++found;
  }
  summary.seconds = seconds_per_frame_tick > 0 ? static_cast<double>(end) * seconds_per_frame_tick
                                               : TicksToSeconds(end, division, tempos);
  return summary;
}

}  // namespace sound
