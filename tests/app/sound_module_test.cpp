// The sound module opens at the first sound wanted, from the first file that
// loads; without one the game plays silently.
#include "app/sound_module.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/installed_data.h"

namespace {

const std::string kModule = MASCOT_SOUND_MODULE;
const std::string kTune = std::string(MASCOT_MUSIC_DIR) + "/bgm.mid";
const std::string kSignal = std::string(MASCOT_MUSIC_DIR) + "/bgm1.wav";

TEST(SoundModuleTest, OpensAtTheFirstSoundFromTheFirstFileThatLoads) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // A missing file and one that is no module come first.
  app::SoundModule sound({"/nonexistent/mascot-race-sound.so", kTune, kModule});
  EXPECT_FALSE(sound.loaded());
  sound.StartInBackground();
  ASSERT_TRUE(sound.loaded());
  EXPECT_TRUE(sound.Open(kTune));
  EXPECT_TRUE(sound.PlayWave(kSignal));
}

// A sanitized build keeps the library once loaded, for its leak checker.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLibraryCloses = false;
#else
constexpr bool kLibraryCloses = true;
#endif

bool SynthesizerLibraryMapped() {
  std::ifstream maps("/proc/self/maps");
  const std::string text{std::istreambuf_iterator<char>(maps), std::istreambuf_iterator<char>()};
  return text.find("/libfluidsynth") != std::string::npos;
}

// Polls the process's mappings (30 s at most) until the library is in.
bool WaitForSynthesizerLibrary(bool mapped) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (SynthesizerLibraryMapped() != mapped) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// The race music is rendered in the renderer's process; another song
// brings the synthesizer's library into this one, and it leaves with the
// sound system.
TEST(SoundModuleTest, TheSynthesizerLibraryIsInTheProcessOnlyForAnotherSong) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  {
    app::SoundModule sound({kModule});
    sound.ExpectSong(kTune);
    sound.StartInBackground();
    std::unique_ptr<platform::Song> race = sound.Open(kTune);
    ASSERT_TRUE(race && race->Play());
    if (kLibraryCloses) EXPECT_FALSE(SynthesizerLibraryMapped());

    std::ifstream in(kTune, std::ios::binary);
    std::string other{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    other[other.find("\xFF\x51\x03") + 5] ^= 1;  // another tempo
    const auto path = std::filesystem::temp_directory_path() / ("mascot-module-" + std::to_string(getpid()) + ".mid");
    std::ofstream(path, std::ios::binary).write(other.data(), static_cast<std::streamsize>(other.size()));
    std::unique_ptr<platform::Song> song = sound.Open(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(song && song->Play());
    EXPECT_TRUE(WaitForSynthesizerLibrary(true));
  }
  if (kLibraryCloses) EXPECT_FALSE(SynthesizerLibraryMapped());
}

TEST(SoundModuleTest, WithoutAModuleEverySoundIsSilence) {
  app::SoundModule sound({"/nonexistent/mascot-race-sound.so", kTune});
  sound.StartInBackground();
  EXPECT_FALSE(sound.loaded());
  EXPECT_FALSE(sound.Open(kTune));
  EXPECT_FALSE(sound.PlayWave(kSignal));
}

TEST(SoundModuleTest, TheModuleIsLookedForBesideTheGameThenWhereItIsInstalled) {
  const std::vector<std::string> files = app::SoundModuleFiles("/opt/game/bin");
  ASSERT_GE(files.size(), 2u);
  EXPECT_EQ(files[0], "/opt/game/bin/mascot-race-sound.so");
  EXPECT_EQ(files[1].rfind("/opt/game/", 0), 0u) << files[1];  // the installed layout, reached from bin/
  EXPECT_NE(files[1], files[0]);
  for (const std::string& file : files) EXPECT_EQ(file.substr(file.rfind('/')), "/mascot-race-sound.so");
}

}  // namespace
