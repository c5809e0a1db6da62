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
#include <limits>
#include <optional>

#include "game/odds.h"

namespace records {

namespace {

constexpr int kNoLane = 6;
constexpr std::int64_t kMostLong = std::numeric_limits<std::int32_t>::max();
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

// What quick_check finds wrong with the file, "ok" when nothing; nothing when
// it cannot run. A NULL or a broken CHECK that a hand edit left in spoils a
// row, not the file: rows are checked as they are read, and the file is kept.
QVariant FileDamage(QSqlQuery& query) {
  if (!query.exec("PRAGMA quick_check")) return {};
  QVariant found = "ok";
  while (query.next()) {
    const QString finding = query.value(0).toString();
    if (finding != "ok" && !finding.startsWith("NULL value in ") && !finding.startsWith("CHECK constraint failed in ")) {
      found = finding;
      break;
    }
  }
  query.finish();  // an unfinished statement would hold back a commit
  return found;
}

QString Now() { return QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss"); }

QVariant LaneValue(int lane) { return lane >= 0 && lane < kNoLane ? QVariant(lane + 1) : QVariant(); }

QString FinishOrderText(const platform::SettledRace& race) {
  QStringList lanes;
  for (int i = 0; i < race.arrivals && i < kNoLane; ++i) lanes << QString::number(race.arrival_order[static_cast<std::size_t>(i)] + 1);
  return lanes.join(',');
}

// Every value read back is checked against what the game writes: another
// program, a hand edit or a damaged disk may have put anything in a row, and
// a row that fails is left out rather than shown wrong (or indexed with).

// A time as Now() writes it: a date and a time of day (parsed apart, so
// that no local time that a clock change skips is refused).
bool IsTime(const QString& text) {
  return text.size() == 19 && text[10] == ' ' && QDate::fromString(text.left(10), Qt::ISODate).isValid() &&
         QTime::fromString(text.mid(11), Qt::ISODate).isValid();
}

// A whole number within [low, high]; none for NULL, a fraction or a text.
std::optional<std::int64_t> Whole(const QVariant& value, std::int64_t low, std::int64_t high) {
  if (value.typeId() != QMetaType::LongLong) return std::nullopt;
  const qlonglong number = value.toLongLong();
  return number >= low && number <= high ? std::optional<std::int64_t>(number) : std::nullopt;
}

// Odds as a race can show them (SQLite hands a REAL over as its text).
std::optional<float> Odds(const QVariant& value) {
  bool ok = false;
  const double odds = value.toDouble(&ok);
  if (!ok || !(odds >= 1 && odds <= game::kHighestOdds)) return std::nullopt;  // NaN fails both
  const auto single = static_cast<float>(odds);
  return single >= game::kLowestOdds ? std::optional<float>(single) : std::nullopt;
}

// A lane as the player sees it, 1 to 6, as the game's 0 to 5.
std::optional<int> Lane(const QVariant& value) {
  const std::optional<std::int64_t> lane = Whole(value, 1, kNoLane);
  return lane ? std::optional<int>(static_cast<int>(*lane - 1)) : std::nullopt;
}

// The lanes that arrived, each once: one to six of them.
bool ReadFinishOrder(const QVariant& value, platform::SettledRace& race) {
  if (value.typeId() != QMetaType::QString) return false;
  const QStringList lanes = value.toString().split(',');
  if (lanes.size() > kNoLane) return false;
  std::array<bool, kNoLane> arrived{};
  for (const QString& text : lanes) {
    bool ok = false;
    const int lane = text.toInt(&ok) - 1;
    if (!ok || lane < 0 || lane >= kNoLane || arrived[static_cast<std::size_t>(lane)]) return false;
    arrived[static_cast<std::size_t>(lane)] = true;
    race.arrival_order[static_cast<std::size_t>(race.arrivals++)] = lane;
  }
  return true;
}

bool ReadBet(const QSqlQuery& query, int column, platform::SettledBet& bet) {
  const std::optional<int> lane = query.isNull(column) ? kNoLane : Lane(query.value(column));
  const std::optional<std::int64_t> stake = Whole(query.value(column + 1), 0, std::numeric_limits<std::int16_t>::max());
  const std::optional<std::int64_t> payout = Whole(query.value(column + 2), 0, kMostLong);
  const std::optional<std::int64_t> purse = Whole(query.value(column + 3), 0, kMostLong);
  if (!lane || !stake || !payout || !purse) return false;
  bet = {*lane, static_cast<std::int32_t>(*stake), static_cast<std::int32_t>(*payout), static_cast<std::int32_t>(*purse)};
  return true;
}

// The row the query stands on, in the columns of Races(); none when any value fails.
std::optional<KeptRace> ReadRace(const QSqlQuery& query) {
  KeptRace kept;
  platform::SettledRace& race = kept.race;
  const QString recorded_at = query.value(0).toString();
  const std::optional<std::int64_t> race_no = Whole(query.value(1), 1, kMostLong);
  const std::optional<std::int64_t> stopped = Whole(query.value(9), 0, 1);
  // No ticks were kept before schema 2.
  const std::optional<std::int64_t> ticks = query.isNull(10) ? 0 : Whole(query.value(10), 0, kMostLong);
  if (!IsTime(recorded_at) || !race_no || !stopped || !ticks ||
      !ReadFinishOrder(query.value(8), race) || !ReadBet(query, 11, race.player) || !ReadBet(query, 15, race.mascot)) {
    return std::nullopt;
  }
  for (std::size_t lane = 0; lane < race.odds.size(); ++lane) {
    const std::optional<float> odds = Odds(query.value(2 + static_cast<int>(lane)));
    if (!odds) return std::nullopt;
    race.odds[lane] = *odds;
  }
  kept.recorded_at = recorded_at.toStdString();
  race.race_no = static_cast<std::int32_t>(*race_no);
  race.stopped = *stopped != 0;
  race.winning_ticks = static_cast<int>(*ticks);
  return kept;
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
  // SQLite opens whatever stands at its places: a pipe can hold it for ever
  // (as it holds the sqlite3 shell), a device would be written to.
  for (const char* side : {"", "-wal", "-shm"}) {
    const QFileInfo place(path_ + side);
    if ((place.exists() || place.isSymLink()) && !place.isFile()) {
      failure_ = place.filePath() + " is no regular file";
      return Opened::Failed;
    }
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
  const QVariant check = FileDamage(query);
  if (check.toString() != "ok") {
    failure_ = check.isValid() ? "its check found " + check.toString() : query.lastError().text();
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

KeptRaces RecordsStore::Races() const {
  KeptRaces kept;
  if (!keeping_) return kept;
  QSqlQuery query(QSqlDatabase::database(connection_, false));
  query.setForwardOnly(true);
  if (!query.exec("SELECT recorded_at, race_no, odds_1, odds_2, odds_3, odds_4, odds_5, odds_6, finish_order, stopped,"
                  " winning_ticks, player_lane, player_stake, player_payout, player_purse,"
                  " mascot_lane, mascot_stake, mascot_payout, mascot_purse FROM races ORDER BY id")) {
    return kept;
  }
  while (query.next()) {
    if (std::optional<KeptRace> race = ReadRace(query)) {
      kept.races.push_back(std::move(*race));
    } else {
      ++kept.left_out;
    }
  }
  return kept;
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
