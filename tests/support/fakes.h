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
#include "platform/service_interfaces.h"

namespace testing_support {

// Hands out the scripted values in order; when the script runs out it hands
// out 0.5 and counts the overrun, so a test can assert it did not.
struct ScriptedRandom final : platform::RandomSource {
  void Push(const std::vector<float>& more) { values.insert(values.end(), more.begin(), more.end()); }
  float Next() override {
    ++draws;
    if (values.empty()) return ++overruns, 0.5f;
    const float value = values.front();
    return values.pop_front(), value;
  }
  std::optional<float> Skip(std::uint64_t n) override {
    std::optional<float> last;
    for (std::uint64_t i = 0; i < n; ++i) last = Next();
    return last;
  }
  std::deque<float> values;
  int draws = 0, overruns = 0;
};

struct ShownBox {
  std::string prompt;
  int style;
  std::string title;
  bool operator==(const ShownBox&) const = default;
};

// Records every box, its texts in Japanese; replies come from the script,
// then from `answer`, else the box's safe answer.
struct ScriptedMessageBoxes final : platform::MessageBoxes {
  int Show(const platform::Text& prompt, int style, const platform::Text& title) override {
    const ShownBox box = shown.emplace_back(ShownBox{platform::Japanese(prompt), style, platform::Japanese(title)});
    if (while_open) while_open(box);
    if (replies.empty()) return answer ? answer(box) : SafeReply(style);
    const int reply = replies.front();
    return replies.pop_front(), reply;
  }
  void Reply(const std::vector<int>& more) { replies.insert(replies.end(), more.begin(), more.end()); }
  std::function<void(const ShownBox&)> while_open;  // runs while the box is open
  std::function<int(const ShownBox&)> answer;
  std::vector<ShownBox> shown;
  std::deque<int> replies;
};

struct FixedClock final : platform::Clock {
  platform::TimeOfDay Now() override { return now; }
  platform::TimeOfDay now{15, 4, 5};
};

struct FixedAddress final : platform::LocalAddress {
  std::string DottedIPv4() override { return address; }
  std::string address = "192.168.0.10";
};

// Values by "application/section/key".
struct MemorySettings final : platform::SettingsStore {
  std::string Read(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view dflt) override {
    auto found = values.find(std::string(app) + "/" + std::string(section) + "/" + std::string(key));
    return found == values.end() ? std::string(dflt) : found->second;
  }
  bool Write(std::string_view app, std::string_view section, std::string_view key, std::string_view text) override {
    if (!fail_writes) values[std::string(app) + "/" + std::string(section) + "/" + std::string(key)] = text;
    return !fail_writes;
  }
  // The saved purse, where the game keeps it.
  std::optional<std::string> Purse() const {
    return values.count("MainForm/2/pass") ? std::optional(values.at("MainForm/2/pass")) : std::nullopt;
  }
  void SetPurse(const std::string& text) { values["MainForm/2/pass"] = text; }
  std::map<std::string, std::string> values;
  bool fail_writes = false;
};

struct RecordingMedia final : platform::Media {
  int SendCommand(std::string_view command) override {
    log.emplace_back(command);
    if (on_command) on_command(log.back());
    return 0;
  }
  bool PlayWave(std::string_view path) override { return log.push_back("wave " + std::string(path)), true; }
  std::function<void(const std::string&)> on_command;
  void PrepareMusic(std::string_view path) override { prepared.emplace_back(path); }
  std::vector<std::string> log;
  std::vector<std::string> prepared;
};

// Keeps every settled race and continue gift it is told of.
struct RecordingRaces final : platform::RaceRecords {
  using Gift = std::tuple<std::int32_t, std::int32_t, std::int32_t>;  // the race, the gift, the purse after it
  void RaceSettled(const platform::SettledRace& race) override { races.push_back(race); }
  void ContinueGiven(std::int32_t race_no, std::int32_t gift, std::int32_t purse_after) override {
    gifts.push_back({race_no, gift, purse_after});
  }
  std::vector<platform::SettledRace> races;
  std::vector<Gift> gifts;
};

struct NotedProgramEnd final : platform::ProgramEnd {
  void End() override { ++ends; }
  int ends = 0;
};

}  // namespace testing_support
