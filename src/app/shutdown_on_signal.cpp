#include "app/shutdown_on_signal.h"

#include <QTimer>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace app {

namespace {

// A signal handler may do almost nothing: it writes one byte, and the event
// loop picks it up.
int signal_pipe[2] = {-1, -1};

void OnSignal(int) {
  char byte = 1;
  [[maybe_unused]] auto written = ::write(signal_pipe[1], &byte, 1);
}

}  // namespace

ShutdownOnSignal::ShutdownOnSignal(std::function<bool()> try_close, std::function<void()> answer_boxes)
    : try_close_(std::move(try_close)), answer_boxes_(std::move(answer_boxes)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(signal_pipe[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char byte;
    [[maybe_unused]] auto read = ::read(signal_pipe[0], &byte, 1);
    Requested();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

ShutdownOnSignal::~ShutdownOnSignal() {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
  notifier_.reset();
  for (int& end : signal_pipe) {
    if (end >= 0) ::close(end);
    end = -1;
  }
}

void ShutdownOnSignal::Requested() {
  if (try_close_()) return;
  // A handler is waiting on a message box: answer it, and try again once
  // the handler has run to its end.
  answer_boxes_();
  QTimer::singleShot(10, this, [this] { Requested(); });
}

}  // namespace app
