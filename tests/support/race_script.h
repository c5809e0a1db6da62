// Scripting races: the draws that give a race selection its speeds and the
// draws of race ticks that move a chosen lane.
#pragma once

#include <array>
#include <cmath>
#include <vector>

#include "support/test_game.h"

namespace testing_support {

// Selects a race with these speeds; the mascot's lane and stake draws follow.
inline void SelectRace(TestGame& game, std::array<int, 6> speeds, float mascot_lane = 0.5f, float mascot_stake = 0.5f) {
  for (int speed : speeds) game.random.Push({speed == 150 ? 0.999f : static_cast<float>(speed - 100) / 50.0f});
  game.random.Push({mascot_lane, mascot_stake});
  game.Click(game.c().ozzu);
}

// Presses Start; the two tips draw `tip_draw` each.
inline void StartRace(TestGame& game, float tip_draw = 0.5f) {
  game.random.Push({tip_draw, tip_draw});
  game.Click(game.c().CmdStart);
}

// Scripts ticks that move `lane` by distance_draw × its speed each (a tick's first draw picks the lane).
inline void ScriptMoves(TestGame& game, int lane, int ticks, float distance_draw = 0.999f) {
  const float lane_draw = std::array<float, 6>{0.10f, 0.25f, 0.40f, 0.60f, 0.75f, 0.90f}.at(lane);
  for (int i = 0; i < ticks; ++i) game.random.Push({lane_draw, distance_draw});
}

// Scripts the ticks of a race in which these lanes arrive in this order, each
// running flat out (speed 150: 46 ticks to cross, from 7750 until Left + 180 < 1080).
inline void ScriptFinishOrder(TestGame& game, const std::vector<int>& order) {
  for (int lane : order) {
    const double speed = game.s().LaneSpeed.at(static_cast<std::size_t>(lane)) * 0.999;
    ScriptMoves(game, lane, static_cast<int>(std::floor(6850.0 / speed)) + 1);
  }
}

// Fires the race clock until it stops, at most `limit` times; gives the ticks run.
inline int RunRaceClock(TestGame& game, int limit = 100000) {
  int ticks = 0;
  for (; game.c().TimeChar.Interval() > 0 && ticks < limit && !game.session().ended(); ++ticks)
    game.FireTimer(game.c().TimeChar);
  return ticks;
}

}  // namespace testing_support
