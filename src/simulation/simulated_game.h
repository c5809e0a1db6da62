// One game played by a simulated player, through the same session as the
// window: the game's own generator, a virtual clock, and services that
// answer but keep and show nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <random>

#include "game/game_session.h"
#include "platform/scheduler.h"
#include "simulation/tally.h"

namespace simulation {

// The player's purse: large enough for a block of races at 100 a race.
inline constexpr const char* kPlayerPurse = "100000000";

// Between races and between choosing and starting, a player takes this long,
// in background ticks (64 a second): 1 to 5 seconds. The background timer
// draws all the while, so the next race starts somewhere else in the
// sequence, as it does for a person.
inline constexpr int kShortestPause = 64;
inline constexpr int kLongestPause = 320;

class SimulatedGame {
 public:
  // The generator starts `jump` draws past its fixed start; the pauses come
  // from `pauses`.
  SimulatedGame(std::uint32_t jump, std::mt19937_64 pauses);
  ~SimulatedGame();
  SimulatedGame(const SimulatedGame&) = delete;
  SimulatedGame& operator=(const SimulatedGame&) = delete;

  // Pauses, selects a race, bets 100 on the favourite, pauses, starts, and
  // lets the race clock run to the last arrival.
  RaceOutcome PlayRace();
  // The two halves of a race, to be timed apart: up to the start, then the
  // race clock to the last arrival (the settlement included).
  void SelectAndStart();
  RaceOutcome RunRaceClock();

  const game::GameSession& session() const { return *session_; }

 private:
  class Services;
  void Pause();

  std::unique_ptr<Services> services_;
  platform::VirtualClock clock_;
  std::mt19937_64 pauses_;
  std::unique_ptr<game::GameSession> session_;
  std::uint64_t settled_before_ = 0;
};

}  // namespace simulation
