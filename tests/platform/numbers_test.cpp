// The record's numbers: the odds' texts and the one shared random sequence;
// the shortcuts every race tick takes are held to the results worked out the
// long way. (How values round, stop at the largest Long or overflow, the
// games of the rule tests show, which round stakes, speeds, odds and payouts
// and read purses past 32 bits; the sums that would overflow a 16-bit
// Integer, or take a Long below its least, the game never makes. How the
// race clock and the race number count on, the simulation and race
// selection tests show. What a saved purse's text reads as is the purse
// fuzzer's oracle, run on its corpus in every build; the local copy of the
// generator a race run alone draws through, the simulation's tests, which
// play its races both ways.)
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <charconv>

#include "platform/random.h"

namespace {

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

// The generator's first values and a value far along, worked out by hand
// from x' = (0x5DEECD x + 0x3A5B1) mod 2^24 from x = 0x1F2B3C.
TEST(RandomTest, TheSequenceIsPinned) {
  platform::ClassicGenerator random;
  for (std::uint32_t state : {16190653u, 5869322u, 5799091u})
    EXPECT_EQ(random.Next(), static_cast<float>(state) / 16777216.0f);
  platform::ClassicGenerator jumped;
  EXPECT_EQ(jumped.Skip(1000000), 12019708.0f / 16777216.0f);
  // Two at once are the next two, and the state reads as after two steps. (A
  // skip of a few steps, or of many, lands where as many steps do: the
  // background draw's test, which catches up by skipping.)
  platform::ClassicGenerator one_by_one(12345), paired(12345);
  for (int i = 0; i < 70000; ++i) {
    const auto [first, second] = paired.NextTwo();
    ASSERT_EQ(first, one_by_one.Next()) << i;
    ASSERT_EQ(second, one_by_one.Next()) << i;
  }
  EXPECT_EQ(paired.state(), one_by_one.state());
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
