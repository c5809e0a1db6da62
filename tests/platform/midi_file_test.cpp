#include "platform/midi_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes Header(int format, int tracks, int division) {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<std::uint8_t>(format), static_cast<std::uint8_t>(tracks >> 8),
          static_cast<std::uint8_t>(tracks), static_cast<std::uint8_t>(division >> 8),
          static_cast<std::uint8_t>(division)};
}

Bytes Chunk(const char* id, const Bytes& body) {
  const auto size = static_cast<std::uint32_t>(body.size());
  Bytes chunk = {static_cast<std::uint8_t>(id[0]), static_cast<std::uint8_t>(id[1]),
                 static_cast<std::uint8_t>(id[2]), static_cast<std::uint8_t>(id[3]),
                 static_cast<std::uint8_t>(size >> 24), static_cast<std::uint8_t>(size >> 16),
                 static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size)};
  return chunk + body;
}

Bytes Track(const Bytes& events) { return Chunk("MTrk", events); }

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};
// Middle C for one quarter note (480 ticks, written 0x83 0x60).
const Bytes kQuarterNote = {0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40};
const Bytes kSixtyBeatsAMinute = {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40};

std::optional<platform::MidiFileSummary> Read(const Bytes& bytes) { return platform::ReadMidiFileSummary(bytes); }

TEST(MidiFileTest, AQuarterNoteAtTheDefaultTempoLastsHalfASecond) {
  const auto summary = Read(Header(0, 1, 480) + Track(kQuarterNote + kEnd));
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->format, 0);
  EXPECT_EQ(summary->tracks, 1);
  EXPECT_EQ(summary->notes, 1);
  EXPECT_DOUBLE_EQ(summary->seconds, 0.5);
}

TEST(MidiFileTest, ATempoChangeInTheConductorTrackTimesTheOtherTracks) {
  // One quarter at 120, then 60 beats a minute from tick 480: two quarters take 0.5 + 1 s.
  const Bytes conductor = {0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x00, 0xFF, 0x2F, 0x00};
  const Bytes two_quarters = kQuarterNote + Bytes{0x00, 0x90, 0x3E, 0x64, 0x83, 0x60, 0x80, 0x3E, 0x40} + kEnd;
  const auto summary = Read(Header(1, 2, 480) + Track(conductor) + Track(two_quarters));
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->notes, 2);
  EXPECT_DOUBLE_EQ(summary->seconds, 1.5);
}

TEST(MidiFileTest, RunningStatusAndSilentNoteOnsAreUnderstood) {
  // Note-on, then two more events with the status left out; velocity 0 ends a note.
  const Bytes events = {0x00, 0x90, 0x3C, 0x64, 0x00, 0x40, 0x64, 0x83, 0x60, 0x3C, 0x00, 0x00, 0x40, 0x00};
  const auto summary = Read(Header(0, 1, 480) + Track(kSixtyBeatsAMinute + events + kEnd));
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->notes, 2);
  EXPECT_DOUBLE_EQ(summary->seconds, 1.0);
}

TEST(MidiFileTest, EveryProgramSelectedOnAnyChannelIsListed) {
  // Program 56 on channel 1, 33 on channel 2 and again by running status, 9 on
  // the drums; a controller's 0x30 and a sysex's 0x41 are no programs.
  const Bytes events = {0x00, 0xC0, 0x38, 0x00, 0xC1, 0x21, 0x00, 0x21, 0x00, 0xC9, 0x09,
                        0x00, 0xB0, 0x00, 0x30, 0x00, 0xF0, 0x02, 0x41, 0xF7};
  const auto summary = Read(Header(0, 1, 480) + Track(events + kQuarterNote + kEnd));
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->programs, std::bitset<128>().set(56).set(33).set(9));
}

TEST(MidiFileTest, TimeCodeDivisionsCountFrames) {
  // 25 frames a second, 40 ticks a frame: 1000 ticks (0x87 0x68) make one second.
  const Bytes events = {0x00, 0x90, 0x3C, 0x64, 0x87, 0x68, 0x80, 0x3C, 0x40};
  const auto summary = Read(Header(0, 1, 0xE728) + Track(events + kEnd));
  ASSERT_TRUE(summary);
  EXPECT_DOUBLE_EQ(summary->seconds, 1.0);
}

TEST(MidiFileTest, ChunksOfUnknownKindsAndBytesAfterTheEndAreSkipped) {
  const auto summary =
      Read(Header(0, 1, 480) + Chunk("XFIH", {1, 2, 3}) + Track(kQuarterNote + kEnd + Bytes{0x55}) + Bytes{0, 0});
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->notes, 1);
}

TEST(MidiFileTest, SystemExclusiveAndProgramChangesAreStepped) {
  const Bytes events = {0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x00, 0xC0, 0x38, 0x00, 0xD0, 0x40};
  ASSERT_TRUE(Read(Header(0, 1, 480) + Track(events + kQuarterNote + kEnd)));
}

struct BrokenFile {
  const char* why;
  Bytes bytes;
};

class BrokenMidiFileTest : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(BrokenMidiFileTest, IsRefused) { EXPECT_FALSE(Read(GetParam().bytes)) << GetParam().why; }

const Bytes kGood = Track(kQuarterNote + kEnd);

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenMidiFileTest,
    ::testing::Values(
        BrokenFile{"nothing", {}},
        BrokenFile{"a wave file", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}},
        BrokenFile{"the magic alone", {'M', 'T', 'h', 'd'}},
        BrokenFile{"a short header", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 5, 0, 0, 0, 1, 1} + kGood},
        BrokenFile{"a header longer than the file", Bytes{'M', 'T', 'h', 'd', 0xFF, 0, 0, 6, 0, 0, 0, 1, 1, 0xE0}},
        BrokenFile{"format 3", Header(3, 1, 480) + kGood},
        BrokenFile{"format 0 with two tracks", Header(0, 2, 480) + kGood + kGood},
        BrokenFile{"no tracks", Header(1, 0, 480)},
        BrokenFile{"division 0", Header(0, 1, 0) + kGood},
        BrokenFile{"23 frames a second", Header(0, 1, 0xE928) + kGood},
        BrokenFile{"0 ticks a frame", Header(0, 1, 0xE700) + kGood},
        BrokenFile{"a promised track missing", Header(1, 2, 480) + kGood},
        BrokenFile{"a track longer than the file", Header(0, 1, 480) + Bytes{'M', 'T', 'r', 'k', 0, 0, 1, 0, 0}},
        BrokenFile{"no end of track", Header(0, 1, 480) + Track(kQuarterNote)},
        BrokenFile{"an end of track with data", Header(0, 1, 480) + Track({0x00, 0xFF, 0x2F, 0x01, 0x00})},
        BrokenFile{"data without any status", Header(0, 1, 480) + Track(Bytes{0x00, 0x3C, 0x64} + kEnd)},
        BrokenFile{"running status after a meta event",
                   Header(0, 1, 480) +
                       Track(Bytes{0x00, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x01, 0x00, 0x00, 0x3C, 0x00} + kEnd)},
        BrokenFile{"a status byte where data belongs", Header(0, 1, 480) + Track(Bytes{0x00, 0x90, 0x3C, 0x80} + kEnd)},
        BrokenFile{"a real-time message", Header(0, 1, 480) + Track(Bytes{0x00, 0xF8} + kEnd)},
        BrokenFile{"a meta event past its track", Header(0, 1, 480) + Track({0x00, 0xFF, 0x01, 0x10, 'a'})},
        BrokenFile{"a system exclusive past its track", Header(0, 1, 480) + Track({0x00, 0xF0, 0x7F, 0x01})},
        BrokenFile{"a tempo of two bytes", Header(0, 1, 480) + Track(Bytes{0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1} + kEnd)},
        BrokenFile{"a tempo of zero", Header(0, 1, 480) + Track(Bytes{0x00, 0xFF, 0x51, 0x03, 0, 0, 0} + kEnd)},
        BrokenFile{"a five-byte delta time", Header(0, 1, 480) + Track(Bytes{0x80, 0x80, 0x80, 0x80, 0x00} + kEnd)},
        BrokenFile{"a cut note", Header(0, 1, 480) + Track({0x00, 0x90, 0x3C})}),
    [](const ::testing::TestParamInfo<BrokenFile>& info) { return "Case" + std::to_string(info.index); });

// Every prefix of a good file is a cut file, and must be refused without
// reading past its end.
TEST(MidiFileTest, EveryCutOfAGoodFileIsRefused) {
  const Bytes whole = Header(1, 2, 480) + Track(kSixtyBeatsAMinute + kEnd) + Track(kQuarterNote + kEnd);
  ASSERT_TRUE(Read(whole));
  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_FALSE(Read(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)))) << size;
  }
}

}  // namespace
