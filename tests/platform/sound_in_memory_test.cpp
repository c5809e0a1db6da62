// What the mixer plays from memory: a rendering kept compressed plays back
// the frames it was given, exactly, while it is still being written and
// again from its beginning; a wave is mixed on top and let go once played.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "platform/audio/song_rendering.h"
#include "platform/audio/synth_mixer.h"

namespace {

// Music-like frames: a wandering wave with noise, the full range touched.
std::vector<std::int16_t> Frames(std::size_t count) {
  std::mt19937 noise(7);
  std::vector<std::int16_t> samples(count * 2);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double wave = 20000 * std::sin(static_cast<double>(i) * 0.003) + static_cast<double>(noise() % 4001) - 2000;
    samples[i] = static_cast<std::int16_t>(std::clamp(wave, -32768.0, 32767.0));
  }
  samples[10] = -32768;
  samples[11] = 32767;
  return samples;
}

std::vector<float> Played(platform::RenderingReader& reader, std::size_t at, std::size_t count) {
  std::vector<float> out(count * 2, 0.0f);
  reader.MixInto(at, count, out.data());
  return out;
}

std::vector<float> Expected(const std::vector<std::int16_t>& samples, std::size_t at, std::size_t count) {
  std::vector<float> out;
  for (std::size_t i = at * 2; i < (at + count) * 2; ++i) out.push_back(static_cast<float>(samples[i]) / 32767);
  return out;
}

TEST(SongRenderingTest, PlaysBackWhatWasWrittenWhileWrittenAndFromTheStartAgain) {
  const std::size_t capacity = 30000;
  const std::vector<std::int16_t> samples = Frames(capacity + 500);
  platform::SongRendering rendering({1, 2, 3}, capacity);
  platform::RenderingReader reader(rendering);

  rendering.Append(samples.data(), 10000);
  EXPECT_EQ(rendering.taken(), 10000u);
  const std::size_t early = rendering.ready();
  EXPECT_GT(early, 0u);  // whole blocks are ready before the end
  EXPECT_LT(early, 10000u);
  EXPECT_EQ(Played(reader, 0, early - 100), Expected(samples, 0, early - 100));

  // Beyond the capacity nothing is kept; the end makes the rest ready.
  rendering.Append(samples.data() + 20000, capacity + 500 - 10000);
  rendering.Finish();
  ASSERT_TRUE(rendering.finished());
  ASSERT_EQ(rendering.ready(), capacity);
  EXPECT_LT(rendering.encoded_bytes(), capacity * 4);
  EXPECT_EQ(Played(reader, early - 100, capacity - early + 100), Expected(samples, early - 100, capacity - early + 100));
  EXPECT_EQ(Played(reader, 5, 3000), Expected(samples, 5, 3000));  // back to the start
  EXPECT_EQ(Played(reader, 0, 0), std::vector<float>());
}

TEST(SynthMixerTest, AWaveIsMixedOnTopAndLetGoOncePlayed) {
  platform::SynthMixer mixer;
  auto wave = std::make_shared<const platform::SynthMixer::Wave>(platform::SynthMixer::Wave{32767, -32767, 16384, 0});
  mixer.PlayWave(wave);
  std::vector<float> out(6, 9.0f);
  mixer.Render(out.data(), 3);
  EXPECT_EQ(std::tuple(out, mixer.WavePlaying(), wave.use_count()),
            std::tuple(std::vector<float>{1.0f, -1.0f, 16384 / 32767.0f, 0.0f, 0.0f, 0.0f}, false, 1));
}

}  // namespace
