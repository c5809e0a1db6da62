// The outside world as the rules see it: each service is a small interface
// with a real implementation in the app and a double in the tests.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace platform {

// Modal message boxes. Styles: 0 OK only, 4 Yes and No, 48 OK with the
// exclamation icon. Replies: 1 OK, 6 Yes, 7 No. Prompt and title are shown
// in the player's language.
// A question has a safe answer, given when nobody answers (the program is
// asked to end): Yes, unless kNoIsSafe is added. A plain question must be
// answered by the player; one whose Yes loses something (kYesNo | kNoIsSafe)
// has No as its default button, and Escape and the close box answer No.
class MessageBoxes {
 public:
  static constexpr int kOkOnly = 0;
  static constexpr int kYesNo = 4;
  static constexpr int kExclamation = 48;
  static constexpr int kNoIsSafe = 256;
  static constexpr int kReplyOk = 1;
  static constexpr int kReplyYes = 6;
  static constexpr int kReplyNo = 7;

  // What a box of this style answers when nobody does.
  static constexpr int SafeReply(int style) {
    if ((style & ~kNoIsSafe) != kYesNo) return kReplyOk;
    return (style & kNoIsSafe) != 0 ? kReplyNo : kReplyYes;
  }

  virtual ~MessageBoxes() = default;
  virtual int Show(const Text& prompt, int style, const Text& title) = 0;
};

struct TimeOfDay {
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimeOfDay Now() = 0;
};

// Monotonic time for the timers, in microseconds from an arbitrary start.
class MonotonicClock {
 public:
  virtual ~MonotonicClock() = default;
  virtual std::int64_t NowMicros() = 0;
};

// The machine's local IPv4 address as dotted text.
class LocalAddress {
 public:
  virtual ~LocalAddress() = default;
  virtual std::string DottedIPv4() = 0;
};

// The per-user settings store: text values by application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or the default when nothing (readable) is stored.
  virtual std::string Read(std::string_view application, std::string_view section, std::string_view key,
                           std::string_view default_text) = 0;
  // False when the value could not be written; the caller decides what to say.
  virtual bool Write(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view text) = 0;
};

// The media services: command strings for the music (0 = success, any other
// value an error code) and a wave file played in the background.
class Media {
 public:
  virtual ~Media() = default;
  virtual int SendCommand(std::string_view command) = 0;
  virtual bool PlayWave(std::string_view path) = 0;
  // This music will most likely be played soon: the sound may get ready in
  // the background, so that the start of a race does not wait for it. Media
  // that need no time to get ready ignore it.
  virtual void PrepareMusic(std::string_view /*path*/) {}
};

// Ends the program at once: no further handler runs.
class ProgramEnd {
 public:
  virtual ~ProgramEnd() = default;
  virtual void End() = 0;
};

// One bettor's side of a settled race. A lane of 6 means no bet: no stake,
// no payout.
struct SettledBet {
  int lane = 6;
  std::int32_t stake = 0;
  std::int32_t payout = 0;
  // The purse once the race is settled, before any gift.
  std::int32_t purse_after = 0;
  bool operator==(const SettledBet&) const = default;
};

// A race as it was settled: run to its end or stopped after the first arrival.
struct SettledRace {
  std::int32_t race_no = 0;
  std::array<float, 6> odds{};
  // Lanes 0..5 in the order they arrived; `arrivals` of them arrived.
  std::array<int, 6> arrival_order{};
  int arrivals = 0;
  bool stopped = false;
  // Race-clock ticks from the start to the first arrival.
  int winning_ticks = 0;
  SettledBet player;
  SettledBet mascot;
  // What the bank gave the mascot when this race emptied its purse (0 or 100).
  std::int32_t mascot_refill = 0;

  int winner() const { return arrival_order[0]; }
};

// Where the game tells what it settled, at the moment it is settled; the
// rules never read it back. Implementations never throw: a record that cannot
// be kept must not stop a settlement.
class RaceRecords {
 public:
  virtual ~RaceRecords() = default;
  virtual void RaceSettled(const SettledRace& race) = 0;
  // The continue offer accepted after race `race_no` emptied the purse.
  virtual void ContinueGiven(std::int32_t race_no, std::int32_t gift, std::int32_t purse_after) = 0;
};

// Keeps nothing: the default when no records are wanted.
class NoRaceRecords final : public RaceRecords {
 public:
  void RaceSettled(const SettledRace&) override {}
  void ContinueGiven(std::int32_t, std::int32_t, std::int32_t) override {}
};

// Thrown after ProgramEnd::End() to unwind the running handler: nothing
// after the end of the program may run, neither in the routine nor its callers.
struct ProgramEnded {};

}  // namespace platform
