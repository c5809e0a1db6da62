#include "records/records_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>
#include <array>

namespace records {

namespace {

constexpr int kNoLane = 6;
// SQLite's primary result codes for a file that is no (sound) database.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;
// A race is written while the player waits for the settlement: a locked
// database is given up on quickly rather than hold the game.
constexpr const char* kConnectOptions = "QSQLITE_BUSY_TIMEOUT=250";
// Pages kept in memory (SQLite's default is 2 MB): the check at opening reads
// the whole database, and years of races would stay resident all game long.
// A race's writing needs a few pages; reading the records, the system's cache serves.
constexpr const char* kPageCache = "PRAGMA cache_size = -256";  // kB

// Each step brings the schema up one version. Lanes are kept as the player
// sees them, 1 to 6, and NULL for no bet; the finishing order as lanes
// joined by commas ("4,1,6" for a race stopped after three arrivals).
const std::array<QStringList, 2> kSteps = {{
    // to version 1: the races and the gifts
    {"CREATE TABLE races ("
     " id INTEGER PRIMARY KEY, recorded_at TEXT NOT NULL, race_no INTEGER NOT NULL,"
     " odds_1 REAL NOT NULL, odds_2 REAL NOT NULL, odds_3 REAL NOT NULL,"
     " odds_4 REAL NOT NULL, odds_5 REAL NOT NULL, odds_6 REAL NOT NULL,"
     " finish_order TEXT NOT NULL, stopped INTEGER NOT NULL,"
     " player_lane INTEGER, player_stake INTEGER NOT NULL, player_payout INTEGER NOT NULL,"
     " player_purse INTEGER NOT NULL,"
     " mascot_lane INTEGER, mascot_stake INTEGER NOT NULL, mascot_payout INTEGER NOT NULL,"
     " mascot_purse INTEGER NOT NULL)",
     "CREATE TABLE gifts ("
     " id INTEGER PRIMARY KEY, recorded_at TEXT NOT NULL, race_no INTEGER NOT NULL,"
     " receiver TEXT NOT NULL CHECK (receiver IN ('player', 'mascot')),"
     " amount INTEGER NOT NULL, purse_after INTEGER NOT NULL)"},
    // to version 2: the winner's time in race-clock ticks
    {"ALTER TABLE races ADD COLUMN winning_ticks INTEGER"},
}};
static_assert(kSteps.size() == RecordsStore::kSchemaVersion);

bool IsDamage(const QSqlError& error) {
  int code = error.nativeErrorCode().toInt() & 0xFF;
  return code == kSqliteCorrupt || code == kSqliteNotADatabase;
}

QString Now() { return QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss"); }

QVariant LaneValue(int lane) { return lane >= 0 && lane < kNoLane ? QVariant(lane + 1) : QVariant(); }
int LaneFrom(const QVariant& value) { return value.isNull() ? kNoLane : value.toInt() - 1; }

QString FinishOrderText(const platform::SettledRace& race) {
  QStringList lanes;
  for (int i = 0; i < race.arrivals && i < kNoLane; ++i) lanes << QString::number(race.arrival_order[static_cast<std::size_t>(i)] + 1);
  return lanes.join(',');
}

void ReadFinishOrder(const QString& text, platform::SettledRace& race) {
  race.arrivals = 0;
  for (const QString& lane : text.split(',', Qt::SkipEmptyParts)) {
    if (race.arrivals == kNoLane) break;
    race.arrival_order[static_cast<std::size_t>(race.arrivals++)] = lane.toInt() - 1;
  }
}

}  // namespace

QString RecordsStore::DefaultPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/mascot-race/records.sqlite";
}

RecordsStore::RecordsStore(const QString& path, std::function<void(const std::string&)> say)
    : path_(path),
      connection_(QString("mascot-race-records-%1").arg(reinterpret_cast<quintptr>(this))),
      say_(std::move(say)) {}

void RecordsStore::OpenNow() {
  if (opened_) return;
  opened_ = true;
  Opened opened = Open();
  if (opened == Opened::Damaged) {
    Close();
    opened = MoveDamagedAside() ? Open() : Opened::Failed;
  }
  keeping_ = opened == Opened::Ready;
  if (!keeping_) {
    Close();
    say_(QString("records: cannot keep records in %1 (%2); record keeping is off for this run")
             .arg(path_, failure_)
             .toStdString());
  }
}

RecordsStore::~RecordsStore() { Close(); }

RecordsStore::Opened RecordsStore::Open() {
  if (!QSqlDatabase::isDriverAvailable("QSQLITE")) {
    failure_ = "the SQLite driver of Qt SQL is not installed";
    return Opened::Failed;
  }
  if (!QDir().mkpath(QFileInfo(path_).absolutePath())) {
    failure_ = "its directory cannot be made";
    return Opened::Failed;
  }
  QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection_);
  db.setDatabaseName(path_);
  db.setConnectOptions(kConnectOptions);
  if (!db.open()) {
    failure_ = db.lastError().text();
    return IsDamage(db.lastError()) ? Opened::Damaged : Opened::Failed;
  }
  QSqlQuery query(db);
  query.exec(kPageCache);
  auto ask = [&](const QString& statement) {
    if (query.exec(statement) && query.next()) {
      QVariant answer = query.value(0);
      query.finish();  // an unfinished statement would hold back a commit
      return answer;
    }
    failure_ = query.lastError().isValid() ? query.lastError().text() : statement + " gave nothing";
    return QVariant();
  };
  QVariant check = ask("PRAGMA quick_check");
  if (check.toString() != "ok") {
    if (check.isValid()) failure_ = "its check found " + check.toString();
    return check.isValid() || IsDamage(query.lastError()) ? Opened::Damaged : Opened::Failed;
  }
  QVariant version = ask("PRAGMA user_version");
  if (!version.isValid()) return Opened::Failed;
  if (version.toInt() > kSchemaVersion) {
    failure_ = QString("it was made by a newer game (schema %1), and is left as it is").arg(version.toInt());
    return Opened::Failed;
  }
  if (ask("PRAGMA journal_mode=WAL").toString() != "wal") {
    if (failure_.isEmpty()) failure_ = "it cannot be written";
    return Opened::Failed;
  }
  if (version.toInt() < kSchemaVersion && !Migrate(version.toInt())) return Opened::Failed;
  // A database that can be read but not written keeps nothing.
  if (!query.exec("BEGIN IMMEDIATE")) {
    failure_ = query.lastError().text();
    return Opened::Failed;
  }
  query.exec("ROLLBACK");
  return Opened::Ready;
}

bool RecordsStore::Migrate(int from_version) {
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  if (!db.transaction()) {
    failure_ = db.lastError().text();
    return false;
  }
  QSqlQuery query(db);
  for (int version = from_version; version < kSchemaVersion; ++version) {
    for (const QString& statement : kSteps[static_cast<std::size_t>(version)]) {
      if (!query.exec(statement)) {
        failure_ = QString("bringing it to schema %1 failed: %2").arg(version + 1).arg(query.lastError().text());
        db.rollback();
        return false;
      }
    }
  }
  if (!query.exec(QString("PRAGMA user_version = %1").arg(kSchemaVersion)) || !db.commit()) {
    failure_ = query.lastError().isValid() ? query.lastError().text() : db.lastError().text();
    db.rollback();
    return false;
  }
  return true;
}

void RecordsStore::Close() {
  if (!QSqlDatabase::contains(connection_)) return;
  QSqlDatabase::database(connection_, false).close();
  QSqlDatabase::removeDatabase(connection_);
}

bool RecordsStore::MoveDamagedAside() {
  const QString aside = path_ + ".damaged-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
  QString target = aside;
  for (int n = 2; QFileInfo::exists(target); ++n) target = aside + "-" + QString::number(n);
  if (!QFile::rename(path_, target)) {
    failure_ = "it is damaged and cannot be moved aside";
    return false;
  }
  // Its journal goes with it, where SQLite would look for it.
  for (const char* side : {"-wal", "-shm"}) {
    if (QFileInfo::exists(path_ + side)) QFile::rename(path_ + side, target + side);
  }
  say_(QString("records: %1 was damaged; it is now %2, and a fresh one is started").arg(path_, target).toStdString());
  return true;
}

bool RecordsStore::Write(const std::function<bool()>& statements) {
  if (!keeping_) return false;
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  if (!db.transaction()) {
    TurnOff(db.lastError().text());
    return false;
  }
  if (!statements() || !db.commit()) {
    if (failure_.isEmpty()) failure_ = db.lastError().text();
    db.rollback();
    TurnOff(failure_);
    return false;
  }
  Changed();
  return true;
}

void RecordsStore::TurnOff(const QString& why) {
  keeping_ = false;
  Close();
  say_(QString("records: cannot write to %1 (%2); record keeping is off for this run").arg(path_, why).toStdString());
  Changed();
}

void RecordsStore::Changed() {
  if (on_change_) on_change_();
}

void RecordsStore::RaceSettled(const platform::SettledRace& race) {
  OpenNow();
  failure_.clear();
  const QString now = Now();
  Write([&] {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery insert(db);
    insert.prepare(
        "INSERT INTO races (recorded_at, race_no, odds_1, odds_2, odds_3, odds_4, odds_5, odds_6, finish_order,"
        " stopped, winning_ticks, player_lane, player_stake, player_payout, player_purse,"
        " mascot_lane, mascot_stake, mascot_payout, mascot_purse)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.addBindValue(now);
    insert.addBindValue(race.race_no);
    for (float odds : race.odds) insert.addBindValue(static_cast<double>(odds));
    insert.addBindValue(FinishOrderText(race));
    insert.addBindValue(race.stopped ? 1 : 0);
    insert.addBindValue(race.winning_ticks);
    for (const platform::SettledBet& bet : {race.player, race.mascot}) {
      insert.addBindValue(LaneValue(bet.lane));
      insert.addBindValue(bet.stake);
      insert.addBindValue(bet.payout);
      insert.addBindValue(bet.purse_after);
    }
    if (!insert.exec()) {
      failure_ = insert.lastError().text();
      return false;
    }
    if (race.mascot_refill == 0) return true;
    QSqlQuery gift(db);
    gift.prepare("INSERT INTO gifts (recorded_at, race_no, receiver, amount, purse_after) VALUES (?, ?, 'mascot', ?, ?)");
    for (const QVariant& value : {QVariant(now), QVariant(race.race_no), QVariant(race.mascot_refill),
                                  QVariant(race.mascot.purse_after + race.mascot_refill)}) {
      gift.addBindValue(value);
    }
    if (!gift.exec()) failure_ = gift.lastError().text();
    return failure_.isEmpty();
  });
}

void RecordsStore::ContinueGiven(std::int32_t race_no, std::int32_t gift, std::int32_t purse_after) {
  OpenNow();
  failure_.clear();
  Write([&] {
    QSqlQuery insert(QSqlDatabase::database(connection_, false));
    insert.prepare("INSERT INTO gifts (recorded_at, race_no, receiver, amount, purse_after) VALUES (?, ?, 'player', ?, ?)");
    for (const QVariant& value : {QVariant(Now()), QVariant(race_no), QVariant(gift), QVariant(purse_after)}) {
      insert.addBindValue(value);
    }
    if (!insert.exec()) failure_ = insert.lastError().text();
    return failure_.isEmpty();
  });
}

std::vector<KeptRace> RecordsStore::Races() const {
  std::vector<KeptRace> races;
  if (!keeping_) return races;
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  query.setForwardOnly(true);
  if (!query.exec("SELECT recorded_at, race_no, odds_1, odds_2, odds_3, odds_4, odds_5, odds_6, finish_order, stopped,"
                  " winning_ticks, player_lane, player_stake, player_payout, player_purse,"
                  " mascot_lane, mascot_stake, mascot_payout, mascot_purse FROM races ORDER BY id")) {
    return races;
  }
  while (query.next()) {
    KeptRace kept;
    kept.recorded_at = query.value(0).toString().toStdString();
    platform::SettledRace& race = kept.race;
    race.race_no = query.value(1).toInt();
    for (int lane = 0; lane < kNoLane; ++lane) race.odds[static_cast<std::size_t>(lane)] = query.value(2 + lane).toFloat();
    ReadFinishOrder(query.value(8).toString(), race);
    race.stopped = query.value(9).toInt() != 0;
    race.winning_ticks = query.value(10).toInt();
    int column = 11;
    for (platform::SettledBet* bet : {&race.player, &race.mascot}) {
      bet->lane = LaneFrom(query.value(column++));
      bet->stake = query.value(column++).toInt();
      bet->payout = query.value(column++).toInt();
      bet->purse_after = query.value(column++).toInt();
    }
    races.push_back(kept);
  }
  return races;
}

bool RecordsStore::Clear() {
  OpenNow();
  failure_.clear();
  return Write([&] {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    for (const char* statement : {"DELETE FROM races", "DELETE FROM gifts"}) {
      if (!query.exec(statement)) {
        failure_ = query.lastError().text();
        return false;
      }
    }
    return true;
  });
}

}  // namespace records
