// Fuzzes the reading of a saved purse against a reference written here on
// its own: it reads the text character by character and works on its digits,
// never through a double. What it says a text must give:
//  - a number (blanks around it; a sign; digits with at most one point; at
//    least one digit), or else no number;
//  - for a number, its whole part when the fraction is below .4, one more when
//    it is .6 or more, the even one of the two when it is exactly .5; in
//    between (.4x, .5x) either, since a double may have rounded the text;
//  - an overflow when the result lies outside 32 bits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/numbers.h"

namespace {

struct Expected {
  bool number = false;
  bool negative = false;
  std::string whole;              // digits without leading zeros, "" for 0
  bool down = false, up = false;  // may give the whole part, or one more
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

Expected Reference(std::string_view text) {
  Expected expected;
  std::size_t at = 0, end = text.size();
  while (at < end && IsBlank(text[at])) ++at;
  while (end > at && IsBlank(text[end - 1])) --end;
  if (at < end && (text[at] == '+' || text[at] == '-')) expected.negative = text[at++] == '-';
  std::string whole, fraction;
  bool point = false;
  for (; at < end; ++at) {
    if (IsDigit(text[at])) {
      (point ? fraction : whole) += text[at];
    } else if (text[at] == '.' && !point) {
      point = true;
    } else {
      return Expected{};
    }
  }
  if (whole.empty() && fraction.empty()) return Expected{};
  expected.number = true;
  expected.whole = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
  const char first = fraction.empty() ? '0' : fraction[0];
  const bool half = first == '5' && fraction.find_first_not_of('0', 1) == std::string::npos;
  const bool odd = !expected.whole.empty() && (expected.whole.back() - '0') % 2 == 1;
  expected.down = first < '5' || (half && !odd);
  expected.up = first >= '5' && !(half && !odd);
  if (first == '4' || (first == '5' && !half)) expected.down = expected.up = true;
  return expected;
}

// The magnitude as a number when it has at most ten digits; beyond that it is surely out of range.
bool Fits(const std::string& digits, bool negative, bool plus_one) {
  if (digits.size() > 10) return false;
  const long long value = (digits.empty() ? 0 : std::stoll(digits)) + (plus_one ? 1 : 0);
  return negative ? value <= 2147483648LL : value <= 2147483647LL;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Expected expected = Reference(text);
  try {
    const std::int32_t purse = platform::TextToLong(text);
    if (!expected.number) std::abort();  // read what is no number
    const std::string magnitude = purse < 0 ? std::to_string(-static_cast<long long>(purse)) : std::to_string(purse);
    if (purse != 0 && (purse < 0) != expected.negative) std::abort();
    const long long whole = expected.whole.size() > 10 ? -1 : expected.whole.empty() ? 0 : std::stoll(expected.whole);
    const long long got = std::stoll(magnitude);
    if (!((expected.down && got == whole) || (expected.up && got == whole + 1))) std::abort();
    if (platform::TextToLong(platform::DecimalText(purse)) != purse) std::abort();  // and its text reads back
  } catch (const platform::GameError& error) {
    if (!expected.number) return 0;
    if (error.kind() != platform::GameError::Kind::Overflow) std::abort();  // refused a number
    // An overflow only where every result it may give lies outside 32 bits.
    if ((expected.down && Fits(expected.whole, expected.negative, false)) ||
        (expected.up && Fits(expected.whole, expected.negative, true))) {
      std::abort();
    }
  }
  return 0;
}
