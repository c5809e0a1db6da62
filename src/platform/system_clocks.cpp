#include "platform/system_clocks.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "platform/scheduler.h"

namespace platform {

TimeOfDay SystemClock::Now() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec};
}

std::int64_t SteadyClock::NowMicros() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t TickClock::NowMicros() {
  constexpr std::int64_t kStep = Scheduler::kTickMicros;
  return source_.NowMicros() / kStep * kStep;
}

std::int64_t TickClock::MicrosUntil(std::int64_t micros) {
  constexpr std::int64_t kStep = Scheduler::kTickMicros;
  const std::int64_t step_reached = (micros + kStep - 1) / kStep * kStep;
  return std::max<std::int64_t>(step_reached - source_.NowMicros(), 0);
}

}  // namespace platform
