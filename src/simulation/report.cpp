// The simulation's report, for people and as CSV.
#include <cinttypes>

#include "simulation/simulated_game.h"
#include "simulation/simulation.h"
#include "simulation/streams.h"

namespace simulation {

namespace {

double Ratio(double part, double whole) { return whole > 0 ? part / whole : 0; }

struct BracketFigures {
  double implied_chance, win_rate, return_per_mame;
};

BracketFigures FiguresOf(const BracketTotals& bracket) {
  auto lanes = static_cast<double>(bracket.lanes);
  return {Ratio(bracket.implied_chance_sum, lanes), Ratio(static_cast<double>(bracket.wins), lanes),
          Ratio(static_cast<double>(bracket.paid), lanes * kStake)};
}

double ReturnOf(const WayTotals& way) { return Ratio(way.paid, static_cast<double>(way.staked)); }

constexpr double kMedian = 0.5;
constexpr double kNinetieth = 0.9;

}  // namespace

void PrintReport(const Tally& tally, const Options& options, std::FILE* out) {
  std::fprintf(out, "%" PRIu64 " races with the game's own rules and generator, seed %" PRIu64 "\n", tally.races,
               options.seed);
  std::fprintf(out, "Streams: blocks of %" PRIu64 " races; %s. The same races and seed give the same report on any number of threads.\n",
               options.block_races, StreamsText().c_str());
  std::fprintf(out,
               "The player waits %d to %d background ticks (1 to 5 s) before choosing and before starting, "
               "and bets %d on the favourite from a purse of %s.\n\n",
               kShortestPause, kLongestPause, kStake, kPlayerPurse);

  std::fprintf(out, "%-20s %12s %15s %10s  %s\n", "Odds", "Lanes", "Implied chance", "Win rate",
               "Return per まめ staked");
  for (std::size_t i = 0; i < kOddsBrackets.size(); ++i) {
    const BracketTotals& bracket = tally.brackets[i];
    BracketFigures figures = FiguresOf(bracket);
    std::fprintf(out, "%-20.*s %12" PRIu64, static_cast<int>(kOddsBrackets[i].name.size()), kOddsBrackets[i].name.data(),
                 bracket.lanes);
    if (bracket.lanes == 0) {
      std::fprintf(out, " %15s %10s %12s\n", "-", "-", "-");
    } else {
      std::fprintf(out, " %15.4f %10.4f %12.4f\n", figures.implied_chance, figures.win_rate, figures.return_per_mame);
    }
  }

  std::fprintf(out, "\n%-28s %12s %14s %14s %8s\n", "Betting 100 a race on", "Races bet", "Staked", "Paid", "Return");
  for (std::size_t i = 0; i < kWayNames.size(); ++i) {
    const WayTotals& way = tally.ways[i];
    std::fprintf(out, "%-28.*s %12" PRIu64 " %14" PRId64 " %14.0f %8.4f\n", static_cast<int>(kWayNames[i].size()),
                 kWayNames[i].data(), way.races_bet, way.staked, way.paid, ReturnOf(way));
  }

  std::fprintf(out, "\n%-28s %8s %16s\n", "Race length in ticks", "Median", "90th percentile");
  std::fprintf(out, "%-28s %8d %16d\n", "to the first arrival", tally.first_arrival.Percentile(kMedian),
               tally.first_arrival.Percentile(kNinetieth));
  std::fprintf(out, "%-28s %8d %16d\n", "to the last arrival", tally.last_arrival.Percentile(kMedian),
               tally.last_arrival.Percentile(kNinetieth));
}

void PrintCsv(const Tally& tally, const Options& options, std::FILE* out) {
  std::fprintf(out, "section,row,measure,value\n");
  std::fprintf(out, "run,,races,%" PRIu64 "\n", tally.races);
  std::fprintf(out, "run,,seed,%" PRIu64 "\n", options.seed);
  std::fprintf(out, "run,,block_races,%" PRIu64 "\n", options.block_races);
  std::fprintf(out, "run,,streams,\"%s\"\n", StreamsText().c_str());
  for (std::size_t i = 0; i < kOddsBrackets.size(); ++i) {
    const BracketTotals& bracket = tally.brackets[i];
    BracketFigures figures = FiguresOf(bracket);
    auto name = static_cast<int>(kOddsBrackets[i].name.size());
    const char* row = kOddsBrackets[i].name.data();
    std::fprintf(out, "odds,%.*s,lanes,%" PRIu64 "\n", name, row, bracket.lanes);
    // Rates of a bracket no lane fell in are left empty.
    for (auto [measure, value] : {std::pair{"implied_chance", figures.implied_chance}, std::pair{"win_rate", figures.win_rate},
                                  std::pair{"return_per_mame", figures.return_per_mame}}) {
      if (bracket.lanes == 0) {
        std::fprintf(out, "odds,%.*s,%s,\n", name, row, measure);
      } else {
        std::fprintf(out, "odds,%.*s,%s,%.6f\n", name, row, measure, value);
      }
    }
  }
  for (std::size_t i = 0; i < kWayNames.size(); ++i) {
    const WayTotals& way = tally.ways[i];
    auto name = static_cast<int>(kWayNames[i].size());
    const char* row = kWayNames[i].data();
    std::fprintf(out, "strategy,%.*s,races_bet,%" PRIu64 "\n", name, row, way.races_bet);
    std::fprintf(out, "strategy,%.*s,staked,%" PRId64 "\n", name, row, way.staked);
    std::fprintf(out, "strategy,%.*s,paid,%.2f\n", name, row, way.paid);
    std::fprintf(out, "strategy,%.*s,return,%.6f\n", name, row, ReturnOf(way));
  }
  for (auto [row, counts] : {std::pair{"first_arrival", &tally.first_arrival}, std::pair{"last_arrival", &tally.last_arrival}}) {
    std::fprintf(out, "ticks,%s,median,%d\n", row, counts->Percentile(kMedian));
    std::fprintf(out, "ticks,%s,p90,%d\n", row, counts->Percentile(kNinetieth));
  }
}

}  // namespace simulation
