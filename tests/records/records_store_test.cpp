// The records database: what is kept and read back, the schema brought up
// from an older game's, and a damaged, a newer or an unwritable database,
// none of which stops the game.
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include "records/records_store.h"

namespace {

using records::RecordsStore;

platform::SettledRace ARace(std::int32_t race_no) {
  platform::SettledRace race;
  race.race_no = race_no;
  race.odds = {16.1f, 12.9f, 24.5f, 1.3f, 31.6f, 7.1f};
  race.arrival_order = {3, 0, 5, 1, 2, 4};
  race.arrivals = 6;
  race.winning_ticks = 47;
  race.player = {3, 15, 19, 104};
  race.mascot = {2, 100, 0, 0};
  race.mascot_refill = 100;
  return race;
}

class RecordsStoreTest : public ::testing::Test {
 protected:
  QString Path() const { return dir.filePath("mascot-race/records.sqlite"); }
  std::unique_ptr<RecordsStore> Open(const QString& path) {
    return std::make_unique<RecordsStore>(path, [this](const std::string& news) { said.push_back(news); });
  }
  // Runs one statement on the file directly, as another program would.
  QVariant Sql(const QString& statement, const QString& path) {
    QVariant result;
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
      db.setDatabaseName(path);
      EXPECT_TRUE(db.open());
      QSqlQuery query(db);
      EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
      if (query.next()) result = query.value(0);
    }
    QSqlDatabase::removeDatabase("fixture");
    return result;
  }

  QTemporaryDir dir;
  std::vector<std::string> said;
};

TEST_F(RecordsStoreTest, ARaceAndItsGiftsAreKeptAndReadBack) {
  auto store = Open(Path());
  ASSERT_TRUE(store->keeping()) << (said.empty() ? "" : said[0]);
  platform::SettledRace stopped = ARace(2);
  stopped.stopped = true;
  stopped.arrivals = 2;
  stopped.player = {6, 0, 0, 104};
  stopped.mascot_refill = 0;
  store->RaceSettled(ARace(1));
  store->RaceSettled(stopped);
  store->ContinueGiven(2, 10, 10);
  store.reset();

  store = Open(Path());
  std::vector<records::KeptRace> kept = store->Races();
  ASSERT_EQ(kept.size(), 2u);
  const platform::SettledRace& first = kept[0].race;
  EXPECT_EQ(first.race_no, 1);
  EXPECT_EQ(first.odds, ARace(1).odds);
  EXPECT_EQ(first.arrival_order, ARace(1).arrival_order);
  EXPECT_EQ(first.winning_ticks, 47);
  EXPECT_EQ(first.player.payout, 19);
  EXPECT_EQ(first.mascot.purse_after, 0);
  EXPECT_EQ(kept[0].recorded_at.size(), 19u);  // yyyy-MM-dd HH:mm:ss
  EXPECT_TRUE(kept[1].race.stopped);
  EXPECT_EQ(kept[1].race.arrivals, 2);
  EXPECT_EQ((std::array<int, 2>{kept[1].race.arrival_order[0], kept[1].race.arrival_order[1]}), (std::array<int, 2>{3, 0}));
  EXPECT_EQ(kept[1].race.player.lane, 6);
  store.reset();
  EXPECT_EQ(Sql("SELECT group_concat(receiver || ' ' || amount || ' ' || purse_after, ', ') FROM gifts", Path()).toString(),
            "mascot 100 100, player 10 10");
  EXPECT_EQ(Sql("SELECT player_lane FROM races WHERE race_no = 1", Path()).toInt(), 4);  // as the player sees it
  EXPECT_EQ(Sql("PRAGMA journal_mode", Path()).toString(), "wal");
  EXPECT_EQ(Sql("PRAGMA user_version", Path()).toInt(), RecordsStore::kSchemaVersion);
  EXPECT_TRUE(said.empty());
}

TEST_F(RecordsStoreTest, AnOlderGamesDatabaseIsBroughtUpToDate) {
  // The first schema, as the first game with records wrote it.
  QDir().mkpath(dir.filePath("mascot-race"));
  for (const char* statement :
       {"CREATE TABLE races (id INTEGER PRIMARY KEY, recorded_at TEXT NOT NULL, race_no INTEGER NOT NULL,"
        " odds_1 REAL NOT NULL, odds_2 REAL NOT NULL, odds_3 REAL NOT NULL, odds_4 REAL NOT NULL,"
        " odds_5 REAL NOT NULL, odds_6 REAL NOT NULL, finish_order TEXT NOT NULL, stopped INTEGER NOT NULL,"
        " player_lane INTEGER, player_stake INTEGER NOT NULL, player_payout INTEGER NOT NULL,"
        " player_purse INTEGER NOT NULL, mascot_lane INTEGER, mascot_stake INTEGER NOT NULL,"
        " mascot_payout INTEGER NOT NULL, mascot_purse INTEGER NOT NULL)",
        "CREATE TABLE gifts (id INTEGER PRIMARY KEY, recorded_at TEXT NOT NULL, race_no INTEGER NOT NULL,"
        " receiver TEXT NOT NULL CHECK (receiver IN ('player', 'mascot')), amount INTEGER NOT NULL,"
        " purse_after INTEGER NOT NULL)",
        "INSERT INTO races VALUES (1, '2025-12-31 23:59:00', 7, 2.5, 3, 4, 5, 6, 7, '1,2,3,4,5,6', 0,"
        " 1, 10, 25, 115, NULL, 0, 0, 100)",
        "PRAGMA user_version = 1"}) {
    Sql(statement, Path());
  }
  auto store = Open(Path());
  ASSERT_TRUE(store->keeping()) << (said.empty() ? "" : said[0]);
  store->RaceSettled(ARace(8));
  std::vector<records::KeptRace> kept = store->Races();
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0].recorded_at, "2025-12-31 23:59:00");
  EXPECT_EQ(kept[0].race.race_no, 7);
  EXPECT_EQ(kept[0].race.player.payout, 25);
  EXPECT_EQ(kept[0].race.mascot.lane, 6);
  EXPECT_EQ(kept[0].race.winning_ticks, 0);  // not kept before schema 2
  EXPECT_EQ(kept[1].race.winning_ticks, 47);
  store.reset();
  EXPECT_EQ(Sql("PRAGMA user_version", Path()).toInt(), 2);
}

TEST_F(RecordsStoreTest, ADamagedDatabaseIsMovedAsideAndAFreshOneStarted) {
  QDir().mkpath(dir.filePath("mascot-race"));
  QFile damaged(Path());
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(QByteArray(4096, 'x'));
  damaged.close();

  auto store = Open(Path());
  EXPECT_TRUE(store->keeping());
  store->RaceSettled(ARace(1));
  EXPECT_EQ(store->Races().size(), 1u);
  QStringList aside = QDir(dir.filePath("mascot-race")).entryList({"records.sqlite.damaged-*"});
  ASSERT_EQ(aside.size(), 1);
  QFile kept(dir.filePath("mascot-race/" + aside[0]));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), QByteArray(4096, 'x'));
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("damaged"), std::string::npos) << said[0];
}

struct OffCase {
  const char* situation;
  std::function<QString(QTemporaryDir&)> prepare;  // gives the database's path
  const char* reason;
};

void PrintTo(const OffCase& c, std::ostream* os) { *os << c.situation; }

class RecordsOffTest : public RecordsStoreTest, public ::testing::WithParamInterface<OffCase> {};

TEST_P(RecordsOffTest, RecordKeepingIsOffForTheRunAndTheGameGoesOn) {
  const QString path = GetParam().prepare(dir);
  const QByteArray before = QFile::exists(path) ? [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }() : QByteArray();
  auto store = Open(path);
  EXPECT_FALSE(store->keeping());
  store->RaceSettled(ARace(1));
  store->ContinueGiven(1, 10, 10);
  EXPECT_TRUE(store->Races().empty());
  EXPECT_FALSE(store->Clear());
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("record keeping is off for this run"), std::string::npos) << said[0];
  EXPECT_NE(said[0].find(GetParam().reason), std::string::npos) << said[0];
  if (!before.isEmpty()) {
    QFile after(path);
    after.open(QIODevice::ReadOnly);
    EXPECT_EQ(after.readAll(), before);  // left as it was
  }
}

INSTANTIATE_TEST_SUITE_P(
    Situations, RecordsOffTest,
    ::testing::Values(
        OffCase{"its directory would lie inside a file",
                [](QTemporaryDir& dir) {
                  QFile file(dir.filePath("plain-file"));
                  file.open(QIODevice::WriteOnly);
                  return dir.filePath("plain-file/mascot-race/records.sqlite");
                },
                "directory"},
        OffCase{"a newer game's database",
                [](QTemporaryDir& dir) {
                  const QString path = dir.filePath("records.sqlite");
                  {
                    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
                    db.setDatabaseName(path);
                    db.open();
                    QSqlQuery(db).exec("PRAGMA user_version = 99");
                  }
                  QSqlDatabase::removeDatabase("newer");
                  return path;
                },
                "newer game"}),
    [](const auto& info) { return info.index == 0 ? std::string("Unwritable") : std::string("Newer"); });

TEST_F(RecordsStoreTest, AWriteThatFailsTurnsRecordsOffOnceAndNothingElse) {
  auto store = Open(Path());
  int changes = 0;
  store->SetOnChange([&] { ++changes; });
  store->RaceSettled(ARace(1));
  Sql("DROP TABLE races", Path());  // another program spoils it mid-run
  store->RaceSettled(ARace(2));
  store->RaceSettled(ARace(3));
  EXPECT_FALSE(store->keeping());
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("cannot write"), std::string::npos) << said[0];
  EXPECT_EQ(changes, 2);  // the first race, and the turning off
}

}  // namespace
