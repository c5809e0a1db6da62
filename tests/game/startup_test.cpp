// Opening and closing a run with the saved purse; the About dialog.
#include <gtest/gtest.h>

#include "support/race_script.h"

namespace {

using namespace testing_support;

// A fortune costs 10: it is sold only above that, from the start on. The
// stake bar offers the purse up to 30000, in large steps of a tenth (halves
// to even) and at least 1, as after every settlement. The runners stand on
// the start line. (How any text reads as a purse, the purse fuzzer's corpus
// shows.)
TEST(StartUpTest, TheSavedPurseComesBackAndTheStakeBarFitsIt) {
  using Row = std::tuple<std::optional<std::string>, int, int>;  // the saved text, the purse, the bar's large step
  for (const auto& [saved, purse, large_step] :
       {Row{std::nullopt, 100, 10}, Row{"0", 10, 1}, Row{"-50", 10, 1}, Row{"1", 1, 1}, Row{"lots", 100, 10},
        Row{"2147483648", 100, 10}, Row{"15", 15, 2}, Row{"25", 25, 2}, Row{"35", 35, 4}, Row{"95", 95, 10},
        Row{"30000", 30000, 3000}, Row{"30001", 30001, 3000}, Row{"2147483647", 2147483647, 3000}}) {
    StartedGame game(saved);
    const auto& c = game.c();
    EXPECT_EQ(std::tuple(game.s().PlayerMoney, c.Money.Caption(), c.omi.Enabled(), c.KakeHScroll.Max(),
                         c.KakeHScroll.LargeChange(), c.KakeHScroll.SmallChange(), c.ImgChar[5].Left()),
              std::tuple(purse, std::to_string(purse), purse > 10, std::min(purse, 30000), large_step, 1, 7750.0f))
        << saved.value_or("(nothing saved)");
  }
}

// The About dialog leaves the main window usable and is built afresh after
// OK; a close unloads it too. (That it opens once however often it is asked
// for, the window's test shows.)
TEST(ShutDownTest, ClosingSavesThePurseThenStopsTheMusicAndEnds) {
  StartedGame game("0");  // comes back as 10: only a save writes that
  auto& about = game.session().form().about();
  for (int opened = 0; opened < 2; ++opened) {  // a fresh dialog's button works too
    game.Click(game.c().version);
    EXPECT_TRUE(game.Click(about.controls().Get<ui::CommandButton>("OK")) && !about.loaded());
  }
  game.Click(game.c().version);
  EXPECT_TRUE(game.Click(game.c().CmdRnd));
  std::string saved_at_first_command;
  game.media.on_command = [&](const std::string&) {
    if (saved_at_first_command.empty()) saved_at_first_command = game.settings.Purse().value_or("nothing");
  };
  EXPECT_TRUE(game.session().CloseMainWindow());
  EXPECT_EQ(std::tuple(saved_at_first_command, game.program_end.ends, about.loaded()),
            std::tuple("10", 1, false));
  EXPECT_EQ(game.media.log, (std::vector<std::string>{"stop bgm", "close bgm"}));
  EXPECT_FALSE(game.Click(game.c().ozzu));  // nothing runs after the end
  TestGame unwritable;                      // a store that cannot be written does not stop the close
  unwritable.settings.fail_writes = true;
  unwritable.Start();
  EXPECT_TRUE(unwritable.Click(unwritable.c().f3));
  EXPECT_EQ(std::tuple(unwritable.program_end.ends, unwritable.media.log.size()), std::tuple(1, 2u));
}

}  // namespace
