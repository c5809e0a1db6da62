// The machine's clocks: local time of day, and monotonic time for timers.
#pragma once

#include "platform/service_interfaces.h"

namespace platform {

class SystemClock final : public Clock {
 public:
  TimeOfDay Now() override;
};

class SteadyClock final : public MonotonicClock {
 public:
  std::int64_t NowMicros() override;
};

// Monotonic time as the classic desktop timer counts it, in steps of 1/64 s.
// On it, timers due within one step (the race clock and the runners' legs)
// fire in one wake-up and one repaint, and a handler that ends within its
// step takes no time, as on the tests' virtual clock.
class TickClock final : public MonotonicClock {
 public:
  explicit TickClock(MonotonicClock& source) : source_(source) {}
  std::int64_t NowMicros() override;
  // How long, on the source's clock, until this one shows `micros`; 0 if it does.
  std::int64_t MicrosUntil(std::int64_t micros);

 private:
  MonotonicClock& source_;
};

}  // namespace platform
