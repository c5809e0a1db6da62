// The sound module opens at the first sound wanted, from the first file that
// loads; without one the game plays silently.
#include "app/sound_module.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/installed_data.h"

namespace {

const std::string kModule = MASCOT_SOUND_MODULE;
const std::string kTune = std::string(MASCOT_MUSIC_DIR) + "/bgm.mid";
const std::string kSignal = std::string(MASCOT_MUSIC_DIR) + "/bgm1.wav";

// A missing file and one that is no module come first; without a module after
// them every sound is silence.
TEST(SoundModuleTest, OpensAtTheFirstSoundFromTheFirstFileThatLoads) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  for (bool module : {true, false}) {
    std::vector<std::string> files = {"/nonexistent/mascot-race-sound.so", kTune};
    if (module) files.push_back(kModule);
    app::SoundModule sound(files);
    EXPECT_FALSE(sound.loaded());
    sound.StartInBackground();
    EXPECT_EQ(sound.loaded(), module);
    EXPECT_EQ(sound.Open(kTune) != nullptr, module);
    EXPECT_EQ(sound.PlayWave(kSignal), module);
  }
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
