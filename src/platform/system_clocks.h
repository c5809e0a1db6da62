// The machine's clocks: local time of day, and monotonic time for timers.
#pragma once

#include "platform/services.h"

namespace platform {

class SystemClock final : public Clock {
 public:
  TimeOfDay Now() override;
};

class SteadyClock final : public MonotonicClock {
 public:
  std::int64_t NowMicros() override;
};

}  // namespace platform
