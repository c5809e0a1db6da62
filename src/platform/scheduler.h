// Owns every timer of the window and fires them at the pace of the classic
// desktop timer: at most 64 times a second, in a fixed order when several
// are due, never while a handler runs (a tick that falls due meanwhile fires
// once afterwards).
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/dispatcher.h"
#include "platform/service_interfaces.h"

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
  // The same with a member function of an object as catch_up: a plain call,
  // since a race run alone catches up before every tick.
  template <auto Method, typename Object>
  TimerId AddCatchUpTimer(Object& object) {
    return AddCatchUpTimer([](void* target, std::uint64_t ticks) { (static_cast<Object*>(target)->*Method)(ticks); },
                           &object);
  }

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
  // timer fires; the one catch-up timer `companion` that keeps its pace is
  // compiled into the loop. For headless runs that want a race but not its
  // pictures, as fast as it goes. Gives the number of times it fired.
  // make_ticks() is called as the run starts and gives the object the loop
  // works on, a local (what it holds may live in registers):
  // - Fire() is the timer's handler;
  // - FireInStep() runs ticks that come on time with the companion in step,
  //   each one tick of the companion's catch-up and then the handler, in its
  //   own loop, and gives how many; it stops after a tick that must reach
  //   beyond the ticks (that part is left for FinishTick()), and must not
  //   stop or restart a timer, read the clock or reach the scheduler before;
  // - FinishTick() does the rest of the last tick FireInStep() ran, with the
  //   clock and the timers where that tick left them;
  // - Aside(call) runs any other call the loop makes, which may reach
  //   anything.
  template <typename MakeTicks>
  std::uint64_t RunAlone(TimerId id, TimerId companion, VirtualClock& clock, MakeTicks make_ticks);

  // Called whenever the next wake-up may have moved (a real driver re-arms).
  void SetScheduleChanged(std::function<void()> changed) { schedule_changed_ = std::move(changed); }

  void BeforeHandler(int position) override;
  void AfterHandler() override;

 private:
  using CatchUpCall = void (*)(void* target, std::uint64_t ticks);
  struct Entry {
    std::function<void()> fire;
    CatchUpCall catch_up = nullptr;
    void* catch_up_target = nullptr;
    int interval_ms = 0;
    std::int64_t period = 0;
    std::int64_t next_due = 0;
    // A catch-up given as a function object is kept here; catch_up_target
    // points at it.
    std::function<void(std::uint64_t)> catch_up_function;
    bool running() const { return interval_ms > 0; }
    bool catches_up() const { return catch_up != nullptr; }
  };

  TimerId AddCatchUpTimer(CatchUpCall call, void* target);
  struct CatchUpTimer {
    Entry* timer;
    int position;  // in the fixed order
  };

  // Inline: the race clock run alone catches up before every tick.
  void CatchUp(std::int64_t now, int position) {
    for (const CatchUpTimer& catch_up : catch_up_timers_) {
      Entry& timer = *catch_up.timer;
      // Ticks strictly before the event; at the same moment, those that come
      // earlier in the fixed order.
      const std::int64_t limit = now - (catch_up.position < position ? 0 : 1);
      if (!timer.running() || timer.next_due > limit) continue;
      // Mostly one tick behind: spared the division.
      const std::int64_t behind = limit - timer.next_due;
      auto missed = static_cast<std::uint64_t>(behind < timer.period ? 1 : behind / timer.period + 1);
      timer.next_due += static_cast<std::int64_t>(missed) * timer.period;
      timer.catch_up(timer.catch_up_target, missed);
    }
  }
  Entry& AloneTimer(TimerId id, const VirtualClock& clock);
  // The one running catch-up timer, when it keeps the pace of `timer`, which
  // fires on time at `now`: from the next tick on, each tick finds exactly
  // one of its ticks missed, as long as no interval changes and every tick
  // is on time. Null otherwise.
  Entry* InStepWith(const Entry& timer, std::int64_t now, int position);
  template <typename MakeTicks>
  std::uint64_t FireAlone(Entry& timer, int position, const Entry* companion, VirtualClock& clock,
                          MakeTicks& make_ticks);

  MonotonicClock& clock_;
  Dispatcher& dispatcher_;
  // A deque: an entry stays where it is as more are added.
  std::deque<Entry> timers_;
  std::vector<CatchUpTimer> catch_up_timers_;
  std::int64_t handler_started_ = 0;
  // Counts every change of an interval.
  std::uint64_t interval_changes_ = 0;
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

template <typename MakeTicks>
std::uint64_t Scheduler::RunAlone(TimerId id, TimerId companion, VirtualClock& clock, MakeTicks make_ticks) {
  Entry& timer = AloneTimer(id, clock);
  const Entry* companion_timer = &timers_.at(static_cast<std::size_t>(companion));
  std::uint64_t fired = 0;
  if (!timer.catches_up()) {
    dispatcher_.Run([&] { fired = FireAlone(timer, id, companion_timer, clock, make_ticks); }, id);
  }
  return fired;
}

template <typename MakeTicks>
std::uint64_t Scheduler::FireAlone(Entry& timer, int position, const Entry* companion, VirtualClock& clock,
                                   MakeTicks& make_ticks) {
  // A local of this function: nothing outside the loop can reach it, so
  // what it holds may stay in registers from tick to tick.
  auto ticks = make_ticks();
  std::uint64_t fired = 0;
  Entry* in_step = nullptr;
  std::uint64_t changes_seen = 0;
  // The ticks that come on time, with no interval changed, while the
  // companion keeps the pace: its catch-up counted, not worked out.
  auto on_time = [&] {
    return timer.running() && changes_seen == interval_changes_ && clock.NowMicros() <= timer.next_due;
  };
  // The companion's ticks compiled in with the handler's: the ticks object
  // runs them in a loop of its own, and the clock and both timers are moved
  // on afterwards, by as many ticks at once, to where its last tick left
  // them (nothing in between could see them).
  auto keep_pace_with_companion = [&] {
    while (on_time()) {
      const auto n = static_cast<std::int64_t>(ticks.FireInStep());
      clock.Set(timer.next_due + (n - 1) * timer.period);
      in_step->next_due += n * in_step->period;
      timer.next_due += n * timer.period;
      fired += static_cast<std::uint64_t>(n);
      ticks.FinishTick();
    }
  };
  while (timer.running()) {
    const std::int64_t due = timer.next_due;
    const std::int64_t now = std::max(clock.NowMicros(), due);
    clock.Set(now);
    ticks.Aside([&] { CatchUp(now, position); });
    in_step = now == due ? InStepWith(timer, now, position) : nullptr;
    changes_seen = interval_changes_;
    // Advance before firing: the handler may stop or restart its own timer.
    timer.next_due += timer.period;
    ticks.Fire();
    ++fired;
    // Another catch-up timer in step is caught up tick by tick, above.
    if (in_step == companion) keep_pace_with_companion();
  }
  return fired;
}

// Moves a virtual clock forward to target, stopping at every moment a timer
// falls due and firing it, as a real event loop would.
void AdvanceVirtualTime(Scheduler& scheduler, VirtualClock& clock, std::int64_t target);

}  // namespace platform
