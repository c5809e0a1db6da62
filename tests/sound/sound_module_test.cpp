// The game's sound as the media commands reach it: nothing is loaded before
// the first sound wanted, and the music is found where a package puts it.
#include "sound/sound_module.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

namespace {

const std::string kPlugin = MASCOT_SOUND_PLUGIN, kMusic = MASCOT_MUSIC_DIR;

// The tune asked for where it is not plays from the music directory; without
// a plugin every sound is silence.
TEST(SoundModuleTest, ThePluginLoadsAtTheFirstSoundWanted) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("XDG_CACHE_HOME", testing::TempDir().c_str(), 1);  // where the tune's rendering is kept
  for (const bool there : {true, false}) {
    sound::SoundModule sound({there ? kPlugin : "/nonexistent/mascot-race-sound.so"}, {kMusic});
    EXPECT_FALSE(sound.loaded());
    testing::internal::CaptureStderr();
    sound.Prepare(kMusic + "/bgm.mid");
    EXPECT_EQ(testing::internal::GetCapturedStderr().empty(), there);
    EXPECT_EQ(sound.loaded(), there);
    EXPECT_EQ(sound.Open("/nowhere/bgm.mid") != nullptr, there);
  }
}

// The player's own file beside the game wins; else the same name in the
// music directories, in order; else nothing.
TEST(SoundModuleTest, TheFileThatStandsInForTheOneAskedFor) {
  // The files there, the one asked for and the one found.
  using Row = std::tuple<std::vector<std::string>, std::string, std::string>;
  char pattern[] = "/tmp/mascot-fallback-XXXXXX";
  const std::filesystem::path root = mkdtemp(pattern);
  for (const auto& [files, asked, found] : {Row{{"games/bgm.mid", "data/bgm.mid"}, "games/bgm.mid", "games/bgm.mid"},
                         Row{{"data/bgm.mid", "more/bgm.mid"}, "games/bgm.mid", "data/bgm.mid"},
                         Row{{"more/bgm1.wav"}, "games/bgm1.wav", "more/bgm1.wav"},
                         Row{{"data/other.mid"}, "games/bgm.mid", ""}}) {
    std::filesystem::remove_all(root);
    for (const std::string& file : files) {
      std::filesystem::create_directories((root / file).parent_path());
      std::ofstream(root / file) << "music";
    }
    const sound::SoundModule sound({}, {(root / "data").string(), (root / "more").string()});
    EXPECT_EQ(sound.Find((root / asked).string()).value_or(""), found.empty() ? "" : (root / found).string()) << asked;
  }
  std::filesystem::remove_all(root);
}

}  // namespace
