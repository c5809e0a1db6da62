#include "app/single_instance.h"

#include <QDir>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace app {

SingleInstance::SingleInstance(const QString& settings_directory) {
  QDir().mkpath(settings_directory);
  const QByteArray path = QFile::encodeName(settings_directory + "/mascot-race.lock");
  file_ = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (file_ < 0) return;
  int result = 0;
  do {
    result = flock(file_, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0 && errno == EWOULDBLOCK) acquired_ = false;
}

SingleInstance::~SingleInstance() {
  if (file_ >= 0) close(file_);  // lets go of the lock
}

}  // namespace app
