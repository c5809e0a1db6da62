// The record's numbers: rounding conversions, checked sums, texts, the race
// clock's count, and the one shared random sequence; the shortcuts every race
// tick takes are held to the results worked out the long way. (What a saved
// purse's text reads as is the purse fuzzer's oracle, run on its corpus in
// every build.)
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
  // Rounding is the floating-point default's, sign and all, up to 2^52 and
  // beyond, where every double is whole already.
  const double big = 4503599627370496.0;
  for (double value : {-0.5, 0.49999999999999994, 2.5000000000000004, -0.0, big - 0.5, big + 1, 2 * big + 2, -big - 0.5,
                       1e300, -HUGE_VAL}) {
    EXPECT_EQ(platform::RoundHalfEven(value), std::nearbyint(value)) << value;
    EXPECT_EQ(std::signbit(platform::RoundHalfEven(value)), std::signbit(std::nearbyint(value))) << value;
  }
  EXPECT_TRUE(std::isnan(platform::RoundHalfEven(std::nan(""))));
  EXPECT_EQ(platform::ToInteger(32767.4), 32767);
  EXPECT_EQ(platform::ToInteger(-32768.5), -32768);  // half to even stays in range
  for (double value : {32767.5, -32768.6, std::nan(""), 1e19, -HUGE_VAL})
    EXPECT_THROW(platform::ToInteger(value), GameError) << value;
  EXPECT_EQ(platform::ToLong(-2147483648.0), -2147483647 - 1);
  for (double value : {2147483647.5 /* rounds to 2^31 */, -2147483649.0, 9e18, 1e19, std::nan(""), HUGE_VAL})
    EXPECT_THROW(platform::ToLong(value), GameError) << value;
  EXPECT_THROW(platform::AddInteger(32767, 1), GameError);
  EXPECT_THROW(platform::SubtractLong(-2147483647 - 1, 1), GameError);
  EXPECT_EQ(platform::AddLongSaturating(2147483600, 100), 2147483647);
  EXPECT_EQ(platform::AddLongSaturating(-2147483647 - 1, -1), -2147483647 - 1);
}

TEST(NumbersTest, TextsOfNumbers) {
  EXPECT_EQ(platform::DecimalText(-7), "-7");
  const std::pair<float, const char*> kTexts[] = {
      {0.0f, "0"}, {1.0f / 3.0f, "0.3333333"}, {123456789.0f, "1.234568E+08"}, {0.00001f, "1E-05"}};
  for (const auto& [value, text] : kTexts) EXPECT_EQ(platform::SingleText(value), text);
  // Odds are whole tenths: their text is the shortest that reads back, as for any single.
  for (std::int64_t tenths = 1; tenths < 1100000; tenths += tenths < 60000 ? 1 : 37) {
    const float value = static_cast<float>(static_cast<double>(tenths) / 10);
    char shortest[32];
    auto end = std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::fixed).ptr;
    ASSERT_EQ(platform::SingleText(value), std::string(shortest, end)) << tenths;
  }
}

// The race-number and clock tags count on in whole numbers, up to 2^53 where a
// double stops counting.
TEST(NumbersTest, TagsCountOnInWholeNumbers) {
  constexpr const char* kMismatch = "(type mismatch)";
  // "1.5" counts on to 2.5, which goes to the even 2.
  const std::pair<const char*, const char*> kCounted[] = {
      {"99", "100"},   {"0999", "1000"}, {" 5", "6"}, {"-8", "-7"}, {"1.5", "2"}, {"1x3", kMismatch}, {"", kMismatch},
      {"999999999999999", "1000000000000000"},        {"9007199254740990", "9007199254740991"},
      {"99999999999999999", "9007199254740992"}};
  // The race clock keeps a plain count as a number and writes it when read:
  // read on the way or not, counted tick by tick or many ticks at once, it
  // reads as the text counted on the long way.
  enum class Way { AsText, TickByTick, AllAtOnce };
  auto count = [](const std::string& text, int times, Way way) -> std::string {
    ui::Timer clock("TimeChar", -1);
    std::string tag = text;
    try {
      clock.SetTag(text);
      if (way == Way::AllAtOnce) clock.CountTags(static_cast<std::uint64_t>(times));
      for (int i = 0; i < times; ++i) {
        if (way == Way::AsText) platform::IncrementText(tag);
        if (way == Way::TickByTick && (clock.CountTag(), i == 0)) clock.Tag();  // read once on the way
      }
    } catch (const GameError&) {
      return kMismatch;
    }
    return way == Way::AsText ? tag : clock.Tag();
  };
  for (const auto& [text, once] : kCounted) {
    EXPECT_EQ(count(text, 1, Way::AsText), once) << '"' << text << '"';
    for (int times : {1, 3}) {
      for (Way way : {Way::TickByTick, Way::AllAtOnce}) {
        EXPECT_EQ(count(text, times, way), count(text, times, Way::AsText)) << text << " " << times;
      }
    }
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
  // Two at once are the next two, and the state reads as after two steps; a
  // skip lands where as many steps do.
  platform::ClassicGenerator one_by_one(12345), paired(12345), skipped(12345);
  for (int i = 0; i < 70000; ++i) {
    const auto [first, second] = paired.NextTwo();
    ASSERT_EQ(first, one_by_one.Next()) << i;
    ASSERT_EQ(second, one_by_one.Next()) << i;
  }
  EXPECT_EQ(paired.state(), one_by_one.state());
  EXPECT_EQ(paired.Skip(100), one_by_one.Skip(100));
  EXPECT_EQ(skipped.Skip(140101), one_by_one.Skip(1));
  // A loop's local copy draws on the one sequence: a call aside draws next,
  // and the shared generator is where the last draw left it.
  platform::ClassicGenerator shared(777), in_turn(777);
  {
    platform::LocalGenerator local(shared);
    const auto [first, second] = local.NextTwo();
    EXPECT_EQ(std::pair(static_cast<float>(first), static_cast<float>(second)), in_turn.NextTwo());
    local.Aside([&] { EXPECT_EQ(shared.Next(), in_turn.Next()); });
    EXPECT_EQ(static_cast<float>(local.Next()), in_turn.Next());
  }
  EXPECT_EQ(shared.state(), in_turn.state());
}

// The real generator's values scaled in whole numbers come to what the
// single scaled in double precision does: for every value at the factors
// the race clock scales by, and for a spread of values at others (halves
// lie exactly on some values). A factor that is not whole, or too large,
// takes the double path.
TEST(RandomTest, ScalingInWholeNumbersMatchesDoublePrecision) {
  const std::pair<double, std::uint32_t> kFactorsAndStrides[] = {
      {1, 1}, {100, 1}, {0, 101}, {5, 101}, {7, 101}, {256, 101}, {32767, 101}, {2.5, 101}, {40000, 1009}, {-1, 101}};
  for (const auto& [factor, stride] : kFactorsAndStrides) {
    std::uint32_t mismatches = 0;
    for (std::uint32_t state = 0; state < (1u << 24); state += stride) {
      const platform::ClassicDraw draw{state};
      bool same = false;
      try {
        same = platform::Scaled(draw, factor) == platform::Scaled(static_cast<float>(draw), factor);
      } catch (const platform::GameError&) {
        // Both overflow, or the mismatch shows below.
        same = factor > 32767 && static_cast<double>(static_cast<float>(draw)) * factor >= 32767.5;
      }
      mismatches += same ? 0 : 1;
    }
    EXPECT_EQ(mismatches, 0u) << "factor " << factor;
  }
}

}  // namespace
