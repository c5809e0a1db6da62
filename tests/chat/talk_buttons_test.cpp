// The talk buttons and the background draw.
#include <gtest/gtest.h>

#include "support/race_script.h"
#include "ui/picture_names.h"

namespace {

using namespace testing_support;
using platform::MessageBoxes;

struct TalkTest : ::testing::Test {
  TalkTest() { game.Start(); }
  TestGame game;
};

struct RetortCase {
  float r;
  int reply;
  std::vector<ShownBox> boxes;
};

class RetortTest : public ::testing::TestWithParam<RetortCase> {};

TEST_P(RetortTest, OneDrawAndItsBoxesTitledTsukkomi) {
  TestGame game;
  game.Start();
  game.random.Push({GetParam().r});
  game.boxes.Reply({GetParam().reply});
  int before = game.random.draws();
  game.Click(game.c().CmdT);
  EXPECT_EQ(game.random.draws() - before, 1);
  EXPECT_EQ(game.boxes.shown, GetParam().boxes);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "ようこそ『こまめ堂マスコットレース』へ");  // the bubble is untouched
}

INSTANTIATE_TEST_SUITE_P(
    Table, RetortTest,
    ::testing::Values(
        RetortCase{0.1f, MessageBoxes::kReplyOk, {{"なんでやねん！！", MessageBoxes::kExclamation, "ツッコミ"}}},
        RetortCase{0.3f,
                   MessageBoxes::kReplyYes,
                   {{"なんでやねん？", MessageBoxes::kYesNo, "ツッコミ"},
                    {"（なんでやねん・・・）", MessageBoxes::kOkOnly, "ツッコミ"}}},
        RetortCase{0.3f,
                   MessageBoxes::kReplyNo,
                   {{"なんでやねん？", MessageBoxes::kYesNo, "ツッコミ"},
                    {"な、なんでやねん・・・", MessageBoxes::kOkOnly, "ツッコミ"}}},
        RetortCase{0.7f, MessageBoxes::kReplyOk, {{"ナンデヤネン", MessageBoxes::kOkOnly, "ツッコミ"}}},
        RetortCase{0.9f, MessageBoxes::kReplyOk, {{"な～んで～やね～ん♪", MessageBoxes::kOkOnly, "ツッコミ"}}}));

struct ClockCase {
  platform::TimeOfDay time;
  const char* said;
};

class ClockTest : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockTest, TwelveHourClockWithAmPm) {
  TestGame game;
  game.Start();
  game.clock.now = GetParam().time;
  game.Click(game.c().TimeCmd);
  EXPECT_EQ(game.c().MsgLabel.Caption(), GetParam().said);
}

INSTANTIATE_TEST_SUITE_P(Table, ClockTest,
                         ::testing::Values(ClockCase{{0, 5, 9}, "現在の時刻は12:05:09 (AM)だ。"},
                                           ClockCase{{12, 0, 0}, "現在の時刻は12:00:00 (PM)だ。"},
                                           ClockCase{{15, 4, 5}, "現在の時刻は3:04:05 (PM)だ。"},
                                           ClockCase{{11, 59, 59}, "現在の時刻は11:59:59 (AM)だ。"},
                                           ClockCase{{23, 0, 30}, "現在の時刻は11:00:30 (PM)だ。"},
                                           ClockCase{{9, 7, 0}, "現在の時刻は9:07:00 (AM)だ。"}));

TEST_F(TalkTest, TheMascotTellsTheAddress) {
  game.address.address = "10.0.2.15";
  game.Click(game.c().CmdIP);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "『10.0.2.15』これが現在の君のＩＰアドレスだ。");
}

TEST_F(TalkTest, SixColoursInTurn) {
  for (int press = 1; press <= 6; ++press) {
    game.Click(game.c().ColorCmd);
    EXPECT_EQ(game.c().komame.Picture(), ui::MascotPicture(press));
  }
  EXPECT_EQ(game.s().MascotColour, 0);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "なんだ、この色がいいのか？");
  game.Click(game.c().ColorCmd);
  EXPECT_EQ(game.c().komame.Picture(), ui::MascotPicture(1));
}

TEST_F(TalkTest, TheMysteryButtonOnlyMovesTheSequence) {
  std::vector<std::string> before;
  for (const auto& control : game.session().form().form().controls().all()) before.push_back(control->Caption());
  game.random.Push({0.75f});
  game.Click(game.c().CmdRnd);
  EXPECT_EQ(game.random.draws(), 7);
  EXPECT_EQ(game.s().RandomShift, 1);
  std::vector<std::string> after;
  for (const auto& control : game.session().form().form().controls().all()) after.push_back(control->Caption());
  EXPECT_EQ(before, after);
}

// A game played with Timer1 really ticking and the same game with its draws
// caught up at the next event draw the same numbers and end the same.
TEST(BackgroundDrawTest, CatchingUpPlaysTheSameGameAsTicking) {
  auto play = [](TestGame::Timer1Mode mode) {
    platform::ClassicGenerator random;
    TestGame game(TestGame::Options{.timer1 = mode, .random = &random});
    game.Start();
    std::vector<std::string> seen;
    auto note = [&] {
      std::string line = std::to_string(random.state()) + " " + std::to_string(game.s().PlayerMoney) + " " +
                         std::to_string(game.s().MascotMoney) + " " + game.c().MsgLabel.Caption() + " " +
                         std::to_string(game.s().RandomShift);
      for (int lane = 0; lane < 6; ++lane) line += " " + game.c().Bairitu[lane].Caption() + game.c().Jyuni[lane].Caption();
      seen.push_back(line);
    };
    game.AdvanceMicros(2'345'678);  // the player looks at the window for a while
    game.Click(game.c().CmdRnd);
    note();
    game.AdvanceMicros(500'001);
    game.Click(game.c().ozzu);
    note();
    game.AdvanceMicros(15'625 * 3);  // exactly on a tick
    game.Click(game.c().CharKake[2]);
    game.Click(game.c().CmdStart);
    note();
    game.AdvanceMicros(30'000'000);  // the race runs to its end and is settled
    game.Click(game.c().BestCmd);     // draws show at events: the catch-up comes with the next one
    note();
    game.boxes.while_open = [&](const ShownBox&) { game.time.Advance(4'000'000); };  // a slow reader
    game.Click(game.c().CmdT);
    note();
    game.AdvanceMicros(1'000'000);
    game.Click(game.c().omi);
    game.Click(game.c().RndMsg);
    note();
    return seen;
  };
  auto caught_up = play(TestGame::Timer1Mode::CatchUp);
  auto ticking = play(TestGame::Timer1Mode::Ticking);
  ASSERT_EQ(caught_up.size(), ticking.size());
  for (std::size_t i = 0; i < ticking.size(); ++i) EXPECT_EQ(caught_up[i], ticking[i]) << "checkpoint " << i;
  EXPECT_NE(caught_up.front(), caught_up.back());
}

TEST(BackgroundDrawTest, AnIdleGameArmsNoTimer) {
  TestGame game;
  game.Start();
  EXPECT_FALSE(game.session().scheduler().NextWakeMicros().has_value());
}

}  // namespace
