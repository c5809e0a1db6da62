// Choosing a race (speeds, odds, race number, the mascot's bet) and the
// player's lane and stake.
#include <gtest/gtest.h>

#include "game/odds.h"
#include "support/race_script.h"

namespace {

using namespace testing_support;

TEST(RaceSelectionTest, SpeedsBecomeOdds) {
  const std::pair<std::array<int, 6>, std::array<const char*, 6>> kRows[] = {
      {{150, 140, 130, 120, 110, 100}, {"1.1倍", "6.7倍", "13.3倍", "20倍", "26.7倍", "33.3倍"}},
      {{125, 130, 112, 148, 101, 139}, {"16.1倍", "12.9倍", "24.5倍", "1.3倍", "31.6倍", "7.1倍"}},
      {{140, 140, 140, 140, 140, 140}, {"4.2倍", "4.2倍", "4.2倍", "4.2倍", "4.2倍", "4.2倍"}},
      {{101, 100, 100, 100, 100, 100}, {"4900倍", "5000倍", "5000倍", "5000倍", "5000倍", "5000倍"}},
      {{150, 150, 150, 150, 150, 150}, {"1.1倍", "1.1倍", "1.1倍", "1.1倍", "1.1倍", "1.1倍"}},
      // No excess speed anywhere: every lane pays the highest odds.
      {{100, 100, 100, 100, 100, 100}, {"5000倍", "5000倍", "5000倍", "5000倍", "5000倍", "5000倍"}}};
  for (const auto& [speeds, captions] : kRows) {
    StartedGame game;
    SelectRace(game, speeds);
    for (std::size_t lane = 0; lane < 6; ++lane) {
      EXPECT_EQ(game.s().LaneSpeed[lane], speeds[lane]);
      EXPECT_EQ(game.c().Bairitu[static_cast<int>(lane)].Caption(), captions[lane]) << speeds[0] << " " << lane;
    }
  }
  EXPECT_EQ(game::LaneOddsFor(1, 80), 1.2f);  // one decimal, halves to even: 1.25 and 1.75
  EXPECT_EQ(game::LaneOddsFor(7, 400), 1.8f);
}

TEST(RaceSelectionTest, EveryPressIsANewRaceOfEightDraws) {
  StartedGame game;
  EXPECT_FALSE(game.c().CmdStart.Enabled());
  game.random.Push({0.25f, 0.75f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
  game.Click(game.c().ozzu);
  EXPECT_EQ(std::tuple(game.s().LaneSpeed[0], game.s().LaneSpeed[1], game.c().CmdStart.Enabled(),
                       game.c().RaceLabel.Caption()),
            std::tuple(112, 138, true, "本日第1ﾚｰｽ"));  // 12.5 and 37.5 go to the even neighbour
  game.mutable_state().MascotMoney = 5;                 // all in: the stake draw is still made
  SelectRace(game, {140, 140, 140, 140, 140, 140}, 0.999f, 0.2f);
  EXPECT_EQ(
      std::tuple(game.random.draws, game.random.overruns, game.c().RaceLabel.Caption(), game.c().Bairitu[0].Caption()),
      std::tuple(6 + 16, 0, "本日第2ﾚｰｽ", "4.2倍"));
  game.Fire([&] { game.c().RaceLabel.SetTag("2147483647"); });
  SelectRace(game, {140, 140, 140, 140, 140, 140});
  EXPECT_EQ(game.c().RaceLabel.Caption(), "本日第2147483647ﾚｰｽ");  // stops at the largest Long
}

TEST(RaceSelectionTest, TheMascotBetsSitsOutOrGoesAllIn) {
  // The mascot's purse and draws; its lane and stake, what it says and the lane it shows.
  const std::tuple<int, float, float, int, int, const char*, const char*> kRows[] = {
      {100, 0.5f, 0.5f, 2, 50, "このレースは3に50まめだな。", "3"},  // 2.5 goes to lane 2
      {1000, 0.4f, 0.12f, 2, 120, "このレースは3に120まめだな。", "3"},
      {100, 0.05f, 0.999f, 0, 100, "このレースは1に100まめだな。", "1"},
      {11, 0.7f, 0.01f, 6, 0, "今回は見送り。", "－"},               // 0.11 rounds to 0: sits out
      {10, 0.7f, 0.01f, 3, 10, "このレースは4に10まめだな。", "4"},  // all in; 0.7f lies below 0.7
      {1, 0.95f, 0.0f, 5, 1, "このレースは6に1まめだな。", "6"},
      {40000, 0.3f, 0.9999999f, 2, 30000, "このレースは3に30000まめだな。", "3"},  // capped
      {40000, 0.3f, 0.5f, 2, 15000, "このレースは3に15000まめだな。", "3"}};
  for (const auto& [purse, lane_draw, stake_draw, pick, stake, said, lane] : kRows) {
    StartedGame game;
    game.mutable_state().MascotMoney = purse;
    SelectRace(game, {120, 120, 120, 120, 120, 120}, lane_draw, stake_draw);
    const auto& c = game.c();
    EXPECT_EQ(std::tuple(game.s().MascotPick, game.s().MascotBet, c.MsgLabel.Caption(), c.Pkake[1].Caption(),
                         c.kakeban[1].Caption(), game.s().MascotMoney),  // nothing is taken yet
              std::tuple(pick, stake, said, std::to_string(stake), lane, purse));
  }
}

// Lane clicks (a lane's button, or ~lane for its odds label), and then each
// lane's look: 'P' picked (white on black, selected), 'u' unpicked again
// (black on white), '.' as designed; and the buttons' Click events that ran.
TEST(BetPanelTest, TheChosenLaneIsShownInverted) {
  // The clicks; the pick, the looks and the Click events that ran.
  using Row = std::tuple<std::vector<int>, int, std::string, std::vector<int>>;
  for (const auto& [clicks, pick, expected_looks, expected_raised] :
       {Row{{2}, 2, "..P...", {2}}, Row{{1, 4}, 4, ".u..P.", {1, 4}},
        Row{{3, 3, ~3}, 3, "...P..", {3, 3}},  // again and again: it stays
        Row{{0, ~5}, 5, "u....P", {0, 5}}}) {  // an odds label selects its button once
    StartedGame game;
    std::vector<int> raised;
    for (int lane = 0; lane < 6; ++lane) {
      auto& button = game.c().CharKake[lane];
      button.on_click = [&raised, lane, original = button.on_click] { raised.push_back(lane), original(); };
    }
    for (int lane : clicks)
      game.Click(lane >= 0 ? static_cast<ui::Control&>(game.c().CharKake[lane]) : game.c().Bairitu[~lane]);
    std::string looks;
    for (int lane = 0; lane < 6; ++lane) {
      const auto& b = game.c().CharKake[lane];
      const auto colours = std::pair(b.BackColor(), b.ForeColor());
      looks += b.Value() && colours == std::pair(ui::kBlack, ui::kWhite)                   ? 'P'
               : !b.Value() && colours == std::pair(ui::kWhite, ui::kBlack)                ? 'u'
               : !b.Value() && colours.first == ui::SystemColour(14) ? '.' : '?';
    }
    EXPECT_EQ(std::tuple(game.s().PlayerPick, looks, raised), std::tuple(pick, expected_looks, expected_raised));
  }
}

}  // namespace
