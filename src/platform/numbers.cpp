#include "platform/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace platform {

void ThrowOverflow(const char* what) { throw GameError(GameError::Kind::Overflow, what); }

std::int16_t AddInteger(std::int16_t a, std::int16_t b) {
  int sum = int{a} + int{b};
  if (sum < std::numeric_limits<std::int16_t>::min() || sum > std::numeric_limits<std::int16_t>::max()) {
    ThrowOverflow("Integer overflow");
  }
  return static_cast<std::int16_t>(sum);
}

std::int32_t SubtractLong(std::int32_t a, std::int32_t b) {
  std::int32_t difference;
  if (__builtin_sub_overflow(a, b, &difference)) ThrowOverflow("Long overflow");
  return difference;
}

std::int32_t AddLongSaturating(std::int32_t a, std::int32_t b) {
  std::int32_t sum;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? std::numeric_limits<std::int32_t>::max() : std::numeric_limits<std::int32_t>::min();
}

std::string DecimalText(std::int64_t value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string SingleText(float value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
  if (value == 0.0f) return "0";
  // Odds and most positions are whole tenths: below a million tenths the
  // single nearest to k/10 reads as k/10 with one decimal (a whole number
  // lies at least a tenth away, more than its spacing), so the text is
  // written from k at once.
  constexpr double kMostTenths = 1e6;
  if (value > 0.0f && static_cast<double>(value) * 10 < kMostTenths) {
    const double tenths = RoundHalfEven(static_cast<double>(value) * 10);
    if (tenths >= 1 && static_cast<float>(tenths / 10) == value) {
      const auto count = static_cast<std::int64_t>(tenths);
      char text[16];
      char* end = std::to_chars(text, text + sizeof text, count / 10).ptr;
      if (count % 10 != 0) {
        *end++ = '.';
        *end++ = static_cast<char>('0' + count % 10);
      }
      return std::string(text, end);
    }
  }
  // Most texts (odds, positions) are short plain decimals: the shortest
  // text that reads back as the same single, when it is one of those.
  {
    char plain[32];
    auto result = std::to_chars(plain, plain + sizeof plain, value, std::chars_format::fixed);
    if (result.ec == std::errc()) {
      std::string_view text(plain, static_cast<std::size_t>(result.ptr - plain));
      int significant = 0;
      bool leading = true;
      for (char c : text) {
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++significant;
      }
      // Trailing zeros of a whole number are not significant digits here.
      std::size_t point = text.find('.');
      if (point == std::string_view::npos) {
        for (std::size_t i = text.size(); i > 0 && text[i - 1] == '0'; --i) --significant;
      }
      float magnitude = std::fabs(value);
      if (significant <= 7 && magnitude >= 1e-4f && magnitude < 1e7f) return std::string(text);
    }
  }
  // Shortest precision (at most seven digits) whose text reads back as the
  // same single; seven digits when none does.
  char digits[32];
  int precision = 1;
  for (; precision < 7; ++precision) {
    std::snprintf(digits, sizeof digits, "%.*e", precision - 1, static_cast<double>(value));
    if (std::strtof(digits, nullptr) == value) break;
  }
  std::snprintf(digits, sizeof digits, "%.*e", precision - 1, static_cast<double>(value));
  // digits is "[-]d.ddde[+-]xx": split mantissa digits and exponent.
  std::string text(digits);
  bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  std::size_t e = text.find('e');
  int exponent = std::stoi(text.substr(e + 1));
  std::string mantissa;
  for (char c : text.substr(0, e)) {
    if (c != '.') mantissa += c;
  }
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out;
  if (exponent >= 7 || exponent < -4) {
    // Out of plain range: "1.5E+08" style, as the classic runtimes print.
    out = mantissa.substr(0, 1);
    if (mantissa.size() > 1) out += "." + mantissa.substr(1);
    out += exponent < 0 ? "E-" : "E+";
    std::string power = std::to_string(std::abs(exponent));
    if (power.size() < 2) power = "0" + power;
    out += power;
  } else if (exponent < 0) {
    out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
  } else {
    std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() <= whole) {
      out = mantissa + std::string(whole - mantissa.size(), '0');
    } else {
      out = mantissa.substr(0, whole) + "." + mantissa.substr(whole);
    }
  }
  return negative ? "-" + out : out;
}

std::optional<double> ParseNumber(std::string_view text) {
  auto is_blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;

  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Digits, at most one point, at least one digit: checked before parsing so
  // that from_chars cannot accept forms we do not (exponents, "inf", "nan").
  int digits = 0;
  int points = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.') {
      ++points;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || points > 1) return std::nullopt;

  double value = 0.0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    // A value too large for a double is still a number, just out of range.
    if (result.ec == std::errc::result_out_of_range) return negative ? -HUGE_VAL : HUGE_VAL;
    return std::nullopt;
  }
  return negative ? -value : value;
}

namespace {
[[noreturn]] void ThrowTypeMismatch() {
  throw GameError(GameError::Kind::TypeMismatch, "Type mismatch");
}
}  // namespace

std::int32_t TextToLong(std::string_view text) {
  auto number = ParseNumber(text);
  if (!number) ThrowTypeMismatch();
  return ToLong(*number);
}

std::int16_t TextToInteger(std::string_view text) {
  auto number = ParseNumber(text);
  if (!number) ThrowTypeMismatch();
  return ToInteger(*number);
}

std::string IncrementedText(std::string_view text) {
  std::string next(text);
  IncrementText(next);
  return next;
}

void IncrementText(std::string& text) {
  // Plain digits count on in place, which is the same sum for any whole
  // number a double holds exactly.
  const std::size_t size = text.size();
  char* const digits = text.data();
  bool plain = size != 0 && size <= 15 && (size == 1 || digits[0] != '0');
  for (std::size_t i = 0; i < size && plain; ++i) {
    if (static_cast<unsigned char>(digits[i] - '0') > 9) plain = false;
  }
  if (plain) {
    for (std::size_t i = size; i-- > 0;) {
      if (digits[i] != '9') {
        ++digits[i];
        return;
      }
      digits[i] = '0';
    }
    text.insert(text.begin(), '1');
    return;
  }
  auto number = ParseNumber(text);
  if (!number) ThrowTypeMismatch();
  double next = *number + 1.0;
  // Whole numbers count exactly up to 2^53; beyond that a double cannot
  // count on, and the text simply stays where it is.
  if (next >= 9007199254740992.0) next = 9007199254740992.0;
  text = DecimalText(static_cast<std::int64_t>(RoundHalfEven(next)));
}

}  // namespace platform
