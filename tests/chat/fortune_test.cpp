// Buying a fortune slip.
#include <gtest/gtest.h>

#include <limits>

#include "chat/chat_texts.h"
#include "support/test_game.h"

namespace {

using testing_support::TestGame;

struct FortuneTest : ::testing::Test {
  void StartWith(const char* purse) {
    game.settings.SetPurse(purse);
    game.Start();
  }
  TestGame game;
};

TEST_F(FortuneTest, TenMameGoFromThePlayerToTheMascot) {
  StartWith("100");
  game.random.Push({0.5f});
  int before = game.random.draws();
  game.Click(game.c().omi);
  EXPECT_EQ(game.random.draws() - before, 1);
  EXPECT_EQ(game.s().PlayerMoney, 90);
  EXPECT_EQ(game.c().Money.Caption(), "90");
  EXPECT_EQ(game.s().MascotMoney, 110);
  EXPECT_EQ(game.c().Psyoji[1].Caption(), "110");
  EXPECT_EQ(game.s().PlayerMoney + game.s().MascotMoney, 200);
  EXPECT_EQ(game.c().KakeHScroll.Max(), 90);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "今日の運勢は「末吉」だ。");  // 3.5 goes to 4
  EXPECT_TRUE(game.c().omi.Enabled());
}

TEST_F(FortuneTest, ElevenLeavesOneAndLocksTheButton) {
  StartWith("11");
  game.Click(game.c().omi);
  EXPECT_EQ(game.s().PlayerMoney, 1);
  EXPECT_EQ(game.c().KakeHScroll.Max(), 1);
  EXPECT_FALSE(game.c().omi.Enabled());
  EXPECT_FALSE(game.Click(game.c().omi));
  EXPECT_EQ(game.s().PlayerMoney, 1);
}

TEST_F(FortuneTest, ThirtyThousandLeftIsTheCeilingByTheFirstBranch) {
  StartWith("30010");
  game.Click(game.c().omi);
  EXPECT_EQ(game.s().PlayerMoney, 30000);
  EXPECT_EQ(game.c().KakeHScroll.Max(), 30000);
  EXPECT_TRUE(game.c().omi.Enabled());
}

TEST_F(FortuneTest, MoreThanThirtyThousandKeepsTheCeiling) {
  StartWith("50000");
  game.Click(game.c().omi);
  EXPECT_EQ(game.c().KakeHScroll.Max(), 30000);
}

TEST_F(FortuneTest, AStakeAboveTheNewMaximumFollowsItDown) {
  StartWith("50");
  game.session().MoveScrollBar(game.c().KakeHScroll, 45);
  game.Click(game.c().omi);
  EXPECT_EQ(game.c().KakeHScroll.Value(), 40);
  EXPECT_EQ(game.c().KakeLabel.Caption(), "40");
  EXPECT_EQ(game.s().PlayerBet, 40);
}

TEST_F(FortuneTest, TheMascotsPurseStopsAtTheLargestLong) {
  StartWith("100");
  game.mutable_state().MascotMoney = std::numeric_limits<std::int32_t>::max() - 3;
  game.Click(game.c().omi);
  EXPECT_EQ(game.s().MascotMoney, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(game.s().PlayerMoney, 90);
}

struct FortuneCase {
  float r;
  int draw;
};

class FortuneDrawTest : public ::testing::TestWithParam<FortuneCase> {};

TEST_P(FortuneDrawTest, OneDrawWithFactorSeven) {
  TestGame game;
  game.Start();
  game.random.Push({GetParam().r});
  game.Click(game.c().omi);
  EXPECT_EQ(game.s().FortuneDraw, GetParam().draw);
  EXPECT_EQ(game.c().MsgLabel.Caption(), chat::kFortuneTable[static_cast<std::size_t>(GetParam().draw)]);
}

INSTANTIATE_TEST_SUITE_P(Table, FortuneDrawTest,
                         ::testing::Values(FortuneCase{0.0f, 0}, FortuneCase{0.07f, 0}, FortuneCase{0.08f, 1},
                                           FortuneCase{0.5f, 4}, FortuneCase{0.92f, 6}, FortuneCase{0.93f, 7},
                                           FortuneCase{0.9999f, 7}));

TEST(FortuneTableTest, WorstFirst) {
  EXPECT_EQ(std::string(chat::kFortuneTable[0]), "今日の運勢は「極凶」だ。");
  EXPECT_EQ(std::string(chat::kFortuneTable[7]), "今日の運勢は「大吉」だ。");
}

}  // namespace
