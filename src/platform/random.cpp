#include "platform/random.h"

#include "platform/numbers.h"

namespace platform {

std::optional<float> ClassicGenerator::Skip(std::uint64_t n) {
  if (n == 0) return std::nullopt;
  // A few draws (the background timer between two race ticks) are quicker
  // stepped than composed.
  constexpr std::uint64_t kStepped = 8;
  if (n <= kStepped) {
    for (std::uint64_t i = 1; i < n; ++i) Next();
    return Next();
  }
  // Compose the affine step x -> a x + c with itself by repeated squaring:
  // (a1, c1) then (a2, c2) gives (a2 a1, a2 c1 + c2).
  std::uint64_t acc_mult = 1;
  std::uint64_t acc_plus = 0;
  std::uint64_t cur_mult = kMultiplier;
  std::uint64_t cur_plus = kIncrement;
  for (std::uint64_t k = n; k != 0; k >>= 1) {
    if (k & 1) {
      acc_mult = (acc_mult * cur_mult) & kMask;
      acc_plus = (acc_plus * cur_mult + cur_plus) & kMask;
    }
    cur_plus = ((cur_mult + 1) * cur_plus) & kMask;
    cur_mult = (cur_mult * cur_mult) & kMask;
  }
  state_ = static_cast<std::uint32_t>((acc_mult * state_ + acc_plus) & kMask);
  return static_cast<float>(ClassicDraw{state_});
}

}  // namespace platform
