#include "records/record_totals.h"

#include <algorithm>

namespace records {

namespace {
constexpr int kNoLane = 6;
}  // namespace

const platform::SettledBet& BetOf(const platform::SettledRace& race, Bettor bettor) {
  return bettor == Bettor::Player ? race.player : race.mascot;
}

BettorTotals TotalsOf(const std::vector<platform::SettledRace>& races, Bettor bettor) {
  BettorTotals totals;
  for (const platform::SettledRace& race : races) {
    const platform::SettledBet& bet = BetOf(race, bettor);
    ++totals.races;
    if (bet.lane < 0 || bet.lane >= kNoLane) continue;
    ++totals.races_bet;
    totals.staked += bet.stake;
    totals.paid += bet.payout;
    totals.best_payout = std::max<std::int64_t>(totals.best_payout, bet.payout);
    if (race.arrivals > 0 && bet.lane == race.winner()) {
      ++totals.hits;
      totals.highest_odds_hit = std::max(totals.highest_odds_hit, race.odds[static_cast<std::size_t>(bet.lane)]);
    }
  }
  return totals;
}

}  // namespace records
