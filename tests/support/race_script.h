// Scripting races: the draws that give a race selection its speeds and the
// draws of race ticks that move a chosen lane.
#pragma once

#include <array>
#include <vector>

#include "support/test_game.h"

namespace testing_support {

// The draw that gives a lane this speed at race selection.
float SpeedDraw(int speed);
// The first draw of a race tick that picks this lane.
float LaneDraw(int lane);

// Selects a race with these speeds; the mascot's lane and stake draws follow.
void SelectRace(TestGame& game, std::array<int, 6> speeds, float mascot_lane_draw = 0.5f,
                float mascot_stake_draw = 0.5f);
// Presses Start; the two tips draw `tip_draw` each.
void StartRace(TestGame& game, float tip_draw = 0.5f);
// Scripts ticks that move `lane` by distance_draw × its speed each.
void ScriptMoves(TestGame& game, int lane, int ticks, float distance_draw = 0.999f);
// Scripts ticks that move nobody (a distance draw of 0).
void ScriptIdleTicks(TestGame& game, int ticks);
// Scripts the ticks of a whole race in which the lanes arrive in this
// order, each running flat out (speed 150: 46 ticks to cross, speed 100: 69).
void ScriptFinishOrder(TestGame& game, std::array<int, 6> order);
// Fires the race clock until it stops, at most `limit` times; gives the ticks run.
int RunRaceClock(TestGame& game, int limit = 100000);

}  // namespace testing_support
