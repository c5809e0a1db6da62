// Reading a standard MIDI file's length and notes, so the player is handed
// music only; anything broken or cut short is refused without reading past it.
#include "sound/midi_file.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes Header(std::uint8_t format, std::uint8_t tracks, int division = 480) {
  const auto high = static_cast<std::uint8_t>(division >> 8), low = static_cast<std::uint8_t>(division);
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, format, 0, tracks, high, low};
}

Bytes Track(const Bytes& events) {
  return Bytes{'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(events.size() + 4)} + events +
         Bytes{0x00, 0xFF, 0x2F, 0x00};
}

const Bytes kQuarterNote = {0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40};  // middle C, 480 ticks
const Bytes kSixtyBeatsAMinute = {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40};

// What is read from a file: its notes and seconds, or nothing from one that
// is broken or cut short, without reading past its end.
TEST(MidiFileTest, NotesAndSecondsOrNothingFromABrokenFile) {
  const Bytes good = Track(kQuarterNote), whole = Header(1, 2) + Track(kSixtyBeatsAMinute) + good;
  using Row = std::tuple<Bytes, int, double>;  // the file, its notes and seconds
  // A quarter note at 60 a minute; running status and a silent note-on; a tempo change in the conductor track
  // from tick 480; 25 frames a second with 40 ticks a frame; an unknown chunk, a system exclusive, a program
  // change and bytes after the end.
  for (const Row& row :
       {Row{whole, 1, 1.0},
        Row{Header(0, 1) + Track(kSixtyBeatsAMinute + Bytes{0x00, 0x90, 0x3C, 0x64, 0x00, 0x40, 0x64, 0x83, 0x60, 0x3C,
                                                            0x00, 0x00, 0x40, 0x00}),
            2, 1.0},
        Row{Header(1, 2) + Track(Bytes{0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40}) +
                Track(kQuarterNote + kQuarterNote),
            2, 1.5},
        Row{Header(0, 1, 0xE728) + Track(Bytes{0x00, 0x90, 0x3C, 0x64, 0x87, 0x68, 0x80, 0x3C, 0x40}), 1, 1.0},
        Row{Header(0, 1) + Bytes{'X', 'F', 'I', 'H', 0, 0, 0, 1, 7} +
                Track(Bytes{0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x00, 0xC0, 0x38} + kQuarterNote) + Bytes{0, 0},
            1, 0.5}}) {
    const auto& [file, notes, seconds] = row;
    const auto summary = sound::ReadMidiFileSummary(file);
    ASSERT_TRUE(summary) << seconds;
    EXPECT_EQ(std::pair(summary->notes, summary->seconds), std::pair(notes, seconds));
  }

  std::vector<Bytes> broken = {{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'},
                               Header(3, 1) + good,
                               Header(0, 2) + good + good,  // format 0 with two tracks
                               Header(1, 0),
                               Header(0, 1, 0) + good,
                               Header(0, 1, 0xE928) + good,                              // 23 frames a second
                               Header(0, 1) + Track({0x00, 0x3C, 0x64}),                 // data without a status
                               Header(0, 1) + Track({0x00, 0x90, 0x3C, 0x80}),           // a status where data belongs
                               Header(0, 1) + Track({0x00, 0xF8}),                       // a real-time message
                               Header(0, 1) + Track({0x00, 0xFF, 0x51, 0x03, 0, 0, 0}),  // a tempo of zero
                               Header(0, 1) + Track({0x80, 0x80, 0x80, 0x80, 0x00})};    // a five-byte delta time
  for (std::size_t size = 0; size < whole.size(); ++size)
    broken.emplace_back(whole.begin(), whole.begin() + static_cast<long>(size));
  for (std::size_t i = 0; i < broken.size(); ++i) EXPECT_FALSE(sound::ReadMidiFileSummary(broken[i])) << i;
}

}  // namespace
