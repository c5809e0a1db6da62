// The toolkit behaviours the rules rely on, built into the control model, in
// the cases the games in the other tests do not reach.
#include "ui/controls.h"

#include <gtest/gtest.h>

namespace {

TEST(ControlsTest, TheScrollBarChangesOnEveryNewValueAndScrollsDuringADrag) {
  ui::ScrollBar bar{"KakeHScroll", -1};
  bar.SetMax(30000);
  bar.SetMin(1);
  std::vector<std::string> events;
  bar.on_change = [&] { events.push_back("change " + std::to_string(bar.Value())); };
  bar.on_scroll = [&] { events.push_back("scroll " + std::to_string(bar.Value())); };
  bar.SetValue(500);
  bar.SetValue(500);
  bar.SetMax(200);                                              // a lower maximum pulls the value in
  for (int value : {150, 40000, 100}) bar.DragByPlayer(value);  // held at the maximum
  bar.EndDragByPlayer();
  for (int value : {50, 100}) bar.DragByPlayer(value);  // back where it started: no change at the end
  bar.EndDragByPlayer();
  EXPECT_EQ(events, (std::vector<std::string>{"change 500", "change 200", "scroll 150", "scroll 200", "scroll 100",
                                              "change 100", "scroll 50", "scroll 100"}));
}

// Every assignment of an interval restarts a timer, so every one is heard;
// of other properties, only real changes.
TEST(ControlsTest, ObserversHearEveryIntervalAndOtherwiseOnlyRealChanges) {
  ui::Timer timer("CharAnime", 0);
  ui::Label label("Money", -1);
  std::vector<std::string> heard;
  timer.AddObserver([&](ui::Control&, ui::Property) { heard.push_back(std::to_string(timer.Interval())); });
  label.AddObserver([&](ui::Control&, ui::Property) { heard.push_back(label.Caption()); });
  for (int interval : {50, 50, 0}) timer.SetInterval(interval);
  for (const char* caption : {"100", "100", "90"}) label.SetCaption(caption);
  label.SetVisible(true);
  EXPECT_EQ(heard, (std::vector<std::string>{"50", "50", "0", "100", "90"}));
}

}  // namespace
