// The game as a process: the command line answers without a display, signals
// take the normal close path, a copy killed outright leaves its purse and its
// lock to the next one, and only one copy runs at a time, whatever another
// user puts in the way. Each test waits for the game to be ready (its signal
// handlers are in place once its window is built) rather than for a time.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <thread>

#include "support/file_bytes.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The game under test: the one this build made, or the one MASCOT_RACE_UNDER_TEST names (an installed one).
const std::string kGame =
    std::getenv("MASCOT_RACE_UNDER_TEST") ? std::getenv("MASCOT_RACE_UNDER_TEST") : MASCOT_RACE_EXECUTABLE;
// With no display, what lets it start.
const std::vector<std::string> kOffscreen = {"-platform", "offscreen"};

using testing_support::FileBytes;

struct ProcessTest : ::testing::Test {
  // The home is also the runtime directory, so only its owner may enter it.
  ProcessTest() { fs::create_directories(home / "config"), fs::permissions(home, fs::perms::owner_all); }
  ~ProcessTest() override {
    for (pid_t pid : started) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    fs::remove_all(home);
  }
  // The purse as the store keeps it: key "pass" of section "2" of MainForm.ini.
  bool Saved(const std::string& purse) const {
    return FileBytes(purse_file).find("[2]\npass=" + purse + "\n") != std::string::npos;
  }
  std::string Said(pid_t pid, const char* stream = "err") const {
    return FileBytes(home / (stream + std::to_string(pid)));
  }
  // The executable alone, in a folder of the home.
  fs::path GameCopy() const {
    fs::create_directories(home / "bin");
    fs::copy_file(kGame, home / "bin/mascot-race");
    return home / "bin/mascot-race";
  }

  // With no display of any kind. Its stderr and stdout go to files named after
  // its process number (stdout to `out` if given). It speaks the language
  // `language` names ("LANGUAGE=en"), else the C locale's.
  pid_t Launch(std::string executable, std::vector<std::string> arguments, const std::string& language = "",
               fs::path out = {}) {
    std::fflush(nullptr);  // nothing buffered here may reach the child's files
    const pid_t pid = fork();
    if (pid == 0) {
      for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        unsetenv(name);
      setenv("LANG", "C.UTF-8", 1);
      if (!language.empty()) putenv(strdup(language.c_str()));
      setenv("HOME", home.c_str(), 1);
      setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
      setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
      if (chdir(home.c_str()) != 0 || !freopen((home / ("err" + std::to_string(getpid()))).c_str(), "w", stderr) ||
          !freopen((out.empty() ? home / ("out" + std::to_string(getpid())) : out).c_str(), "w", stdout))
        _exit(126);
      std::vector<char*> argv{executable.data()};
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      execv(executable.c_str(), argv.data());
      _exit(127);
    }
    started.push_back(pid);
    return pid;
  }

  // True once `done` holds, looking at least once; false when not within the (generous) limit.
  template <typename Done>
  static bool Eventually(Done done, std::chrono::milliseconds limit = 30s) {
    for (const auto deadline = std::chrono::steady_clock::now() + limit;; std::this_thread::sleep_for(10ms)) {
      if (done()) return true;
      if (std::chrono::steady_clock::now() >= deadline) return false;
    }
  }

  // The exit status, or -1 while it still runs.
  int WaitForExit(pid_t pid, std::chrono::milliseconds limit = 30s) {
    int status = 0;
    if (!Eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; }, limit)) return -1;
    return std::erase(started, pid), status;
  }

  // True once the game handles SIGTERM, SIGINT and SIGHUP itself; false when it ends first.
  static bool WaitUntilReady(pid_t pid) {
    constexpr unsigned long long kHandled = 1ull << (SIGTERM - 1) | 1ull << (SIGINT - 1) | 1ull << (SIGHUP - 1);
    bool ready = false;
    return Eventually([&] {
      std::ifstream status("/proc/" + std::to_string(pid) + "/status");
      for (std::string line; std::getline(status, line);) {
        if (line.rfind("State:", 0) == 0 && line.find("zombie") != std::string::npos) return true;
        if (line.rfind("SigCgt:", 0) == 0) ready = (std::stoull(line.substr(7), nullptr, 16) & kHandled) == kHandled;
      }
      return ready;
    }) && ready;
  }

  fs::path home = fs::path(testing::TempDir()) / ("mascot-process-" + std::to_string(getpid()));
  fs::path purse_file = home / "config/mascot-race/MainForm.ini";
  std::vector<pid_t> started;
};

// With no display of any kind: had it made its window, Qt would abort.
// Qt's own options are left to Qt; what is left is checked, --simulate's too.
// The help speaks the first Japanese or English of the desktop's languages,
// else Japanese (as in the C locale); the usage stays as scripts read it.
TEST_F(ProcessTest, HelpAndVersionAnswerAndAnythingElseIsRefusedWithTheUsage) {
  // The arguments, the exit code, what stdout and stderr must hold (nothing:
  // empty), and the language asked for (none: "").
  using Row = std::tuple<std::vector<std::string>, int, std::string, std::string, std::string>;
  const std::string kRaces = "mascot-race: --simulate takes 1 to 10000000000 races\n";
  const Row kRows[] = {{{"--help"}, 0, "Nは10000000000まで", "", ""},  // Japanese in the C locale
                       {{"--help"}, 0, "\nSix mascots race", "", "LANGUAGE=fr:de:en"},  // the first it knows
                       {{"--help"}, 0, "Komamedo Mascot Race 1", "", "LANG=en_GB.UTF-8"},
                       {{"--help"}, 0, "\n6匹のマスコット", "", "LANGUAGE=de:ja:en"},
                       {{"--help"}, 0, "\n6匹のマスコット", "", "LANGUAGE=fr_FR"},  // none it knows: its own
                       {{"-h"}, 0, "\nusage: mascot-race [--help", "", "LANGUAGE=en"},
                       {{"--version"}, 0, std::string("mascot-race ") + MASCOT_RACE_VERSION + "\n", "", ""},
                       {{"bgm.mid"}, 2, "", "usage: mascot-race", ""},
                       {{"-platform", "offscreen", "--version"}, 0, "mascot-race ", "", ""},
                       {{"--style=fusion", "-style", "fusion", "--help"}, 0, "usage: mascot-race", "", ""},
                       {{"-reverse", "--fullscreen"}, 2, "", "unknown option '--fullscreen'", ""},
                       {{"-platform"}, 2, "", "option '-platform' needs a value", ""},
                       {{"--simulate"}, 2, "", kRaces, ""}, {{"--simulate", "0"}, 2, "", kRaces, ""},
                       {{"--simulate", "-3"}, 2, "", kRaces, ""}, {{"--simulate", "ten"}, 2, "", kRaces, ""},
                       {{"--simulate", "18446744073709551615"}, 2, "", kRaces, ""},
                       {{"--simulate", "10000000001"}, 2, "", kRaces, ""},
                       {{"--simulate", "10000000000", "--jobs", "0"}, 2, "", "--jobs takes", ""},  // the most is taken
                       {{"--simulate", "5", "--seed"}, 2, "", "usage:", ""},
                       {{"--simulate", "5", "--fast", "3"}, 2, "", "usage:", ""}};
  for (const auto& [arguments, exit_code, out_holds, err_holds, language] : kRows) {
    const pid_t pid = Launch(kGame, arguments, language);
    const int status = WaitForExit(pid);
    const std::string out = Said(pid, "out"), err = Said(pid);
    SCOPED_TRACE(testing::PrintToString(arguments) + "\nstdout: " + out + "\nstderr: " + err);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == exit_code);
    for (const auto& [said, holds] : {std::pair(out, out_holds), std::pair(err, err_holds)})
      EXPECT_TRUE(said.find(holds) != std::string::npos && said.empty() == holds.empty()) << holds;
  }
  // An answer that cannot be written is a failure, and says why.
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"--help"}, {"--version"}, {"--simulate", "5", "--csv"}}) {
    const pid_t pid = Launch(kGame, arguments, "", "/dev/full");
    EXPECT_EQ(WaitForExit(pid), 1 << 8) << arguments.front();
    EXPECT_EQ(Said(pid), "mascot-race: cannot write the output: No space left on device\n") << arguments.front();
  }
}

// A simulation plays whole races with no window and writes nothing: the
// home holds only the settings' directory and the two captured streams.
TEST_F(ProcessTest, SimulateReportsTheRacesWithoutWindowOrFiles) {
  const pid_t text = Launch(kGame, {"--simulate", "5", "--seed", "2"});
  EXPECT_EQ(WaitForExit(text), 0) << Said(text);
  const std::string report = Said(text, "out");
  EXPECT_EQ(report.rfind("5 races with the game's own rules and generator, seed 2\n", 0), 0u) << report;
  for (const char* heading : {"1.1-1.9", "5000 (no favourite)", "favourite (lowest odds)", "to the last arrival"})
    EXPECT_NE(report.find(heading), std::string::npos) << heading;
  for (const std::string way : {"favourite (lowest odds)", "random lane (expected)"}) {  // a return is paid over staked
    std::istringstream row(report.substr(report.find(way) + way.size()));
    double races = 0, staked = 0, paid = 0, ratio = 0;
    row >> races >> staked >> paid >> ratio;
    EXPECT_EQ(std::tuple(races, staked), std::tuple(5, 500)) << way;
    EXPECT_NEAR(ratio, paid / staked, 2e-3) << way;  // paid is shown to the whole まめ
  }
  const pid_t csv = Launch(kGame, {"--simulate", "5", "--csv", "--jobs", "2", "--seed", "2"});
  EXPECT_EQ(WaitForExit(csv), 0) << Said(csv);
  EXPECT_EQ(Said(csv, "out").rfind("section,row,measure,value\nrun,,races,5\nrun,,seed,2\n", 0), 0u) << Said(csv, "out");
  EXPECT_EQ(std::distance(fs::directory_iterator(home), fs::directory_iterator()), 5);
  EXPECT_TRUE(fs::is_empty(home / "config"));
}

// A long run shows how far it has come while standard error is a terminal,
// on one line redrawn in place, and nothing when it is a file; Ctrl-C ends
// either at once, with no report.
TEST_F(ProcessTest, ALongSimulationShowsProgressOnlyOnATerminalAndEndsAtCtrlC) {
  const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_TRUE(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
  const pid_t quiet = Launch(kGame, {"--simulate", "1000000000"});
  const pid_t watched =
      Launch("/bin/sh", {"-c", R"(exec "$0" --simulate 1000000000 2>"$1")", kGame, ptsname(terminal)});
  const std::regex line("\r[0-9]+ of 1000000000 races, [0-9]+ races/s, [0-9]+:[0-9]{2}:[0-9]{2} left\x1b\\[K");
  std::string shown;
  pollfd output{terminal, POLLIN, 0};
  for (char buffer[256]; !std::regex_search(shown, line) && poll(&output, 1, 30000) == 1;) {
    const ssize_t got = read(terminal, buffer, sizeof buffer);
    if (got <= 0) break;
    shown.append(buffer, static_cast<std::size_t>(got));
  }
  EXPECT_TRUE(std::regex_search(shown, line)) << shown;
  for (const pid_t run : {quiet, watched}) {
    kill(run, SIGINT);
    const int status = WaitForExit(run);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_EQ(Said(run, "out"), "");
  }
  EXPECT_EQ(Said(quiet), "");
  close(terminal);
}

// One copy at a time: a second brings the first to the front, leaves the
// purse alone and quits; a copy killed outright leaves its purse and its lock
// to the next, which takes the lock over, plays and saves. The first finds
// its music beside it; the next is the executable alone, as a package that
// forgot the music would leave it, and says so once. Idle connections to the
// next one's channel, more than it has descriptors for: from the flood until
// it drops a silent caller it stays idle and lets in only a few, and a SIGHUP
// still saves the purse, as SIGTERM does. (A damaged purse file or a pipe in
// its place, the game windows' purse table shows.)
TEST_F(ProcessTest, OneCopyAtATimeAndNeitherAKillNorAFloodOfCallersCostsThePurse) {
  fs::create_directory(purse_file.parent_path());
  std::ofstream(purse_file) << "[2]\npass=-3\n";  // comes back as 10: only a save writes that
  const pid_t first = Launch(kGame, kOffscreen);
  ASSERT_TRUE(WaitUntilReady(first)) << Said(first);
  EXPECT_EQ(Said(first).find("no music found"), std::string::npos) << Said(first);  // said before the window is up
  const pid_t second = Launch(kGame, kOffscreen);
  EXPECT_EQ(WaitForExit(second), 0);  // it exited, and with 0
  EXPECT_NE(Said(second).find("another copy is already running; its window was brought to the front"),
            std::string::npos) << Said(second);
  EXPECT_EQ(WaitForExit(first, 0ms), -1);  // the first plays on
  kill(first, SIGKILL);
  EXPECT_TRUE(WIFSIGNALED(WaitForExit(first)));
  EXPECT_TRUE(fs::exists(home / "config/mascot-race/mascot-race.lock"));  // left behind
  EXPECT_TRUE(Saved("-3"));                                   // and neither copy saved

  const pid_t next = Launch(GameCopy(), kOffscreen);
  ASSERT_TRUE(WaitUntilReady(next)) << Said(next);
  const std::string proc = "/proc/" + std::to_string(next);
  const auto descriptors = [&proc] { return std::distance(fs::directory_iterator(proc + "/fd"), {}); };
  const auto before_flood = descriptors();
  const rlimit limit{256, 256};
  ASSERT_EQ(prlimit(next, RLIMIT_NOFILE, &limit, nullptr), 0);
  sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
  for (const auto& entry : fs::directory_iterator(home))
    if (entry.is_socket()) std::strncpy(address.sun_path, entry.path().c_str(), sizeof address.sun_path - 1);
  std::vector<pollfd> flood;
  while (flood.size() < 400) {
    const int call = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (connect(call, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      close(call);
      break;  // the backlog is full
    }
    flood.push_back({call, POLLIN, 0});
  }
  const auto cpu_seconds = [&proc] {  // user and system time, the 12th and 13th fields after the name
    const std::string stat = FileBytes(proc + "/stat");
    unsigned long user = 0, system = 0;
    std::sscanf(stat.c_str() + stat.rfind(')') + 1, "%*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %lu %lu", &user, &system);
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
  };
  const auto flooded = std::chrono::steady_clock::now();
  const double cpu_before = cpu_seconds();
  EXPECT_GT(poll(flood.data(), flood.size(), 10000), 0) << "no silent caller was dropped";
  const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - flooded;
  EXPECT_LT(cpu_seconds() - cpu_before, 0.1 * waited.count()) << "of " << waited.count() << " s";
  EXPECT_LT(descriptors(), before_flood + 16);
  kill(next, SIGHUP);
  EXPECT_EQ(WaitForExit(next), 0) << Said(next);
  EXPECT_TRUE(Saved("10")) << Said(next);
  for (const pollfd& call : flood) close(call.fd);
  // It plays the music this build installed, if any is there: then it says nothing.
  const bool installed = fs::exists(fs::path(MASCOT_INSTALLED_DATA_DIR) / "bgm.mid");
  const std::string said = Said(next), missing = "no music found";
  EXPECT_TRUE(said.find(missing) == said.rfind(missing) && (said.find(missing) != std::string::npos) == !installed)
      << said;  // once or not at all
}

// Another user on the machine takes the name of the channel a second launch
// calls before the game starts, wherever that user can: in the shared
// temporary directory, or as the directory the game would fall back to. The
// game starts all the same, and a second launch never hears that user's
// answer. Root passes through other users' files, so both are ordinary users.
TEST_F(ProcessTest, ANameTakenByAnotherUserNeitherCapturesALaunchNorKeepsTheGameFromStarting) {
  if (geteuid() != 0) GTEST_SKIP() << "switching to two other users takes root";
  constexpr uid_t kPlayer = 64101, kOther = 64102;
  const fs::path player = home / "player", shared = home / "tmp";
  fs::permissions(home, fs::perms::owner_all | fs::perms::others_exec);  // the two pass through
  fs::create_directory(player);
  ASSERT_EQ(chown(player.c_str(), kPlayer, kPlayer), 0);
  fs::permissions(player, fs::perms::owner_all);
  fs::create_directory(shared);
  fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);  // as /tmp
  const fs::path game_copy = GameCopy();  // one the two can run wherever the build tree is
  const auto clear_shared = [&shared] {
    for (const auto& entry : fs::directory_iterator(shared)) fs::remove_all(entry);
  };
  // The player's game, with its runtime directory or none.
  const auto launch_as_player = [&](std::optional<fs::path> runtime) {
    const std::string id = std::to_string(kPlayer);
    std::vector<std::string> command{"--reuid=" + id, "--regid=" + id, "--clear-groups", "/usr/bin/env", "-i", "-C",
                                     player, "HOME=" + player.string(), "TMPDIR=" + shared.string(),
                                     "QT_QPA_PLATFORM=offscreen", game_copy};
    if (runtime) command.insert(command.end() - 1, "XDG_RUNTIME_DIR=" + runtime->string());
    return Launch("/usr/bin/setpriv", command);
  };

  // With nobody in the way the channel is in a directory made for the
  // player alone.
  const pid_t alone = launch_as_player(std::nullopt);
  ASSERT_TRUE(WaitUntilReady(alone)) << Said(alone);
  fs::path channel;
  for (const auto& entry : fs::recursive_directory_iterator(shared))
    if (entry.is_socket()) channel = fs::relative(entry.path(), shared);
  struct stat directory {};
  ASSERT_EQ(stat((shared / channel).parent_path().c_str(), &directory), 0);
  EXPECT_EQ(std::tuple(directory.st_uid, directory.st_mode & 07777), std::tuple(kPlayer, 0700u)) << channel;
  kill(alone, SIGTERM);
  ASSERT_EQ(WaitForExit(alone), 0);
  clear_shared();

  // The player's runtime directory (none: unset), the name the other user
  // takes, and whether the second launch then reaches the game's own window.
  using Row = std::tuple<std::optional<fs::path>, fs::path, bool>;
  for (const auto& [runtime, taken, raised] : {Row{shared, shared / channel.filename(), true},
                                               Row{std::nullopt, shared / channel, false}}) {
    SCOPED_TRACE(runtime ? "the runtime directory is the shared one" : "the fallback directory was taken");
    int calls[2], ready[2];
    ASSERT_TRUE(pipe2(calls, O_NONBLOCK) == 0 && pipe(ready) == 0);
    const pid_t other = fork();
    if (other == 0) {  // the other user listens at the name and answers every call as the game would
      sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
      std::strncpy(address.sun_path, taken.c_str(), sizeof address.sun_path - 1);
      const int server = socket(AF_UNIX, SOCK_STREAM, 0);
      char request[64];
      if (setgroups(0, nullptr) || setresgid(kOther, kOther, kOther) || setresuid(kOther, kOther, kOther)) _exit(1);
      mkdir(taken.parent_path().c_str(), 0755);  // the fallback directory; the shared one is there
      if (bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) || listen(server, 8) ||
          chmod(taken.c_str(), 0777) || write(ready[1], "r", 1) != 1)
        _exit(1);
      for (int call; (call = accept(server, nullptr, nullptr)) >= 0; close(call))
        if (write(calls[1], "c", 1) != 1 || read(call, request, sizeof request) <= 0 || write(call, "raised\n", 7) != 7)
          _exit(1);
      _exit(1);
    }
    started.push_back(other);
    close(ready[1]), close(calls[1]);
    pollfd listening{ready[0], POLLIN, 0};
    char byte = 0;
    ASSERT_TRUE(poll(&listening, 1, 30000) == 1 && read(ready[0], &byte, 1) == 1) << "the other user did not listen";

    const pid_t game = launch_as_player(runtime);
    ASSERT_TRUE(WaitUntilReady(game)) << Said(game);
    const pid_t second = launch_as_player(runtime);
    ASSERT_TRUE(Eventually([&] { return Said(second).find("another copy is already running;") != std::string::npos; }))
        << Said(second);
    EXPECT_EQ(Said(second).find("its window was brought to the front") != std::string::npos, raised) << Said(second);
    EXPECT_EQ(read(calls[0], &byte, 1), -1) << "the other user answered the second launch";
    kill(game, SIGTERM);
    EXPECT_EQ(WaitForExit(game), 0) << Said(game);
    for (pid_t pid : {second, other}) kill(pid, SIGKILL), WaitForExit(pid);  // the one told so waits in its box
    close(ready[0]), close(calls[0]);
    clear_shared();
  }
}

}  // namespace
