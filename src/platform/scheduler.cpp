#include "platform/scheduler.h"

#include <algorithm>
#include <stdexcept>

namespace platform {

Scheduler::Scheduler(MonotonicClock& clock, Dispatcher& dispatcher) : clock_(clock), dispatcher_(dispatcher) {
  dispatcher_.SetObserver(this);
}

Scheduler::TimerId Scheduler::AddTimer(std::function<void()> fire) {
  Entry timer;
  timer.fire = std::move(fire);
  timers_.push_back(std::move(timer));
  return static_cast<TimerId>(timers_.size() - 1);
}

Scheduler::TimerId Scheduler::AddCatchUpTimer(std::function<void(std::uint64_t)> catch_up) {
  auto id = AddCatchUpTimer(
      [](void* held, std::uint64_t ticks) { (*static_cast<std::function<void(std::uint64_t)>*>(held))(ticks); }, nullptr);
  Entry& timer = timers_.back();
  timer.catch_up_function = std::move(catch_up);
  timer.catch_up_target = &timer.catch_up_function;
  return id;
}

Scheduler::TimerId Scheduler::AddCatchUpTimer(CatchUpCall call, void* target) {
  Entry timer;
  timer.catch_up = call;
  timer.catch_up_target = target;
  timers_.push_back(std::move(timer));
  const auto id = static_cast<TimerId>(timers_.size() - 1);
  catch_up_timers_.push_back({&timers_.back(), id});
  return id;
}

std::int64_t Scheduler::PeriodMicros(int milliseconds) {
  return std::max<std::int64_t>(std::int64_t{milliseconds} * 1000, kTickMicros);
}

void Scheduler::SetInterval(TimerId id, int milliseconds) {
  Entry& timer = timers_.at(static_cast<std::size_t>(id));
  ++interval_changes_;
  timer.interval_ms = std::max(milliseconds, 0);
  if (timer.running()) {
    timer.period = PeriodMicros(timer.interval_ms);
    timer.next_due = clock_.NowMicros() + timer.period;
  }
  if (schedule_changed_) schedule_changed_();
}

std::optional<std::int64_t> Scheduler::NextWakeMicros() const {
  std::optional<std::int64_t> next;
  for (const Entry& timer : timers_) {
    if (!timer.running() || timer.catches_up()) continue;
    if (!next || timer.next_due < *next) next = timer.next_due;
  }
  return next;
}

void Scheduler::RunDue() {
  while (!dispatcher_.busy() && !dispatcher_.ended()) {
    std::int64_t now = clock_.NowMicros();
    int due = -1;
    for (std::size_t i = 0; i < timers_.size(); ++i) {
      const Entry& timer = timers_[i];
      if (!timer.running() || timer.catches_up() || timer.next_due > now) continue;
      if (due < 0 || timer.next_due < timers_[static_cast<std::size_t>(due)].next_due) due = static_cast<int>(i);
    }
    if (due < 0) break;
    Entry& timer = timers_[static_cast<std::size_t>(due)];
    // Advance before firing: the handler may stop or restart its own timer.
    timer.next_due += timer.period;
    std::function<void()> fire = timer.fire;
    dispatcher_.Run(fire, due);
  }
}

Scheduler::Entry& Scheduler::AloneTimer(TimerId id, const VirtualClock& clock) {
  if (static_cast<const MonotonicClock*>(&clock) != &clock_) throw std::logic_error("RunAlone needs the scheduler's own clock");
  return timers_.at(static_cast<std::size_t>(id));
}

Scheduler::Entry* Scheduler::InStepWith(const Entry& timer, std::int64_t now, int position) {
  Entry* in_step = nullptr;
  for (const CatchUpTimer& catch_up : catch_up_timers_) {
    Entry& other = *catch_up.timer;
    if (!other.running()) continue;
    if (in_step != nullptr || other.period != timer.period) return nullptr;
    // Caught up to this tick, its next falls before the next of `timer`.
    const std::int64_t limit = now - (catch_up.position < position ? 0 : 1);
    if (other.next_due > limit + other.period) return nullptr;
    in_step = &other;
  }
  return in_step;
}

void Scheduler::BeforeHandler(int position) {
  handler_started_ = clock_.NowMicros();
  CatchUp(handler_started_, position);
}

void Scheduler::AfterHandler() {
  // Ticks that fell due while the handler ran fire once, right afterwards.
  // A handler that took no time let nothing fall due.
  std::int64_t now = clock_.NowMicros();
  if (now != handler_started_) {
    for (Entry& timer : timers_) {
      if (timer.running() && timer.next_due < now) timer.next_due = now;
    }
  }
  if (schedule_changed_) schedule_changed_();
}

void AdvanceVirtualTime(Scheduler& scheduler, VirtualClock& clock, std::int64_t target) {
  for (;;) {
    auto next = scheduler.NextWakeMicros();
    if (!next || *next > target) break;
    clock.Set(std::max(clock.NowMicros(), *next));
    std::int64_t before = clock.NowMicros();
    scheduler.RunDue();
    // A handler that is already running (a message box inside it) keeps the
    // timers waiting; only time moves on.
    if (clock.NowMicros() == before && scheduler.NextWakeMicros() == next) break;
  }
  clock.Set(std::max(clock.NowMicros(), target));
}

}  // namespace platform
