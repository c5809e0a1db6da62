// The game as a process: the command line answers without a display, signals
// take the normal close path, a copy killed outright leaves its purse and its
// lock to the next one, and only one copy runs at a time. Each test waits for
// the game to be ready (its signal handlers are in place once its window is
// built) rather than for a time.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Read(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

struct ProcessTest : ::testing::Test {
  ProcessTest() {
    char pattern[] = "/tmp/mascot-process-XXXXXX";
    home = mkdtemp(pattern);
    fs::create_directories(home / "config");
  }
  ~ProcessTest() override {
    for (pid_t pid : started) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    fs::remove_all(home);
  }

  void SavePurse(const std::string& purse) { std::ofstream(home / "config" / "MainForm.ini") << "[2]\npass=" << purse << "\n"; }
  std::string SavedIni() const { return Read(home / "config" / "MainForm.ini"); }
  std::string Said(pid_t pid) const { return Read(home / ("stderr" + std::to_string(pid))); }

  // Its stderr (and stdout) go to files named after its process number.
  pid_t Launch(const std::string& executable = MASCOT_RACE_EXECUTABLE, std::vector<std::string> arguments = {},
               const char* display = "offscreen") {
    std::fflush(nullptr);  // nothing buffered here may reach the child's files
    const pid_t pid = fork();
    if (pid == 0) {
      for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(name);
      if (display) setenv("QT_QPA_PLATFORM", display, 1);
      setenv("HOME", home.c_str(), 1);
      setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
      setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
      const std::string number = std::to_string(getpid());
      if (!freopen((home / ("stderr" + number)).c_str(), "w", stderr) ||
          !freopen((home / ("stdout" + number)).c_str(), "w", stdout)) {
        _exit(126);
      }
      std::vector<char*> argv{const_cast<char*>(executable.c_str())};
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      execv(executable.c_str(), argv.data());
      _exit(127);
    }
    started.push_back(pid);
    return last = pid;
  }

  // The exit status, or -1 while it still runs; it looks at least once.
  int WaitForExit(pid_t pid, std::chrono::milliseconds limit = 30s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        std::erase(started, pid);
        return status;
      }
      if (std::chrono::steady_clock::now() >= deadline) return -1;
      std::this_thread::sleep_for(10ms);
    }
  }

  // True once the game handles SIGTERM, SIGINT and SIGHUP itself; false when
  // it ends first or not within the (generous) limit.
  static bool WaitUntilReady(pid_t pid) {
    constexpr unsigned long long kHandled = 1ull << (SIGTERM - 1) | 1ull << (SIGINT - 1) | 1ull << (SIGHUP - 1);
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (std::chrono::steady_clock::now() < deadline) {
      std::ifstream status("/proc/" + std::to_string(pid) + "/status");
      for (std::string line; std::getline(status, line);) {
        if (line.rfind("State:", 0) == 0 && line.find("zombie") != std::string::npos) return false;
        if (line.rfind("SigCgt:", 0) == 0 && (std::stoull(line.substr(7), nullptr, 16) & kHandled) == kHandled) {
          return true;
        }
      }
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }

  // Runs the game until it is ready, then closes it with SIGTERM; gives its exit status.
  int PlayAndClose(const std::string& executable = MASCOT_RACE_EXECUTABLE) {
    const pid_t game = Launch(executable);
    EXPECT_TRUE(WaitUntilReady(game)) << Said(game);
    kill(game, SIGTERM);
    return WaitForExit(game);
  }

  fs::path home;
  std::vector<pid_t> started;
  pid_t last = 0;
};

// With no display of any kind: had it made its window, Qt would abort.
TEST_F(ProcessTest, HelpAndVersionAnswerAndAnythingElseIsRefusedWithTheUsage) {
  struct Row { std::vector<std::string> arguments; int exit_code; std::string out, err; };  // what they must hold
  for (const Row& row : {Row{{"--help"}, 0, "こまめ堂マスコットレース", ""}, Row{{"-h"}, 0, "--version", ""},
                         Row{{"--version"}, 0, std::string("mascot-race ") + MASCOT_RACE_VERSION + "\n", ""},
                         Row{{"--fullscreen"}, 2, "", "--fullscreen"}, Row{{"bgm.mid"}, 2, "", "usage: mascot-race"},
                         Row{{"-platform", "offscreen"}, 2, "", "usage: mascot-race"}}) {  // never reaches the toolkit
    const pid_t pid = Launch(MASCOT_RACE_EXECUTABLE, row.arguments, nullptr);
    const int status = WaitForExit(pid);
    const std::string out = Read(home / ("stdout" + std::to_string(pid))), err = Said(pid);
    SCOPED_TRACE(row.arguments.front() + "\nstdout: " + out + "\nstderr: " + err);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == row.exit_code);
    EXPECT_EQ(out.empty(), row.out.empty());
    EXPECT_EQ(err.empty(), row.err.empty());
    EXPECT_NE(out.find(row.out), std::string::npos);
    EXPECT_NE(err.find(row.err), std::string::npos);
  }
}

class SignalTest : public ProcessTest, public ::testing::WithParamInterface<int> {};

// A saved 0 comes back as 10: only the close's save can write that.
TEST_P(SignalTest, TakesTheNormalClosePath) {
  SavePurse("0");
  const pid_t game = Launch();
  ASSERT_TRUE(WaitUntilReady(game)) << Said(game);
  kill(game, GetParam());
  const int status = WaitForExit(game);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "ended by the signal instead of closing: " << status;
  EXPECT_NE(SavedIni().find("pass=10\n"), std::string::npos) << SavedIni();
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST_F(ProcessTest, ACopyKilledOutrightLeavesItsPurseAndItsLockToTheNext) {
  SavePurse("-3");
  const pid_t first = Launch();
  ASSERT_TRUE(WaitUntilReady(first)) << Said(first);
  kill(first, SIGKILL);
  EXPECT_TRUE(WIFSIGNALED(WaitForExit(first)));
  EXPECT_TRUE(fs::exists(home / "config" / "mascot-race.lock"));  // left behind
  EXPECT_NE(SavedIni().find("pass=-3\n"), std::string::npos) << SavedIni();
  const pid_t second = Launch();
  ASSERT_TRUE(WaitUntilReady(second)) << Said(second);  // it takes the lock over and plays
  EXPECT_EQ(WaitForExit(second, 0ms), -1) << Said(second);
  kill(second, SIGTERM);
  EXPECT_EQ(WaitForExit(second), 0);
  EXPECT_NE(SavedIni().find("pass=10\n"), std::string::npos) << SavedIni();  // and saves
}

TEST_F(ProcessTest, ASecondCopySaysSoAndLeavesThePurseAlone) {
  SavePurse("500");
  const pid_t first = Launch();
  ASSERT_TRUE(WaitUntilReady(first)) << Said(first);
  const pid_t second = Launch();
  const int status = WaitForExit(second);
  ASSERT_NE(status, -1);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(Said(second).find("another copy is already running"), std::string::npos);
  EXPECT_EQ(WaitForExit(first, 0ms), -1);  // the first plays on
  kill(first, SIGTERM);
  EXPECT_NE(WaitForExit(first), -1);
  EXPECT_NE(SavedIni().find("pass=500"), std::string::npos);
}

// Bad surroundings are said once, and the game plays on.
TEST_F(ProcessTest, DamagedSettingsAndMissingMusic) {
  const char kDamaged[] = "\x01\xff[[garbage\npass=\n\0[2]\npass=lots\n";
  std::ofstream(home / "config" / "MainForm.ini").write(kDamaged, sizeof kDamaged - 1);
  EXPECT_EQ(PlayAndClose(), 0);
  EXPECT_NE(SavedIni().find("pass=100\n"), std::string::npos) << SavedIni();  // no number: a hundred
  EXPECT_EQ(Said(last).find("no music found"), std::string::npos) << Said(last);  // it is beside the built game
  if (fs::exists(fs::path(MASCOT_INSTALLED_DATA_DIR) / "bgm.mid")) {
    GTEST_SKIP() << "an installed copy's music is in " << MASCOT_INSTALLED_DATA_DIR;
  }
  fs::remove(home / "config" / "MainForm.ini");
  fs::create_directories(home / "config" / "MainForm.ini");  // a directory in the settings' place
  fs::create_directories(home / "bin");  // the executable alone, as a package that forgot the music would leave it
  fs::copy_file(MASCOT_RACE_EXECUTABLE, home / "bin" / "mascot-race");
  EXPECT_EQ(PlayAndClose((home / "bin" / "mascot-race").string()), 0);
  const std::string said = Said(last);
  for (const char* once : {"could not save the purse", "no music found"}) {
    EXPECT_NE(said.find(once), std::string::npos) << said;
    EXPECT_EQ(said.find(once), said.rfind(once)) << said;
  }
}

}  // namespace
