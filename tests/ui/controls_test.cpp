// The toolkit behaviours the rules rely on, built into the control model.
#include "ui/controls.h"

#include <gtest/gtest.h>

#include "platform/numbers.h"
#include "ui/form_model.h"

namespace {

using platform::GameError;

TEST(ControlsTest, OptionButtonsAreOneGroupAndRaiseClickOnANewSelection) {
  ui::OptionGroup group;
  std::vector<std::unique_ptr<ui::OptionButton>> buttons;
  std::vector<int> clicks;
  for (int i = 0; i < 3; ++i) {
    buttons.push_back(std::make_unique<ui::OptionButton>("CharKake", i));
    group.Add(*buttons.back());
    buttons.back()->on_click = [&clicks, i] { clicks.push_back(i); };
  }
  buttons[0]->SetValue(true);
  buttons[2]->SetValue(true);
  buttons[2]->SetValue(true);  // already selected: nothing raised
  EXPECT_FALSE(buttons[0]->Value());
  buttons[1]->ClickByPlayer();  // a player's click always raises one
  buttons[1]->ClickByPlayer();
  buttons[1]->SetValue(false);  // clearing raises nothing
  EXPECT_FALSE(buttons[1]->Value() || buttons[2]->Value());
  EXPECT_EQ(clicks, (std::vector<int>{0, 2, 1, 1}));
}

TEST(ControlsTest, TheScrollBarChangesOnEveryNewValueAndScrollsDuringADrag) {
  ui::ScrollBar bar{"KakeHScroll", -1};
  bar.SetMax(30000);
  bar.SetMin(1);
  std::vector<std::string> events;
  bar.on_change = [&] { events.push_back("change " + std::to_string(bar.Value())); };
  bar.on_scroll = [&] { events.push_back("scroll " + std::to_string(bar.Value())); };
  bar.SetValue(500);
  bar.SetValue(500);
  bar.SetMax(100);  // a lower maximum pulls the value in
  bar.SetMax(200);
  EXPECT_THROW(bar.SetValue(201), GameError);
  bar.DragByPlayer(150);
  bar.DragByPlayer(40000);  // held at the maximum
  bar.EndDragByPlayer();
  bar.DragByPlayer(50);
  bar.DragByPlayer(200);  // back where it started: no change at the end
  bar.EndDragByPlayer();
  EXPECT_EQ(events, (std::vector<std::string>{"change 500", "change 100", "scroll 150", "scroll 200", "change 200",
                                              "scroll 50", "scroll 200"}));
  bar.SetLargeChange(1000);
  for (int step : {0, 32768}) EXPECT_THROW(bar.SetLargeChange(step), GameError) << step;  // 1..32767 only
  EXPECT_EQ(bar.LargeChange(), 1000);
}

TEST(ControlsTest, TimersImageListsArraysAndObservers) {
  ui::Timer timer("CharAnime", 0);
  std::vector<int> heard;  // every assignment of an interval restarts a timer: all are heard
  timer.AddObserver([&](ui::Control& control, ui::Property) { heard.push_back(static_cast<ui::Timer&>(control).Interval()); });
  for (int interval : {50, 50, 0}) timer.SetInterval(interval);
  EXPECT_EQ(heard, (std::vector<int>{50, 50, 0}));
  ui::Label label("Money", -1);  // other properties: only real changes are heard
  int changes = 0;
  label.AddObserver([&](ui::Control&, ui::Property) { ++changes; });
  for (const char* caption : {"100", "100"}) label.SetCaption(caption);
  label.SetVisible(true);
  EXPECT_EQ(changes, 1);
  ui::ImageList list("CharList", 0);
  list.Add("stand");
  EXPECT_EQ(list.Picture(1), "stand");  // numbered from 1
  EXPECT_THROW(list.Picture(0), GameError);
  ui::ControlSet set(ui::MainFormDefinition());
  ui::ControlArray<ui::OptionButton> lanes(set, "CharKake");
  EXPECT_EQ(lanes[5].QualifiedName(), "CharKake5");
  EXPECT_THROW(lanes[6], GameError);  // "no lane" has no button
}

}  // namespace
