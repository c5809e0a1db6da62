// Owns every timer of the window and fires them at the pace of the classic
// desktop timer: at most 64 times a second, in a fixed order when several
// are due, never while a handler runs (a tick that falls due meanwhile fires
// once afterwards).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/dispatcher.h"
#include "platform/services.h"

namespace platform {

class VirtualClock;

class Scheduler final : public DispatchObserver {
 public:
  using TimerId = int;
  static constexpr std::int64_t kTickMicros = 15625;  // 1/64 s

  Scheduler(MonotonicClock& clock, Dispatcher& dispatcher);

  // Timers take their place in the fixed order in the order they are added.
  TimerId AddTimer(std::function<void()> fire);
  // A timer whose ticks only advance a sequence: it never wakes the process;
  // its missed ticks are handed to catch_up(n) just before the next event,
  // exactly as many as a ticking timer would have fired by then.
  TimerId AddCatchUpTimer(std::function<void(std::uint64_t)> catch_up);

  // Every assignment restarts the timer; 0 stops it.
  void SetInterval(TimerId id, int milliseconds);

  static std::int64_t PeriodMicros(int milliseconds);

  // The earliest moment a timer that needs waking falls due; empty when
  // nothing but catch-up timers runs (the game is idle).
  std::optional<std::int64_t> NextWakeMicros() const;

  // Fires the due timers one at a time, in order, until none is due or a
  // handler is already running.
  void RunDue();
  // Runs this timer alone until it stops, as one event: the clock (which
  // must be this scheduler's) moves on to each moment it falls due, the
  // catch-up timers take their ticks before each in their place, and no other
  // timer fires. For headless runs that want a race but not its pictures.
  // Gives the number of times it fired.
  std::uint64_t RunAlone(TimerId id, VirtualClock& clock);

  // Called whenever the next wake-up may have moved (a real driver re-arms).
  void SetScheduleChanged(std::function<void()> changed) { schedule_changed_ = std::move(changed); }

  void BeforeHandler(int position) override;
  void AfterHandler() override;

 private:
  struct Entry {
    std::function<void()> fire;
    std::function<void(std::uint64_t)> catch_up;
    int interval_ms = 0;
    std::int64_t period = 0;
    std::int64_t next_due = 0;
    bool running() const { return interval_ms > 0; }
    bool catches_up() const { return static_cast<bool>(catch_up); }
  };

  void CatchUp(std::int64_t now, int position);
  std::uint64_t FireAlone(Entry& timer, int position, VirtualClock& clock);

  MonotonicClock& clock_;
  Dispatcher& dispatcher_;
  std::vector<Entry> timers_;
  std::vector<std::size_t> catch_up_timers_;
  std::int64_t handler_started_ = 0;
  std::function<void()> schedule_changed_;
};

// A clock that only moves when told to, for tests and benchmarks.
class VirtualClock final : public MonotonicClock {
 public:
  std::int64_t NowMicros() override { return now_; }
  void Set(std::int64_t micros) { now_ = micros; }
  void Advance(std::int64_t micros) { now_ += micros; }

 private:
  std::int64_t now_ = 0;
};

// Moves a virtual clock forward to target, stopping at every moment a timer
// falls due and firing it, as a real event loop would.
void AdvanceVirtualTime(Scheduler& scheduler, VirtualClock& clock, std::int64_t target);

}  // namespace platform
