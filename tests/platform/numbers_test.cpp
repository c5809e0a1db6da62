// The record's numbers: rounding conversions, checked sums, the odds' texts,
// the race clock's count, and the one shared random sequence; the shortcuts
// every race tick takes are held to the results worked out the long way.
// (What a saved purse's text reads as is the purse fuzzer's oracle, run on
// its corpus in every build; the local copy of the generator a race run alone
// draws through, the simulation's tests, which play its races both ways.)
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

#include "platform/random.h"
#include "ui/controls.h"

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
  for (double value : {32767.5, -32768.6, std::nan(""), 1e19, -HUGE_VAL})
    EXPECT_THROW(platform::ToInteger(value), GameError) << value;
  for (double value : {2147483647.5 /* rounds to 2^31 */, -2147483649.0, 9e18, 1e19, std::nan(""), HUGE_VAL})
    EXPECT_THROW(platform::ToLong(value), GameError) << value;
  EXPECT_THROW(platform::AddInteger(32767, 1), GameError);
  EXPECT_THROW(platform::SubtractLong(-2147483647 - 1, 1), GameError);
  EXPECT_EQ(platform::AddLongSaturating(2147483600, 100), 2147483647);
}

// Odds are whole tenths from 1.1 to 5000: their text is the shortest that
// reads back.
TEST(NumbersTest, TextsOfOdds) {
  for (std::int64_t tenths = 11; tenths <= 50000; ++tenths) {
    const float value = static_cast<float>(static_cast<double>(tenths) / 10);
    char shortest[32];
    auto end = std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::fixed).ptr;
    ASSERT_EQ(platform::SingleText(value), std::string(shortest, end)) << tenths;
  }
}

// The race clock keeps its count as a number and writes it when read: read
// on the way or not, counted tick by tick or many ticks at once, it reads as
// the race number counts on.
TEST(NumbersTest, TagsCountOnInWholeNumbers) {
  for (const auto& [tag, times, counted] :
       {std::tuple{"0", 1, "1"}, {"0", 3, "3"}, {"99", 1, "100"}, {"98", 3, "101"}}) {
    ui::Timer by_tick("TimeChar", -1), at_once("TimeChar", -1);
    by_tick.SetTag(tag), at_once.SetTag(tag);
    for (int i = 0; i < times; ++i) {
      by_tick.CountTag();
      if (i == 0) by_tick.Tag();  // read on the way
    }
    at_once.CountTags(static_cast<std::uint64_t>(times));
    EXPECT_EQ(std::tuple(by_tick.Tag(), at_once.Tag()), std::tuple(counted, counted)) << tag << " " << times;
    EXPECT_TRUE(times > 1 || platform::IncrementedText(tag) == counted) << tag;
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
  // Two at once are the next two, and the state reads as after two steps; a
  // skip lands where as many steps do.
  platform::ClassicGenerator one_by_one(12345), paired(12345), skipped(12345);
  for (int i = 0; i < 70000; ++i) {
    const auto [first, second] = paired.NextTwo();
    ASSERT_EQ(first, one_by_one.Next()) << i;
    ASSERT_EQ(second, one_by_one.Next()) << i;
  }
  EXPECT_EQ(paired.state(), one_by_one.state());
  EXPECT_EQ(skipped.Skip(140001), one_by_one.Next());
}

// The real generator's values scaled in whole numbers come to what the
// single scaled in double precision does, at every factor the game draws
// with: for every value at the race clock's, a spread of values at the
// others (halves lie exactly on some values).
TEST(RandomTest, ScalingInWholeNumbersMatchesDoublePrecision) {
  for (const auto& [factor, stride] :
       {std::pair<double, std::uint32_t>{1, 1}, {100, 1}, {3, 101}, {5, 101}, {7, 101}, {10, 101}}) {
    std::uint32_t mismatches = 0;
    for (std::uint32_t state = 0; state < (1u << 24); state += stride) {
      const platform::ClassicDraw draw{state};
      mismatches += platform::Scaled(draw, factor) != platform::Scaled(static_cast<float>(draw), factor);
    }
    EXPECT_EQ(mismatches, 0u) << "factor " << factor;
  }
}

}  // namespace
