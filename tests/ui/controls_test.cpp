#include "ui/controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/numbers.h"
#include "ui/form_model.h"

namespace {

using platform::GameError;

struct LaneButtons : ::testing::Test {
  LaneButtons() {
    for (int i = 0; i < 3; ++i) {
      buttons.push_back(std::make_unique<ui::OptionButton>("CharKake", i));
      group.Add(*buttons.back());
      buttons.back()->on_click = [this, i] { clicks.push_back(i); };
    }
  }
  ui::OptionGroup group;
  std::vector<std::unique_ptr<ui::OptionButton>> buttons;
  std::vector<int> clicks;
};

TEST_F(LaneButtons, SelectingOneClearsTheOthersAndRaisesItsClick) {
  buttons[0]->SetValue(true);
  buttons[2]->SetValue(true);
  EXPECT_FALSE(buttons[0]->Value());
  EXPECT_TRUE(buttons[2]->Value());
  EXPECT_EQ(clicks, (std::vector<int>{0, 2}));
}

TEST_F(LaneButtons, SelectingTheSelectedButtonAgainRaisesNothing) {
  buttons[1]->SetValue(true);
  buttons[1]->SetValue(true);
  EXPECT_EQ(clicks, (std::vector<int>{1}));
}

TEST_F(LaneButtons, APlayerClickAlwaysRaisesOneClick) {
  buttons[1]->ClickByPlayer();
  buttons[1]->ClickByPlayer();
  EXPECT_EQ(clicks, (std::vector<int>{1, 1}));
  EXPECT_TRUE(buttons[1]->Value());
}

TEST_F(LaneButtons, ClearingRaisesNothing) {
  buttons[1]->SetValue(true);
  buttons[1]->SetValue(false);
  EXPECT_FALSE(buttons[1]->Value());
  EXPECT_EQ(clicks, (std::vector<int>{1}));
}

struct StakeBar : ::testing::Test {
  StakeBar() {
    bar.SetMax(30000);
    bar.SetMin(1);
    bar.SetValue(1);
    bar.on_change = [this] { changes.push_back(bar.Value()); };
    bar.on_scroll = [this] { scrolls.push_back(bar.Value()); };
  }
  ui::ScrollBar bar{"KakeHScroll", -1};
  std::vector<int> changes;
  std::vector<int> scrolls;
};

TEST_F(StakeBar, ChangeOnEveryNewValueAndNeverWithoutOne) {
  bar.SetValue(500);
  bar.SetValue(500);
  bar.SetValue(1);
  EXPECT_EQ(changes, (std::vector<int>{500, 1}));
}

TEST_F(StakeBar, ALowerMaxPullsTheValueInAndRaisesChange) {
  bar.SetValue(500);
  bar.SetMax(100);
  EXPECT_EQ(bar.Value(), 100);
  bar.SetMax(200);  // the value lies inside: nothing moves
  EXPECT_EQ(changes, (std::vector<int>{500, 100}));
}

TEST_F(StakeBar, AValueOutsideTheRangeIsRefused) {
  EXPECT_THROW(bar.SetValue(30001), GameError);
  EXPECT_THROW(bar.SetValue(0), GameError);
  EXPECT_EQ(bar.Value(), 1);
  EXPECT_TRUE(changes.empty());
}

struct StepCase {
  int step;
  bool accepted;
};

class StepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepTest, LargeChangeOutsideOneTo32767IsAnError) {
  ui::ScrollBar bar("KakeHScroll", -1);
  bar.SetLargeChange(1000);
  if (GetParam().accepted) {
    bar.SetLargeChange(GetParam().step);
    EXPECT_EQ(bar.LargeChange(), GetParam().step);
  } else {
    try {
      bar.SetLargeChange(GetParam().step);
      ADD_FAILURE();
    } catch (const GameError& error) {
      EXPECT_EQ(error.kind(), GameError::Kind::InvalidPropertyValue);
    }
    EXPECT_EQ(bar.LargeChange(), 1000);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, StepTest,
                         ::testing::Values(StepCase{0, false}, StepCase{-1, false}, StepCase{1, true},
                                           StepCase{3000, true}, StepCase{32767, true}, StepCase{32768, false}));

TEST_F(StakeBar, ADragScrollsAllTheWayAndChangesOnceAtTheEnd) {
  bar.DragByPlayer(10000);
  bar.DragByPlayer(40000);  // beyond the end: held at Max
  EXPECT_EQ(scrolls, (std::vector<int>{10000, 30000}));
  EXPECT_TRUE(changes.empty());
  bar.EndDragByPlayer();
  EXPECT_EQ(changes, (std::vector<int>{30000}));
}

TEST_F(StakeBar, ADragBackToWhereItStartedChangesNothing) {
  bar.DragByPlayer(50);
  bar.DragByPlayer(1);
  bar.EndDragByPlayer();
  EXPECT_TRUE(changes.empty());
}

TEST(TimerTest, EveryAssignmentOfIntervalIsHeard) {
  ui::Timer timer("CharAnime", 0);
  std::vector<int> heard;
  timer.AddObserver([&](ui::Control& control, ui::Property property) {
    if (property == ui::Property::Interval) heard.push_back(static_cast<ui::Timer&>(control).Interval());
  });
  timer.SetInterval(50);
  timer.SetInterval(50);
  timer.SetInterval(0);
  EXPECT_EQ(heard, (std::vector<int>{50, 50, 0}));
}

TEST(ImageListTest, PicturesAreNumberedFromOne) {
  ui::ImageList list("CharList", 0);
  list.Add("stand");
  list.Add("run");
  EXPECT_EQ(list.Picture(1), "stand");
  EXPECT_EQ(list.Picture(2), "run");
  EXPECT_THROW(list.Picture(0), GameError);
  EXPECT_THROW(list.Picture(3), GameError);
}

TEST(ControlArrayTest, AMissingMemberIsAnError) {
  ui::ControlSet set(ui::MainFormDefinition());
  ui::ControlArray<ui::OptionButton> lanes(set, "CharKake");
  EXPECT_EQ(lanes.size(), 6);
  EXPECT_EQ(lanes[5].QualifiedName(), "CharKake5");
  try {
    lanes[6];  // "no lane" has no button
    ADD_FAILURE();
  } catch (const GameError& error) {
    EXPECT_EQ(error.kind(), GameError::Kind::SubscriptOutOfRange);
  }
  EXPECT_THROW(lanes[-1], GameError);
}

TEST(ControlTest, ObserversHearOnlyRealChanges) {
  ui::Label label("Money", -1);
  int heard = 0;
  label.AddObserver([&](ui::Control&, ui::Property) { ++heard; });
  label.SetCaption("100");
  label.SetCaption("100");
  label.SetVisible(true);
  EXPECT_EQ(heard, 1);
}

}  // namespace
