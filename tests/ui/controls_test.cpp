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
// of other properties, only real changes. A listener of one property hears
// that one only: the race clock's tag changes on every tick unheard.
TEST(ControlsTest, ObserversHearEveryIntervalAndOtherwiseOnlyRealChanges) {
  ui::Timer timer("CharAnime", 0), clock("TimeChar", -1);
  ui::Label label("Money", -1);
  std::vector<std::string> heard;
  timer.AddObserver([&](ui::Control&, ui::Property) { heard.push_back(std::to_string(timer.Interval())); });
  label.AddObserver([&](ui::Control&, ui::Property) { heard.push_back(label.Caption()); });
  clock.AddObserver(ui::Property::Interval, [&](ui::Control&, ui::Property) { heard.push_back("interval"); });
  for (int interval : {50, 50, 0}) timer.SetInterval(interval);
  for (const char* caption : {"100", "100", "90"}) label.SetCaption(caption);
  label.SetVisible(true);
  clock.SetTag("0");
  clock.CountTag();
  clock.AddObserver([&](ui::Control&, ui::Property property) {
    if (property == ui::Property::Tag) heard.push_back("tag " + clock.Tag());
  });
  clock.CountTag();
  clock.SetInterval(1);
  EXPECT_EQ(heard, (std::vector<std::string>{"50", "50", "0", "100", "90", "tag 2", "interval"}));
}

// A runner slides on past the goal in one move: it ends where its steps lead,
// each rounded, heard step by step or not heard at all.
TEST(ControlsTest, ASlideEndsWhereItsStepsLeadHeardOrNot) {
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
}

}  // namespace
