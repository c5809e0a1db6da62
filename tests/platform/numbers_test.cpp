// The record's numbers: rounding conversions, checked sums, texts, and the
// one shared random sequence. (What a saved purse's text reads as is the purse
// fuzzer's oracle, run on its corpus in every build.)
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/random.h"

namespace {

using platform::GameError;

TEST(NumbersTest, ConversionsRoundHalfToEvenAndOverflowOutsideTheirType) {
  const std::pair<double, double> kRounded[] = {{0.5, 0.0},   {1.5, 2.0},        {2.5, 2.0},        {-0.5, 0.0},
                                                {-2.5, -2.0}, {0.49999999, 0.0}, {0.50000001, 1.0}, {17.4999995, 17.0}};
  for (const auto& [value, rounded] : kRounded) {
    EXPECT_EQ(platform::RoundHalfEven(value), rounded) << value;
    EXPECT_EQ(platform::ToInteger(value), rounded) << value;
    EXPECT_EQ(platform::ToLong(value + 65536), rounded + 65536) << value;
  }
  EXPECT_EQ(platform::ToInteger(32767.4), 32767);
  EXPECT_EQ(platform::ToInteger(-32768.5), -32768);  // half to even stays in range
  for (double value : {32767.5, -32768.6, std::nan(""), 1e19, -HUGE_VAL}) {
    EXPECT_THROW(platform::ToInteger(value), GameError) << value;
  }
  EXPECT_EQ(platform::ToLong(-2147483648.0), -2147483647 - 1);
  for (double value : {2147483647.5 /* rounds to 2^31 */, -2147483649.0, 9e18, 1e19, std::nan(""), HUGE_VAL}) {
    EXPECT_THROW(platform::ToLong(value), GameError) << value;
  }
  EXPECT_THROW(platform::AddInteger(32767, 1), GameError);
  EXPECT_THROW(platform::SubtractLong(-2147483647 - 1, 1), GameError);
  EXPECT_EQ(platform::AddLongSaturating(2147483600, 100), 2147483647);
  EXPECT_EQ(platform::AddLongSaturating(-2147483647 - 1, -1), -2147483647 - 1);
}

TEST(NumbersTest, TextsOfNumbers) {
  EXPECT_EQ(platform::DecimalText(-7), "-7");
  const std::pair<float, const char*> kTexts[] = {{1.1f, "1.1"},
                                                  {16.1f, "16.1"},
                                                  {20.0f, "20"},
                                                  {0.0f, "0"},
                                                  {1.0f / 3.0f, "0.3333333"},
                                                  {123456789.0f, "1.234568E+08"},
                                                  {0.00001f, "1E-05"}};
  for (const auto& [value, text] : kTexts) {
    EXPECT_EQ(platform::SingleText(value), text);
  }
  for (const auto& [text, next] :
       {std::pair{"0", "1"}, {"999", "1000"}, {"0999", "1000"}, {"9007199254740992", "9007199254740992"}}) {
    EXPECT_EQ(platform::IncrementedText(text), next) << text;  // the tags count on in whole numbers
  }
}

// The generator's first values and a value far along, worked out by hand
// from x' = (0x5DEECD x + 0x3A5B1) mod 2^24 from x = 0x1F2B3C.
TEST(RandomTest, TheSequenceIsPinned) {
  platform::ClassicGenerator random;
  for (std::uint32_t state : {16190653u, 5869322u, 5799091u})
    EXPECT_EQ(random.Next(), static_cast<float>(state) / 16777216.0f);
  platform::ClassicGenerator jumped;
  EXPECT_EQ(jumped.Skip(1000000), 12019708.0f / 16777216.0f);
  EXPECT_FALSE(jumped.Skip(0));
  jumped.Skip((1u << 24) - 1000000);  // the full period: back at the start
  EXPECT_EQ(jumped.state(), platform::ClassicGenerator::kStartState);
  platform::ClassicGenerator stepped(12345), skipped(12345), paired(12345);
  for (int i = 0; i < 123457; ++i) stepped.Next();
  EXPECT_EQ(skipped.Skip(123457), stepped.state() / 16777216.0f);
  // Two at once are the next two, and the state reads as after two steps.
  platform::ClassicGenerator one_by_one(12345);
  for (int i = 0; i < 70000; ++i) {
    const auto [first, second] = paired.NextTwo();
    ASSERT_EQ(first, one_by_one.Next()) << i;
    ASSERT_EQ(second, one_by_one.Next()) << i;
  }
  EXPECT_EQ(paired.state(), one_by_one.state());
  EXPECT_EQ(paired.Skip(100), one_by_one.Skip(100));
}

// A draw scales a single in double precision and rounds half to even.
TEST(RandomTest, DrawsRoundHalfToEven) {
  struct Fixed final : platform::RandomSource {
    float value = 0;
    float Next() override { return value; }
    std::optional<float> Skip(std::uint64_t) override { return value; }
  } random;
  struct Row {
    float r;
    double factor;
    int drawn;
  };
  for (const Row& row : {Row{0.1f, 5, 1} /* 0.1f lies just above 0.1 */, Row{0.3f, 5, 2}, Row{0.5f, 1, 0},
                         Row{0.75f, 1, 1}, Row{0.35f, 10, 3}, Row{0.175f, 100, 17}, Row{0.375f, 100, 38}}) {
    random.value = row.r;
    EXPECT_EQ(platform::Draw(random, row.factor), row.drawn) << row.r << " x " << row.factor;
  }
}

}  // namespace
