// Times launches from fork until the first top-level window is mapped, for
// the game and for a baseline program taken in turns on the same display, so
// both meet the same machine load. The first launch of the game comes before
// all others and is reported on its own: it finds the least in the caches.
// Needs an X display (bench/startup.sh runs it under Xvfb).
//
//   window_startup <game> <baseline> [pairs]
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Waits for the first top-level window to be mapped; false on timeout.
bool WaitForMap(Display* display, int timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  for (;;) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect) return true;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    poll(&fd, 1, static_cast<int>(left.count()));
  }
}

// CPU time the process has had so far, all its threads, in milliseconds:
// less shaken than the wall clock by what else the machine runs.
double CpuMilliseconds(pid_t pid) {
  double total = 0;
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    std::ifstream schedstat(task.path() / "schedstat");
    double nanoseconds = 0;
    if (schedstat >> nanoseconds) total += nanoseconds / 1e6;
  }
  return total;
}

struct Launch {
  double wall_ms = 0;
  double cpu_ms = 0;
};

// Wall and CPU time until the program's window is mapped; empty if it never is.
std::optional<Launch> TimeLaunch(Display* display, const char* program) {
  XSync(display, True);  // forget the events of the launch before
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  bool mapped = WaitForMap(display, 10000);
  double elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const double cpu = CpuMilliseconds(pid);
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  if (!mapped) {
    std::fprintf(stderr, "%s: no window within 10 s\n", program);
    return std::nullopt;
  }
  return Launch{elapsed, cpu};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <game> <baseline> [pairs]\n", argv[0]);
    return 2;
  }
  const char* game = argv[1];
  const char* baseline = argv[2];
  int pairs = argc > 3 ? std::atoi(argv[3]) : 10;
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "no X display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

  std::optional<Launch> cold = TimeLaunch(display, game);
  if (!cold) return 1;
  std::printf("first (cold) launch of the game: window mapped after %.1f ms (%.1f ms of CPU)\n", cold->wall_ms,
              cold->cpu_ms);

  std::vector<double> game_ms, baseline_ms, game_cpu, baseline_cpu;
  for (int pair = 0; pair < pairs; ++pair) {
    // Alternate which goes first, so neither always follows the other.
    const bool game_first = pair % 2 == 0;
    for (int turn = 0; turn < 2; ++turn) {
      const bool is_game = (turn == 0) == game_first;
      std::optional<Launch> launch = TimeLaunch(display, is_game ? game : baseline);
      if (!launch) return 1;
      (is_game ? game_ms : baseline_ms).push_back(launch->wall_ms);
      (is_game ? game_cpu : baseline_cpu).push_back(launch->cpu_ms);
    }
    std::printf("pair %2d: game %6.1f ms (CPU %5.1f), baseline %6.1f ms (CPU %5.1f)\n", pair + 1, game_ms.back(),
                game_cpu.back(), baseline_ms.back(), baseline_cpu.back());
  }
  const double game_median = Median(game_ms);
  const double baseline_median = Median(baseline_ms);
  std::printf("median of %d: game %.1f ms, plain Qt window %.1f ms, ratio %.2f\n", pairs, game_median,
              baseline_median, game_median / baseline_median);
  std::printf("CPU until mapped, median: game %.1f ms, plain Qt window %.1f ms, ratio %.2f\n", Median(game_cpu),
              Median(baseline_cpu), Median(game_cpu) / Median(baseline_cpu));
  XCloseDisplay(display);
  return 0;
}
