// The music and the start signal rendered without any sound device.
#include "platform/synth_mixer.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/sdl_sound_system.h"
#include "sound_checks.h"

namespace {

using sound_checks::AudibleSeconds;
using sound_checks::Decibels;
using sound_checks::Peak;
using sound_checks::Render;
using sound_checks::Rms;

std::shared_ptr<const std::vector<std::uint8_t>> Tune() {
  std::ifstream in(sound_checks::kMusicFile, std::ios::binary);
  return std::make_shared<const std::vector<std::uint8_t>>(std::istreambuf_iterator<char>(in),
                                                            std::istreambuf_iterator<char>());
}

std::unique_ptr<platform::SoundFontSynth> Synth() {
  auto synth = platform::SoundFontSynth::Load(platform::DefaultSoundFonts());
  EXPECT_TRUE(synth) << "no General MIDI soundfont: scripts/install-deps installs one";
  return synth;
}

// How far one rendering is from another, as a share of the first one's
// energy. The synthesizer starts notes on its own 64-frame blocks, so the
// same music may come a few frames earlier or later: the best of the small
// shifts counts.
double Difference(const std::vector<float>& expected, const std::vector<float>& actual) {
  constexpr std::ptrdiff_t kMaxShift = 64;  // frames
  const auto frames = static_cast<std::ptrdiff_t>(std::min(expected.size(), actual.size()) / 2);
  double best = 1e9;
  for (std::ptrdiff_t shift = -kMaxShift; shift <= kMaxShift; ++shift) {
    double difference = 0;
    double energy = 0;
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

TEST(SoundFontTest, TheDebianGeneralMidiFontLoads) {
  const auto synth = Synth();
  ASSERT_TRUE(synth);
  EXPECT_FALSE(synth->soundfont().empty());
}

TEST(SoundFontTest, MissingOrJunkFontsLoadNothing) {
  const sound_checks::ScratchDirectory scratch;
  const std::string junk = scratch.Write("junk.sf2", std::string(4096, 'x'));
  const std::string riff = scratch.Write("riff.sf2", std::string("RIFF\x10\0\0\0sfbkLIST", 16));
  EXPECT_FALSE(platform::SoundFontSynth::Load({}));
  EXPECT_FALSE(platform::SoundFontSynth::Load({scratch.path() + "/none.sf2", scratch.path(), junk, riff}));
}

TEST(SoundFontTest, ALaterFontStandsInForAMissingOne) {
  std::vector<std::string> fonts = {"/nonexistent/none.sf2"};
  const auto debian = platform::DefaultSoundFonts();
  fonts.insert(fonts.end(), debian.begin(), debian.end());
  EXPECT_TRUE(platform::SoundFontSynth::Load(fonts));
}

TEST(SynthMixerTest, TheRaceThemeSoundsForAsLongAsARace) {
  platform::SynthMixer mixer;
  mixer.InstallSynth(Synth());
  ASSERT_TRUE(mixer.PlaySong(1, Tune()));
  const std::vector<float> sound = Render(mixer, 20.0);
  // 13.5 s of notes, then the last chord's release.
  EXPECT_GT(AudibleSeconds(sound), 13.2);
  EXPECT_LT(AudibleSeconds(sound), 15.5);
  // Loud enough to hear beside the start signal, with room to spare.
  const std::vector<float> race(sound.begin(), sound.begin() + 13 * 2 * platform::SoundFontSynth::kSampleRate);
  EXPECT_GT(Decibels(Rms(race)), -28.0);
  EXPECT_LT(Decibels(Rms(race)), -14.0);
  EXPECT_GT(Peak(race), 0.25);
  EXPECT_LT(Peak(race), 0.9);
}

// The tune as fluidsynth plays it by default, with the whole font in memory
// and 256 voices: what the game's lighter synthesizer must sound like.
std::vector<float> ReferenceRendering(const std::vector<std::uint8_t>& tune, const std::string& font, double seconds) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", platform::SoundFontSynth::kSampleRate);
  fluid_settings_setnum(settings, "synth.gain", 0.55);
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_synth_sfload(synth, font.c_str(), 1);
  fluid_player_t* player = new_fluid_player(synth);
  fluid_player_add_mem(player, tune.data(), tune.size());
  fluid_player_play(player);
  std::vector<float> sound(static_cast<std::size_t>(seconds * sound_checks::kRate) / 64 * 64 * 2);
  for (std::size_t at = 0; at < sound.size(); at += 128) {
    fluid_synth_write_float(synth, 64, sound.data() + at, 0, 2, sound.data() + at, 1, 2);
  }
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return sound;
}

TEST(SynthMixerTest, EveryInstrumentOfTheTuneSoundsAsWithTheWholeFontLoaded) {
  auto synth = Synth();
  ASSERT_TRUE(synth);
  const std::vector<float> reference = ReferenceRendering(*Tune(), synth->soundfont(), 14.0);
  platform::SynthMixer mixer;
  mixer.InstallSynth(std::move(synth));
  mixer.PlaySong(1, Tune());
  const std::vector<float> sound = Render(mixer, 14.0);
  // Samples read as the song selects them differ from the reference by some
  // 31 dB below the music (0.0008); a part left silent or notes cut short for
  // want of voices differ by 10 dB and less.
  EXPECT_LT(Difference(reference, sound), 0.003);
}

TEST(SynthMixerTest, AStoppedSongStartsOverFromItsBeginning) {
  platform::SynthMixer fresh;
  fresh.InstallSynth(Synth());
  fresh.PlaySong(1, Tune());
  const std::vector<float> opening = Render(fresh, 1.0);
  const std::vector<float> second_second = Render(fresh, 1.0);

  platform::SynthMixer mixer;
  mixer.InstallSynth(Synth());
  mixer.PlaySong(1, Tune());
  Render(mixer, 3.0);
  mixer.StopSong(1);
  mixer.PlaySong(1, Tune());
  EXPECT_LT(Difference(opening, Render(mixer, 1.0)), 0.01);
  // The measure tells different music apart.
  EXPECT_GT(Difference(opening, second_second), 0.5);
}

TEST(SynthMixerTest, StopSilencesAtOnce) {
  platform::SynthMixer mixer;
  mixer.InstallSynth(Synth());
  mixer.PlaySong(1, Tune());
  Render(mixer, 2.0);
  mixer.StopSong(1);
  EXPECT_FALSE(mixer.SongPlaying());
  // Ringing notes and their echo are cut too: what is left lies 60 dB and
  // more below the music, inaudible.
  const std::vector<float> after = Render(mixer, 0.1);
  EXPECT_LT(Decibels(Peak(after)), -60.0);
  EXPECT_LT(Decibels(Rms(after)), -80.0);
}

TEST(SynthMixerTest, ASongAskedForBeforeTheFontIsInStartsFromItsBeginningOnceItIs) {
  platform::SynthMixer reference;
  reference.InstallSynth(Synth());
  reference.PlaySong(1, Tune());
  const std::vector<float> opening = Render(reference, 1.0);

  platform::SynthMixer mixer;
  ASSERT_TRUE(mixer.PlaySong(1, Tune()));
  EXPECT_TRUE(mixer.SongPlaying());
  EXPECT_EQ(Peak(Render(mixer, 0.5)), 0.0f);
  mixer.InstallSynth(Synth());
  EXPECT_LT(Difference(opening, Render(mixer, 1.0)), 0.01);
}

TEST(SynthMixerTest, StoppingASongThatWasReplacedLeavesTheNewOnePlaying) {
  platform::SynthMixer mixer;
  mixer.InstallSynth(Synth());
  mixer.PlaySong(1, Tune());
  mixer.PlaySong(2, Tune());
  mixer.StopSong(1);
  EXPECT_TRUE(mixer.SongPlaying());
  EXPECT_GT(Peak(Render(mixer, 1.0)), 0.1f);
  mixer.StopSong(2);
  EXPECT_FALSE(mixer.SongPlaying());
}

TEST(SynthMixerTest, WithoutAFontThereIsSilence) {
  platform::SynthMixer mixer;
  mixer.InstallSynth(nullptr);
  mixer.PlaySong(1, Tune());
  EXPECT_FALSE(mixer.has_synth());
  EXPECT_EQ(Peak(Render(mixer, 1.0)), 0.0f);
}

TEST(StartSignalTest, TheSignalSoundsForUnderASecond) {
  const auto wave = platform::SdlSoundSystem::LoadWave(sound_checks::kSoundFile);
  ASSERT_TRUE(wave);
  platform::SynthMixer mixer;
  mixer.PlayWave(wave);
  EXPECT_TRUE(mixer.WavePlaying());
  const std::vector<float> sound = Render(mixer, 1.5);
  EXPECT_FALSE(mixer.WavePlaying());
  EXPECT_LT(wave->size(), 2u * sound_checks::kRate);  // under a second
  EXPECT_GT(AudibleSeconds(sound), 0.7);
  EXPECT_LE(AudibleSeconds(sound), 1.0);
  EXPECT_GT(Peak(sound), 0.3);
  EXPECT_LT(Peak(sound), 0.9);
}

TEST(StartSignalTest, ANewSignalCutsOffTheOneStillPlaying) {
  const auto wave = platform::SdlSoundSystem::LoadWave(sound_checks::kSoundFile);
  ASSERT_TRUE(wave);
  platform::SynthMixer mixer;
  mixer.PlayWave(wave);
  const std::vector<float> opening = Render(mixer, 0.3);
  mixer.PlayWave(wave);
  EXPECT_EQ(Render(mixer, 0.3), opening);
}

TEST(StartSignalTest, TheSignalSoundsOverTheMusic) {
  const auto wave = platform::SdlSoundSystem::LoadWave(sound_checks::kSoundFile);
  ASSERT_TRUE(wave);
  platform::SynthMixer music_only;
  music_only.InstallSynth(Synth());
  music_only.PlaySong(1, Tune());
  platform::SynthMixer both;
  both.InstallSynth(Synth());
  both.PlaySong(1, Tune());
  both.PlayWave(wave);
  const std::vector<float> mixed = Render(both, 1.0);
  const std::vector<float> music = Render(music_only, 1.0);
  std::vector<float> signal(mixed.size());
  for (std::size_t i = 0; i < mixed.size(); ++i) signal[i] = mixed[i] - music[i];
  EXPECT_GT(Peak(signal), 0.3);
  EXPECT_LE(Peak(mixed), 1.0f);
}

}  // namespace
