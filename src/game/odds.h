// Turning lane speeds into payout odds.
#pragma once

#include "game/game_state.h"

namespace game {

inline constexpr Single kLowestOdds = 1.1f;
inline constexpr Single kHighestOdds = 5000.0f;

// A lane's odds: its shortfall from the top speed 150 as a percentage of the
// field's total excess over speed 100 (computed in double precision, kept as
// a single), at least 1.1, then rounded to one decimal, halves to even.
// A field of six speed-100 lanes has no excess at all; every lane then pays
// the highest odds any race can show.
Single LaneOddsFor(Single shortfall, Integer speed_total);

}  // namespace game
