// The records database: what is kept and read back, and a damaged, a newer
// or an unwritable database, none of which stops the game; and the statistics
// window over a small set of kept races: the totals, the chart, the last
// races, the live update and the clear question.
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QVariant>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include "records/records_store.h"
#include "support/fakes.h"
#include "support/file_bytes.h"
#include "ui/qt/statistics_window.h"

namespace {

using platform::MessageBoxes;
using records::RecordsStore;
using testing::ElementsAre;
using testing::HasSubstr;

std::string Bytes(const QString& path) { return testing_support::FileBytes(path.toStdString()); }

platform::SettledRace ARace(std::int32_t race_no) {
  return {.race_no = race_no, .odds = {16.1f, 12.9f, 24.5f, 1.3f, 31.6f, 7.1f}, .arrival_order = {3, 0, 5, 1, 2, 4},
          .arrivals = 6, .winning_ticks = 47, .player = {3, 15, 19, 104}, .mascot = {2, 100, 0, 0},
          .mascot_refill = 100};
}

struct RecordsStoreTest : ::testing::Test {
  QString Path() const { return dir.filePath("mascot-race/records.sqlite"); }
  std::unique_ptr<RecordsStore> Open(const QString& path, bool now = true) {
    auto store = std::make_unique<RecordsStore>(path, [this](const std::string& news) { said.push_back(news); });
    if (now) store->OpenNow();
    return store;
  }
  // Runs statements on the file directly, as another program would; gives the last one's first value.
  QVariant Sql(const QStringList& statements, const QString& path) {
    QVariant result;
    {
      QDir().mkpath(QFileInfo(path).path());
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
      db.setDatabaseName(path);
      EXPECT_TRUE(db.open());
      QSqlQuery query(db);
      for (const QString& statement : statements) EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
      if (query.next()) result = query.value(0);
    }
    QSqlDatabase::removeDatabase("fixture");
    return result;
  }

  QTemporaryDir dir;
  std::vector<std::string> said;
};

TEST_F(RecordsStoreTest, ARaceAndItsGiftsAreKeptAndReadBackUntilAWriteFails) {
  auto store = Open(Path(), false);  // opened by the first race written, not before
  EXPECT_FALSE(QFile::exists(Path()));
  platform::SettledRace stopped = ARace(2);
  stopped.stopped = true;
  stopped.arrivals = 2;
  stopped.player = {6, 0, 0, 104};
  stopped.mascot_refill = 0;
  store->RaceSettled(ARace(1));
  ASSERT_TRUE(store->keeping()) << testing::PrintToString(said);
  store->RaceSettled(stopped);
  store->ContinueGiven(2, 10, 10);
  store = Open(Path());  // read back by a new run
  const std::vector<records::KeptRace> kept = store->Races().races;
  ASSERT_EQ(kept.size(), 2u);
  const platform::SettledRace& first = kept[0].race;
  EXPECT_EQ(std::tuple(first.race_no, first.odds, first.arrival_order, first.winning_ticks, first.player.payout,
                       first.mascot.purse_after, kept[0].recorded_at.size()),
            std::tuple(1, ARace(1).odds, ARace(1).arrival_order, 47, 19, 0, std::size_t{19}));  // yyyy-MM-dd HH:mm:ss
  const platform::SettledRace& second = kept[1].race;
  EXPECT_EQ(std::tuple(second.stopped, second.arrivals, second.arrival_order[0], second.arrival_order[1],
                       second.player.lane),
            std::tuple(true, 2, 3, 0, 6));
  store.reset();
  EXPECT_EQ(Sql({"SELECT group_concat(receiver || ' ' || amount || ' ' || purse_after, ', ') FROM gifts"}, Path()),
            "mascot 100 100, player 10 10");
  // The lane as the player sees it.
  EXPECT_EQ(QVariantList({Sql({"SELECT player_lane FROM races WHERE race_no = 1"}, Path()),
                          Sql({"PRAGMA journal_mode"}, Path()), Sql({"PRAGMA user_version"}, Path())}),
            QVariantList({4, "wal", 2}));
  EXPECT_TRUE(said.empty());

  // Another program spoils it mid-run: records are off from then on, said
  // once, and a window showing them is told once. (That a race kept tells
  // it, the statistics window's test shows.)
  store = Open(Path());
  int changes = 0;
  store->SetOnChange([&] { ++changes; });
  Sql({"DROP TABLE races"}, Path());
  store->RaceSettled(ARace(3));
  store->RaceSettled(ARace(4));
  EXPECT_FALSE(store->keeping());
  EXPECT_THAT(said, ElementsAre(HasSubstr("cannot write")));
  EXPECT_EQ(changes, 1);
}

// A damaged database is moved aside and a fresh one started. Anything but a
// regular file at its places, or a newer game's database (left as it was),
// turns records off for the run. Either is said once, and every call still
// answers. (A directory that cannot be made turns them off as well, with
// SQLite's own words when the game's are not there.)
TEST_F(RecordsStoreTest, ADamagedDatabaseIsStartedAfreshAndOneThatCannotBeKeptTurnsRecordsOff) {
  QDir().mkpath(dir.filePath("mascot-race"));
  std::ofstream(Path().toStdString()) << std::string(4096, 'x');
  const QString newer = dir.filePath("newer/records.sqlite");
  Sql({"PRAGMA user_version = 99"}, newer);
  const std::string newer_bytes = Bytes(newer);
  // A pipe where the database belongs, and a socket where its journal does: never waited on, never replaced.
  const QString piped = dir.filePath("pipe/records.sqlite"), socket_journal = dir.filePath("socket/records.sqlite");
  QDir().mkpath(dir.filePath("pipe")), QDir().mkpath(dir.filePath("socket"));
  mkfifo(QFile::encodeName(piped).constData(), 0600);
  sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
  QFile::encodeName(socket_journal + "-wal").toStdString().copy(address.sun_path, sizeof address.sun_path - 1);
  bind(socket(AF_UNIX, SOCK_STREAM, 0), reinterpret_cast<sockaddr*>(&address), sizeof address);
  for (const auto& [path, keeping, said_once] :
       {std::tuple{Path(), true, "was damaged; it is now"},
        {newer, false, "newer game (schema 99), and is left as it is); record keeping is off"},
        {piped, false, "pipe/records.sqlite is no regular file); record keeping is off"},
        {socket_journal, false, "socket/records.sqlite-wal is no regular file); record keeping is off"}}) {
    said.clear();
    auto store = Open(path);
    EXPECT_EQ(store->keeping(), keeping);
    store->RaceSettled(ARace(1));
    store->ContinueGiven(1, 10, 10);
    EXPECT_EQ(store->Races().races.size(), keeping ? 1u : 0u);
    EXPECT_EQ(store->Clear(), keeping);
    EXPECT_THAT(said, ElementsAre(HasSubstr(said_once)));
  }
  EXPECT_EQ(Bytes(newer), newer_bytes);
  EXPECT_EQ(std::pair(QFileInfo(piped).isFile(), QFileInfo::exists(socket_journal)), std::pair(false, false));
  const QStringList aside = QDir(dir.filePath("mascot-race")).entryList({"records.sqlite.damaged-*"});
  ASSERT_EQ(aside.size(), 1);
  EXPECT_EQ(Bytes(dir.filePath("mascot-race/" + aside[0])), std::string(4096, 'x'));
}

// A row spoiled by another program or a hand edit is left out of what is
// read back, and counted; it stays in the file as it was. Each spoils race 2 of three.
TEST_F(RecordsStoreTest, ASpoiledRowIsLeftOutCountedAndKept) {
  const QStringList kSpoils = {
      "finish_order = '0'", "finish_order = '7'", "finish_order = '100000000'", "finish_order = ''",
      "finish_order = 'a'", "finish_order = '4,1,6,2,3,5,4'", "finish_order = '4,1,4'", "odds_4 = 0", "odds_4 = -1",
      "odds_4 = 'NaN'", "odds_4 = 1e30", "player_lane = 0", "mascot_lane = 7", "player_stake = 40000",
      "mascot_payout = -1", "player_purse = 3000000000", "race_no = 'a'", "stopped = 2", "winning_ticks = 2.5",
      "recorded_at = 'yesterday'", "player_stake = NULL"};
  auto store = Open(Path());
  for (int race = 1; race <= 3; ++race) store->RaceSettled(ARace(race));
  store.reset();
  for (const QString& spoil : kSpoils) {
    SCOPED_TRACE(spoil.toStdString());
    const QString path = dir.filePath(QString::number(kSpoils.indexOf(spoil)) + ".sqlite");
    QFile::copy(Path(), path);
    QStringList edit = {"UPDATE races SET " + spoil + " WHERE race_no = 2"};
    if (spoil.endsWith("NULL")) {  // the schema allows none: it is loosened for the edit, as a hand edit can
      const QString schema = "UPDATE sqlite_schema SET sql = replace(sql, '%1', '%2') WHERE name = 'races'";
      const QString strict = "player_stake INTEGER NOT NULL,", loose = "player_stake INTEGER,";
      edit = QStringList{"PRAGMA writable_schema = ON", schema.arg(strict, loose), "PRAGMA writable_schema = RESET"} +
             edit + QStringList{"PRAGMA writable_schema = ON", schema.arg(loose, strict), "PRAGMA writable_schema = RESET"};
    }
    Sql(edit, path);
    store = Open(path);
    const records::KeptRaces read = store->Races();
    ASSERT_EQ(read.races.size(), 2u);
    EXPECT_EQ(std::tuple(read.races[0].race.race_no, read.races[1].race.race_no, read.left_out),
              std::tuple(1, 3, std::size_t{1}));
    store.reset();
    EXPECT_EQ(Sql({"SELECT count(*) FROM races"}, path), 3);
    EXPECT_TRUE(said.empty()) << testing::PrintToString(said);
  }
}

// Three races: the player hits at 1.9, misses, sits one out; the mascot
// misses, hits at 12.9, goes broke.
std::vector<platform::SettledRace> Fixture() {
  auto race = [](std::int32_t no, int winner, platform::SettledBet player, platform::SettledBet mascot) {
    return platform::SettledRace{.race_no = no, .odds = {1.9f, 12.9f, 24.5f, 3.5f, 31.6f, 7.1f},
                                 .arrival_order = {winner, 5, 4, 3, 2, winner == 0 ? 1 : 0}, .arrivals = 6,
                                 .player = player, .mascot = mascot};
  };
  return {race(1, 0, {0, 100, 190, 190}, {2, 50, 0, 50}), race(2, 1, {3, 50, 0, 140}, {1, 10, 129, 169}),
          race(3, 0, {6, 0, 0, 140}, {4, 169, 0, 0})};
}

// The statistics window over these: the totals for the player and the mascot;
// the latest race at the right of the chart and at the top of the table, the
// purse axis labelled in round steps from 0 to just above the highest purse;
// a race settled while it is open shows at once; a spoiled row is left out
// (of the chart and the table too: they show the same races) and one line
// says so; clearing asks first. (That No keeps the races, the shutdown table
// shows: a shutdown gives the box its safe answer.)
TEST_F(RecordsStoreTest, TheStatisticsWindowShowsTheRacesKept) {
  std::unique_ptr<RecordsStore> store = Open(Path());
  for (const platform::SettledRace& race : Fixture()) store->RaceSettled(race);
  testing_support::ScriptedMessageBoxes boxes;
  ui::qt::StatisticsWindow window{*store, boxes};
  window.Open();
  const auto total = [&window](const char* name) {
    auto* label = window.findChild<QLabel*>(name);
    return label ? label->text() : "(none)";
  };
  auto* table = window.findChild<QTableWidget*>("last_races");
  auto* status = window.findChild<QLabel*>("status");
  const std::vector<std::pair<const char*, QString>> expected = {
      {"player_races", "3"},         {"player_races_bet", "2"},        {"player_hits", "1"},
      {"player_hit_rate", "50.0%"},  {"player_staked", "150まめ"},     {"player_paid", "190まめ"},
      {"player_return_rate", "126.7%"}, {"player_best_payout", "190まめ"}, {"player_highest_odds_hit", "1.9倍"},
      {"mascot_races_bet", "3"},     {"mascot_hits", "1"},             {"mascot_hit_rate", "33.3%"},
      {"mascot_staked", "229まめ"},  {"mascot_paid", "129まめ"},       {"mascot_highest_odds_hit", "12.9倍"}};
  for (const auto& [name, text] : expected) EXPECT_EQ(total(name), text) << name;
  EXPECT_FALSE(status->isVisible());

  // The latest race first in the table, last in the chart.
  ASSERT_EQ(table->rowCount(), 3);
  QStringList newest;
  for (int column = 0; column < table->columnCount(); ++column) newest << table->item(0, column)->text();
  newest[1] = "(time)";
  EXPECT_EQ(newest, (QStringList{"第3ﾚｰｽ", "(time)", "1", "1.9倍", "－", "－", "－"}));
  EXPECT_EQ(table->item(1, 6)->text(), "0まめ");  // a miss pays 0; no bet, nothing
  const QChart* chart = window.findChild<QChartView*>("purse_chart")->chart();
  ASSERT_EQ(chart->series().size(), 2);
  auto* player = static_cast<QLineSeries*>(chart->series()[0]);
  ASSERT_EQ(player->count(), 3);
  EXPECT_EQ(player->at(2), QPointF(3, 140));
  EXPECT_EQ(static_cast<QLineSeries*>(chart->series()[1])->at(1), QPointF(2, 169));

  // A race settled while it is open; then race 2 spoiled.
  store->RaceSettled(Fixture()[0]);
  EXPECT_EQ(std::pair(total("player_races"), table->rowCount()), std::pair(QString("4"), 4));
  Sql({"UPDATE races SET finish_order = '100000000' WHERE race_no = 2"}, Path());
  window.Refresh();
  EXPECT_EQ(std::tuple(total("player_races"), status->isVisible()), std::tuple("3", true));
  EXPECT_THAT(status->text().toStdString(), HasSubstr("1件"));

  // Cleared once the player says Yes.
  auto* clear = window.findChild<QPushButton*>("clear");
  boxes.Reply({MessageBoxes::kReplyYes});
  clear->click();
  const testing_support::ShownBox asked = {"これまでの記録をすべて消しますか？",
                                          MessageBoxes::kYesNo | MessageBoxes::kNoIsSafe, "成績"};
  EXPECT_EQ(boxes.shown, std::vector{asked});
  EXPECT_EQ(std::tuple(total("player_races"), total("player_hit_rate"), table->rowCount(), clear->isEnabled()),
            std::tuple("0", "－", 0, false));

  // A race alone: its purse, the step and the top.
  const auto* axis = static_cast<QValueAxis*>(chart->axes(Qt::Vertical).front());
  for (const auto& [highest, step, top] : {std::tuple(190, 50.0, 200.0), {230, 50.0, 250.0}, {30000, 1e4, 4e4}}) {
    platform::SettledRace race = Fixture()[0];
    race.player.purse_after = highest;
    store->RaceSettled(race);
    EXPECT_EQ(std::tuple(axis->tickType(), axis->tickAnchor(), axis->min(), axis->tickInterval(), axis->max()),
              std::tuple(QValueAxis::TicksDynamic, 0.0, 0.0, step, top)) << highest;
    store->Clear();
  }
}

}  // namespace
