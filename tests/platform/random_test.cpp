#include "platform/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(ClassicGeneratorTest, EveryRunDrawsTheSameSequence) {
  platform::ClassicGenerator first;
  platform::ClassicGenerator second;
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(first.Next(), second.Next());
}

TEST(ClassicGeneratorTest, ValuesAreExactMultiplesOfTwoToTheMinus24InZeroToOne) {
  platform::ClassicGenerator random;
  for (int i = 0; i < 100000; ++i) {
    float value = random.Next();
    ASSERT_GE(value, 0.0f);
    ASSERT_LT(value, 1.0f);
    double scaled = static_cast<double>(value) * 16777216.0;
    ASSERT_EQ(scaled, std::floor(scaled));
  }
}

TEST(ClassicGeneratorTest, FullPeriodVisitsEveryStateOnce) {
  platform::ClassicGenerator random;
  std::uint32_t start = random.state();
  std::uint32_t period = 0;
  do {
    random.Next();
    ++period;
  } while (random.state() != start && period <= (1u << 24));
  EXPECT_EQ(period, 1u << 24);
}

TEST(ClassicGeneratorTest, SkipLandsWhereSingleDrawsWould) {
  for (std::uint64_t n : {1ull, 2ull, 3ull, 63ull, 64ull, 1000ull, 123457ull, (1ull << 24) + 5}) {
    platform::ClassicGenerator stepped;
    platform::ClassicGenerator jumped;
    float last = 0;
    for (std::uint64_t i = 0; i < n; ++i) last = stepped.Next();
    auto skipped_last = jumped.Skip(n);
    ASSERT_TRUE(skipped_last.has_value());
    EXPECT_EQ(*skipped_last, last) << n;
    EXPECT_EQ(jumped.Next(), stepped.Next()) << n;
  }
}

TEST(ClassicGeneratorTest, SkippingNothingDrawsNothing) {
  platform::ClassicGenerator skipped;
  platform::ClassicGenerator untouched;
  EXPECT_FALSE(skipped.Skip(0).has_value());
  EXPECT_EQ(skipped.Next(), untouched.Next());
}

class FixedValue final : public platform::RandomSource {
 public:
  explicit FixedValue(float value) : value_(value) {}
  float Next() override { return value_; }
  std::optional<float> Skip(std::uint64_t) override { return value_; }

 private:
  float value_;
};

struct DrawCase {
  float r;
  double factor;
  int expected;
};

class DrawTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawTest, ScalesInDoublePrecisionAndRoundsHalfToEven) {
  FixedValue random(GetParam().r);
  EXPECT_EQ(platform::Draw(random, GetParam().factor), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DrawTest,
    ::testing::Values(DrawCase{0.1f, 5, 1},      // 0.1f lies just above 0.1
                      DrawCase{0.3f, 5, 2},      // 0.3f lies just above 0.3: 1.5000000x
                      DrawCase{0.5f, 1, 0},      // exactly a half: even
                      DrawCase{0.75f, 1, 1}, DrawCase{0.25f, 10, 2}, DrawCase{0.35f, 10, 3},
                      DrawCase{0.175f, 100, 17},  // just below 17.5
                      DrawCase{0.125f, 100, 12}, DrawCase{0.375f, 100, 38}, DrawCase{0.999f, 7, 7}));

}  // namespace
