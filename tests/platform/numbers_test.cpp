#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using platform::GameError;

struct RoundCase {
  double value;
  double rounded;
};

class RoundHalfEvenTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(platform::RoundHalfEven(GetParam().value), GetParam().rounded) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Table, RoundHalfEvenTest,
                         ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2}, RoundCase{3.5, 4},
                                           RoundCase{12.5, 12}, RoundCase{37.5, 38}, RoundCase{-0.5, 0},
                                           RoundCase{-1.5, -2}, RoundCase{-2.5, -2}, RoundCase{0.49999999, 0},
                                           RoundCase{0.50000001, 1}, RoundCase{17.4999995, 17}, RoundCase{7.0, 7}));

TEST(ToIntegerTest, RoundsIntoSixteenBits) {
  EXPECT_EQ(platform::ToInteger(112.5), 112);
  EXPECT_EQ(platform::ToInteger(137.5), 138);
  EXPECT_EQ(platform::ToInteger(32767.4), 32767);
  EXPECT_EQ(platform::ToInteger(-32768.5), -32768);  // half to even stays in range
}

TEST(ToIntegerTest, OutsideTheRangeIsAnOverflow) {
  for (double value : {32767.5, 32768.0, -32768.6, 1e9, std::nan("")}) {
    try {
      platform::ToInteger(value);
      ADD_FAILURE() << value << " converted";
    } catch (const GameError& error) {
      EXPECT_EQ(error.kind(), GameError::Kind::Overflow);
    }
  }
}

TEST(ToLongTest, RoundsIntoThirtyTwoBitsAndFailsBeyond) {
  EXPECT_EQ(platform::ToLong(2147483647.0), 2147483647);
  EXPECT_EQ(platform::ToLong(-2147483648.0), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(platform::ToLong(2.5), 2);
  EXPECT_THROW(platform::ToLong(2147483647.5), GameError);  // rounds to 2147483648
  EXPECT_THROW(platform::ToLong(-2147483649.0), GameError);
}

TEST(CheckedArithmeticTest, SumsOutsideTheTypeFail) {
  EXPECT_EQ(platform::AddInteger(32766, 1), 32767);
  EXPECT_THROW(platform::AddInteger(32767, 1), GameError);
  EXPECT_THROW(platform::AddInteger(-32768, -1), GameError);
  EXPECT_THROW(platform::SubtractLong(std::numeric_limits<std::int32_t>::min(), 1), GameError);
}

TEST(CheckedArithmeticTest, SaturatingSumStopsAtTheLargestLong) {
  EXPECT_EQ(platform::AddLongSaturating(2147483600, 100), 2147483647);
  EXPECT_EQ(platform::AddLongSaturating(100, 23), 123);
  EXPECT_EQ(platform::AddLongSaturating(std::numeric_limits<std::int32_t>::min(), -1),
            std::numeric_limits<std::int32_t>::min());
}

TEST(DecimalTextTest, PlainDigits) {
  EXPECT_EQ(platform::DecimalText(0), "0");
  EXPECT_EQ(platform::DecimalText(30000), "30000");
  EXPECT_EQ(platform::DecimalText(-7), "-7");
  EXPECT_EQ(platform::DecimalText(2147483647), "2147483647");
}

struct SingleCase {
  float value;
  const char* text;
};

class SingleTextTest : public ::testing::TestWithParam<SingleCase> {};

TEST_P(SingleTextTest, ShortestFormWithAtMostSevenDigits) {
  EXPECT_EQ(platform::SingleText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SingleTextTest,
    ::testing::Values(SingleCase{1.1f, "1.1"}, SingleCase{16.1f, "16.1"}, SingleCase{20.0f, "20"},
                      SingleCase{5000.0f, "5000"}, SingleCase{4900.0f, "4900"}, SingleCase{6.7f, "6.7"},
                      SingleCase{33.3f, "33.3"}, SingleCase{0.0f, "0"}, SingleCase{0.5f, "0.5"},
                      SingleCase{0.001f, "0.001"}, SingleCase{-3.25f, "-3.25"}, SingleCase{7750.0f, "7750"},
                      SingleCase{1.0f / 3.0f, "0.3333333"}, SingleCase{1234567.0f, "1234567"},
                      SingleCase{123456789.0f, "1.234568E+08"}, SingleCase{0.00001f, "1E-05"}));

struct ParseCase {
  const char* text;
  std::optional<double> number;
};

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

// What counts as a number in a saved purse: blanks around it, a sign, digits
// with an optional fraction. Nothing else.
TEST_P(ParseNumberTest, AcceptsPlainDecimalsOnly) {
  EXPECT_EQ(platform::ParseNumber(GetParam().text), GetParam().number) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseNumberTest,
    ::testing::Values(ParseCase{"100", 100.0}, ParseCase{" 42 ", 42.0}, ParseCase{"\t7\r\n", 7.0},
                      ParseCase{"+5", 5.0}, ParseCase{"-3", -3.0}, ParseCase{"2.5", 2.5}, ParseCase{".5", 0.5},
                      ParseCase{"5.", 5.0}, ParseCase{"", std::nullopt}, ParseCase{"   ", std::nullopt},
                      ParseCase{"abc", std::nullopt}, ParseCase{"12abc", std::nullopt},
                      ParseCase{"1e3", std::nullopt}, ParseCase{"0x10", std::nullopt},
                      ParseCase{"1,000", std::nullopt}, ParseCase{"1 000", std::nullopt},
                      ParseCase{"--1", std::nullopt}, ParseCase{"1.2.3", std::nullopt}, ParseCase{".", std::nullopt},
                      ParseCase{"inf", std::nullopt}, ParseCase{"nan", std::nullopt}, ParseCase{"+", std::nullopt}));

TEST(TextToLongTest, RoundsFractionsHalfToEvenAndRefusesTheRest) {
  EXPECT_EQ(platform::TextToLong("2.5"), 2);
  EXPECT_EQ(platform::TextToLong("3.5"), 4);
  EXPECT_EQ(platform::TextToLong(" -12 "), -12);
  EXPECT_EQ(platform::TextToLong("2147483647"), 2147483647);
  EXPECT_THROW(platform::TextToLong("2147483648"), GameError);
  EXPECT_THROW(platform::TextToLong("99999999999999999999999"), GameError);
  EXPECT_THROW(platform::TextToLong("lots"), GameError);
  EXPECT_THROW(platform::TextToLong(""), GameError);
}

TEST(IncrementedTextTest, CountsInWholeNumbers) {
  EXPECT_EQ(platform::IncrementedText("0"), "1");
  EXPECT_EQ(platform::IncrementedText("41"), "42");
  EXPECT_EQ(platform::IncrementedText("32767"), "32768");
  EXPECT_EQ(platform::IncrementedText("999"), "1000");
  EXPECT_EQ(platform::IncrementedText("0999"), "1000");  // not plain: read as a number
  EXPECT_EQ(platform::IncrementedText(" 12 "), "13");
  EXPECT_EQ(platform::IncrementedText("-1"), "0");
  EXPECT_THROW(platform::IncrementedText("clock"), platform::GameError);
  std::string tag = "99";
  platform::IncrementText(tag);
  EXPECT_EQ(tag, "100");
  EXPECT_EQ(platform::IncrementedText("9007199254740992"), "9007199254740992");
}

}  // namespace
