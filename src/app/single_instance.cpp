#include "app/single_instance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QMessageBox>
#include <QThread>
#include <QWidget>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace app {

namespace {
constexpr char kRaise[] = "raise\n";
constexpr char kRaised[] = "raised\n";

// One channel per settings directory, as there is one lock per directory.
QString ChannelName(const QString& settings_directory) {
  QByteArray digest = QCryptographicHash::hash(QDir(settings_directory).absolutePath().toUtf8(),
                                               QCryptographicHash::Sha256);
  return "mascot-race-" + QString::fromLatin1(digest.toHex().left(16));
}
}  // namespace

SingleInstance::SingleInstance(const QString& settings_directory) : channel_name_(ChannelName(settings_directory)) {
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
  if (file_ >= 0) close(file_);  // lets go of the lock
}

void SingleInstance::Listen() {
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // The lock is ours: a channel left by a killed copy is stale.
  QLocalServer::removeServer(channel_name_);
  if (!server_->listen(channel_name_)) return;  // later launches then say so in a box
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        if (!socket->canReadLine()) return;
        if (socket->readLine() != kRaise) return socket->disconnectFromServer();
        if (raise_) {
          Answer(socket);
        } else {
          waiting_.emplace_back(socket);
        }
      });
    }
  });
}

void SingleInstance::Answer(QLocalSocket* socket) {
  raise_();
  socket->write(kRaised);
  socket->flush();
}

void SingleInstance::OnLaunchedAgain(std::function<void()> raise) {
  raise_ = std::move(raise);
  for (const QPointer<QLocalSocket>& socket : waiting_) {
    if (socket) Answer(socket);
  }
  waiting_.clear();
}

bool SingleInstance::AskRunningCopyToRaise(int wait_ms) const {
  QDeadlineTimer deadline(wait_ms);
  // The running copy opens its channel right after taking the lock: a short
  // while to get through, then the whole wait for its window.
  QDeadlineTimer connect_deadline(std::min(wait_ms, 5000));
  QLocalSocket socket;
  for (;;) {
    socket.connectToServer(channel_name_);
    if (socket.waitForConnected(static_cast<int>(connect_deadline.remainingTime()))) break;
    if (connect_deadline.hasExpired()) return false;
    QThread::msleep(50);
  }
  socket.write(kRaise);
  if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
  while (!socket.canReadLine()) {
    if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
  }
  return socket.readLine() == kRaised;
}

int LaunchedAgain(const SingleInstance& instance) {
  if (instance.AskRunningCopyToRaise()) {
    std::fprintf(stderr, "mascot-race: another copy is already running; its window was brought to the front\n");
    return 0;
  }
  std::fprintf(stderr, "mascot-race: another copy is already running; only one copy may keep the purse\n");
  QMessageBox::information(nullptr, "こまめ堂マスコットレース", "こまめ堂マスコットレースはもう起動しています。");
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
