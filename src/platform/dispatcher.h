// The one door through which every event enters the rules: a click, a
// timer, the window closing. One handler runs at a time, to its end.
#pragma once

#include <functional>
#include <limits>
#include <string>

namespace platform {

// Hooks around every handler; the scheduler uses them to keep its timers
// in step (catch-up before, missed ticks collapsed after).
class DispatchObserver {
 public:
  virtual ~DispatchObserver() = default;
  // position: where the event stands among those due at this moment.
  virtual void BeforeHandler(int position) = 0;
  virtual void AfterHandler() = 0;
};

class Dispatcher {
 public:
  // User events come after every timer that is due by the same moment.
  static constexpr int kUserEvent = std::numeric_limits<int>::max();

  enum class Outcome {
    Ran,       // the handler ran to its end
    Refused,   // another handler is running, or the program has ended
    Failed,    // something unexpected escaped the handler; logged, program goes on
    Ended,     // the handler ended the program
  };

  Outcome Run(const std::function<void()>& handler, int position = kUserEvent);

  bool busy() const { return busy_; }
  bool ended() const { return ended_; }
  // After the end of the program no handler runs any more.
  void MarkEnded() { ended_ = true; }

  void SetObserver(DispatchObserver* observer) { observer_ = observer; }
  // Where unexpected failures are reported; standard error by default.
  void SetErrorLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

 private:
  bool busy_ = false;
  bool ended_ = false;
  DispatchObserver* observer_ = nullptr;
  std::function<void(const std::string&)> log_;
};

}  // namespace platform
