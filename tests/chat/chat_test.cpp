// The mascot's chat: the tour keeps its place, fortunes, the talk buttons
// and the background draw. (The texts themselves are in
// written_texts_test.cpp.)
#include <gtest/gtest.h>

#include "support/test_game.h"
#include "ui/picture_names.h"

namespace {

using namespace testing_support;

TEST(TourTest, TheTourKeepsItsPlaceWhateverElseIsSaid) {
  StartedGame game;
  const auto& c = game.c();
  game.Click(c.MsgLabel);  // before the tour: nothing
  game.Click(c.komame);
  EXPECT_EQ(game.s().TourStep, 0);
  game.Click(c.h1);
  for (int i = 0; i < 8; ++i) game.Click(i % 2 ? static_cast<ui::Control&>(c.MsgLabel) : c.komame);
  game.Click(c.ColorCmd);  // another text in between
  game.Click(c.MsgLabel);
  EXPECT_EQ(c.MsgLabel.Caption(), "ハズレの場合は、賭金没収になります。");  // the ninth
  game.Click(c.h1);                                                         // help in the middle starts over
  EXPECT_EQ(game.s().TourStep, 1);
}

// Ten まめ go from the player to the mascot for one draw (which fortune it
// tells is in written_texts_test.cpp); the slip is sold only above its price.
TEST(FortuneTest, TenMamePerSlip) {
  for (const auto& [purse, usable_after] : {std::pair{"100", true}, {"21", true}, {"20", false}}) {
    StartedGame game(purse);
    game.random.Push({0.5f});
    EXPECT_TRUE(game.Click(game.c().omi));
    EXPECT_EQ(std::tuple(game.random.draws, game.c().Money.Caption(), game.c().Psyoji[1].Caption()),
              std::tuple(6 + 1, std::to_string(std::stoi(purse) - 10), "110"));
    EXPECT_EQ(game.Click(game.c().omi), usable_after);
  }
  StartedGame game("50");
  game.session().MoveScrollBar(game.c().KakeHScroll, 45);
  game.mutable_state().MascotMoney = 2147483647 - 3;
  game.Click(game.c().omi);
  EXPECT_EQ(std::tuple(game.s().PlayerBet, game.s().MascotMoney),
            std::tuple(40, 2147483647));  // the stake follows the bar down
}

TEST(TalkTest, TheClockTheAddressTheColoursAndTheMysteryButton) {
  StartedGame game;
  for (const auto& [time, said] : {std::pair{platform::TimeOfDay{0, 5, 9}, "現在の時刻は12:05:09 (AM)だ。"},
                                   {platform::TimeOfDay{12, 0, 0}, "現在の時刻は12:00:00 (PM)だ。"},
                                   {platform::TimeOfDay{23, 0, 30}, "現在の時刻は11:00:30 (PM)だ。"}}) {
    game.clock.now = time;
    game.Click(game.c().TimeCmd);
    EXPECT_EQ(game.c().MsgLabel.Caption(), said);
  }
  game.address.address = "10.0.2.15";
  game.Click(game.c().CmdIP);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "『10.0.2.15』これが現在の君のＩＰアドレスだ。");
  for (int press = 1; press <= 7; ++press) {
    game.Click(game.c().ColorCmd);
    EXPECT_EQ(game.c().komame.Picture(), ui::MascotPicture((press - 1) % 6 + 1));
  }
  EXPECT_EQ(game.c().MsgLabel.Caption(), "なんだ、この色がいいのか？");
  int changes = 0;  // the mystery button draws once, and nothing is to be seen
  for (const auto& control : game.session().form().form().controls().all())
    control->AddObserver([&](auto&, auto) { ++changes; });
  game.Click(game.c().CmdRnd);
  EXPECT_EQ(std::tuple(game.random.draws, changes), std::tuple(6 + 1, 0));
}

// Timer1 really ticking, and its draws caught up at the next event: the
// same numbers drawn, the same game played, and no wake-ups while idle.
TEST(BackgroundDrawTest, CatchingUpPlaysTheSameGameAsTicking) {
  auto play = [](TestGame::Timer1Mode mode) {
    platform::ClassicGenerator random;
    TestGame game(TestGame::Options{.timer1 = mode, .random = &random});
    game.Start();
    std::vector<std::string> seen;
    auto note = [&](std::int64_t micros, ui::Control& control) {
      game.AdvanceMicros(micros);
      game.Click(control);
      seen.push_back(std::to_string(random.state()) + " " + std::to_string(game.s().PlayerMoney) + " " +
                     game.c().MsgLabel.Caption() + " " + game.c().Bairitu[0].Caption() + game.c().Jyuni[2].Caption());
    };
    if (mode == TestGame::Timer1Mode::CatchUp) { EXPECT_FALSE(game.session().scheduler().NextWakeMicros()); }
    note(2'345'678, game.c().CmdRnd);  // the player looks at the window for a while
    note(500'001, game.c().ozzu);
    note(15'625 * 3, game.c().CharKake[2]);  // exactly on a tick
    note(0, game.c().CmdStart);
    note(30'000'000, game.c().BestCmd);  // the race has run to its end and been settled
    game.boxes.while_open = [&](const ShownBox&) { game.time.Advance(4'000'000); };  // a slow reader
    note(0, game.c().CmdT);
    note(1'000'000, game.c().omi);
    return seen;
  };
  const auto caught_up = play(TestGame::Timer1Mode::CatchUp);
  EXPECT_EQ(caught_up, play(TestGame::Timer1Mode::Ticking));
  EXPECT_NE(caught_up.front(), caught_up.back());
}

}  // namespace
