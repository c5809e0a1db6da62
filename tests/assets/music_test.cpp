// The music the build writes beside the game from its sources (a score for
// the race theme, a tone sheet for the start signal); a mistake in a source
// stops the build at its file and line.
#include <gtest/gtest.h>

#include "sound/midi_file.h"
#include "support/file_bytes.h"

namespace {

using testing_support::FileBytes;

// The theme: nine bars of 4/4 at 160 a minute, about as long as a race. The
// signal: a mono wave of under a second that starts and ends on silence.
TEST(MusicFilesTest, TheRaceThemeAndTheStartSignal) {
  const std::string theme = FileBytes(std::string(MASCOT_MUSIC_DIR) + "/bgm.mid");
  const auto summary = sound::ReadMidiFileSummary(std::vector<std::uint8_t>(theme.begin(), theme.end()));
  ASSERT_TRUE(summary) << "bgm.mid is no well-formed standard MIDI file";
  EXPECT_EQ(summary->tracks, 5);  // the conductor, then melody, chords, bass and drums
  EXPECT_GT(summary->notes, 200);
  EXPECT_NEAR(summary->seconds, 13.5, 0.001);
  const std::string wave = FileBytes(std::string(MASCOT_MUSIC_DIR) + "/bgm1.wav");
  auto number = [&](std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
      value = value << 8 | static_cast<std::uint8_t>(wave.at(at + static_cast<std::size_t>(i)));
    return value;
  };
  ASSERT_GE(wave.size(), 44u);
  EXPECT_EQ(wave.substr(0, 4) + wave.substr(8, 8) + wave.substr(36, 4), "RIFFWAVEfmt data");
  // PCM, mono, 44100 a second, 16 bits.
  EXPECT_EQ(std::vector({number(4, 4), number(20, 2), number(22, 2), number(24, 4), number(34, 2), number(40, 4)}),
            std::vector<std::uint32_t>({static_cast<std::uint32_t>(wave.size() - 8), 1, 1, 44100, 16,
                                        static_cast<std::uint32_t>(wave.size() - 44)}));
  EXPECT_GT(wave.size() - 44, 44100u);  // half a second to a second
  EXPECT_LT(wave.size() - 44, 2 * 44100u);
  EXPECT_EQ(number(44, 2) | number(wave.size() - 2, 2), 0u);  // no click
}

}  // namespace
