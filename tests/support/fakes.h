// Test doubles for every service: a scripted random sequence, scripted
// message-box replies, a fixed clock, an in-memory settings store, a
// recording media service and a program end that only takes note.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/random.h"
#include "platform/services.h"

namespace testing_support {

// Hands out the scripted values in order; when the script runs out it hands
// out the fallback and counts the overrun, so a test can assert it did not.
class ScriptedRandom final : public platform::RandomSource {
 public:
  explicit ScriptedRandom(std::vector<float> values = {}, float fallback = 0.5f)
      : values_(values.begin(), values.end()), fallback_(fallback) {}

  void Push(std::vector<float> values) { values_.insert(values_.end(), values.begin(), values.end()); }
  float Next() override;
  std::optional<float> Skip(std::uint64_t n) override;

  int draws() const { return draws_; }
  int overruns() const { return overruns_; }
  std::size_t remaining() const { return values_.size(); }
  void set_fallback(float fallback) { fallback_ = fallback; }

 private:
  std::deque<float> values_;
  float fallback_;
  int draws_ = 0;
  int overruns_ = 0;
};

struct ShownBox {
  std::string prompt;
  int style;
  std::string title;
  bool operator==(const ShownBox&) const = default;
};

// Records every box; replies come from the script, else OK for OK boxes and
// the default reply (Yes) for questions.
class ScriptedMessageBoxes final : public platform::MessageBoxes {
 public:
  int Show(std::string_view prompt, int style, std::string_view title) override;
  void Reply(std::vector<int> replies) { replies_.insert(replies_.end(), replies.begin(), replies.end()); }
  // Runs while a box is open (to press other buttons or let time pass).
  std::function<void(const ShownBox&)> while_open;
  // Answers boxes once the scripted replies have run out.
  std::function<int(const ShownBox&)> answer;

  std::vector<ShownBox> shown;

 private:
  std::deque<int> replies_;
};

class FixedClock final : public platform::Clock {
 public:
  platform::TimeOfDay Now() override { return now; }
  platform::TimeOfDay now{15, 4, 5};
};

class FixedAddress final : public platform::LocalAddress {
 public:
  std::string DottedIPv4() override { return address; }
  std::string address = "192.168.0.10";
};

class MemorySettings final : public platform::SettingsStore {
 public:
  using Key = std::tuple<std::string, std::string, std::string>;
  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view default_text) override;
  bool Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view text) override;

  // The saved purse, as the game keeps it.
  std::optional<std::string> Purse() const;
  void SetPurse(std::string text) { values[{"MainForm", "2", "pass"}] = std::move(text); }

  std::map<Key, std::string> values;
  int writes = 0;
  bool fail_writes = false;
};

class RecordingMedia final : public platform::Media {
 public:
  int SendCommand(std::string_view command) override {
    log.push_back(std::string(command));
    if (on_command) on_command(log.back());
    return 0;
  }
  std::function<void(const std::string&)> on_command;
  bool PlayWave(std::string_view path) override {
    log.push_back("wave " + std::string(path));
    return true;
  }
  std::vector<std::string> log;
};

// Keeps every settled race and continue gift it is told of.
class RecordingRaces final : public platform::RaceRecords {
 public:
  struct Gift {
    std::int32_t race_no, gift, purse_after;
    bool operator==(const Gift&) const = default;
  };
  void RaceSettled(const platform::SettledRace& race) override {
    races.push_back(race);
    if (on_record) on_record();
  }
  void ContinueGiven(std::int32_t race_no, std::int32_t gift, std::int32_t purse_after) override {
    gifts.push_back({race_no, gift, purse_after});
    if (on_record) on_record();
  }
  std::vector<platform::SettledRace> races;
  std::vector<Gift> gifts;
  std::function<void()> on_record;
};

class NotedProgramEnd final : public platform::ProgramEnd {
 public:
  void End() override { ++ends; }
  int ends = 0;
};

}  // namespace testing_support
