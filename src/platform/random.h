// The one shared random sequence of the game.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "platform/numbers.h"

namespace platform {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // The next value in [0, 1), a single.
  virtual float Next() = 0;
  // Draws n values at once; gives the last of them, or nothing when n is 0.
  virtual std::optional<float> Skip(std::uint64_t n) = 0;
};

// A value of the real generator kept as the state it was read from: the
// value is state / 2^24 exactly, so scaling it by a whole number and
// rounding can be done in whole numbers (Scaled), with no conversions.
struct ClassicDraw {
  std::uint32_t state;  // below 2^24
  explicit operator float() const { return static_cast<float>(state) * (1.0f / 16777216.0f); }
  explicit operator double() const { return static_cast<double>(state) * (1.0 / 16777216.0); }
};

// The real generator: a 24-bit linear congruential sequence with a fixed
// start, so every run draws the same values from its start and every value
// (a multiple of 2^-24) is exact in single precision. Full period 2^24.
class ClassicGenerator final : public RandomSource {
 public:
  static constexpr std::uint32_t kStartState = 0x1F2B3C;

  ClassicGenerator() = default;
  explicit ClassicGenerator(std::uint32_t state) : state_(state & kMask) {}

  float Next() override { return static_cast<float>(NextDraw()); }
  // The next two values; the second is worked out from the same state as
  // the first, so neither step waits on the other.
  std::pair<float, float> NextTwo() {
    const auto [first, second] = NextTwoDraws();
    return {static_cast<float>(first), static_cast<float>(second)};
  }
  // The same, as the states they were read from.
  ClassicDraw NextDraw() {
    state_ = kMultiplier * state_ + kIncrement;
    return {state_ & kMask};
  }
  std::pair<ClassicDraw, ClassicDraw> NextTwoDraws() {
    const std::uint32_t first = kMultiplier * state_ + kIncrement;
    state_ = kMultiplierTwice * state_ + kIncrementTwice;
    return {{first & kMask}, {state_ & kMask}};
  }
  // Jumps ahead in O(log n) steps.
  std::optional<float> Skip(std::uint64_t n) override;

  std::uint32_t state() const { return state_ & kMask; }

 private:
  static constexpr std::uint32_t kMask = 0xFFFFFF;
  static constexpr std::uint32_t kMultiplier = 0x5DEECD;  // = 1 mod 4: full period
  static constexpr std::uint32_t kIncrement = 0x3A5B1;    // odd: full period
  // Two steps at once: x -> a (a x + c) + c.
  static constexpr std::uint32_t kMultiplierTwice = kMultiplier * kMultiplier;
  static constexpr std::uint32_t kIncrementTwice = kMultiplier * kIncrement + kIncrement;

  // The state is kept in 32 bits and masked only when read: sums and
  // products modulo 2^32 leave the low 24 bits as they would be modulo
  // 2^24, and the mask is one step less on every draw.

  std::uint32_t state_ = kStartState;
};

// The one sequence as the rules draw from it: from the real generator
// directly when that is the source (inline, no virtual call: the race clock
// draws three times a tick), through the interface from any other.
class SharedRandom {
 public:
  explicit SharedRandom(RandomSource& source)
      : source_(source), classic_(dynamic_cast<ClassicGenerator*>(&source)) {}

  float Next() { return classic_ ? classic_->Next() : source_.Next(); }
  // Two draws in a row, the first first: one step of the real generator's
  // state for both.
  std::pair<float, float> NextTwo() {
    if (classic_) return classic_->NextTwo();
    const float first = source_.Next();
    return {first, source_.Next()};
  }
  std::optional<float> Skip(std::uint64_t n) { return source_.Skip(n); }
  // Runs a call that may draw: here every draw is already the shared one's.
  template <typename Call>
  void Aside(Call&& call) {
    call();
  }
  // The real generator, when it is the source.
  ClassicGenerator* classic() const { return classic_; }

 private:
  RandomSource& source_;
  ClassicGenerator* classic_;
};

// The real generator's state held in a local through a loop that draws on
// every pass: in a register, not stored and loaded back between one draw and
// the next. The shared generator gets the state back around every call that
// may draw from it or look at it (Aside), and at the end.
class LocalGenerator {
 public:
  explicit LocalGenerator(ClassicGenerator& shared) : shared_(shared), local_(shared) {}
  ~LocalGenerator() { shared_ = local_; }
  LocalGenerator(const LocalGenerator&) = delete;
  LocalGenerator& operator=(const LocalGenerator&) = delete;

  ClassicDraw Next() { return local_.NextDraw(); }
  std::pair<ClassicDraw, ClassicDraw> NextTwo() { return local_.NextTwoDraws(); }
  template <typename Call>
  void Aside(Call&& call) {
    shared_ = local_;
    // Taken back even when the call fails: the shared state is the one drawn from.
    struct TakeBack {
      LocalGenerator& generator;
      ~TakeBack() { generator.local_ = generator.shared_; }
    } take_back{*this};
    call();
  }

 private:
  ClassicGenerator& shared_;
  ClassicGenerator local_;
};

// A value scaled: r × factor computed in double precision (the single is
// exact there), rounded half to even into an Integer.
inline std::int16_t Scaled(float r, double factor) { return ToInteger(static_cast<double>(r) * factor); }
// The same for a value of the real generator and a whole factor that keeps
// the result an Integer, in whole numbers: r × factor is state × factor / 2^24
// exactly, and the sum below rounds that quotient half to even.
inline std::int16_t Scaled(ClassicDraw r, double factor) {
  if (!(factor >= 0 && factor <= 32767 && factor == static_cast<double>(static_cast<int>(factor)))) {
    return Scaled(static_cast<float>(r), factor);
  }
  constexpr int kFractionBits = 24;
  constexpr std::uint64_t kHalf = std::uint64_t{1} << (kFractionBits - 1);
  const std::uint64_t product = std::uint64_t{r.state} * static_cast<std::uint64_t>(factor);
  // Below one half, the sum stays under the next whole number; above it,
  // it reaches it; at one half exactly, it does when the quotient is odd.
  const std::uint64_t odd = (product >> kFractionBits) & 1;
  return static_cast<std::int16_t>((product + kHalf - 1 + odd) >> kFractionBits);
}

// Draws one value and scales it.
template <typename Random>
std::int16_t Draw(Random& random, double factor) {
  return Scaled(random.Next(), factor);
}

}  // namespace platform
