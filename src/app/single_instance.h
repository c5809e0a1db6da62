// One copy of the game at a time: two copies would each keep their own
// purse and the last to save would roll the other back or double it. A
// second launch asks the running copy to bring its window to the front.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
class QTimer;
class QWidget;

namespace app {

class SingleInstance {
 public:
  // Takes the lock beside the settings. The system lets go of it when the
  // copy holding it ends in any way, so one that crashed or was killed never
  // keeps the next out; nothing is written, so nothing waits for the disk.
  // Later launches call at a socket in `channel_directory`, which must be
  // the user's own and closed to everyone else (the private runtime
  // directory): in a shared one another user could take the name first and
  // answer them. With none, the game runs and a later launch says so in a box.
  SingleInstance(const QString& settings_directory, const QString& channel_directory);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  // False when another copy holds the lock. When the lock cannot be made at
  // all (an unwritable place) the game runs: it cannot save a purse anyway.
  bool acquired() const { return acquired_; }

  // The running copy: a later launch runs `raise`, at once or, when it came
  // while the window was still being built, now.
  void OnLaunchedAgain(std::function<void()> raise);
  // Whether a later launch has asked and waits for the window to be built.
  bool LaunchWaiting() const;
  // A later copy: asks the running one to show its window; false when it
  // did not answer within the wait (stopped or hung).
  bool AskRunningCopyToRaise(int wait_ms = 30000) const;

 private:
  // A later launch connected to the channel.
  struct Caller {
    int socket;
    QSocketNotifier* notifier;  // deleted later: it may be the one calling
    QTimer* deadline;           // drops a caller that keeps silent; the notifier's child
    std::string line;
    bool asked = false;
  };

  void Listen();
  void Accept();
  void PauseListening();
  void Read(Caller& caller);
  void Answer(Caller& caller);
  void Drop(Caller& caller);

  std::string channel_path_;
  int file_ = -1;
  int server_ = -1;
  std::unique_ptr<QSocketNotifier> server_notifier_;
  std::vector<std::unique_ptr<Caller>> callers_;
  std::function<void()> raise_;
  bool acquired_ = true;
};

// A launch while another copy runs: that copy's window comes to the front
// and this one ends (0); when the other does not answer, a box says that the
// game is already running (1). Either way it says so on standard error.
int LaunchedAgain(const SingleInstance& instance);

// Shows a window on top, un-minimised and active, with any box it has open.
void BringToFront(QWidget& window);

}  // namespace app
