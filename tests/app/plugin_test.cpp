// The game's optional parts come from the first plugin file of this game's
// version: a stale plugin is refused unloaded, with a clear message.
// Plugins, the catalogue and the music are taken only from places no other
// user can change.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>

#include "app/installed_data.h"
#include "app/language.h"
#include "platform/qt/plugin_loader.h"
#include "sound/sound_module.h"
#include "support/file_bytes.h"
#include "ui/qt/statistics_plugin.h"

namespace {

namespace fs = std::filesystem;

const std::string kPlugin = MASCOT_SOUND_PLUGIN, kStale = MASCOT_STALE_PLUGIN;
const std::string kTune = std::string(MASCOT_MUSIC_DIR) + "/bgm.mid";
const std::string kCatalogue = std::string(MASCOT_MUSIC_DIR) + "/" + app::kEnglishCatalogue;

bool SpeaksEnglish(const fs::path& directory) {
  int argc = 1;
  char name[] = "plugin_tests", *argv[] = {name, nullptr};
  const QCoreApplication application(argc, argv);
  app::Translators translators(app::Language::English, {directory});
  translators.Install();
  return QCoreApplication::translate("MainForm", "１でGO！") == "Go, 1!";
}

bool Mapped(const std::string& file) {
  return testing_support::FileBytes("/proc/self/maps").find(file) != std::string::npos;
}

TEST(PluginTest, AStalePluginIsRefusedUnloadedAndTheFirstOfThisVersionLoads) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(platform::LoadPlugin<sound::SoundPlugin>({kStale, kTune, "/nonexistent/sound.so"}, "sound", "silent"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "mascot-race: no sound plugin would load: " + kStale +
                " is for another version of the game (io.github.komamedo.MascotRace.SoundPlugin/1, not "
                "io.github.komamedo.MascotRace.SoundPlugin/" MASCOT_RACE_VERSION "); " + kTune +
                " is no plugin; /nonexistent/sound.so is not there; silent\n");
  EXPECT_FALSE(Mapped(kStale));
  testing::internal::CaptureStderr();
  sound::SoundPlugin* plugin = platform::LoadPlugin<sound::SoundPlugin>({kStale, kPlugin}, "sound", "silent");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_TRUE(plugin);
  EXPECT_TRUE(plugin->CreateSoundSystem()->Open(kTune));
}

// Beside the game, then in the installed layout reached from the game's
// directory, then where this build installs. The install test names its
// installed game's directory: there each plugin loads from the tree installed.
TEST(PluginTest, APluginIsLookedForBesideTheGameThenWhereItIsInstalled) {
  const char* installed = std::getenv("MASCOT_INSTALLED_BIN");
  const std::string bin = installed ? installed : "/opt/game/bin", prefix = bin.substr(0, bin.rfind('/') + 1);
  for (const auto& [files, name, iid] :
       {std::tuple(app::SoundModuleFiles(bin), std::string("/mascot-race-sound.so"), MASCOT_SOUND_PLUGIN_IID),
        std::tuple(app::StatisticsModuleFiles(bin), std::string("/mascot-race-statistics.so"),
                   MASCOT_STATISTICS_PLUGIN_IID)}) {
    const std::string in_prefix = prefix + MASCOT_INSTALL_MODULEDIR + name;
    EXPECT_EQ(files, (std::vector{bin + name, in_prefix, MASCOT_FULL_MODULEDIR + name}));
    EXPECT_TRUE(!installed || (platform::LoadPlugin(files, iid, "installed", "") && Mapped(in_prefix))) << in_prefix;
  }
}

// A copy of the game run from a shared folder such as /tmp finds its plugin,
// catalogue and music in places anyone could have made: they are used only
// when neither they nor a directory above them is another user's or writable
// by one. The catalogue is read by its exact name only, never one cut short
// ("mascot-race", the executable in a build tree).
TEST(PluginTest, OnlyFilesNoOtherUserCanChangeAreUsed) {
  const fs::path shared = fs::path(testing::TempDir()) / ("mascot-trust-" + std::to_string(getpid()));
  fs::create_directory(shared);
  fs::copy_file(kCatalogue, shared / "mascot-race");
  EXPECT_FALSE(SpeaksEnglish(shared));
  constexpr uid_t kPlayer = 64101, kOther = 64102;
  fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);  // as /tmp
  // Who owns the folder and its mode, who owns the three files in it, and why
  // they are not to be trusted (nothing: they are used). The line names the
  // file when it is another user's, else the folder.
  using Row = std::tuple<uid_t, fs::perms, uid_t, std::string>;
  const std::string kTheirs = " belongs to another user (64102)";
  for (const auto& [folder_owner, mode, owner, reason] :
       {Row{kPlayer, fs::perms(0755), kPlayer, ""}, Row{kOther, fs::perms(0755), kPlayer, kTheirs},
        Row{kPlayer, fs::perms(0755), kOther, kTheirs},
        Row{kPlayer, fs::perms(0775), kPlayer, " can be written to by other users"}}) {
    if (geteuid() != 0) break;  // switching to other users takes root
    const fs::path folder = shared / "game";
    fs::remove_all(folder);
    fs::create_directory(folder);
    std::vector<std::string> files;
    for (const std::string& file : {kPlugin, kCatalogue, kTune}) {
      files.push_back(folder / fs::path(file).filename());
      fs::copy_file(file, files.back());
      ASSERT_EQ(chown(files.back().c_str(), owner, owner), 0);
    }
    ASSERT_EQ(chown(folder.c_str(), folder_owner, folder_owner), 0);
    fs::permissions(folder, mode);
    testing::internal::CaptureStderr();
    const pid_t player = fork();
    if (player == 0) {  // the plugin loads, the game speaks English, the tune is found
      if (setgroups(0, nullptr) || setresgid(kPlayer, kPlayer, kPlayer) || setresuid(kPlayer, kPlayer, kPlayer))
        _exit(8);
      const bool tune = sound::SoundModule({}, {folder}).Find("/nowhere/bgm.mid").has_value();
      const bool plugin = platform::LoadPlugin<sound::SoundPlugin>({files[0]}, "sound", "silent") != nullptr;
      _exit(plugin | SpeaksEnglish(folder) << 1 | tune << 2);
    }
    int status = -1;
    waitpid(player, &status, 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == (reason.empty() ? 7 : 0)) << status << said;
    for (const std::string& file : files) {
      const std::string line = "not using " + file + ": " + (owner == kPlayer ? folder.string() : file) + reason + "\n";
      EXPECT_EQ(said.find(line) != std::string::npos, !reason.empty()) << line << said;
    }
  }
  fs::remove_all(shared);
}

}  // namespace
