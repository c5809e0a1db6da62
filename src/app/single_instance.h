// One copy of the game at a time: two copies would each keep their own
// purse and the last to save would roll the other back or double it.
#pragma once

#include <QString>

namespace app {

class SingleInstance {
 public:
  // Takes the lock beside the settings. The system lets go of it when the
  // copy holding it ends in any way, so one that crashed or was killed never
  // keeps the next out; nothing is written, so nothing waits for the disk.
  explicit SingleInstance(const QString& settings_directory);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another copy holds the lock. When the lock cannot be made at
  // all (an unwritable place) the game runs: it cannot save a purse anyway.
  bool acquired() const { return acquired_; }

 private:
  int file_ = -1;
  bool acquired_ = true;
};

}  // namespace app
