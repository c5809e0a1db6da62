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

// The real generator: a 24-bit linear congruential sequence with a fixed
// start, so every run draws the same values from its start and every value
// (a multiple of 2^-24) is exact in single precision. Full period 2^24.
class ClassicGenerator final : public RandomSource {
 public:
  static constexpr std::uint32_t kStartState = 0x1F2B3C;

  ClassicGenerator() = default;
  explicit ClassicGenerator(std::uint32_t state) : state_(state & kMask) {}

  float Next() override {
    state_ = kMultiplier * state_ + kIncrement;
    return Value(state_);
  }
  // The next two values; the second is worked out from the same state as
  // the first, so neither step waits on the other.
  std::pair<float, float> NextTwo() {
    const std::uint32_t first = kMultiplier * state_ + kIncrement;
    state_ = kMultiplierTwice * state_ + kIncrementTwice;
    return {Value(first), Value(state_)};
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
  static constexpr float kScale = 1.0f / 16777216.0f;

  // The state is kept in 32 bits and masked only when read: sums and
  // products modulo 2^32 leave the low 24 bits as they would be modulo
  // 2^24, and the mask is one step less on every draw.
  static float Value(std::uint32_t state) { return static_cast<float>(state & kMask) * kScale; }

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

  float Next() { return local_.Next(); }
  std::pair<float, float> NextTwo() { return local_.NextTwo(); }
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

// Draws one value and scales it: r × factor computed in double precision
// (the single is exact there), rounded half to even into an Integer.
template <typename Random>
std::int16_t Draw(Random& random, double factor) {
  return ToInteger(static_cast<double>(random.Next()) * factor);
}

}  // namespace platform
