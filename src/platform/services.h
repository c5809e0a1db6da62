// The outside world as the rules see it: each service is a small interface
// with a real implementation in the app and a double in the tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Modal message boxes. Styles: 0 OK only, 4 Yes and No, 48 OK with the
// exclamation icon. Replies: 1 OK, 6 Yes, 7 No.
class MessageBoxes {
 public:
  static constexpr int kOkOnly = 0;
  static constexpr int kYesNo = 4;
  static constexpr int kExclamation = 48;
  static constexpr int kReplyOk = 1;
  static constexpr int kReplyYes = 6;
  static constexpr int kReplyNo = 7;

  virtual ~MessageBoxes() = default;
  virtual int Show(std::string_view prompt, int style, std::string_view title) = 0;
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

// Thrown after ProgramEnd::End() to unwind the running handler: nothing
// after the end of the program may run, neither in the routine nor its callers.
struct ProgramEnded {};

}  // namespace platform
