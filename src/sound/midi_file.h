// A strict reading of a standard MIDI file's structure, without playing it:
// the music player refuses anything that fails it before a synthesizer ever
// parses it, and the tests measure the game's own tune with it.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <span>

namespace sound {

struct MidiFileSummary {
  int format = 0;   // 0, 1 or 2
  int tracks = 0;
  int notes = 0;    // note-ons with a velocity above 0
  double seconds = 0;  // to the last track's end, through every tempo change
  // Every program a program change selects, on any channel (0-127); a
  // synthesizer needs these and program 0, its default, and no others.
  std::bitset<128> programs;
};

// Empty unless the bytes are a whole, well-formed file: a header, every track
// it announces, each made of complete events and closed by its end marker.
// Work is linear in the size of the input (plus sorting its tempo changes).
std::optional<MidiFileSummary> ReadMidiFileSummary(std::span<const std::uint8_t> bytes);

}  // namespace sound
