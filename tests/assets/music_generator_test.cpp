// The score and tone-sheet readers and the file writers the build uses.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/midi_file.h"
#include "score.h"
#include "tones.h"

namespace {

const std::string kHeader = "tempo 120\nmeter 4/4\n";

music::Score Parse(const std::string& text) { return music::ParseScore(text); }

// The line a broken source is refused at, or 0 when it is not refused.
template <typename Reader>
int RefusedAt(Reader read, const std::string& text) {
  try {
    read(text);
  } catch (const music::SourceError& error) {
    return error.line;
  }
  return 0;
}

TEST(ScoreTest, ABarBecomesTimedNotes) {
  const music::Score score =
      Parse(kHeader + "part piano channel 1 program 1 velocity 90\n| C4/4 E4+G4/4. r/8 A4@30/4 |\n");
  ASSERT_EQ(score.parts.size(), 1u);
  const music::ScorePart& part = score.parts[0];
  EXPECT_EQ(part.channel, 0);
  EXPECT_EQ(part.program, 0);
  ASSERT_EQ(part.notes.size(), 4u);
  auto note = [&](std::size_t i) {
    const music::ScoreNote& n = part.notes[i];
    return std::vector<int>{static_cast<int>(n.tick), static_cast<int>(n.length), n.key, n.velocity};
  };
  EXPECT_EQ(note(0), (std::vector<int>{0, 480, 60, 90}));
  EXPECT_EQ(note(1), (std::vector<int>{480, 720, 64, 90}));
  EXPECT_EQ(note(2), (std::vector<int>{480, 720, 67, 90}));
  EXPECT_EQ(note(3), (std::vector<int>{1440, 480, 69, 30}));
  EXPECT_EQ(score.length_ticks, 1920u);
  EXPECT_DOUBLE_EQ(score.seconds(), 2.0);
}

TEST(ScoreTest, NoteNamesCoverTheWholeKeyboard) {
  struct Case {
    const char* name;
    int key;
  };
  for (const Case& c : {Case{"C-1", 0}, Case{"A0", 21}, Case{"Bb3", 58}, Case{"C4", 60}, Case{"C#4", 61},
                        Case{"F#5", 78}, Case{"G9", 127}}) {
    const music::Score score = Parse(kHeader + "part p channel 1 program 1\n| " + c.name + "/1 |\n");
    EXPECT_EQ(score.parts[0].notes.at(0).key, c.key) << c.name;
  }
}

TEST(ScoreTest, DrumsGoByNameWithTheirOwnLoudness) {
  const music::Score score = Parse(kHeader + "part kit channel 10\n| kick+hat/4 hat@50/4 snare/4 crash/4 |\n");
  const music::ScorePart& kit = score.parts[0];
  EXPECT_EQ(kit.channel, 9);
  EXPECT_FALSE(kit.program);
  ASSERT_EQ(kit.notes.size(), 5u);
  EXPECT_EQ(kit.notes[0].key, 36);
  EXPECT_EQ(kit.notes[1].key, 42);
  EXPECT_GT(kit.notes[0].velocity, kit.notes[1].velocity);  // the hat sits under the kick
  EXPECT_EQ(kit.notes[2].velocity, 50);
  EXPECT_EQ(kit.notes[3].key, 38);
  EXPECT_EQ(kit.notes[4].key, 49);
}

TEST(ScoreTest, SeveralBarsOnALineAndCommentsAreRead) {
  const music::Score score = Parse(
      "# a comment line\n" + kHeader +
      "part p channel 2 program 34   # finger bass\n| F#2/2 F#2/2 | r/1 |\n|C2/16 C2/16 C2/8 C2/4 C2/2|\n");
  EXPECT_EQ(score.parts[0].bars, 3);
  EXPECT_EQ(score.parts[0].notes.size(), 7u);
  EXPECT_EQ(score.parts[0].notes[0].key, 42);
  EXPECT_EQ(score.parts[0].notes[2].tick, 2u * 1920);
  EXPECT_EQ(score.parts[0].notes[2].length, 120u);
}

TEST(ScoreTest, OtherMetersSetTheBarLength) {
  EXPECT_EQ(Parse("meter 3/4\npart p channel 1 program 1\n| C4/4 C4/4 C4/4 |\n").length_ticks, 1440u);
  EXPECT_EQ(Parse("meter 6/8\npart p channel 1 program 1\n| C4/4. C4/4. |\n").length_ticks, 1440u);
}

struct BrokenSource {
  const char* why;
  std::string text;
  int line;
};

class BrokenScoreTest : public ::testing::TestWithParam<BrokenSource> {};

TEST_P(BrokenScoreTest, IsRefusedAtItsLine) {
  EXPECT_EQ(RefusedAt(music::ParseScore, GetParam().text), GetParam().line) << GetParam().why;
}

const std::string kPart = "part p channel 1 program 1\n";

INSTANTIATE_TEST_SUITE_P(
    Scores, BrokenScoreTest,
    ::testing::Values(
        BrokenSource{"nothing", "", 1},
        BrokenSource{"unknown directive", kHeader + "swing on\n", 3},
        BrokenSource{"tempo too slow", "tempo 5\n", 1},
        BrokenSource{"tempo not a number", "tempo fast\n", 1},
        BrokenSource{"meter of thirds", "meter 4/3\n", 1},
        BrokenSource{"meter without fraction", "meter 4\n", 1},
        BrokenSource{"tempo after a part", kPart + "| C4/1 |\ntempo 100\n", 3},
        BrokenSource{"part without channel", "part p program 1\n", 1},
        BrokenSource{"part with an odd setting", "part p channel 1 program 1 reverb 40\n", 1},
        BrokenSource{"two parts of one name", kPart + "| C4/1 |\n" + kPart + "| C4/1 |\n", 3},
        BrokenSource{"drums with a program", "part d channel 10 program 1\n", 1},
        BrokenSource{"notes without a program", "part p channel 1\n", 1},
        BrokenSource{"a bar before any part", "| C4/1 |\n", 1},
        BrokenSource{"a short bar", kPart + "| C4/2 C4/4 |\n", 2},
        BrokenSource{"a long bar", kPart + "| C4/2 C4/2 C4/4 |\n", 2},
        BrokenSource{"an empty bar", kPart + "| |\n", 2},
        BrokenSource{"no such note", kPart + "| H4/1 |\n", 2},
        BrokenSource{"an octave too high", kPart + "| C10/1 |\n", 2},
        BrokenSource{"above the keyboard", kPart + "| A9/1 |\n", 2},
        BrokenSource{"a lowercase note", kPart + "| c4/1 |\n", 2},
        BrokenSource{"no length", kPart + "| C4 C4 C4 C4 |\n", 2},
        BrokenSource{"a length of three", kPart + "| C4/3 |\n", 2},
        BrokenSource{"a length too short", kPart + "| C4/64 |\n", 2},
        BrokenSource{"velocity zero", kPart + "| C4@0/1 |\n", 2},
        BrokenSource{"two velocities", kPart + "| C4@9@9/1 |\n", 2},
        BrokenSource{"no such drum", "part d channel 10\n| bongo/1 |\n", 2},
        BrokenSource{"a note on the drums", "part d channel 10\n| C4/1 |\n", 2},
        BrokenSource{"a part without bars", kPart, 1},
        BrokenSource{"parts of different lengths", kPart + "| C4/1 |\npart q channel 2 program 1\n| C4/1 | C4/1 |\n",
                     3}),
    [](const ::testing::TestParamInfo<BrokenSource>& info) { return "Case" + std::to_string(info.index); });

TEST(MidiWriterTest, TheWrittenFileReadsBackWithItsLengthAndNotes) {
  const music::Score score = Parse("tempo 160\nmeter 4/4\n" + kPart + "| C4/4 D4/4 E4/4 F4/4 |\n" +
                                   "part d channel 10\n| kick/2 snare/2 |\n");
  const std::vector<std::uint8_t> file = music::WriteMidiFile(score);
  const auto summary = platform::ReadMidiFileSummary(file);
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->format, 1);
  EXPECT_EQ(summary->tracks, 3);
  EXPECT_EQ(summary->notes, 6);
  EXPECT_DOUBLE_EQ(summary->seconds, 1.5);
}

TEST(MidiWriterTest, ARestAtTheEndStillCountsInTheLength) {
  const music::Score score = Parse(kHeader + kPart + "| C4/4 r/2. |\n| r/1 |\n");
  const auto summary = platform::ReadMidiFileSummary(music::WriteMidiFile(score));
  ASSERT_TRUE(summary);
  EXPECT_DOUBLE_EQ(summary->seconds, 4.0);
}

TEST(TonesTest, ASheetBecomesTones) {
  const music::ToneSheet sheet =
      music::ParseTones("# pips\nrate 22050\ntone 0 0.1 440 0.5\ntone 0.2 0.3 880 0.25 decay 0.1  # last\n");
  EXPECT_EQ(sheet.rate, 22050);
  ASSERT_EQ(sheet.tones.size(), 2u);
  EXPECT_DOUBLE_EQ(sheet.tones[1].start, 0.2);
  EXPECT_DOUBLE_EQ(sheet.tones[1].length, 0.3);
  EXPECT_DOUBLE_EQ(sheet.tones[1].frequency, 880);
  EXPECT_DOUBLE_EQ(sheet.tones[1].level, 0.25);
  EXPECT_DOUBLE_EQ(sheet.tones[1].decay, 0.1);
  EXPECT_DOUBLE_EQ(sheet.tones[0].decay, 0);
}

class BrokenTonesTest : public ::testing::TestWithParam<BrokenSource> {};

TEST_P(BrokenTonesTest, IsRefusedAtItsLine) {
  EXPECT_EQ(RefusedAt(music::ParseTones, GetParam().text), GetParam().line) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, BrokenTonesTest,
    ::testing::Values(BrokenSource{"no tones", "rate 44100\n", 2},
                      BrokenSource{"unknown directive", "beep 1\n", 1},
                      BrokenSource{"a missing level", "tone 0 0.1 440\n", 1},
                      BrokenSource{"a level above full scale", "tone 0 0.1 440 2\n", 1},
                      BrokenSource{"a frequency the rate cannot carry", "rate 8000\ntone 0 0.1 5000 0.5\n", 2},
                      BrokenSource{"a negative start", "tone -1 0.1 440 0.5\n", 1},
                      BrokenSource{"no length", "tone 0 0 440 0.5\n", 1},
                      BrokenSource{"too long a signal", "tone 9 2 440 0.5\n", 1},
                      BrokenSource{"decay without seconds", "tone 0 0.1 440 0.5 decay\n", 1},
                      BrokenSource{"a rate after the tones", "tone 0 0.1 440 0.5\nrate 8000\n", 2},
                      BrokenSource{"a number with junk", "tone 0 0.1s 440 0.5\n", 1}),
    [](const ::testing::TestParamInfo<BrokenSource>& info) { return "Case" + std::to_string(info.index); });

TEST(TonesTest, AToneSoundsAtItsLevelFromItsStartWithoutAClick) {
  music::ToneSheet sheet;
  sheet.rate = 8000;
  sheet.tones = {{0.5, 0.25, 400, 0.5, 0}};
  const std::vector<std::int16_t> samples = music::Synthesize(sheet);
  EXPECT_EQ(samples.size(), static_cast<std::size_t>((0.75 + 0.02) * 8000));
  auto peak_between = [&](std::size_t from, std::size_t to) {
    int peak = 0;
    for (std::size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(int{samples[i]}));
    return peak;
  };
  const int peak_before = peak_between(0, 4000);
  const int peak = peak_between(4000, samples.size());
  EXPECT_EQ(peak_before, 0);
  EXPECT_NEAR(peak, 0.5 * 32767, 0.02 * 32767);
  EXPECT_LT(std::abs(int{samples[4000]}), 100);                  // fades in
  EXPECT_LT(std::abs(int{samples[4000 + 2000 - 1]}), 0.1 * 32767);  // and out
}

TEST(TonesTest, ADecayingToneFades) {
  music::ToneSheet sheet;
  sheet.rate = 8000;
  sheet.tones = {{0, 1.0, 400, 0.5, 0.2}};
  const std::vector<std::int16_t> samples = music::Synthesize(sheet);
  auto peak_between = [&](double from, double to) {
    int peak = 0;
    for (auto i = static_cast<std::size_t>(from * 8000); i < static_cast<std::size_t>(to * 8000); ++i) {
      peak = std::max(peak, std::abs(int{samples[i]}));
    }
    return peak;
  };
  EXPECT_GT(peak_between(0, 0.1), 3 * peak_between(0.3, 0.4));
}

TEST(WaveWriterTest, TheHeaderDescribesTheSamples) {
  const std::vector<std::uint8_t> file = music::WriteWaveFile({0, 1000, -1000}, 22050);
  ASSERT_EQ(file.size(), 44u + 6u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
  EXPECT_EQ(file[4], 42);  // the rest of the file
  EXPECT_EQ(file[24] | (file[25] << 8), 22050);
  EXPECT_EQ(file[40], 6);  // data bytes
  EXPECT_EQ(file[46] | (file[47] << 8), 1000);
  EXPECT_EQ(file[48] | (file[49] << 8), 0x10000 - 1000);
}

}  // namespace
