// The game's optional parts come from the first plugin file of this game's
// version: a stale plugin is refused unloaded, with a clear message, and
// without a plugin the game plays silently.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "app/installed_data.h"
#include "app/plugins.h"
#include "app/sound_module.h"

namespace {

const std::string kPlugin = MASCOT_SOUND_PLUGIN, kStale = MASCOT_STALE_PLUGIN;
const std::string kTune = std::string(MASCOT_MUSIC_DIR) + "/bgm.mid";

bool Mapped(const std::string& file) {
  std::ifstream maps("/proc/self/maps");
  return std::string(std::istreambuf_iterator<char>(maps), {}).find(file) != std::string::npos;
}

TEST(PluginTest, AStalePluginIsRefusedUnloadedAndTheFirstOfThisVersionLoads) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(app::LoadPlugin<app::SoundPlugin>({kStale, kTune, "/nonexistent/sound.so"}, "sound", "silent"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "mascot-race: no sound plugin would load: " + kStale +
                " is for another version of the game (io.github.komamedo.MascotRace.SoundPlugin/0, not "
                "io.github.komamedo.MascotRace.SoundPlugin/1); " + kTune +
                " is no plugin; /nonexistent/sound.so is not there; silent\n");
  EXPECT_FALSE(Mapped(kStale));
  testing::internal::CaptureStderr();
  app::SoundPlugin* plugin = app::LoadPlugin<app::SoundPlugin>({kStale, kPlugin}, "sound", "silent");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_TRUE(plugin);
  EXPECT_TRUE(plugin->CreateSoundSystem()->Open(kTune));
  EXPECT_FALSE(Mapped(kStale));
}

// Nothing is loaded before the first sound wanted; without a plugin every
// sound is silence.
TEST(PluginTest, TheSoundPluginLoadsAtTheFirstSoundWanted) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("XDG_CACHE_HOME", testing::TempDir().c_str(), 1);  // where the tune's rendering is kept
  for (const bool there : {true, false}) {
    app::SoundModule sound({there ? kPlugin : "/nonexistent/mascot-race-sound.so"});
    EXPECT_FALSE(sound.loaded());
    testing::internal::CaptureStderr();
    sound.Prepare(kTune);
    EXPECT_EQ(testing::internal::GetCapturedStderr().empty(), there);
    EXPECT_EQ(sound.loaded(), there);
    EXPECT_EQ(sound.Open(kTune) != nullptr, there);
  }
}

TEST(PluginTest, APluginIsLookedForBesideTheGameThenWhereItIsInstalled) {
  const std::vector<std::string> files = app::SoundModuleFiles("/opt/game/bin");
  ASSERT_GE(files.size(), 2u);
  EXPECT_EQ(files[0], "/opt/game/bin/mascot-race-sound.so");
  EXPECT_EQ(files[1].rfind("/opt/game/", 0), 0u) << files[1];  // the installed layout, reached from bin/
  EXPECT_NE(files[1], files[0]);
  for (const std::string& file : files) EXPECT_EQ(file.substr(file.rfind('/')), "/mascot-race-sound.so");
}

}  // namespace
