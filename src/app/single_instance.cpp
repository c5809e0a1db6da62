#include "app/single_instance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QMessageBox>
#include <QThread>
#include <QWidget>
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
  lock_ = std::make_unique<QLockFile>(settings_directory + "/mascot-race.lock");
  lock_->setStaleLockTime(0);  // only a live copy holds it, however long it runs
  if (!lock_->tryLock(0)) acquired_ = lock_->error() != QLockFile::LockFailedError;
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::OnLaunchedAgain(std::function<void()> raise) {
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // The lock is ours: a channel left by a killed copy is stale.
  QLocalServer::removeServer(channel_name_);
  if (!server_->listen(channel_name_)) return;  // later launches then say so in a box
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this, raise = std::move(raise)] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, raise] {
        if (!socket->canReadLine()) return;
        if (socket->readLine() != kRaise) return socket->disconnectFromServer();
        raise();
        socket->write(kRaised);
        socket->flush();
      });
    }
  });
}

bool SingleInstance::AskRunningCopyToRaise(int wait_ms) const {
  QDeadlineTimer deadline(wait_ms);
  QLocalSocket socket;
  // The running copy opens its channel once its window is built: keep trying.
  for (;;) {
    socket.connectToServer(channel_name_);
    if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
    if (deadline.hasExpired()) return false;
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
