// The command line, run as a player would run it: --help and --version answer
// without any display, and anything else is refused with the usage.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Finished {
  int exit_code = -1;  // -1 when it did not end by exiting
  std::string out;
  std::string err;
};

std::string Read(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class CommandLineTest : public ::testing::Test {
 protected:
  CommandLineTest() {
    char pattern[] = "/tmp/mascot-command-line-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made) scratch = made;
  }
  ~CommandLineTest() override { fs::remove_all(scratch); }

  // Runs the game with no display of any kind: had it made its window, Qt
  // would abort for want of one.
  Finished Run(std::vector<std::string> arguments) {
    const fs::path out = scratch / "out";
    const fs::path err = scratch / "err";
    pid_t pid = fork();
    if (pid == 0) {
      unsetenv("DISPLAY");
      unsetenv("WAYLAND_DISPLAY");
      unsetenv("QT_QPA_PLATFORM");
      setenv("HOME", scratch.c_str(), 1);
      setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);
      if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(126);
      std::vector<char*> argv{const_cast<char*>(MASCOT_RACE_EXECUTABLE)};
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      execv(MASCOT_RACE_EXECUTABLE, argv.data());
      _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    Finished finished;
    if (WIFEXITED(status)) finished.exit_code = WEXITSTATUS(status);
    finished.out = Read(out);
    finished.err = Read(err);
    return finished;
  }

  fs::path scratch;
};

TEST_F(CommandLineTest, HelpExplainsTheGameAndItsOptions) {
  Finished help = Run({"--help"});
  EXPECT_EQ(help.exit_code, 0) << help.err;
  EXPECT_NE(help.out.find("Mascot Race"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("こまめ堂マスコットレース"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("--version"), std::string::npos) << help.out;
  EXPECT_EQ(help.err, "");
}

TEST_F(CommandLineTest, TheShortHelpIsTheSame) {
  Finished help = Run({"--help"});
  Finished short_help = Run({"-h"});
  EXPECT_EQ(short_help.exit_code, 0);
  EXPECT_EQ(short_help.out, help.out);
}

TEST_F(CommandLineTest, VersionNamesTheProjectVersion) {
  Finished version = Run({"--version"});
  EXPECT_EQ(version.exit_code, 0) << version.err;
  EXPECT_EQ(version.out.substr(0, version.out.find('\n')), std::string("mascot-race ") + MASCOT_RACE_VERSION);
  EXPECT_EQ(version.err, "");
}

TEST_F(CommandLineTest, AnUnknownOptionIsRefusedWithTheUsage) {
  Finished refused = Run({"--fullscreen"});
  EXPECT_EQ(refused.exit_code, 2);
  EXPECT_EQ(refused.out, "");
  EXPECT_NE(refused.err.find("--fullscreen"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("usage: mascot-race"), std::string::npos) << refused.err;
}

TEST_F(CommandLineTest, AStrayArgumentIsRefusedWithTheUsage) {
  Finished refused = Run({"bgm.mid"});
  EXPECT_EQ(refused.exit_code, 2);
  EXPECT_NE(refused.err.find("usage: mascot-race"), std::string::npos) << refused.err;
}

TEST_F(CommandLineTest, QtsOwnOptionsAreLeftToQtAndTheRestIsCheckedAsEver) {
  struct Case {
    std::vector<std::string> arguments;
    int exit_code;
    std::string said;  // on stdout for 0, on stderr otherwise
  };
  const Case cases[] = {
      {{"-platform", "offscreen", "--version"}, 0, std::string("mascot-race ") + MASCOT_RACE_VERSION},
      {{"--style=fusion", "-reverse", "--help"}, 0, "usage: mascot-race"},
      {{"-style", "fusion", "--fullscreen"}, 2, "unknown option '--fullscreen'"},
      {{"-platform"}, 2, "option '-platform' needs a value"},
  };
  for (const Case& c : cases) {
    Finished finished = Run(c.arguments);
    EXPECT_EQ(finished.exit_code, c.exit_code) << c.arguments.front();
    EXPECT_NE((c.exit_code == 0 ? finished.out : finished.err).find(c.said), std::string::npos)
        << finished.out << finished.err;
  }
}

// With no display at all, "-platform offscreen" is what lets the game start.
TEST_F(CommandLineTest, APlatformGivenOnTheCommandLineStartsTheGame) {
  auto start = [this] {
    pid_t pid = fork();
    if (pid == 0) {
      unsetenv("DISPLAY");
      unsetenv("WAYLAND_DISPLAY");
      unsetenv("QT_QPA_PLATFORM");
      setenv("HOME", scratch.c_str(), 1);
      setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);
      setenv("XDG_RUNTIME_DIR", scratch.c_str(), 1);
      if (!freopen("/dev/null", "w", stderr)) _exit(126);
      execl(MASCOT_RACE_EXECUTABLE, MASCOT_RACE_EXECUTABLE, "-platform", "offscreen", static_cast<char*>(nullptr));
      _exit(127);
    }
    return pid;
  };
  pid_t game = start();
  // A second launch ends with 0 once the first has its window up and answers.
  int status = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    waitpid(start(), &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) break;
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the first copy never came up";
  kill(game, SIGTERM);
  waitpid(game, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Read(scratch / "MainForm.ini"), "[2]\npass=100\n");  // closed the normal way
}

}  // namespace
