// Measures how long the game takes from launch until its window is mapped,
// and its resident memory once shown. Needs an X display (run under Xvfb
// through bench/startup.sh).
//
//   window_startup <executable> [runs]
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <executable> [runs]\n", argv[0]);
    return 2;
  }
  int runs = argc > 2 ? std::atoi(argv[2]) : 10;
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "no X display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, True);

  std::vector<double> startup_ms;
  std::vector<double> resident_mb;
  for (int run = 0; run < runs; ++run) {
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
      execl(argv[1], argv[1], static_cast<char*>(nullptr));
      _exit(127);
    }
    bool mapped = WaitForMap(display, 10000);
    double elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    // Let it settle, as a player would see it, before reading its memory.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    long rss = ResidentKilobytes(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    if (!mapped) {
      std::fprintf(stderr, "run %d: no window within 10 s\n", run + 1);
      return 1;
    }
    startup_ms.push_back(elapsed);
    resident_mb.push_back(static_cast<double>(rss) / 1024.0);
    std::printf("run %2d: window mapped after %6.1f ms, resident %5.1f MB\n", run + 1, elapsed, resident_mb.back());
  }
  std::printf("median: window mapped after %.1f ms, resident %.1f MB (%d runs)\n", Median(startup_ms),
              Median(resident_mb), runs);
  XCloseDisplay(display);
  return 0;
}
