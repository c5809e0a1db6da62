// The records of every settled race, kept in an SQLite database through Qt
// SQL: what the game tells as it settles, and what the statistics window
// reads back. Record keeping never stands in the game's way: a damaged
// database is moved aside and a fresh one started, one that cannot be written
// turns record keeping off for the run, and either is said once.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "platform/service_interfaces.h"

namespace records {

// A race as it was kept: what was settled, and when (local time, ISO 8601).
struct KeptRace {
  std::string recorded_at;
  platform::SettledRace race;
};

// Every kept race that reads back whole, oldest first, and how many rows did
// not: those are left in the file as they are and shown nowhere.
struct KeptRaces {
  std::vector<KeptRace> races;
  std::size_t left_out = 0;
};

// The records as the statistics window sees them.
class RecordsView {
 public:
  virtual ~RecordsView() = default;
  virtual bool keeping() const = 0;
  // Nothing when records are off.
  virtual KeptRaces Races() const = 0;
  // Forgets every race and gift; false when that failed (records are then off).
  virtual bool Clear() = 0;
  // Called after every change, so that a window showing the records follows.
  virtual void SetOnChange(std::function<void()> on_change) = 0;
};

class RecordsStore final : public platform::RaceRecords, public RecordsView {
 public:
  // The schema this game writes; older ones are brought up to it.
  static constexpr int kSchemaVersion = 2;

  // The database at `path`, opened (its directory made) by OpenNow() or by
  // the first race or gift written, so that opening it need not hold up the
  // window; `say` hears, once each, that a damaged database was moved aside
  // or that records are off. Until it is open, nothing is read back.
  RecordsStore(const QString& path, std::function<void(const std::string&)> say);
  void OpenNow();
  ~RecordsStore() override;
  RecordsStore(const RecordsStore&) = delete;
  RecordsStore& operator=(const RecordsStore&) = delete;

  // $XDG_DATA_HOME/mascot-race/records.sqlite (~/.local/share/... when unset).
  static QString DefaultPath();

  bool keeping() const override { return keeping_; }
  const QString& path() const { return path_; }

  // One transaction a race, the mascot's bank refill with it.
  void RaceSettled(const platform::SettledRace& race) override;
  void ContinueGiven(std::int32_t race_no, std::int32_t gift, std::int32_t purse_after) override;

  KeptRaces Races() const override;
  bool Clear() override;
  void SetOnChange(std::function<void()> on_change) override { on_change_ = std::move(on_change); }

 private:
  enum class Opened { Ready, Damaged, Failed };
  Opened Open();
  void Close();
  bool Migrate(int from_version);
  bool MoveDamagedAside();
  bool Write(const std::function<bool()>& statements);
  void TurnOff(const QString& why);
  void Changed();

  QString path_;
  QString connection_;
  std::function<void(const std::string&)> say_;
  std::function<void()> on_change_;
  bool opened_ = false;
  bool keeping_ = false;
  QString failure_;
};

}  // namespace records
