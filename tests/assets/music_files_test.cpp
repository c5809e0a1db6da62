// The music files the build puts beside the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/midi_file.h"
#include "score.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kBuilt = MASCOT_MUSIC_DIR;
const std::string kSources = MASCOT_MUSIC_SOURCES;

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadText(const std::string& path) {
  const Bytes bytes = ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

std::uint32_t LittleEndian(const Bytes& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes.at(at + static_cast<std::size_t>(i));
  return value;
}

TEST(MusicFilesTest, TheRaceThemeIsAStandardMidiFileAsLongAsARace) {
  const Bytes file = ReadBytes(kBuilt + "/bgm.mid");
  const auto summary = platform::ReadMidiFileSummary(file);
  ASSERT_TRUE(summary) << "bgm.mid is no well-formed standard MIDI file";
  EXPECT_EQ(summary->format, 1);
  EXPECT_EQ(summary->tracks, 5);  // the conductor, then melody, chords, bass and drums
  EXPECT_GT(summary->notes, 200);
  // Nine bars of 4/4 at 160 quarter notes a minute; a race takes about 13 s.
  EXPECT_NEAR(summary->seconds, 13.5, 0.001);
}

TEST(MusicFilesTest, TheRaceThemeIsBuiltFromItsScore) {
  const music::Score score = music::ParseScore(ReadText(kSources + "/race_theme.score"));
  EXPECT_EQ(music::WriteMidiFile(score), ReadBytes(kBuilt + "/bgm.mid"));
}

// Drums on the kit's channel; a bass line below the G under middle C; and a
// melody: one note at a time, above every other part on average.
TEST(MusicFilesTest, TheRaceThemeHasAMelodyABassLineAndDrums) {
  const music::Score score = music::ParseScore(ReadText(kSources + "/race_theme.score"));
  bool drums = false, bass = false;
  const music::ScorePart* highest_part = nullptr;
  double highest_average = 0;
  for (const music::ScorePart& part : score.parts) {
    ASSERT_FALSE(part.notes.empty()) << part.name;
    if (part.channel == 9) {
      drums = true;
      continue;
    }
    int highest = 0;
    double sum = 0;
    for (const music::ScoreNote& note : part.notes) {
      highest = std::max<int>(highest, note.key);
      sum += note.key;
    }
    if (highest < 55) bass = true;
    if (sum / static_cast<double>(part.notes.size()) > highest_average) {
      highest_average = sum / static_cast<double>(part.notes.size());
      highest_part = &part;
    }
  }
  EXPECT_TRUE(drums);
  EXPECT_TRUE(bass);
  ASSERT_TRUE(highest_part);
  const std::vector<music::ScoreNote>& melody = highest_part->notes;
  EXPECT_GT(melody.size(), 50u);
  for (std::size_t i = 1; i < melody.size(); ++i) {
    EXPECT_GE(melody[i].tick, melody[i - 1].tick + melody[i - 1].length) << "a chord in the melody";
  }
}

TEST(MusicFilesTest, TheStartSignalIsAShortPcmWave) {
  const Bytes file = ReadBytes(kBuilt + "/bgm1.wav");
  ASSERT_GE(file.size(), 44u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
  EXPECT_EQ(LittleEndian(file, 4, 4), file.size() - 8);
  EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(LittleEndian(file, 16, 4), 16u);     // plain PCM format chunk
  EXPECT_EQ(LittleEndian(file, 20, 2), 1u);      // PCM
  EXPECT_EQ(LittleEndian(file, 22, 2), 1u);      // mono
  EXPECT_EQ(LittleEndian(file, 24, 4), 44100u);
  EXPECT_EQ(LittleEndian(file, 28, 4), 88200u);  // bytes a second
  EXPECT_EQ(LittleEndian(file, 32, 2), 2u);      // bytes a frame
  EXPECT_EQ(LittleEndian(file, 34, 2), 16u);
  EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
  const std::uint32_t data = LittleEndian(file, 40, 4);
  ASSERT_EQ(data, file.size() - 44);

  const double seconds = data / 2 / 44100.0;
  EXPECT_GT(seconds, 0.5);
  EXPECT_LT(seconds, 1.0);
  int peak = 0;
  for (std::size_t at = 44; at < file.size(); at += 2) {
    peak = std::max(peak, std::abs(static_cast<std::int16_t>(LittleEndian(file, at, 2))));
  }
  EXPECT_GT(peak, 32767 * 3 / 10);
  EXPECT_LT(peak, 32767 * 95 / 100);
  // Starts and ends on silence: no click.
  EXPECT_EQ(static_cast<std::int16_t>(LittleEndian(file, 44, 2)), 0);
  EXPECT_EQ(static_cast<std::int16_t>(LittleEndian(file, file.size() - 2, 2)), 0);
}

}  // namespace
