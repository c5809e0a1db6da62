// The media commands the rules send, in order, for every case: music off,
// music on, a stop, the end of a race, the close of the window.
#include <gtest/gtest.h>

#include "support/race_script.h"

namespace {

using namespace testing_support;
using Log = std::vector<std::string>;

constexpr std::array<int, 6> kWorkedSpeeds = {125, 130, 112, 148, 101, 139};

const Log kStopMusic = {"stop bgm", "close bgm"};
// The executable's directory holds a blank: the path stands in quotes.
const Log kStartMusic = {"stop bgm", "close bgm", "open \"/opt/mascot race/bgm.mid\" alias bgm", "play bgm",
                         "wave /opt/mascot race/bgm1.wav"};

struct MusicTest : ::testing::Test {
  MusicTest() { game.Start(); }
  void SetMusic(bool on) {
    if ((game.c().CheckBGM.Value() == 1) != on) game.Click(game.c().CheckBGM);
  }
  TestGame game;
};

TEST_F(MusicTest, WithTheBoxClearARaceOnlyStopsAndCloses) {
  SetMusic(false);
  SelectRace(game, kWorkedSpeeds);
  game.media.log.clear();
  StartRace(game);
  EXPECT_EQ(game.media.log, kStopMusic);
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
  RunRaceClock(game);
  EXPECT_EQ(game.media.log, (Log{"stop bgm", "close bgm", "stop bgm", "close bgm"}));
}

TEST_F(MusicTest, WithTheBoxTickedTheStartOpensAndPlaysBoth) {
  SetMusic(true);
  SelectRace(game, kWorkedSpeeds);
  game.media.log.clear();
  StartRace(game);
  EXPECT_EQ(game.media.log, kStartMusic);
}

TEST_F(MusicTest, TickingTheBoxDuringARaceStartsNothing) {
  SetMusic(false);
  SelectRace(game, kWorkedSpeeds);
  StartRace(game);
  game.media.log.clear();
  SetMusic(true);
  ScriptIdleTicks(game, 20);
  RunRaceClock(game, 20);
  EXPECT_TRUE(game.media.log.empty());
}

TEST_F(MusicTest, AStopSilencesTheMusicFirstAndNothingMore) {
  SetMusic(true);
  SelectRace(game, kWorkedSpeeds);
  game.Click(game.c().CharKake[3]);
  StartRace(game);
  ScriptMoves(game, 3, 47);
  RunRaceClock(game, 47);
  game.media.log.clear();
  Log at_first_box;
  game.boxes.while_open = [&](const ShownBox&) {
    if (at_first_box.empty()) at_first_box = game.media.log;
  };
  game.Click(game.c().CmdStart);
  EXPECT_EQ(at_first_box, kStopMusic);
  EXPECT_EQ(game.media.log, kStopMusic);
}

TEST_F(MusicTest, TheEndOfARaceStopsTheMusicBeforeTheSettlementBoxes) {
  SetMusic(true);
  SelectRace(game, kWorkedSpeeds);
  game.Click(game.c().CharKake[0]);
  StartRace(game);
  game.media.log.clear();
  Log at_first_box;
  game.boxes.while_open = [&](const ShownBox&) {
    if (at_first_box.empty()) at_first_box = game.media.log;
  };
  ScriptFinishOrder(game, {3, 0, 5, 1, 2, 4});
  RunRaceClock(game);
  EXPECT_EQ(at_first_box, kStopMusic);
}

TEST_F(MusicTest, ClosingSavesThePurseThenStopsTheMusic) {
  game.Click(game.c().omi);
  game.settings.SetPurse("stale");
  std::string saved_at_first_command;
  game.media.log.clear();
  game.media.on_command = [&](const std::string&) {
    if (saved_at_first_command.empty()) saved_at_first_command = game.settings.Purse().value_or("");
  };
  game.session().CloseMainWindow();
  EXPECT_EQ(saved_at_first_command, "90");
  EXPECT_EQ(game.media.log, kStopMusic);
}

}  // namespace
