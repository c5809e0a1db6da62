// The music the build writes beside the game, and the readers of its sources
// (a score for the race theme, a tone sheet for the start signal).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/midi_file.h"
#include "score.h"
#include "tones.h"

namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The theme: nine bars of 4/4 at 160 a minute, about as long as a race. The
// signal: a mono wave of under a second that starts and ends on silence.
TEST(MusicFilesTest, TheRaceThemeAndTheStartSignal) {
  const std::string theme = Read(std::string(MASCOT_MUSIC_DIR) + "/bgm.mid");
  const auto summary = platform::ReadMidiFileSummary(std::vector<std::uint8_t>(theme.begin(), theme.end()));
  ASSERT_TRUE(summary) << "bgm.mid is no well-formed standard MIDI file";
  EXPECT_EQ(summary->tracks, 5);  // the conductor, then melody, chords, bass and drums
  EXPECT_GT(summary->notes, 200);
  EXPECT_NEAR(summary->seconds, 13.5, 0.001);
  const std::string wave = Read(std::string(MASCOT_MUSIC_DIR) + "/bgm1.wav");
  auto number = [&](std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(wave.at(at + static_cast<std::size_t>(i)));
    return value;
  };
  ASSERT_GE(wave.size(), 44u);
  EXPECT_EQ(wave.substr(0, 4) + wave.substr(8, 8) + wave.substr(36, 4), "RIFFWAVEfmt data");
  EXPECT_EQ(std::vector<std::uint32_t>({number(4, 4), number(20, 2), number(22, 2), number(24, 4), number(34, 2), number(40, 4)}),
            std::vector<std::uint32_t>({static_cast<std::uint32_t>(wave.size() - 8), 1, 1, 44100, 16,  // PCM, mono, 16 bits
                                        static_cast<std::uint32_t>(wave.size() - 44)}));
  EXPECT_GT(wave.size() - 44, 44100u);  // half a second to a second
  EXPECT_LT(wave.size() - 44, 2 * 44100u);
  EXPECT_EQ(number(44, 2) | number(wave.size() - 2, 2), 0u);  // no click
}

TEST(ScoreTest, BarsBecomeTimedNotesAndBrokenSourcesAreRefusedAtTheirLine) {
  const music::Score score = music::ParseScore("tempo 120\nmeter 4/4\npart piano channel 1 program 1 velocity 90\n"
                                               "| C4/4 E4+G4/4. r/8 A4@30/4 | Bb3/2 C#4/2 |  # a comment\n");
  std::vector<std::vector<int>> notes;
  for (const music::ScoreNote& n : score.parts.at(0).notes) notes.push_back({static_cast<int>(n.tick), static_cast<int>(n.length), n.key, n.velocity});
  EXPECT_EQ(notes, (std::vector<std::vector<int>>{{0, 480, 60, 90}, {480, 720, 64, 90}, {480, 720, 67, 90},
                                                  {1440, 480, 69, 30}, {1920, 960, 58, 90}, {2880, 960, 61, 90}}));
  const std::string part = "part p channel 1 program 1\n";
  auto refused_at = [](auto read, const std::string& text) {
    try {
      read(text);
    } catch (const music::SourceError& error) {
      return error.line;
    }
    return 0;
  };
  for (const auto& [text, line] : {std::pair{std::string(), 1}, {"tempo 120\nswing on\n", 2}, {part + "| C4/2 C4/4 |\n", 2},
                                   {part + "| H4/1 |\n", 2}, {"part d channel 10\n| bongo/1 |\n", 2},
                                   {part + "| C4/1 |\npart q channel 2 program 1\n| C4/1 | C4/1 |\n", 3}}) {
    EXPECT_EQ(refused_at(music::ParseScore, text), line) << text;
  }
  for (const auto& [text, line] : {std::pair{std::string("rate 44100\n"), 2}, {"tone 0 0.1 440 2\n", 1},
                                   {"rate 8000\ntone 0 0.1 5000 0.5\n", 2}}) {
    EXPECT_EQ(refused_at(music::ParseTones, text), line) << text;
  }
}

}  // namespace
