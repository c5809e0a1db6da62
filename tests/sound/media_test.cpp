// The media commands over a recording sound system.
#include <gtest/gtest.h>

#include <set>

#include "sound/media_commands.h"

namespace {

namespace error = sound::media_error;
using namespace std::string_literals;
using Log = std::vector<std::string>;

// A sound system that writes down what it is asked to do; songs are numbered as opened.
struct RecordingSound final : sound::SoundSystem {
  struct Song final : sound::Song {
    Song(Log& log, int number) : log_(log), name_("#" + std::to_string(number)) {}
    ~Song() override { log_.push_back("unload " + name_); }
    bool Play() override { return log_.push_back("play " + name_ + " from the start"), name_ != "#2"; }
    void Stop() override { log_.push_back("stop " + name_); }
    Log& log_;
    std::string name_;
  };
  std::unique_ptr<sound::Song> Open(const std::string& path) override {
    log.push_back("open " + path);
    return missing.count(path) ? nullptr : std::make_unique<Song>(log, ++opened);
  }
  bool PlayWave(const std::string& path) override { return log.push_back("wave " + path), !missing.count(path); }
  Log log;
  std::set<std::string> missing;
  int opened = 0;
};

// As the game sends them: every press stops and closes the tune (not open
// the first time); every start opens it afresh from the game's directory,
// blanks and all, and plays it. Song 2 will not play; a missing file opens
// nothing. A game directory whose name holds a quote or a control character,
// or is too long, makes commands that are refused whole: the open tune
// neither stops nor closes, and nothing else is opened; of the waves, only
// the one with a quote in its name (a name like any) is played.
TEST(MediaTest, EachRaceOpensTheTuneAfreshEachPressStopsAndClosesItAndOddDirectoriesDoNothing) {
  RecordingSound recording;
  sound::MediaCommands media(recording);
  using error::kNone;
  const std::string open = "open \"/home/player/mascot race/bgm.mid\" alias bgm";
  const std::pair<std::string, int> kCommands[] = {
      {"stop bgm", error::kUnknownAlias}, {"close bgm", error::kUnknownAlias}, {open, kNone}, {"play bgm", kNone},
      {"stop bgm", kNone}, {"close bgm", kNone}, {open, kNone}, {"play bgm", error::kDeviceFailed},
      {"stop bgm", kNone}, {"close bgm", kNone}, {"open \"/games/bgm.mid\" alias bgm", error::kCannotOpenFile},
      {"play bgm", error::kUnknownAlias}, {"open /games/other.mid alias bgm", kNone}};
  recording.missing.insert("/games/bgm.mid");
  for (const auto& [command, result] : kCommands) EXPECT_EQ(media.SendCommand(command), result) << command;
  for (const std::string& directory : {"/my \"games\""s, "/my\ngames"s, "/my\x7Fgames"s, std::string(5000, 'a')}) {
    EXPECT_NE(media.SendCommand("open \"" + directory + "/bgm.mid\" alias bgm"), kNone) << directory;
    EXPECT_EQ(media.PlayWave(directory + "/bgm1.wav"), directory[4] == '"') << directory;
  }
  const std::string tune = "open /home/player/mascot race/bgm.mid";
  EXPECT_EQ(std::pair(media.open_aliases(), recording.log),
            std::pair(std::size_t{1}, Log{tune, "play #1 from the start", "stop #1", "stop #1", "unload #1", tune,
                                          "play #2 from the start", "stop #2", "stop #2", "unload #2",
                                          "open /games/bgm.mid", "open /games/other.mid",
                                          "wave /my \"games\"/bgm1.wav"}));
}

}  // namespace
