// Settling the bets at the end of a race: payouts, comments, message boxes
// and the continue offer.
#include <gtest/gtest.h>

#include <limits>

#include "game/payout.h"
#include "support/race_script.h"

namespace {

using namespace testing_support;
using platform::MessageBoxes;

constexpr std::array<int, 6> kWorkedSpeeds = {125, 130, 112, 148, 101, 139};  // odds 16.1 12.9 24.5 1.3 31.6 7.1
constexpr std::array<int, 6> kLane3First = {3, 0, 5, 1, 2, 4};

struct PayoutCase {
  int stake;
  float odds;
  int pays;
};

class PayoutTest : public ::testing::TestWithParam<PayoutCase> {};

TEST_P(PayoutTest, StakeTimesStoredOddsRoundedHalfToEven) {
  EXPECT_EQ(game::Payout(static_cast<game::Integer>(GetParam().stake), GetParam().odds), GetParam().pays);
}

INSTANTIATE_TEST_SUITE_P(Table, PayoutTest,
                         ::testing::Values(PayoutCase{10, 2.3f, 23}, PayoutCase{15, 1.3f, 19},  // 1.3f lies below 1.3
                                           PayoutCase{5, 2.5f, 12}, PayoutCase{7, 2.5f, 18},
                                           PayoutCase{5, 1.1f, 6}, PayoutCase{0, 16.1f, 0},
                                           PayoutCase{30000, 5000.0f, 150000000}));

struct SettlementTest : ::testing::Test {
  SettlementTest() { game.Start(); }
  // Plays a whole race from selection to settlement.
  void PlayRace(int pick, int stake, std::array<int, 6> order = kLane3First, float mascot_lane_draw = 0.5f) {
    SelectRace(game, kWorkedSpeeds, mascot_lane_draw);
    if (pick < 6) game.Click(game.c().CharKake[pick]);
    if (stake > 0) game.session().MoveScrollBar(game.c().KakeHScroll, stake);
    StartRace(game);
    ScriptFinishOrder(game, order);
    RunRaceClock(game);
  }
  TestGame game;
};

TEST_F(SettlementTest, AHitPaysStakeTimesOddsInTwoBoxes) {
  PlayRace(3, 15);
  EXPECT_EQ(game.boxes.shown, (std::vector<ShownBox>{{"見事予感が的中しました。", MessageBoxes::kOkOnly, "大当たり"},
                                                     {"配当金は19まめです。", MessageBoxes::kOkOnly, "大当たり"}}));
  EXPECT_EQ(game.s().PlayerMoney, 85 + 19);
  EXPECT_EQ(game.c().Money.Caption(), "104");
  EXPECT_EQ(game.c().KakeHScroll.Max(), 104);
  EXPECT_EQ(game.c().KakeHScroll.LargeChange(), 10);
  EXPECT_TRUE(game.c().omi.Enabled());
  EXPECT_EQ(game.c().CharKake[3].BackColor(), ui::kWhite);
  EXPECT_EQ(game.c().CharKake[3].ForeColor(), ui::kBlack);
}

TEST_F(SettlementTest, AMissThatLeavesMoneyShowsOneBox) {
  PlayRace(0, 30);
  EXPECT_EQ(game.boxes.shown, (std::vector<ShownBox>{{"残念ハズレ。", MessageBoxes::kOkOnly, "失敗"}}));
  EXPECT_EQ(game.s().PlayerMoney, 70);
  EXPECT_EQ(game.c().KakeHScroll.Max(), 70);
  EXPECT_EQ(game.c().KakeHScroll.LargeChange(), 7);
  EXPECT_EQ(game.c().CharKake[0].BackColor(), ui::kWhite);
  EXPECT_FALSE(game.c().CharKake[0].Value());
}

TEST_F(SettlementTest, AMissThatEmptiesThePurseOffersToContinue) {
  game.boxes.Reply({MessageBoxes::kReplyOk, MessageBoxes::kReplyOk, MessageBoxes::kReplyYes});
  PlayRace(0, 100);
  EXPECT_EQ(game.boxes.shown, (std::vector<ShownBox>{{"残念ハズレ。", MessageBoxes::kOkOnly, "失敗"},
                                                     {"所持金がなくなりました。", MessageBoxes::kOkOnly, "のーまねー"},
                                                     {"まだやりますか？", MessageBoxes::kYesNo, "こんてにゅー"},
                                                     {"では、10まめあげましょう。", MessageBoxes::kOkOnly, "10まめ"}}));
  EXPECT_EQ(game.s().PlayerMoney, 10);
  EXPECT_EQ(game.c().Money.Caption(), "10");
  EXPECT_EQ(game.c().KakeHScroll.Max(), 10);
  EXPECT_EQ(game.c().KakeHScroll.LargeChange(), 1);
  EXPECT_FALSE(game.c().omi.Enabled());  // 10 is not more than 10
  EXPECT_EQ(game.s().MsgReply, 6);
  EXPECT_FALSE(game.session().ended());
  EXPECT_TRUE(game.c().ozzu.Enabled());
}

TEST_F(SettlementTest, DecliningToContinueSavesTheEmptyPurseAndEnds) {
  game.boxes.Reply({MessageBoxes::kReplyOk, MessageBoxes::kReplyOk, MessageBoxes::kReplyNo});
  PlayRace(0, 100);
  ASSERT_EQ(game.boxes.shown.size(), 4u);
  EXPECT_EQ(game.boxes.shown[3], (ShownBox{"ご利用ありがとうございました。", MessageBoxes::kOkOnly, "終了"}));
  EXPECT_TRUE(game.session().ended());
  EXPECT_EQ(game.program_end.ends, 1);
  EXPECT_EQ(game.settings.Purse(), "0");
  EXPECT_FALSE(game.session().form().form().loaded());
  // Nothing after the end ran: the race tick did not re-enable race selection.
  EXPECT_FALSE(game.c().ozzu.Enabled());
  // The next start turns the saved 0 into 10.
  TestGame next;
  next.settings = game.settings;
  next.Start();
  EXPECT_EQ(next.s().PlayerMoney, 10);
}

TEST_F(SettlementTest, NoBetShowsNoBoxAndPutsTheBarBackToOne) {
  game.session().MoveScrollBar(game.c().KakeHScroll, 40);
  PlayRace(6, 0);
  EXPECT_TRUE(game.boxes.shown.empty());
  EXPECT_EQ(game.s().PlayerMoney, 100);
  EXPECT_EQ(game.c().KakeHScroll.Value(), 1);
  EXPECT_EQ(game.c().KakeLabel.Caption(), "1");  // the bar moved: the label follows
  EXPECT_EQ(game.s().PlayerBet, 1);
}

TEST_F(SettlementTest, APurseThatShrankPullsTheStakeBackWithTheBar) {
  PlayRace(0, 80);
  EXPECT_EQ(game.s().PlayerMoney, 20);
  EXPECT_EQ(game.c().KakeHScroll.Value(), 20);
  EXPECT_EQ(game.c().KakeLabel.Caption(), "20");
  EXPECT_EQ(game.s().PlayerBet, 20);
}

TEST_F(SettlementTest, WinningsStopAtTheLargestPurse) {
  game.mutable_state().PlayerMoney = std::numeric_limits<std::int32_t>::max() - 5;
  game.Fire([&] { game.c().KakeHScroll.SetMax(30000); });
  PlayRace(3, 1000);
  EXPECT_EQ(game.s().PlayerMoney, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(game.c().KakeHScroll.Max(), 30000);
  EXPECT_EQ(game.c().KakeHScroll.LargeChange(), 3000);
}

struct BarCase {
  int purse;
  int max;
  int large_change;
};

class StakeBarFitTest : public ::testing::TestWithParam<BarCase> {};

TEST_P(StakeBarFitTest, TheBarFitsThePurseAfterARace) {
  TestGame game;
  game.Start();
  SelectRace(game, kWorkedSpeeds);
  StartRace(game);
  game.mutable_state().PlayerMoney = GetParam().purse;
  ScriptFinishOrder(game, kLane3First);
  RunRaceClock(game);
  EXPECT_EQ(game.c().KakeHScroll.Max(), GetParam().max);
  EXPECT_EQ(game.c().KakeHScroll.LargeChange(), GetParam().large_change);
}

INSTANTIATE_TEST_SUITE_P(Table, StakeBarFitTest,
                         ::testing::Values(BarCase{25, 25, 2}, BarCase{35, 35, 4}, BarCase{7, 7, 1},
                                           BarCase{10, 10, 1}, BarCase{95, 95, 10}, BarCase{30000, 30000, 3000},
                                           BarCase{40000, 30000, 3000}));

// The mascot's side.

TEST_F(SettlementTest, TheMascotCommentsOnItsHit) {
  PlayRace(6, 0, kLane3First, 0.6f);  // the mascot: lane 3 with 50 at 1.3
  EXPECT_EQ(game.s().MascotPayout, 65);
  EXPECT_EQ(game.s().MascotMoney, 50 + 65);
  EXPECT_EQ(game.c().Psyoji[1].Caption(), "115");
  EXPECT_EQ(game.c().MsgLabel.Caption(), "当たりや。65まめゲット");
  EXPECT_EQ(game.c().kakeban[1].Caption(), "－");
  EXPECT_EQ(game.c().Pkake[1].Caption(), "0");
}

TEST_F(SettlementTest, TheMascotCommentsOnItsMiss) {
  PlayRace(6, 0);  // the mascot: lane 2
  EXPECT_EQ(game.s().MascotMoney, 50);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "ハズレちまったぜ。");
}

TEST_F(SettlementTest, AnEmptyMascotGoesToTheBank) {
  game.mutable_state().MascotMoney = 7;  // all in
  PlayRace(6, 0);
  EXPECT_EQ(game.s().MascotMoney, 100);
  EXPECT_EQ(game.c().Psyoji[1].Caption(), "100");
  EXPECT_EQ(game.c().MsgLabel.Caption(), "所持金がなくなったから銀行で１００まめ下ろしたぜ（￣ー￣ﾆﾔﾘ");
}

TEST_F(SettlementTest, AMascotSittingOutKeepsItsPurseAndTheBubble) {
  game.mutable_state().MascotMoney = 11;
  SelectRace(game, kWorkedSpeeds, 0.5f, 0.01f);  // rounds to 0: sits out
  StartRace(game);
  game.Fire([&] { game.form().Say("tour text"); });
  ScriptFinishOrder(game, kLane3First);
  RunRaceClock(game);
  EXPECT_EQ(game.s().MascotMoney, 11);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "tour text");
  EXPECT_EQ(game.c().Pkake[1].Caption(), "0");
  EXPECT_EQ(game.c().kakeban[1].Caption(), "－");
}

TEST_F(SettlementTest, TheMascotAndThePlayerCanBothWin) {
  PlayRace(3, 10, kLane3First, 0.6f);
  EXPECT_EQ(game.s().MascotPayout, 65);
  EXPECT_EQ(game.s().PlayerPayout, 13);
  EXPECT_EQ(game.s().PlayerMoney, 90 + 13);
}

}  // namespace
