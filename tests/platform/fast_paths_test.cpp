// The shortcuts every race tick takes give what the long way gives.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/numbers.h"
#include "ui/form_model.h"
#include "ui/form_definition.h"

namespace {

// The tag after `times` counts (read once on the way), or the error.
std::string Counted(const std::string& text, int times, bool as_clock) {
  ui::Timer clock("TimeChar", -1);
  std::string counted = text;
  try {
    clock.SetTag(text);
    for (int i = 0; i < times; ++i) {
      if (!as_clock) {
        platform::IncrementText(counted);
      } else if (clock.CountTag(); i == 0) {
        clock.Tag();
      }
    }
  } catch (const platform::GameError&) {
    return "(type mismatch)";
  }
  return as_clock ? clock.Tag() : counted;
}

TEST(FastPathsTest, TheClockTagCountsOnAsAnyTextWould) {
  for (const char* text : {"0", "8", "9", "18", "19", "99", "1234567", "0999", "08", "1x3", "x8", "", " 5", "-8", "1.5",
                           "999999999999999", "9007199254740990", "9007199254740992", "99999999999999999"}) {
    for (int times : {1, 3}) EXPECT_EQ(Counted(text, times, true), Counted(text, times, false)) << text << " " << times;
  }
}

// Odds are whole tenths: their text is the shortest that reads back, as for
// any single.
TEST(FastPathsTest, WholeTenthsReadAsTheirShortestText) {
  for (std::int64_t tenths = 1; tenths < 1100000; tenths += tenths < 60000 ? 1 : 37) {
    const float value = static_cast<float>(static_cast<double>(tenths) / 10);
    char shortest[32];
    auto end = std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::fixed).ptr;
    ASSERT_EQ(platform::SingleText(value), std::string(shortest, end)) << tenths;
  }
}

TEST(FastPathsTest, RoundingIsTheFloatingPointDefaultsHalfToEven) {
  const double big = 4503599627370496.0;  // 2^52: from here on every double is whole
  for (double value : {0.5, 1.5, -2.5, 0.49999999999999994, 2.5000000000000004, -0.0, 32767.5, -32768.5, big - 0.5,
                       big + 1, 2 * big + 2, -big - 0.5, 1e300, -1e300, std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(platform::RoundHalfEven(value), std::nearbyint(value)) << value;
    EXPECT_EQ(std::signbit(platform::RoundHalfEven(value)), std::signbit(std::nearbyint(value))) << value;
  }
  EXPECT_TRUE(std::isnan(platform::RoundHalfEven(std::nan(""))));
  EXPECT_THROW(platform::ToInteger(std::nan("")), platform::GameError);
}

TEST(FastPathsTest, AListenerOfOnePropertyHearsThatOneOnly) {
  ui::Timer clock("TimeChar", -1);
  std::vector<ui::Property> heard;
  clock.AddObserver(ui::Property::Interval, [&](ui::Control&, ui::Property property) { heard.push_back(property); });
  clock.SetTag("0");
  clock.CountTag();
  clock.SetInterval(1);
  EXPECT_EQ(heard, (std::vector<ui::Property>{ui::Property::Interval}));
  clock.AddObserver([&](ui::Control&, ui::Property property) { heard.push_back(property); });
  clock.CountTag();
  EXPECT_EQ(heard, (std::vector<ui::Property>{ui::Property::Interval, ui::Property::Tag}));
}

// A slide: the same place, heard or not, each step rounded; heard step by step.
TEST(FastPathsTest, ASlideEndsWhereItsStepsLeadHeardOrNot) {
  ui::Image heard("ImgChar", 0), unheard("ImgChar", 1);
  int steps_heard = 0;
  heard.AddObserver(ui::Property::Left, [&](ui::Control&, ui::Property) { ++steps_heard; });
  for (ui::Image* image : {&heard, &unheard}) {
    image->SetLeft(1000);
    image->MoveLeftBy(0.1f, 51);
  }
  float left = 1000;
  for (int i = 0; i < 51; ++i) left = left - 0.1f;
  EXPECT_EQ(std::pair(heard.Left(), unheard.Left()), std::pair(left, left));
  EXPECT_EQ(steps_heard, 1 + 51);
  heard.SetLeft(left);  // where it is already: nothing to hear
  EXPECT_EQ(steps_heard, 1 + 51);
}

TEST(FastPathsTest, FindingAMemberThatIsNotThereGivesNothing) {
  ui::ControlSet set(ui::MainFormDefinition());
  ui::ControlArray<ui::OptionButton> lanes(set, "CharKake");
  EXPECT_EQ(lanes.Find(5), &lanes[5]);
  EXPECT_EQ(lanes.Find(6), nullptr);
  EXPECT_EQ(lanes.Find(-1), nullptr);
}

}  // namespace
