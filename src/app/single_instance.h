// One copy of the game at a time: two copies would each keep their own
// purse and the last to save would roll the other back or double it.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace app {

class SingleInstance {
 public:
  // Takes the lock beside the settings; a lock left behind by a copy that
  // crashed or was killed is taken over.
  explicit SingleInstance(const QString& settings_directory);
  // False when another copy holds the lock. When the lock cannot be made at
  // all (an unwritable place) the game runs: it cannot save a purse anyway.
  bool acquired() const { return acquired_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  bool acquired_ = true;
};

}  // namespace app
