#include "app/single_instance.h"

#include <QDir>

namespace app {

SingleInstance::SingleInstance(const QString& settings_directory) {
  QDir().mkpath(settings_directory);
  lock_ = std::make_unique<QLockFile>(settings_directory + "/mascot-race.lock");
  lock_->setStaleLockTime(0);  // only a live copy holds it, however long it runs
  if (!lock_->tryLock(0)) acquired_ = lock_->error() != QLockFile::LockFailedError;
}

}  // namespace app
