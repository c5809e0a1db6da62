// Adding up simulated races: the odds brackets, four ways of betting 100
// まめ a race, and the ticks to the first and the last arrival.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/service_interfaces.h"

namespace simulation {

// The stake every way of betting is measured at: large enough that the
// rounding of small payouts does not weigh.
inline constexpr std::int16_t kStake = 100;

// A race as the simulation sees it: what was settled and how long it ran.
struct RaceOutcome {
  platform::SettledRace race;
  int ticks = 0;  // race-clock ticks from the start to the last arrival
};

struct OddsBracket {
  std::string_view name;
  float low;   // the lowest odds in the bracket
  float high;  // the lowest odds above it
};
// 1.1-1.9 ... 20 and over; the six 5000s of a race without a favourite
// (all six lanes equally slow) are a bracket of their own, the last.
inline constexpr std::array<OddsBracket, 7> kOddsBrackets = {{{"1.1-1.9", 1.1f, 2.0f},
                                                              {"2-2.9", 2.0f, 3.0f},
                                                              {"3-4.9", 3.0f, 5.0f},
                                                              {"5-9.9", 5.0f, 10.0f},
                                                              {"10-19.9", 10.0f, 20.0f},
                                                              {"20 and over", 20.0f, 1e9f},
                                                              {"5000 (no favourite)", 5000.0f, 5000.0f}}};
inline constexpr std::size_t kNoFavourite = kOddsBrackets.size() - 1;

enum class Way { Favourite, LongestOdds, RandomLane, MascotsLane };
inline constexpr std::array<std::string_view, 4> kWayNames = {
    "favourite (lowest odds)", "longest odds (highest)", "random lane (expected)", "the mascot's lane"};

struct BracketTotals {
  std::uint64_t lanes = 0;
  double implied_chance_sum = 0;  // of 1 / odds
  std::uint64_t wins = 0;
  std::int64_t paid = 0;  // at a stake of 100 on each lane offered
};

struct WayTotals {
  std::uint64_t races_bet = 0;
  std::int64_t staked = 0;
  double paid = 0;  // a random lane pays a sixth of the winner's payout, in expectation
};

// Ticks counted exactly: how many races took each number of ticks.
class TickCounts {
 public:
  void Add(int ticks);
  void Merge(const TickCounts& other);
  // The nearest-rank percentile: the fewest ticks that at least `fraction`
  // of the races took no more than. 0 when nothing was counted.
  int Percentile(double fraction) const;

 private:
  std::vector<std::uint64_t> races_by_ticks_;
  std::uint64_t races_ = 0;
};

struct Tally {
  std::uint64_t races = 0;
  std::array<BracketTotals, kOddsBrackets.size()> brackets{};
  std::array<WayTotals, kWayNames.size()> ways{};
  TickCounts first_arrival;
  TickCounts last_arrival;

  void Add(const RaceOutcome& outcome);
  void Merge(const Tally& other);
};

// The lowest odds, the lowest lane on a tie.
int FavouriteLane(const std::array<float, 6>& odds);
// The highest odds, the lowest lane on a tie.
int LongestOddsLane(const std::array<float, 6>& odds);

}  // namespace simulation
