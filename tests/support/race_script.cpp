#include "support/race_script.h"

#include <cmath>

namespace testing_support {

float SpeedDraw(int speed) { return speed == 150 ? 0.999f : static_cast<float>(speed - 100) / 50.0f; }

float LaneDraw(int lane) {
  static constexpr std::array<float, 6> kDraws = {0.10f, 0.25f, 0.40f, 0.60f, 0.75f, 0.90f};
  return kDraws[static_cast<std::size_t>(lane)];
}

void SelectRace(TestGame& game, std::array<int, 6> speeds, float mascot_lane_draw, float mascot_stake_draw) {
  for (int speed : speeds) game.random.Push({SpeedDraw(speed)});
  game.random.Push({mascot_lane_draw, mascot_stake_draw});
  game.Click(game.c().ozzu);
}

void StartRace(TestGame& game, float tip_draw) {
  game.random.Push({tip_draw, tip_draw});
  game.Click(game.c().CmdStart);
}

void ScriptMoves(TestGame& game, int lane, int ticks, float distance_draw) {
  for (int i = 0; i < ticks; ++i) game.random.Push({LaneDraw(lane), distance_draw});
}

void ScriptIdleTicks(TestGame& game, int ticks) {
  for (int i = 0; i < ticks; ++i) game.random.Push({LaneDraw(0), 0.0f});
}

void ScriptFinishOrder(TestGame& game, std::array<int, 6> order) {
  for (int lane : order) {
    // Enough flat-out moves to cross: from 7750 until Left + 180 < 1080.
    double speed = game.s().LaneSpeed[static_cast<std::size_t>(lane)] * 0.999;
    int ticks = static_cast<int>(std::floor(6850.0 / speed)) + 1;
    ScriptMoves(game, lane, ticks);
  }
}

int RunRaceClock(TestGame& game, int limit) {
  int ticks = 0;
  while (game.c().TimeChar.Interval() > 0 && ticks < limit && !game.session().ended()) {
    game.FireTimer(game.c().TimeChar);
    ++ticks;
  }
  return ticks;
}

}  // namespace testing_support
