// The game's lighter synthesizer (a font cut to the tune's programs, samples
// loaded as they are selected, fewer voices) against fluidsynth's own
// rendering of the tune with the whole font and every voice.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/audio/renderer_process.h"
#include "platform/audio/sdl_sound_system.h"
#include "platform/audio/synth_mixer.h"

namespace {

constexpr int kRate = platform::SoundFontSynth::kSampleRate;
constexpr double kSeconds = 14.0;

std::shared_ptr<const std::vector<std::uint8_t>> Tune() {
  std::ifstream in(std::string(MASCOT_MUSIC_DIR) + "/bgm.mid", std::ios::binary);
  return std::make_shared<const std::vector<std::uint8_t>>(std::istreambuf_iterator<char>(in),
                                                            std::istreambuf_iterator<char>());
}

std::vector<float> ReferenceRendering(const std::vector<std::uint8_t>& tune, const std::string& font) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", kRate);
  fluid_settings_setnum(settings, "synth.gain", 0.55);
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_synth_sfload(synth, font.c_str(), 1);
  fluid_player_t* player = new_fluid_player(synth);
  fluid_player_add_mem(player, tune.data(), tune.size());
  fluid_player_play(player);
  std::vector<float> sound(static_cast<std::size_t>(kSeconds * kRate) / 64 * 64 * 2);
  for (std::size_t at = 0; at < sound.size(); at += 128) {
    fluid_synth_write_float(synth, 64, sound.data() + at, 0, 2, sound.data() + at, 1, 2);
  }
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return sound;
}

// How far one rendering is from another, as a share of the first one's
// energy. Notes start on the synthesizer's 64-frame blocks, so the same music
// may come a few frames earlier or later: the best of the small shifts counts.
double Difference(const std::vector<float>& expected, const std::vector<float>& actual) {
  constexpr std::ptrdiff_t kMaxShift = 64;  // frames
  const auto frames = static_cast<std::ptrdiff_t>(std::min(expected.size(), actual.size()) / 2);
  double best = 1e9;
  for (std::ptrdiff_t shift = -kMaxShift; shift <= kMaxShift; ++shift) {
    double difference = 0, energy = 0;
    for (std::ptrdiff_t frame = kMaxShift; frame < frames - kMaxShift; ++frame) {
      for (std::ptrdiff_t channel = 0; channel < 2; ++channel) {
        const double a = expected[static_cast<std::size_t>(frame * 2 + channel)];
        const double b = actual[static_cast<std::size_t>((frame + shift) * 2 + channel)];
        difference += (a - b) * (a - b);
        energy += a * a;
      }
    }
    if (energy > 0) best = std::min(best, difference / energy);
  }
  return best;
}

TEST(SynthFidelityTest, EveryInstrumentOfTheTuneSoundsAsWithTheWholeFontLoaded) {
  auto synth = platform::SoundFontSynth::Load(platform::DefaultSoundFonts());
  ASSERT_TRUE(synth) << "no General MIDI soundfont: scripts/install-deps installs one";
  const std::vector<float> reference = ReferenceRendering(*Tune(), synth->soundfont());
  platform::SynthMixer mixer;
  mixer.InstallSynth(std::move(synth));
  ASSERT_TRUE(mixer.PlaySong(1, Tune()));
  std::vector<float> sound(static_cast<std::size_t>(kSeconds * kRate) * 2);
  for (std::size_t at = 0; at < sound.size() / 2; at += 1024) {
    mixer.Render(sound.data() + at * 2, static_cast<int>(std::min<std::size_t>(1024, sound.size() / 2 - at)));
  }
  // Samples read as the song selects them differ from the reference by some
  // 31 dB below the music (0.0008); a part left silent or notes cut short for
  // want of voices differ by 10 dB and less.
  EXPECT_LT(Difference(reference, sound), 0.003);
}

// The race music is rendered ahead, once, and every race plays it from
// memory: sample for sample what the synthesizer plays live, in 16 bits,
// to the end of its last echo.
TEST(SynthFidelityTest, ASongRenderedAheadSoundsAsItWouldLive) {
  auto renderer = platform::SoundFontSynth::Load(platform::DefaultSoundFonts());
  ASSERT_TRUE(renderer) << "no General MIDI soundfont: scripts/install-deps installs one";
  platform::SynthMixer live, rendered;
  live.InstallSynth(platform::SoundFontSynth::Load(platform::DefaultSoundFonts()));
  auto rendering = std::make_shared<platform::SongRendering>(*Tune(), 30 * kRate);
  rendered.InstallRendering(rendering);
  ASSERT_TRUE(live.PlaySong(1, Tune()) && rendered.PlaySong(1, Tune()));
  renderer->Render(*rendering, [] { return false; });
  ASSERT_LT(rendering->ready(), rendering->capacity());  // it ended, on its own

  std::vector<float> a(2048), b(2048);
  double worst = 0;
  std::size_t frames = 0;
  for (; frames < rendering->ready() + kRate; frames += 1024) {  // and a second of silence after it
    live.Render(a.data(), 1024);
    rendered.Render(b.data(), 1024);
    for (std::size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(double{a[i]} - b[i]));
  }
  EXPECT_LE(worst * 32767, 0.501) << "16-bit steps";
  EXPECT_FALSE(rendered.SongPlaying());
}

// The renderer program, in a process of its own, makes the same frames as
// the synthesizer here, to the last; without a soundfont, a song or itself
// it does not start, and nothing is left running.
TEST(SynthFidelityTest, TheRendererProgramRendersWhatTheSynthesizerHereDoes) {
  const std::size_t capacity = 30 * kRate;
  platform::SongRendering here(*Tune(), capacity), there(*Tune(), capacity);
  auto synth = platform::SoundFontSynth::Load(platform::DefaultSoundFonts());
  ASSERT_TRUE(synth);
  synth->Render(here, [] { return false; });
  platform::RendererProcess process;
  ASSERT_TRUE(process.Start(MASCOT_RENDERER, platform::DefaultSoundFonts(), *Tune(), capacity));
  EXPECT_TRUE(process.ReadInto(there));
  there.Finish();
  ASSERT_EQ(there.ready(), here.ready());
  std::vector<float> a(here.ready() * 2), b(there.ready() * 2);
  platform::RenderingReader(here).MixInto(0, here.ready(), a.data());
  platform::RenderingReader(there).MixInto(0, there.ready(), b.data());
  EXPECT_EQ(a, b);

  const auto tune = Tune();
  const std::vector<std::uint8_t> junk(100, 7);
  const struct {
    std::string program;
    std::vector<std::string> soundfonts;
    const std::vector<std::uint8_t>* song;
  } refused[] = {
      {"/nonexistent/mascot-race-renderer", platform::DefaultSoundFonts(), tune.get()},
      {MASCOT_RENDERER, {"/nonexistent.sf2", MASCOT_RENDERER}, tune.get()},
      {MASCOT_RENDERER, platform::DefaultSoundFonts(), &junk},
  };
  for (const auto& [program, soundfonts, song] : refused) {
    platform::RendererProcess refusing;
    EXPECT_FALSE(refusing.Start(program, soundfonts, *song, capacity)) << program << " " << soundfonts[0];
    platform::SongRendering nothing(*song, capacity);
    EXPECT_FALSE(refusing.ReadInto(nothing));
  }
}

}  // namespace
