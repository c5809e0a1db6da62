// Opening and closing a run with the saved purse; the About dialog.
#include <gtest/gtest.h>

#include "support/race_script.h"

namespace {

using testing_support::StartedGame;
using testing_support::TestGame;

// A fortune costs 10: it is sold only above that, from the start on. The
// stake bar offers the purse up to 30000, in large steps of a tenth (halves
// to even) and at least 1, as after every settlement.
TEST(StartUpTest, TheSavedPurseComesBackAndTheStakeBarFitsIt) {
  using Row = std::tuple<std::optional<std::string>, int, int>;  // the saved text, the purse, the bar's large step
  for (const auto& [saved, purse, large_step] :
       {Row{std::nullopt, 100, 10}, Row{"", 100, 10}, Row{"0", 10, 1}, Row{"-50", 10, 1}, Row{"1", 1, 1},
        Row{"3", 3, 1}, Row{"lots", 100, 10}, Row{"2147483648", 100, 10}, Row{"1e3", 100, 10}, Row{" +250 ", 250, 25},
        Row{"12.5", 12, 1}, Row{"15", 15, 2}, Row{"25", 25, 2}, Row{"35", 35, 4}, Row{"95", 95, 10},
        Row{"29999", 29999, 3000}, Row{"30000", 30000, 3000}, Row{"30001", 30001, 3000},
        Row{"2147483647", 2147483647, 3000}}) {
    StartedGame game(saved);
    const auto& c = game.c();
    EXPECT_EQ(std::tuple(game.s().PlayerMoney, c.Money.Caption(), c.omi.Enabled(), c.KakeHScroll.Max(),
                         c.KakeHScroll.LargeChange(), c.KakeHScroll.SmallChange()),
              std::tuple(purse, std::to_string(purse), purse > 10, std::min(purse, 30000), large_step, 1))
        << saved.value_or("(nothing saved)");
  }
}

// The first draws are the start-up's however long the window took to appear;
// from then on the background timer draws at its pace.
TEST(StartUpTest, TheFirstDrawsComeAfterTheWindowIsShown) {
  for (auto timer1 : {TestGame::Timer1Mode::CatchUp, TestGame::Timer1Mode::Ticking}) {
    TestGame game(TestGame::Options{.timer1 = timer1});
    game.time.Advance(2'000'000);  // building and showing the window took two seconds
    game.Start({0.0f, 0.25f, 0.4f, 0.75f, 0.8f, 0.99f});  // 12.5 and 37.5 go to the even 12 and 38
    EXPECT_EQ(game.s().LaneSpeed, (std::array<game::Integer, 6>{100, 112, 120, 138, 140, 150}));
    EXPECT_EQ(std::tuple(game.random.draws, game.random.overruns, game.c().ImgChar[5].Left(), game.s().PlayerPick),
              std::tuple(6, 0, 7750.0f, 6));
    game.AdvanceMicros(platform::Scheduler::kTickMicros);
    game.Click(game.c().CmdRnd);
    EXPECT_EQ(game.random.draws, 6 + 1 + 1);  // one tick's draw, then the button's
  }
}

TEST(ShutDownTest, ClosingSavesThePurseThenStopsTheMusicAndEnds) {
  StartedGame game("0");  // comes back as 10: only a save writes that
  game.Click(game.c().version);
  std::string saved_at_first_command;
  game.media.on_command = [&](const std::string&) {
    if (saved_at_first_command.empty()) saved_at_first_command = game.settings.Purse().value_or("nothing");
  };
  EXPECT_TRUE(game.session().CloseMainWindow());
  EXPECT_EQ(std::tuple(saved_at_first_command, game.program_end.ends, game.session().form().about().loaded()),
            std::tuple("10", 1, false));
  EXPECT_EQ(game.media.log, (std::vector<std::string>{"stop bgm", "close bgm"}));
  EXPECT_FALSE(game.Click(game.c().ozzu));  // nothing runs after the end
  TestGame unwritable;                      // a store that cannot be written does not stop the close
  unwritable.settings.fail_writes = true;
  unwritable.Start();
  EXPECT_TRUE(unwritable.Click(unwritable.c().f3));
  EXPECT_EQ(std::tuple(unwritable.program_end.ends, unwritable.media.log.size()), std::tuple(1, 2u));
}

TEST(AboutTest, OneDialogAtATimeNotModalAndBuiltAfreshAfterOk) {
  StartedGame game;
  auto& about = game.session().form().about();
  int shown = 0;
  about.AddObserver([&](ui::FormModel::Event event) { shown += event == ui::FormModel::Event::Shown; });
  game.Click(game.c().version);
  const ui::ControlSet* first = &about.controls();
  game.Click(game.c().version);
  EXPECT_EQ(&about.controls(), first);       // the same dialog shown again
  EXPECT_TRUE(game.Click(game.c().CmdRnd));  // the main window stays usable
  EXPECT_TRUE(game.Click(about.controls().Get<ui::CommandButton>("OK")));
  EXPECT_FALSE(about.loaded());
  game.Click(game.c().version);
  EXPECT_TRUE(game.Click(about.controls().Get<ui::CommandButton>("OK")));  // a fresh dialog's button works too
  EXPECT_FALSE(about.loaded());
  EXPECT_EQ(shown, 3);
}

}  // namespace
