// Fuzzes the reading of a saved purse against a reference written here on
// its own: it reads the text character by character and works on its digits,
// never through a double. What it says a text must give:
//  - a number (blanks around it; a sign; digits with at most one point; at
//    least one digit), or else no number;
//  - for a number, its whole part when the fraction is below one half, one
//    more when it is above, the even one of the two when it is exactly one
//    half; and the even one also for a fraction so close to one half that the
//    nearest double is the half itself (the text is read into a double);
//  - an overflow when the result lies outside 32 bits.
#include <cstddef>
#include <cstdint>
#include <algorithm>
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

// Fractions are their digits after the point, as long as need be.
std::string Padded(std::string digits, std::size_t size) { return digits.append(size - digits.size(), '0'); }

// a − b, for fractions a ≥ b of the same length.
std::string Minus(std::string a, const std::string& b) {
  int borrow = 0;
  for (std::size_t i = a.size(); i-- > 0;) {
    int digit = (a[i] - '0') - (b[i] - '0') - borrow;
    borrow = digit < 0;
    a[i] = static_cast<char>('0' + digit + 10 * borrow);
  }
  return a;
}

// 2^-k as a fraction: the k digits of 5^k / 10^k.
std::string PowerOfHalf(int k) {
  std::string digits = "1";  // 5^k, most significant digit first
  for (int i = 0; i < k; ++i) {
    int carry = 0;
    for (std::size_t j = digits.size(); j-- > 0;) {
      const int product = (digits[j] - '0') * 5 + carry;
      digits[j] = static_cast<char>('0' + product % 10);
      carry = product / 10;
    }
    if (carry) digits.insert(digits.begin(), static_cast<char>('0' + carry));
  }
  return std::string(static_cast<std::size_t>(k) - digits.size(), '0') + digits;
}

// Whether the double nearest to whole + fraction is whole + 0.5 exactly:
// the distance to the half is at most half a unit in the last place of
// whole + 0.5 (a tie goes to the half, whose last bit is 0). Only for a
// whole part below 2^51, where whole + 0.5 is a double with a bit to spare.
bool ReadsAsHalf(long long whole, const std::string& fraction) {
  int exponent = -1;  // of the leading bit of whole + 0.5
  while (exponent < 62 && (1LL << (exponent + 1)) <= whole) ++exponent;
  const std::size_t size = std::max<std::size_t>(fraction.size(), 64);
  const std::string f = Padded(fraction, size), half = Padded("5", size);
  const std::string distance = f >= half ? Minus(f, half) : Minus(half, f);
  return distance <= Padded(PowerOfHalf(53 - exponent), size);
}

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
  const std::size_t size = std::max<std::size_t>(fraction.size(), 1);
  const std::string f = Padded(fraction, size), half = Padded("5", size);
  const bool odd = !expected.whole.empty() && (expected.whole.back() - '0') % 2 == 1;
  expected.down = f < half || (f == half && !odd);
  expected.up = f > half || (f == half && odd);
  if (expected.whole.size() > 15) {
    expected.down = expected.up = true;  // far outside 32 bits whichever way it goes
  } else if (ReadsAsHalf(expected.whole.empty() ? 0 : std::stoll(expected.whole), fraction)) {
    (odd ? expected.up : expected.down) = true;
  }
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
