// What a Start press with music on costs the window's thread, and what the
// background start-up costs: the real sound system on SDL's dummy driver.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/media_commands.h"
#include "platform/audio/sdl_sound_system.h"
#include "platform/audio/synth_mixer.h"

namespace {

const std::string kMusicDir = MASCOT_MUSIC_DIR;

platform::SdlSoundSystem::Options DummyDevice() {
  platform::SdlSoundSystem::Options options;
  options.audio_driver = "dummy";
  return options;
}

// The media calls of one press, in the game's order, with the music of the
// race before still playing and the soundfont long in.
void BM_StartPressWithMusic(benchmark::State& state) {
  static platform::SdlSoundSystem sound(DummyDevice());
  static platform::MediaCommands media(sound, sound);
  sound.StartInBackground();
  sound.WaitUntilStarted();
  if (!sound.music_ready()) {
    state.SkipWithError("no soundfont");
    return;
  }
  const std::string open = "open \"" + kMusicDir + "/bgm.mid\" alias bgm";
  const std::string wave = kMusicDir + "/bgm1.wav";
  media.SendCommand(open);
  media.SendCommand("play bgm");
  for (auto _ : state) {
    media.SendCommand("stop bgm");
    media.SendCommand("close bgm");
    media.SendCommand(open);
    media.SendCommand("play bgm");
    media.PlayWave(wave);
  }
  if (!sound.mixer().SongPlaying()) state.SkipWithError("the music did not start");
}
BENCHMARK(BM_StartPressWithMusic)
    ->Iterations(1)
    ->Repetitions(20)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The first press of a game: the sound system started at race selection, told
// the race music to expect (argument 1, as the game does) or not (0), when
// the synthesizer must first load the tune's instruments on the window's thread.
void BM_FirstStartPressWithMusic(benchmark::State& state) {
  const std::string music = kMusicDir + "/bgm.mid";
  for (auto _ : state) {
    platform::SdlSoundSystem sound(DummyDevice());
    platform::MediaCommands media(sound, sound);
    if (state.range(0)) sound.ExpectSong(music);
    sound.StartInBackground();
    sound.WaitUntilStarted();
    const auto start = std::chrono::steady_clock::now();
    media.SendCommand("stop bgm");
    media.SendCommand("close bgm");
    media.SendCommand("open \"" + music + "\" alias bgm");
    media.SendCommand("play bgm");
    media.PlayWave(kMusicDir + "/bgm1.wav");
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!sound.mixer().SongPlaying()) state.SkipWithError("the music did not start");
    media.SendCommand("stop bgm");
    media.SendCommand("close bgm");
  }
}
BENCHMARK(BM_FirstStartPressWithMusic)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_LoadSoundFont(benchmark::State& state) {
  for (auto _ : state) {
    auto synth = platform::SoundFontSynth::Load(platform::DefaultSoundFonts());
    if (!synth) state.SkipWithError("no soundfont");
    benchmark::DoNotOptimize(synth.get());
  }
}
BENCHMARK(BM_LoadSoundFont)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The whole background start-up: the device (here the dummy after the real
// ones fail) and the soundfont.
void BM_BackgroundStartUp(benchmark::State& state) {
  for (auto _ : state) {
    platform::SdlSoundSystem sound;
    const auto start = std::chrono::steady_clock::now();
    sound.StartInBackground();
    sound.WaitUntilStarted();
    // Closing the device again is not part of it.
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}
BENCHMARK(BM_BackgroundStartUp)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
