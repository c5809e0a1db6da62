// The statistics window over a small set of kept races: the totals, the
// chart, the last races, the live update and the clear question.
#include <QApplication>
#include <QLabel>
#include <QLineSeries>
#include <QChartView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/statistics_module.h"
#include "records/records_store.h"
#include "support/fakes.h"
#include "ui/qt/statistics_window.h"

namespace {

using platform::MessageBoxes;

// Three races: the player hits at 1.9, misses, sits one out; the mascot
// misses, hits at 12.9, goes broke.
std::vector<platform::SettledRace> Fixture() {
  auto race = [](std::int32_t no, int winner, platform::SettledBet player, platform::SettledBet mascot) {
    platform::SettledRace r;
    r.race_no = no;
    r.odds = {1.9f, 12.9f, 24.5f, 3.5f, 31.6f, 7.1f};
    r.arrival_order = {winner, 5, 4, 3, 2, winner == 0 ? 1 : 0};
    r.arrivals = 6;
    r.player = player;
    r.mascot = mascot;
    return r;
  };
  return {race(1, 0, {0, 100, 190, 190}, {2, 50, 0, 50}), race(2, 1, {3, 50, 0, 140}, {1, 10, 129, 169}),
          race(3, 0, {6, 0, 0, 140}, {4, 169, 0, 0})};
}

class StatisticsWindowTest : public ::testing::Test {
 protected:
  StatisticsWindowTest() : store(dir.filePath("records.sqlite"), [](const std::string&) {}), window(store, boxes) {
    for (const platform::SettledRace& race : Fixture()) store.RaceSettled(race);
    window.Open();
  }
  QString Total(const char* name) {
    auto* label = window.findChild<QLabel*>(name);
    return label ? label->text() : "(none)";
  }
  QTableWidget* Table() { return window.findChild<QTableWidget*>("last_races"); }

  QTemporaryDir dir;
  records::RecordsStore store;
  testing_support::ScriptedMessageBoxes boxes;
  ui::qt::StatisticsWindow window;
};

TEST_F(StatisticsWindowTest, TotalsForThePlayerAndTheMascot) {
  const std::vector<std::pair<const char*, QString>> expected = {
      {"player_races", "3"},         {"player_races_bet", "2"},        {"player_hits", "1"},
      {"player_hit_rate", "50.0%"},  {"player_staked", "150まめ"},     {"player_paid", "190まめ"},
      {"player_return_rate", "126.7%"}, {"player_best_payout", "190まめ"}, {"player_highest_odds_hit", "1.9倍"},
      {"mascot_races_bet", "3"},     {"mascot_hits", "1"},             {"mascot_hit_rate", "33.3%"},
      {"mascot_staked", "229まめ"},  {"mascot_paid", "129まめ"},       {"mascot_highest_odds_hit", "12.9倍"}};
  for (const auto& [name, text] : expected) EXPECT_EQ(Total(name), text) << name;
  EXPECT_FALSE(window.findChild<QLabel*>("status")->isVisible());
}

TEST_F(StatisticsWindowTest, TheChartAndTheTableShowTheRacesLatestLast) {
  auto series = window.findChild<QChartView*>("purse_chart")->chart()->series();
  ASSERT_EQ(series.size(), 2);
  auto* player = static_cast<QLineSeries*>(series[0]);
  ASSERT_EQ(player->count(), 3);
  EXPECT_EQ(player->at(2), QPointF(3, 140));  // the latest at the right
  EXPECT_EQ(static_cast<QLineSeries*>(series[1])->at(1), QPointF(2, 169));

  ASSERT_EQ(Table()->rowCount(), 3);
  QStringList newest;
  for (int column = 0; column < Table()->columnCount(); ++column) {
    newest << (column == 1 ? "(time)" : Table()->item(0, column)->text());
  }
  EXPECT_EQ(newest, (QStringList{"第3ﾚｰｽ", "(time)", "1", "1.9倍", "－", "－", "－"}));
  EXPECT_EQ(Table()->item(1, 6)->text(), "0まめ");
  EXPECT_EQ(Table()->item(2, 0)->text(), "第1ﾚｰｽ");
}

// A race settled while the window is open shows at once; clearing asks first.
TEST_F(StatisticsWindowTest, ARaceSettledWhileOpenShowsAtOnceAndClearingAsksFirst) {
  store.RaceSettled(Fixture()[0]);
  EXPECT_EQ(Total("player_races"), "4");
  EXPECT_EQ(Table()->rowCount(), 4);
  auto* clear = window.findChild<QPushButton*>("clear");
  boxes.Reply({MessageBoxes::kReplyNo, MessageBoxes::kReplyYes});
  clear->click();
  EXPECT_EQ(Total("player_races"), "4");
  clear->click();
  EXPECT_EQ(boxes.shown, (std::vector<testing_support::ShownBox>(
                             2, {"これまでの記録をすべて消しますか？", MessageBoxes::kYesNo, "成績"})));
  EXPECT_EQ(Total("player_races"), "0");
  EXPECT_EQ(Total("player_hit_rate"), "－");
  EXPECT_EQ(Table()->rowCount(), 0);
  EXPECT_FALSE(clear->isEnabled());
}

// The game opens the window from its module at the first look, from the
// first file that loads; without one no window opens.
TEST(StatisticsModuleTest, TheWindowComesFromTheFirstModuleThatLoads) {
  QTemporaryDir dir;
  records::RecordsStore store(dir.filePath("records.sqlite"), [](const std::string&) {});
  testing_support::ScriptedMessageBoxes boxes;
  app::StatisticsModule none({"/nonexistent/mascot-race-statistics.so"}, store, boxes);
  EXPECT_FALSE(none.Open());
  app::StatisticsModule module({"/nonexistent/mascot-race-statistics.so", MASCOT_STATISTICS_MODULE}, store, boxes);
  ASSERT_TRUE(module.Open());
  const QWidgetList windows = QApplication::topLevelWidgets();
  EXPECT_TRUE(std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
    return window->objectName() == "StatisticsWindow" && window->isVisible();
  }));
}

}  // namespace
