#include "simulation/tally.h"

#include <algorithm>
#include <cmath>

#include "game/odds.h"
#include "game/payout.h"

namespace simulation {

namespace {

std::size_t BracketOf(float odds, bool no_favourite) {
  if (no_favourite) return kNoFavourite;
  std::size_t bracket = 0;
  while (bracket + 1 < kNoFavourite && odds >= kOddsBrackets[bracket + 1].low) ++bracket;
  return bracket;
}

std::int64_t PaidAtStake(const platform::SettledRace& race, int lane) {
  if (lane != race.winner()) return 0;
  return game::Payout(kStake, race.odds[static_cast<std::size_t>(lane)]);
}

}  // namespace

int FavouriteLane(const std::array<float, 6>& odds) {
  return static_cast<int>(std::min_element(odds.begin(), odds.end()) - odds.begin());
}

int LongestOddsLane(const std::array<float, 6>& odds) {
  // max_element gives the first of equals too.
  return static_cast<int>(std::max_element(odds.begin(), odds.end()) - odds.begin());
}

void TickCounts::Add(int ticks) {
  auto slot = static_cast<std::size_t>(std::max(ticks, 0));
  if (slot >= races_by_ticks_.size()) races_by_ticks_.resize(slot + 1);
  ++races_by_ticks_[slot];
  ++races_;
}

void TickCounts::Merge(const TickCounts& other) {
  if (other.races_by_ticks_.size() > races_by_ticks_.size()) races_by_ticks_.resize(other.races_by_ticks_.size());
  for (std::size_t ticks = 0; ticks < other.races_by_ticks_.size(); ++ticks) {
    races_by_ticks_[ticks] += other.races_by_ticks_[ticks];
  }
  races_ += other.races_;
}

int TickCounts::Percentile(double fraction) const {
  if (races_ == 0) return 0;
  auto rank = static_cast<std::uint64_t>(std::ceil(fraction * static_cast<double>(races_)));
  rank = std::max<std::uint64_t>(rank, 1);
  std::uint64_t seen = 0;
  for (std::size_t ticks = 0; ticks < races_by_ticks_.size(); ++ticks) {
    seen += races_by_ticks_[ticks];
    if (seen >= rank) return static_cast<int>(ticks);
  }
  return static_cast<int>(races_by_ticks_.size() - 1);
}

void Tally::Add(const RaceOutcome& outcome) {
  const platform::SettledRace& race = outcome.race;
  ++races;

  const bool no_favourite =
      std::all_of(race.odds.begin(), race.odds.end(), [](float odds) { return odds == game::kHighestOdds; });
  for (int lane = 0; lane < 6; ++lane) {
    float odds = race.odds[static_cast<std::size_t>(lane)];
    BracketTotals& bracket = brackets[BracketOf(odds, no_favourite)];
    ++bracket.lanes;
    bracket.implied_chance_sum += 1.0 / static_cast<double>(odds);
    if (lane == race.winner()) ++bracket.wins;
    bracket.paid += PaidAtStake(race, lane);
  }

  // The player's own bet, settled by the game, is the favourite's.
  auto bet = [this](Way way, std::int64_t staked, double paid) {
    WayTotals& totals = ways[static_cast<std::size_t>(way)];
    ++totals.races_bet;
    totals.staked += staked;
    totals.paid += paid;
  };
  bet(Way::Favourite, race.player.stake, static_cast<double>(race.player.payout));
  bet(Way::LongestOdds, kStake, static_cast<double>(PaidAtStake(race, LongestOddsLane(race.odds))));
  bet(Way::RandomLane, kStake, static_cast<double>(PaidAtStake(race, race.winner())) / 6);
  if (race.mascot.lane != game::kNoLane) bet(Way::MascotsLane, kStake, static_cast<double>(PaidAtStake(race, race.mascot.lane)));

  first_arrival.Add(race.winning_ticks);
  last_arrival.Add(outcome.ticks);
}

void Tally::Merge(const Tally& other) {
  races += other.races;
  for (std::size_t i = 0; i < brackets.size(); ++i) {
    brackets[i].lanes += other.brackets[i].lanes;
    brackets[i].implied_chance_sum += other.brackets[i].implied_chance_sum;
    brackets[i].wins += other.brackets[i].wins;
    brackets[i].paid += other.brackets[i].paid;
  }
  for (std::size_t i = 0; i < ways.size(); ++i) {
    ways[i].races_bet += other.ways[i].races_bet;
    ways[i].staked += other.ways[i].staked;
    ways[i].paid += other.ways[i].paid;
  }
  first_arrival.Merge(other.first_arrival);
  last_arrival.Merge(other.last_arrival);
}

}  // namespace simulation
