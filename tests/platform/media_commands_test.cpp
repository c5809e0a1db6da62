#include "platform/media_commands.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace error = platform::media_error;

// Players that only write down what they are asked to do.
class RecordingPlayers final : public platform::MusicPlayer, public platform::WavePlayer {
 public:
  class RecordedSong final : public platform::Song {
   public:
    RecordedSong(RecordingPlayers& players, int number) : players_(players), name_("#" + std::to_string(number)) {}
    ~RecordedSong() override { players_.log.push_back("unload " + name_); }
    bool Play() override {
      players_.log.push_back("play " + name_ + " from the start");
      return players_.songs_play;
    }
    void Stop() override { players_.log.push_back("stop " + name_); }

   private:
    RecordingPlayers& players_;
    std::string name_;
  };

  std::unique_ptr<platform::Song> Open(const std::string& path) override {
    if (throw_on_open) throw std::runtime_error("broken player");
    log.push_back("open " + path);
    if (unplayable.count(path)) return nullptr;
    return std::make_unique<RecordedSong>(*this, ++opened);
  }
  bool PlayWave(const std::string& path) override {
    if (throw_on_open) throw std::runtime_error("broken player");
    log.push_back("wave " + path);
    return !unplayable.count(path);
  }

  std::vector<std::string> log;
  std::set<std::string> unplayable;
  bool songs_play = true;
  bool throw_on_open = false;
  int opened = 0;
};

using Log = std::vector<std::string>;

class MediaCommandsTest : public ::testing::Test {
 protected:
  RecordingPlayers players;
  platform::MediaCommands media{players, players};
};

TEST_F(MediaCommandsTest, AStartWithMusicOpensAndPlaysTheTuneAndTheStartSignal) {
  EXPECT_EQ(media.SendCommand("stop bgm"), error::kUnknownAlias);
  EXPECT_EQ(media.SendCommand("close bgm"), error::kUnknownAlias);
  EXPECT_EQ(media.SendCommand("open \"/home/player/mascot race/bgm.mid\" alias bgm"), error::kNone);
  EXPECT_EQ(media.SendCommand("play bgm"), error::kNone);
  EXPECT_TRUE(media.PlayWave("/home/player/mascot race/bgm1.wav"));
  EXPECT_EQ(players.log, (Log{"open /home/player/mascot race/bgm.mid", "play #1 from the start",
                              "wave /home/player/mascot race/bgm1.wav"}));
}

TEST_F(MediaCommandsTest, TheNextPressStopsAndClosesTheTune) {
  media.SendCommand("open /games/bgm.mid alias bgm");
  media.SendCommand("play bgm");
  players.log.clear();
  EXPECT_EQ(media.SendCommand("stop bgm"), error::kNone);
  EXPECT_EQ(media.SendCommand("close bgm"), error::kNone);
  EXPECT_EQ(players.log, (Log{"stop #1", "stop #1", "unload #1"}));
  EXPECT_EQ(media.open_aliases(), 0u);
  EXPECT_EQ(media.SendCommand("play bgm"), error::kUnknownAlias);
}

TEST_F(MediaCommandsTest, TheNextRaceOpensTheTuneAfresh) {
  media.SendCommand("open /games/bgm.mid alias bgm");
  media.SendCommand("close bgm");
  players.log.clear();
  EXPECT_EQ(media.SendCommand("open /games/bgm.mid alias bgm"), error::kNone);
  EXPECT_EQ(media.SendCommand("play bgm"), error::kNone);
  EXPECT_EQ(players.log, (Log{"open /games/bgm.mid", "play #2 from the start"}));
}

TEST_F(MediaCommandsTest, StopThenPlayStartsTheSameSongOverFromTheStart) {
  media.SendCommand("open /games/bgm.mid alias bgm");
  media.SendCommand("play bgm");
  media.SendCommand("stop bgm");
  EXPECT_EQ(media.SendCommand("play bgm"), error::kNone);
  EXPECT_EQ(players.log, (Log{"open /games/bgm.mid", "play #1 from the start", "stop #1", "play #1 from the start"}));
}

TEST_F(MediaCommandsTest, OpeningAnAliasThatIsOpenFailsAndKeepsTheFirst) {
  media.SendCommand("open /games/bgm.mid alias bgm");
  EXPECT_EQ(media.SendCommand("open /games/other.mid alias bgm"), error::kAliasInUse);
  EXPECT_EQ(media.SendCommand("open /games/other.mid alias BGM"), error::kAliasInUse);
  media.SendCommand("play bgm");
  EXPECT_EQ(players.log, (Log{"open /games/bgm.mid", "play #1 from the start"}));
}

TEST_F(MediaCommandsTest, AMissingTuneCannotBeOpenedAndLeavesTheAliasFree) {
  players.unplayable.insert("/games/bgm.mid");
  EXPECT_EQ(media.SendCommand("open /games/bgm.mid alias bgm"), error::kCannotOpenFile);
  EXPECT_EQ(media.SendCommand("play bgm"), error::kUnknownAlias);
  EXPECT_EQ(media.open_aliases(), 0u);
}

TEST_F(MediaCommandsTest, ASongThatWillNotPlayReportsIt) {
  players.songs_play = false;
  media.SendCommand("open /games/bgm.mid alias bgm");
  EXPECT_EQ(media.SendCommand("play bgm"), error::kDeviceFailed);
}

TEST_F(MediaCommandsTest, WordsAndAliasesIgnoreCaseButPathsKeepIt) {
  EXPECT_EQ(media.SendCommand("Open /Games/BGM.mid ALIAS Bgm"), error::kNone);
  EXPECT_EQ(media.SendCommand("PLAY bgm"), error::kNone);
  EXPECT_EQ(media.SendCommand("\tstop\t BGM  "), error::kNone);
  EXPECT_EQ(players.log, (Log{"open /Games/BGM.mid", "play #1 from the start", "stop #1"}));
}

TEST_F(MediaCommandsTest, SeveralAliasesAreKeptApart) {
  media.SendCommand("open /games/a.mid alias first");
  media.SendCommand("open /games/b.mid alias second");
  media.SendCommand("play second");
  media.SendCommand("close first");
  EXPECT_EQ(players.log, (Log{"open /games/a.mid", "open /games/b.mid", "play #2 from the start", "stop #1",
                              "unload #1"}));
}

TEST_F(MediaCommandsTest, OpenAliasesAreBounded) {
  for (std::size_t i = 0; i < platform::MediaCommands::kMaxOpenAliases; ++i) {
    ASSERT_EQ(media.SendCommand("open /games/bgm.mid alias tune" + std::to_string(i)), error::kNone);
  }
  players.log.clear();
  EXPECT_EQ(media.SendCommand("open /games/bgm.mid alias onemore"), error::kTooManyOpen);
  EXPECT_TRUE(players.log.empty());
}

TEST_F(MediaCommandsTest, ClosingTheMediaUnloadsWhatIsStillOpen) {
  {
    platform::MediaCommands scoped(players, players);
    scoped.SendCommand("open /games/bgm.mid alias bgm");
    scoped.SendCommand("play bgm");
  }
  EXPECT_EQ(players.log.back(), "unload #1");
}

struct RefusedCommand {
  const char* why;
  std::string command;
  int error;
};

class RefusedCommandTest : public ::testing::TestWithParam<RefusedCommand> {};

// Each refused command leaves everything as it was: the open tune neither
// stops, nor plays, nor closes, and nothing else is opened.
TEST_P(RefusedCommandTest, FailsWithItsCodeAndDoesNothing) {
  RecordingPlayers players;
  platform::MediaCommands media(players, players);
  ASSERT_EQ(media.SendCommand("open /games/bgm.mid alias bgm"), error::kNone);
  players.log.clear();
  EXPECT_EQ(media.SendCommand(GetParam().command), GetParam().error) << GetParam().why;
  EXPECT_TRUE(players.log.empty()) << GetParam().why;
  EXPECT_EQ(media.open_aliases(), 1u) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RefusedCommandTest,
    ::testing::Values(
        RefusedCommand{"empty", "", error::kEmptyCommand},
        RefusedCommand{"only blanks", " \t ", error::kEmptyCommand},
        RefusedCommand{"unknown verb", "pause bgm", error::kUnrecognizedCommand},
        RefusedCommand{"quoted verb", "\"play\" bgm", error::kUnrecognizedCommand},
        RefusedCommand{"play without alias", "play", error::kMissingParameter},
        RefusedCommand{"stop without alias", "stop", error::kMissingParameter},
        RefusedCommand{"play with options", "play bgm repeat", error::kUnrecognizedKeyword},
        RefusedCommand{"close with options", "close bgm wait", error::kUnrecognizedKeyword},
        RefusedCommand{"quoted alias", "close \"bgm\"", error::kUnrecognizedKeyword},
        RefusedCommand{"play of an unknown alias", "play music", error::kUnknownAlias},
        RefusedCommand{"stop of an unknown alias", "stop music", error::kUnknownAlias},
        RefusedCommand{"close of an unknown alias", "close music", error::kUnknownAlias},
        RefusedCommand{"open alone", "open", error::kMissingParameter},
        RefusedCommand{"open without alias", "open \"/games/x.mid\"", error::kMissingParameter},
        RefusedCommand{"alias without a name", "open /games/x.mid alias", error::kMissingParameter},
        RefusedCommand{"empty path", "open \"\" alias x", error::kMissingParameter},
        RefusedCommand{"other keyword", "open /games/x.mid as x", error::kUnrecognizedKeyword},
        RefusedCommand{"quoted keyword", "open /games/x.mid \"alias\" x", error::kUnrecognizedKeyword},
        RefusedCommand{"words after the alias", "open /games/x.mid alias x type", error::kUnrecognizedKeyword},
        RefusedCommand{"many words", "open a b c d e f g h i j", error::kUnrecognizedKeyword},
        RefusedCommand{"spaces without quotes", "open /my games/x.mid alias x", error::kUnrecognizedKeyword},
        RefusedCommand{"open quote", "open \"/games/x.mid alias x", error::kNoClosingQuote},
        RefusedCommand{"quote inside a word", "open /ga\"mes/x.mid alias x", error::kUnrecognizedKeyword},
        RefusedCommand{"word glued to a quote", "open \"/games/x.mid\"alias x", error::kUnrecognizedKeyword},
        RefusedCommand{"NUL byte", std::string("close bgm\0x", 11), error::kUnrecognizedKeyword},
        RefusedCommand{"line break", "close bgm\n", error::kUnrecognizedKeyword},
        RefusedCommand{"NUL inside a quoted path", std::string("open \"/games/\0.mid\" alias x", 27),
                       error::kUnrecognizedKeyword},
        RefusedCommand{"far too long", "close " + std::string(5000, 'a'), error::kCommandTooLong}),
    [](const ::testing::TestParamInfo<RefusedCommand>& info) { return "Case" + std::to_string(info.index); });

TEST_F(MediaCommandsTest, TheStartSignalIsPassedOnAndAMissingOneIsSilence) {
  players.unplayable.insert("/games/bgm1.wav");
  EXPECT_FALSE(media.PlayWave("/games/bgm1.wav"));
  EXPECT_TRUE(media.PlayWave("/games/other.wav"));
  EXPECT_EQ(players.log, (Log{"wave /games/bgm1.wav", "wave /games/other.wav"}));
}

TEST_F(MediaCommandsTest, AWavePathThatCannotBeAFileNeverReachesThePlayer) {
  EXPECT_FALSE(media.PlayWave(""));
  EXPECT_FALSE(media.PlayWave(std::string("/games/bgm1.wav\0.exe", 20)));
  EXPECT_FALSE(media.PlayWave(std::string(5000, 'a')));
  EXPECT_TRUE(players.log.empty());
}

TEST_F(MediaCommandsTest, APlayerThatThrowsOnlyMakesTheCallFail) {
  players.throw_on_open = true;
  EXPECT_NE(media.SendCommand("open /games/bgm.mid alias bgm"), error::kNone);
  EXPECT_FALSE(media.PlayWave("/games/bgm1.wav"));
  EXPECT_EQ(media.open_aliases(), 0u);
}

// Good commands, half of them scrambled by inserted, dropped and replaced
// bytes: whatever comes, every call returns and the open aliases stay within
// their bound.
TEST_F(MediaCommandsTest, ScrambledCommandsNeverEscapeTheBounds) {
  const std::vector<std::string> verbs = {"open /g.mid alias ", "open \"/a b/g.mid\" alias ", "play ", "stop ",
                                          "close "};
  std::uint32_t state = 12345;
  auto next = [&](std::uint32_t below) {
    state = state * 1103515245u + 12345u;
    return ((state >> 8) & 0xFFFFFF) % below;
  };
  int successes = 0;
  int failures = 0;
  for (int i = 0; i < 5000; ++i) {
    std::string command = verbs[next(verbs.size())] + "tune" + std::to_string(next(20));
    if (next(2) == 0) {
      for (std::uint32_t edits = 1 + next(3); edits > 0 && !command.empty(); --edits) {
        const std::size_t at = next(static_cast<std::uint32_t>(command.size()));
        const char byte = static_cast<char>(next(256));
        switch (next(3)) {
          case 0: command.insert(command.begin() + static_cast<std::ptrdiff_t>(at), byte); break;
          case 1: command.erase(at, 1); break;
          default: command[at] = byte; break;
        }
      }
    }
    (media.SendCommand(command) == error::kNone ? successes : failures)++;
    ASSERT_LE(media.open_aliases(), platform::MediaCommands::kMaxOpenAliases);
  }
  // Both the players and the refusals were reached.
  EXPECT_GT(successes, 100);
  EXPECT_GT(failures, 100);
}

}  // namespace
