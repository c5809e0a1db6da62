// What a winning bet pays, alike for the player and the mascot.
#pragma once

#include "game/game_state.h"

namespace game {

// The stake as a single times the odds as stored, the product rounded half
// to even into a Long (stake 15 at odds 1.3 pays 19: the stored odds lie
// just below 1.3).
Long Payout(Integer stake, Single odds);

}  // namespace game
