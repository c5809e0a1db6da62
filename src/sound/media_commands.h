// The media command strings, interpreted over the sound system:
//   open <path> alias <name>   path in double quotes when it holds spaces
//   play <name>                once through from the beginning, no waiting
//   stop <name>
//   close <name>
// Verbs, the keyword "alias" and alias names ignore ASCII case. A command is
// checked whole before anything is done: a malformed one does nothing.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/service_interfaces.h"
#include "sound/sound_system.h"

namespace sound {

// Error codes, numbered as the classic media control interface numbers the
// same failures, so a logged code reads the same on every platform.
namespace media_error {
inline constexpr int kNone = 0;
inline constexpr int kUnrecognizedKeyword = 259;  // stray word, junk byte or misplaced quote
inline constexpr int kUnrecognizedCommand = 261;
inline constexpr int kDeviceFailed = 262;         // the song would not play
inline constexpr int kUnknownAlias = 263;
inline constexpr int kTooManyOpen = 264;
inline constexpr int kEmptyCommand = 267;
inline constexpr int kCommandTooLong = 268;
inline constexpr int kMissingParameter = 273;
inline constexpr int kCannotOpenFile = 275;
inline constexpr int kAliasInUse = 289;
inline constexpr int kNoClosingQuote = 294;
}  // namespace media_error

class MediaCommands final : public platform::Media {
 public:
  // Longer commands and paths are refused unread; this bounds all the work.
  static constexpr std::size_t kMaxCommandLength = 4096;
  static constexpr std::size_t kMaxOpenAliases = 16;

  // The sound system must outlive this object.
  explicit MediaCommands(SoundSystem& sound) : sound_(sound) {}
  MediaCommands(const MediaCommands&) = delete;
  MediaCommands& operator=(const MediaCommands&) = delete;
  ~MediaCommands() override;

  int SendCommand(std::string_view command) override;
  bool PlayWave(std::string_view path) override;
  void PrepareMusic(std::string_view path) override { sound_.Prepare(std::string(path)); }

  std::size_t open_aliases() const { return songs_.size(); }

 private:
  struct OpenSong {
    std::string alias;  // folded to lower case
    std::unique_ptr<Song> song;
  };

  int Run(std::string_view command);
  int Open(const std::string& path, const std::string& alias);
  std::vector<OpenSong>::iterator Find(const std::string& alias);

  SoundSystem& sound_;
  std::vector<OpenSong> songs_;
};

}  // namespace sound
