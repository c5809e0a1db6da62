#include "app/single_instance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <thread>

#include "ui/main_form_texts.h"
#include "ui/qt/translated.h"

namespace app {

namespace {
constexpr platform::TextId kAlreadyRunning = MASCOT_TEXT("SingleInstance", "こまめ堂マスコットレースはもう起動しています。");
constexpr std::string_view kRaise = "raise\n";
constexpr std::string_view kRaised = "raised\n";
constexpr std::size_t kLongestLine = 64;
// A launch says its one line at once. Callers are let in a few at a time and
// must say it within the limit, so idle connections can take neither the
// game's descriptors nor its time; later ones wait in the listen backlog.
constexpr std::size_t kMostCallers = 4;
constexpr int kLongestSilenceMs = 2000;
// With no descriptor to take a caller with, the call stays pending and the
// channel would wake the game without end: it listens again after a pause.
constexpr int kNoDescriptorPauseMs = 1000;

// One channel per settings directory, as there is one lock per directory,
// named after the settings directory; none without a channel directory.
std::string ChannelPath(const QString& settings_directory, const QString& channel_directory) {
  if (channel_directory.isEmpty()) return {};
  QByteArray digest = QCryptographicHash::hash(QDir(settings_directory).absolutePath().toUtf8(),
                                               QCryptographicHash::Sha256);
  return QFile::encodeName(channel_directory + "/mascot-race-" + QString::fromLatin1(digest.toHex().left(16)))
      .toStdString();
}

// The channel's address; none without a path or when it is too long for one.
std::optional<sockaddr_un> ChannelAddress(const std::string& path) {
  sockaddr_un address{};
  if (path.empty() || path.size() >= sizeof address.sun_path) return std::nullopt;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

bool Send(int socket, std::string_view text) {
  return send(socket, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size());
}
}  // namespace

SingleInstance::SingleInstance(const QString& settings_directory, const QString& channel_directory)
    : channel_path_(ChannelPath(settings_directory, channel_directory)) {
  QDir().mkpath(settings_directory);
  const QByteArray path = QFile::encodeName(settings_directory + "/mascot-race.lock");
  file_ = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (file_ < 0) return;
  int result = 0;
  do {
    result = flock(file_, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    acquired_ = errno != EWOULDBLOCK;
    return;
  }
  // Listening from the start, a later launch gets through at once and only
  // waits for the window.
  Listen();
}

SingleInstance::~SingleInstance() {
  for (const std::unique_ptr<Caller>& caller : callers_) {
    delete caller->notifier;
    close(caller->socket);
  }
  if (server_ >= 0) {
    server_notifier_.reset();
    close(server_);
    unlink(channel_path_.c_str());
  }
  if (file_ >= 0) close(file_);  // lets go of the lock
}

void SingleInstance::Listen() {
  const std::optional<sockaddr_un> address = ChannelAddress(channel_path_);
  if (!address) return;  // later launches then say so in a box
  const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (server < 0) return;
  // The lock is ours: a channel left by a killed copy is stale.
  unlink(channel_path_.c_str());
  // Only this user may call: connecting takes write access to the socket.
  if (bind(server, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
      chmod(channel_path_.c_str(), S_IRUSR | S_IWUSR) != 0 || listen(server, SOMAXCONN) != 0) {
    close(server);
    return;
  }
  server_ = server;
  server_notifier_ = std::make_unique<QSocketNotifier>(server_, QSocketNotifier::Read);
  QObject::connect(server_notifier_.get(), &QSocketNotifier::activated, [this] { Accept(); });
}

void SingleInstance::Accept() {
  while (callers_.size() < kMostCallers) {
    const int socket = accept4(server_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (socket < 0 && (errno == EINTR || errno == ECONNABORTED)) continue;
    if (socket < 0) {
      if (errno != EAGAIN && errno != EWOULDBLOCK) PauseListening();
      return;
    }
    auto* notifier = new QSocketNotifier(socket, QSocketNotifier::Read);
    auto caller = std::make_unique<Caller>(Caller{socket, notifier, new QTimer(notifier), {}, false});
    Caller* at = caller.get();
    QObject::connect(notifier, &QSocketNotifier::activated, [this, at] { Read(*at); });
    QObject::connect(at->deadline, &QTimer::timeout, [this, at] { Drop(*at); });
    at->deadline->setSingleShot(true);
    at->deadline->start(kLongestSilenceMs);
    callers_.push_back(std::move(caller));
  }
  server_notifier_->setEnabled(false);  // full: until one leaves
}

void SingleInstance::PauseListening() {
  server_notifier_->setEnabled(false);
  QTimer::singleShot(kNoDescriptorPauseMs, server_notifier_.get(), [this] { server_notifier_->setEnabled(true); });
}

void SingleInstance::Read(Caller& caller) {
  char buffer[kLongestLine];
  const ssize_t got = recv(caller.socket, buffer, sizeof buffer, 0);
  if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
  if (got <= 0) return Drop(caller);  // it went away
  if (caller.asked) return;           // one request a call
  caller.line.append(buffer, static_cast<std::size_t>(got));
  const std::size_t end = caller.line.find('\n');
  if (end == std::string::npos) {
    if (caller.line.size() > kLongestLine) Drop(caller);
    return;
  }
  if (std::string_view(caller.line).substr(0, end + 1) != kRaise) return Drop(caller);
  caller.asked = true;
  caller.deadline->stop();  // it waits for the window
  if (raise_) Answer(caller);
}

void SingleInstance::Answer(Caller& caller) {
  raise_();
  Send(caller.socket, kRaised);
  Drop(caller);
}

void SingleInstance::Drop(Caller& caller) {
  caller.deadline->stop();
  caller.notifier->setEnabled(false);
  caller.notifier->deleteLater();
  close(caller.socket);
  callers_.erase(std::find_if(callers_.begin(), callers_.end(),
                              [&caller](const std::unique_ptr<Caller>& kept) { return kept.get() == &caller; }));
  server_notifier_->setEnabled(true);  // the next in the backlog may come in
}

bool SingleInstance::LaunchWaiting() const {
  return std::any_of(callers_.begin(), callers_.end(), [](const std::unique_ptr<Caller>& caller) { return caller->asked; });
}

void SingleInstance::OnLaunchedAgain(std::function<void()> raise) {
  raise_ = std::move(raise);
  std::vector<Caller*> waiting;
  for (const std::unique_ptr<Caller>& caller : callers_) {
    if (caller->asked) waiting.push_back(caller.get());
  }
  for (Caller* caller : waiting) Answer(*caller);
}

bool SingleInstance::AskRunningCopyToRaise(int wait_ms) const {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
  // The running copy opens its channel right after taking the lock: a short
  // while to get through, then the whole wait for its window.
  const Clock::time_point connect_deadline = Clock::now() + std::chrono::milliseconds(std::min(wait_ms, 5000));
  const std::optional<sockaddr_un> address = ChannelAddress(channel_path_);
  if (!address) return false;
  int socket = -1;
  for (;;) {
    socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) return false;
    if (connect(socket, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0) break;
    close(socket);
    if (Clock::now() >= connect_deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const std::unique_ptr<int, void (*)(int*)> closing(&socket, [](int* open) { close(*open); });
  if (!Send(socket, kRaise)) return false;
  std::string reply;
  while (reply.find('\n') == std::string::npos && reply.size() <= kLongestLine) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd ready{socket, POLLIN, 0};
    const int polled = poll(&ready, 1, static_cast<int>(left));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) return false;
    char buffer[kLongestLine];
    const ssize_t got = recv(socket, buffer, sizeof buffer, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    reply.append(buffer, static_cast<std::size_t>(got));
  }
  return std::string_view(reply).substr(0, reply.find('\n') + 1) == kRaised;
}

int LaunchedAgain(const SingleInstance& instance) {
  if (instance.AskRunningCopyToRaise()) {
    std::fprintf(stderr, "mascot-race: another copy is already running; its window was brought to the front\n");
    return 0;
  }
  std::fprintf(stderr, "mascot-race: another copy is already running; only one copy may keep the purse\n");
  QMessageBox::information(nullptr, ui::qt::Translated(ui::kGameTitle), ui::qt::Translated(kAlreadyRunning));
  return 1;
}

void BringToFront(QWidget& window) {
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
  if (QWidget* box = QApplication::activeModalWidget()) {
    box->raise();
    box->activateWindow();
  }
}

}  // namespace app
