#include "simulation/progress_line.h"

#include <cinttypes>

namespace simulation {

namespace {
constexpr std::chrono::seconds kQuietFor{2};
constexpr std::chrono::milliseconds kRedrawEvery{250};
constexpr const char* kToLineStart = "\r";
constexpr const char* kClearToLineEnd = "\033[K";
}  // namespace

ProgressLine::~ProgressLine() {
  if (!shown_) return;
  std::fprintf(terminal_, "%s%s", kToLineStart, kClearToLineEnd);
  std::fflush(terminal_);
}

void ProgressLine::Update(std::uint64_t done) {
  const Clock::time_point now = Clock::now();
  if (now - started_ < kQuietFor || (shown_ && now - drawn_ < kRedrawEvery)) return;
  const double seconds = std::chrono::duration<double>(now - started_).count();
  const double per_second = static_cast<double>(done) / seconds;
  const auto left = static_cast<std::uint64_t>(static_cast<double>(races_ - done) / per_second + 0.5);
  std::fprintf(terminal_, "%s%" PRIu64 " of %" PRIu64 " races, %.0f races/s, %" PRIu64 ":%02" PRIu64 ":%02" PRIu64 " left%s",
               kToLineStart, done, races_, per_second, left / 3600, left / 60 % 60, left % 60, kClearToLineEnd);
  std::fflush(terminal_);
  shown_ = true;
  drawn_ = now;
}

}  // namespace simulation
