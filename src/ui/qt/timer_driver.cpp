#include "ui/qt/timer_driver.h"

namespace ui::qt {

TimerDriver::TimerDriver(platform::Scheduler& scheduler, platform::Dispatcher& dispatcher,
                         platform::TickClock& clock)
    : scheduler_(scheduler), dispatcher_(dispatcher), clock_(clock) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] {
    scheduler_.RunDue();
    Rearm();
  });
  scheduler_.SetScheduleChanged([this] { Rearm(); });
  Rearm();
}

void TimerDriver::Rearm() {
  // Inside a handler (a message box open) nothing fires; the end of the
  // handler re-arms, and the waiting tick fires once.
  if (dispatcher_.busy() || dispatcher_.ended()) {
    timer_.stop();
    return;
  }
  auto next = scheduler_.NextWakeMicros();
  if (!next) {
    timer_.stop();
    return;
  }
  const std::int64_t wait = clock_.MicrosUntil(*next);
  const int milliseconds = static_cast<int>((wait + 999) / 1000);
  timer_.start(milliseconds);
}

}  // namespace ui::qt
