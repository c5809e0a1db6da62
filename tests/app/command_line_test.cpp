// The command line, run as a player would run it: --help and --version answer
// without any display, and anything else is refused with the usage.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

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
      if (chdir(scratch.c_str()) != 0) _exit(125);
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

TEST_F(CommandLineTest, AToolkitOptionIsNoExceptionAndNeverReachesTheToolkit) {
  Finished refused = Run({"-platform", "offscreen"});
  EXPECT_EQ(refused.exit_code, 2);
  EXPECT_NE(refused.err.find("usage: mascot-race"), std::string::npos) << refused.err;
}

TEST_F(CommandLineTest, SimulateReportsTheRacesWithoutWindowOrFiles) {
  Finished text = Run({"--simulate", "5", "--seed", "2"});
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_EQ(text.out.rfind("5 races with the game's own rules and generator, seed 2\n", 0), 0u) << text.out;
  for (const char* heading : {"1.1-1.9", "5000 (no favourite)", "favourite (lowest odds)", "to the last arrival"}) {
    EXPECT_NE(text.out.find(heading), std::string::npos) << heading;
  }
  Finished csv = Run({"--simulate", "5", "--csv", "--jobs", "2", "--seed", "2"});
  EXPECT_EQ(csv.exit_code, 0) << csv.err;
  EXPECT_EQ(csv.out.rfind("section,row,measure,value\nrun,,races,5\nrun,,seed,2\n", 0), 0u) << csv.out;
  // Nothing written: the scratch home holds only the two captured streams.
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch), fs::directory_iterator()), 2);
}

TEST_F(CommandLineTest, SimulateRefusesWhatItCannotRun) {
  for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
           {"--simulate"}, {"--simulate", "0"}, {"--simulate", "-3"}, {"--simulate", "ten"}, {"--simulate", "5", "--jobs", "0"},
           {"--simulate", "5", "--seed"}, {"--simulate", "5", "--fast"}}) {
    Finished refused = Run(arguments);
    EXPECT_EQ(refused.exit_code, 2) << arguments.back();
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("usage: mascot-race"), std::string::npos) << refused.err;
  }
}

}  // namespace
