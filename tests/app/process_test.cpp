// The game as a process: signals take the normal close path, a kill loses
// nothing that a close would have kept, and only one copy runs at a time.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Launched {
  pid_t pid = -1;
  std::string stderr_path;
};

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

  void SavePurse(const std::string& purse) {
    std::ofstream(home / "config" / "MainForm.ini") << "[2]\npass=" << purse << "\n";
  }
  std::string SavedIni() const {
    std::ifstream file(home / "config" / "MainForm.ini");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  Launched Launch(const std::string& executable = MASCOT_RACE_EXECUTABLE) {
    Launched run;
    run.stderr_path = (home / ("stderr" + std::to_string(started.size()))).string();
    pid_t pid = fork();
    if (pid == 0) {
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      setenv("HOME", home.c_str(), 1);
      setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
      setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
      if (!freopen(run.stderr_path.c_str(), "w", stderr)) _exit(126);
      execl(executable.c_str(), executable.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    run.pid = pid;
    started.push_back(pid);
    return run;
  }

  // The exit status, or -1 when it did not end in time.
  int WaitForExit(pid_t pid, std::chrono::milliseconds limit = 10s) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        std::erase(started, pid);
        return status;
      }
      std::this_thread::sleep_for(20ms);
    }
    return -1;
  }

  static std::string Read(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  fs::path home;
  std::vector<pid_t> started;
};

// Long enough for the window to come up and the signal handlers to be in place.
constexpr auto kStartUp = 1500ms;

class SignalTest : public ProcessTest, public ::testing::WithParamInterface<int> {};

TEST_P(SignalTest, TakesTheNormalClosePath) {
  SavePurse("1234");
  Launched game = Launch();
  std::this_thread::sleep_for(kStartUp);
  kill(game.pid, GetParam());
  int status = WaitForExit(game.pid);
  ASSERT_NE(status, -1) << "the game did not end";
  EXPECT_TRUE(WIFEXITED(status)) << "killed by the signal instead of closing";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_NE(SavedIni().find("pass=1234"), std::string::npos) << SavedIni();
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST_F(ProcessTest, AKillLeavesThePurseIntactAndTheNextCopyStarts) {
  SavePurse("777");
  Launched first = Launch();
  std::this_thread::sleep_for(kStartUp);
  kill(first.pid, SIGKILL);
  WaitForExit(first.pid);
  EXPECT_NE(SavedIni().find("pass=777"), std::string::npos) << SavedIni();
  // The lock the killed copy left behind does not keep the next one out.
  Launched second = Launch();
  std::this_thread::sleep_for(kStartUp);
  EXPECT_EQ(WaitForExit(second.pid, 0ms), -1) << Read(second.stderr_path);
  kill(second.pid, SIGTERM);
  EXPECT_NE(WaitForExit(second.pid), -1);
}

TEST_F(ProcessTest, ASecondCopyBringsTheFirstToTheFrontAndLeavesThePurseAlone) {
  SavePurse("500");
  Launched first = Launch();
  std::this_thread::sleep_for(kStartUp);
  Launched second = Launch();
  int status = WaitForExit(second.pid);
  ASSERT_NE(status, -1);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_NE(Read(second.stderr_path).find("another copy is already running; its window was brought to the front"),
            std::string::npos) << Read(second.stderr_path);
  EXPECT_EQ(WaitForExit(first.pid, 0ms), -1);  // the first plays on
  kill(first.pid, SIGTERM);
  EXPECT_NE(WaitForExit(first.pid), -1);
  EXPECT_NE(SavedIni().find("pass=500"), std::string::npos);
}

TEST_F(ProcessTest, ADamagedSettingsFileStartsWithAHundred) {
  std::ofstream(home / "config" / "MainForm.ini") << "\x01\xff[[garbage\npass=\n[2]\npass=lots\n";
  Launched game = Launch();
  std::this_thread::sleep_for(kStartUp);
  kill(game.pid, SIGTERM);
  ASSERT_NE(WaitForExit(game.pid), -1);
  EXPECT_NE(SavedIni().find("pass=100"), std::string::npos) << SavedIni();
}

TEST_F(ProcessTest, ADirectoryInPlaceOfTheSettingsIsSaidOnceAndTheGameRuns) {
  fs::create_directories(home / "config" / "MainForm.ini");
  Launched game = Launch();
  std::this_thread::sleep_for(kStartUp);
  kill(game.pid, SIGTERM);
  int status = WaitForExit(game.pid);
  ASSERT_NE(status, -1);
  EXPECT_TRUE(WIFEXITED(status));
  std::string said = Read(game.stderr_path);
  EXPECT_NE(said.find("could not save the purse"), std::string::npos) << said;
}


std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST_F(ProcessTest, TheBuiltGameFindsItsMusicBesideIt) {
  Launched game = Launch();
  std::this_thread::sleep_for(kStartUp);
  kill(game.pid, SIGTERM);
  ASSERT_NE(WaitForExit(game.pid), -1);
  EXPECT_EQ(Read(game.stderr_path).find("no music found"), std::string::npos) << Read(game.stderr_path);
}

TEST_F(ProcessTest, AGameWithoutItsMusicSaysSoOnceAndPlays) {
  if (fs::exists(fs::path(MASCOT_INSTALLED_DATA_DIR) / "bgm.mid")) {
    GTEST_SKIP() << "an installed copy's music is in " << MASCOT_INSTALLED_DATA_DIR;
  }
  // The executable alone, as a package that forgot the music would leave it.
  fs::create_directories(home / "bin");
  const fs::path alone = home / "bin" / "mascot-race";
  fs::copy_file(MASCOT_RACE_EXECUTABLE, alone);
  Launched game = Launch(alone.string());
  std::this_thread::sleep_for(kStartUp);
  EXPECT_EQ(WaitForExit(game.pid, 0ms), -1) << Read(game.stderr_path);
  kill(game.pid, SIGTERM);
  int status = WaitForExit(game.pid);
  ASSERT_NE(status, -1);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Count(Read(game.stderr_path), "no music found"), 1u) << Read(game.stderr_path);
}

}  // namespace
