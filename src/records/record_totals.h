// What the statistics window shows, worked out from the kept races: plain
// C++, so it is tested without any window.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/service_interfaces.h"

namespace records {

enum class Bettor { Player, Mascot };

struct BettorTotals {
  std::int64_t races = 0;
  std::int64_t races_bet = 0;
  std::int64_t hits = 0;
  std::int64_t staked = 0;
  std::int64_t paid = 0;
  std::int64_t best_payout = 0;
  float highest_odds_hit = 0;  // 0 before the first hit

  // Hits among the races with a bet, and paid ÷ staked; 0 when there is nothing to divide.
  double hit_rate() const { return races_bet > 0 ? static_cast<double>(hits) / static_cast<double>(races_bet) : 0; }
  double return_rate() const { return staked > 0 ? static_cast<double>(paid) / static_cast<double>(staked) : 0; }
};

const platform::SettledBet& BetOf(const platform::SettledRace& race, Bettor bettor);
BettorTotals TotalsOf(const std::vector<platform::SettledRace>& races, Bettor bettor);

}  // namespace records
