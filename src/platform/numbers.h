// Whole numbers, singles and their texts, as the game's record uses them:
// 16-bit "Integer" and 32-bit "Long" values with checked arithmetic,
// conversions that round half to even, and plain decimal texts.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace platform {

// A failed statement of the rules: an overflow, an index out of bounds, a
// value a control refuses. Routines that ignore errors step by step skip
// exactly these; anything else is a bug and escapes to the dispatcher.
class GameError : public std::runtime_error {
 public:
  enum class Kind { Overflow, SubscriptOutOfRange, TypeMismatch, InvalidPropertyValue };
  GameError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

[[noreturn]] void ThrowOverflow(const char* what);

// Rounds to the nearest whole number, halves to the even neighbour. Inline:
// every race tick rounds twice.
inline double RoundHalfEven(double value) {
  // Below 2^52, adding and taking away 2^52 leaves the whole number the
  // default floating-point mode rounds to: nearest, halves to even. The game
  // never changes that mode; larger values are whole already.
  constexpr double kWholeFrom = 4503599627370496.0;
  const double magnitude = std::fabs(value);
  if (!(magnitude < kWholeFrom)) return value;
  return std::copysign((magnitude + kWholeFrom) - kWholeFrom, value);
}

// Floating value to a 16-bit or 32-bit whole number, rounding half to even;
// a result outside the type's range (or not a number) is an overflow.
template <typename Whole>
Whole RoundedInto(double value, const char* overflow) {
#if defined(__x86_64__)
  // The processor's conversion rounds in the default mode, half to even, in
  // one instruction; what it cannot convert (too large, not a number) comes
  // out as the lowest 64-bit value, outside every range here.
  const std::int64_t rounded = _mm_cvtsd_si64(_mm_set_sd(value));
  if (rounded < std::numeric_limits<Whole>::min() || rounded > std::numeric_limits<Whole>::max()) {
    ThrowOverflow(overflow);
  }
#else
  const double rounded = RoundHalfEven(value);
  // Written so that a value that is not a number fails the test too.
  if (!(rounded >= static_cast<double>(std::numeric_limits<Whole>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Whole>::max()))) {
    ThrowOverflow(overflow);
  }
#endif
  return static_cast<Whole>(rounded);
}
inline std::int16_t ToInteger(double value) { return RoundedInto<std::int16_t>(value, "Integer overflow"); }
inline std::int32_t ToLong(double value) { return RoundedInto<std::int32_t>(value, "Long overflow"); }

// Checked sums and differences: outside the type's range is an overflow.
std::int16_t AddInteger(std::int16_t a, std::int16_t b);
std::int32_t SubtractLong(std::int32_t a, std::int32_t b);

// A sum that stops at the largest Long instead of failing: a purse never
// overflows into a crash and never drops winnings silently.
std::int32_t AddLongSaturating(std::int32_t a, std::int32_t b);

// Plain decimal text: no blanks, no leading zeros, no grouping.
std::string DecimalText(std::int64_t value);

// A single as the shortest decimal text with at most seven significant
// digits: no trailing zeros, no point for whole numbers ("1.1", "20", "5000").
std::string SingleText(float value);

// A text read as a number: optional blanks around it, an optional sign,
// decimal digits with an optional fraction. Nothing else counts (no
// exponent, no grouping, no hexadecimal). Empty when the text is no number.
std::optional<double> ParseNumber(std::string_view text);

// Text to Long or Integer: ParseNumber, then the rounding conversion.
// A text that is no number is a type mismatch; out of range, an overflow.
std::int32_t TextToLong(std::string_view text);
std::int16_t TextToInteger(std::string_view text);

// A whole-number text plus one, as the clock and race-number tags count:
// the sum in double precision, written back as a plain whole number.
std::string IncrementedText(std::string_view text);
// The same, in place.
void IncrementText(std::string& text);

}  // namespace platform
