// The media commands over recording players, and the music files found
// where a package puts them.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

#include "platform/media_commands.h"
#include "platform/music_file_fallback.h"

namespace {

namespace error = platform::media_error;
using namespace std::string_literals;
using Log = std::vector<std::string>;

// Players that write down what they are asked to do; songs are numbered as opened.
struct RecordingPlayers final : platform::MusicPlayer, platform::WavePlayer {
  struct Song final : platform::Song {
    Song(Log& log, int number) : log_(log), name_("#" + std::to_string(number)) {}
    ~Song() override { log_.push_back("unload " + name_); }
    bool Play() override { return log_.push_back("play " + name_ + " from the start"), name_ != "#2"; }
    void Stop() override { log_.push_back("stop " + name_); }
    Log& log_;
    std::string name_;
  };
  std::unique_ptr<platform::Song> Open(const std::string& path) override {
    if (throws) throw std::runtime_error("broken player");
    log.push_back("open " + path);
    return missing.count(path) ? nullptr : std::make_unique<Song>(log, ++opened);
  }
  bool PlayWave(const std::string& path) override {
    if (throws) throw std::runtime_error("broken player");
    return log.push_back("wave " + path), !missing.count(path);
  }
  Log log;
  std::set<std::string> missing;
  bool throws = false;
  int opened = 0;
};

TEST(MediaTest, EachRaceOpensTheTuneAfreshAndEachPressStopsAndClosesIt) {
  RecordingPlayers players;
  platform::MediaCommands media(players, players);
  using error::kNone;
  // A play after a stop starts from the start again; words and aliases ignore case; song 2 will not play.
  const std::pair<std::string, int> kCommands[] = {{"stop bgm", error::kUnknownAlias},
                                                   {"close bgm", error::kUnknownAlias},
                                                   {"open \"/home/player/mascot race/bgm.mid\" alias bgm", kNone},
                                                   {"play bgm", kNone},
                                                   {"stop bgm", kNone},
                                                   {"play bgm", kNone},
                                                   {"open /games/x.mid alias BGM", error::kAliasInUse},
                                                   {"close bgm", kNone},
                                                   {"play bgm", error::kUnknownAlias},
                                                   {"Open /Games/BGM.mid ALIAS Bgm", kNone},
                                                   {"\tPLAY\t BGM  ", error::kDeviceFailed},
                                                   {"open /games/missing.mid alias gone", error::kCannotOpenFile}};
  players.missing.insert("/games/missing.mid");
  for (const auto& [command, result] : kCommands) EXPECT_EQ(media.SendCommand(command), result) << command;
  EXPECT_EQ(players.log,
            (Log{"open /home/player/mascot race/bgm.mid", "play #1 from the start", "stop #1", "play #1 from the start",
                 "stop #1", "unload #1", "open /Games/BGM.mid", "play #2 from the start", "open /games/missing.mid"}));
  while (media.open_aliases() < platform::MediaCommands::kMaxOpenAliases)
    ASSERT_EQ(media.SendCommand("open /games/c.mid alias tune" + std::to_string(media.open_aliases())), kNone);
  EXPECT_EQ(media.SendCommand("open /games/c.mid alias onemore"), error::kTooManyOpen);
  EXPECT_TRUE(media.PlayWave("/home/player/mascot race/bgm1.wav"));
  EXPECT_EQ(players.log.back(), "wave /home/player/mascot race/bgm1.wav");
}

// A malformed command is refused whole: the open tune neither stops, nor
// plays, nor closes, and nothing else is opened.
TEST(MediaTest, MalformedCommandsAreRefusedAndDoNothing) {
  RecordingPlayers players;
  platform::MediaCommands media(players, players);
  ASSERT_EQ(media.SendCommand("open /games/bgm.mid alias bgm"), error::kNone);
  for (const std::string& command :
       {" \t "s, "pause bgm"s, "\"play\" bgm"s, "stop"s, "play bgm repeat"s, "close \"bgm\""s, "close music"s,
        "open \"/games/x.mid\""s, "open \"\" alias x"s, "open /games/x.mid as x"s, "open /games/x.mid alias x type"s,
        "open /my games/x.mid alias x"s, "open \"/games/x.mid alias x"s, "open \"/games/x.mid\"alias x"s,
        "close bgm\0x"s, "close bgm\n"s, "open \"/games/\0.mid\" alias x"s, "close " + std::string(5000, 'a')}) {
    EXPECT_NE(media.SendCommand(command), error::kNone) << command;
  }
  EXPECT_EQ(std::pair(media.open_aliases(), players.log), std::pair(std::size_t{1}, Log{"open /games/bgm.mid"}));
  // Paths that cannot be files never reach the player.
  for (const std::string& path : {""s, "/games/bgm1.wav\0.exe"s, std::string(5000, 'a')})
    EXPECT_FALSE(media.PlayWave(path)) << path.size();
  EXPECT_EQ(players.log.size(), 1u);
  players.throws = true;  // a player that throws only makes the call fail
  EXPECT_NE(media.SendCommand("open /games/x.mid alias x"), error::kNone);
  EXPECT_FALSE(media.PlayWave("/games/bgm1.wav"));
}

// The player's own file beside the game wins; else the same name in the data
// directories, in order; else the path as asked, to fail in the player.
TEST(MusicFileFallbackTest, TheFileThatStandsInForTheOneAskedFor) {
  // The files there (a trailing "/" makes a directory), the one asked for and the one given.
  using Row = std::tuple<std::vector<std::string>, std::string, std::string>;
  char pattern[] = "/tmp/mascot-fallback-XXXXXX";
  const std::filesystem::path root = mkdtemp(pattern);
  for (const auto& [files, asked, given] : {Row{{"games/bgm.mid", "data/bgm.mid"}, "games/bgm.mid", "games/bgm.mid"},
                         Row{{"data/bgm.mid", "more/bgm.mid"}, "games/bgm.mid", "data/bgm.mid"},
                         Row{{"more/bgm1.wav"}, "games/bgm1.wav", "more/bgm1.wav"},
                         Row{{"data/other.mid"}, "games/bgm.mid", "games/bgm.mid"},
                         Row{{"games/bgm.mid/", "data/bgm.mid"}, "games/bgm.mid", "data/bgm.mid"},
                         Row{{"data/bgm.mid"}, "my games/bgm.mid", "data/bgm.mid"}}) {
    std::filesystem::remove_all(root);
    for (const std::string& file : files) {
      std::filesystem::create_directories((root / file).parent_path());
      if (file.back() == '/') std::filesystem::create_directories(root / file);
      if (file.back() != '/') std::ofstream(root / file) << "music";
    }
    RecordingPlayers players;
    platform::MusicFileFallback music(players, players, {(root / "data").string(), (root / "more").string()});
    players.missing.insert((root / given).string());
    music.Open((root / asked).string());
    music.PlayWave((root / asked).string());
    EXPECT_EQ(players.log, (Log{"open " + (root / given).string(), "wave " + (root / given).string()})) << asked;
  }
  std::filesystem::remove_all(root);
}

}  // namespace
