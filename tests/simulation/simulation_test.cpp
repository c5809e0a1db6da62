// --simulate: the same races for the same seed on any number of threads, the
// same races as the window's session plays them, and how they are added up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "game/payout.h"
#include "simulation/simulated_game.h"
#include "simulation/simulation.h"
#include "simulation/streams.h"
#include "support/test_game.h"

namespace {

using simulation::Options;
using simulation::Tally;

std::string Csv(const Tally& tally, const Options& options) {
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  simulation::PrintCsv(tally, options, out);
  std::fclose(out);
  std::string printed(text, size);
  std::free(text);
  return printed;
}

std::string Csv(const Options& options) { return Csv(simulation::Simulate(options), options); }

TEST(SimulationTest, TheSameSeedGivesTheSameReportOnAnyNumberOfThreads) {
  const std::string report = Csv({.races = 40, .seed = 7, .jobs = 1, .block_races = 4});
  EXPECT_EQ(Csv({.races = 40, .seed = 7, .jobs = 3, .block_races = 4}), report);  // an empty one fails the next test
}

// The simulator's races are the window's: the same session, stepped by the
// scheduler on the virtual clock with the runners' legs, the background
// timer's draws and the player's pauses, gives the same races and totals.
TEST(SimulationTest, ItsRacesAreThoseTheGameSessionPlaysOneByOne) {
  const Options options{.races = 12, .seed = 3, .jobs = 1, .block_races = 12};
  const Tally simulated = simulation::Simulate(options);

  platform::ClassicGenerator generator;
  generator.Skip(simulation::GeneratorJump(options.seed, 0));
  testing_support::TestGame game(testing_support::TestGame::Options{.random = &generator});
  game.settings.SetPurse(simulation::kPlayerPurse);
  game.Start();
  std::mt19937_64 pauses = simulation::PauseStream(options.seed, 0);
  constexpr std::int64_t kTick = platform::Scheduler::kTickMicros;
  auto pause = [&] {
    game.AdvanceMicros(kTick * static_cast<std::int64_t>(simulation::kShortestPause +
                                                         pauses() % (simulation::kLongestPause - simulation::kShortestPause + 1)));
  };
  Tally played;
  for (std::uint64_t race = 0; race < options.races; ++race) {
    pause();
    game.Click(game.c().ozzu);
    game.Click(game.c().CharKake[simulation::FavouriteLane(game.s().LaneOdds)]);
    game.session().MoveScrollBar(game.c().KakeHScroll, simulation::kStake);
    pause();
    game.Click(game.c().CmdStart);
    simulation::RaceOutcome outcome;
    while (game.c().TimeChar.Interval() > 0) {
      game.AdvanceMicros(kTick);
      ++outcome.ticks;
    }
    ASSERT_EQ(game.records.races.size(), race + 1);
    outcome.race = game.records.races.back();
    played.Add(outcome);
  }
  EXPECT_EQ(Csv(simulated, options), Csv(played, options));
  // A few figures of the report, worked out again from the races themselves:
  // the favourite's return, the 10-19.9 bracket's and the first arrival's
  // median and 90th percentile.
  double favourite_paid = 0, lanes = 0, wins = 0, paid = 0;
  std::vector<int> first_arrivals;
  for (const platform::SettledRace& race : game.records.races) {
    favourite_paid += race.player.payout;
    first_arrivals.push_back(race.winning_ticks);
    for (int lane = 0; lane < 6; ++lane) {
      const float odds = race.odds[static_cast<std::size_t>(lane)];
      if (odds < 10 || odds >= 20) continue;
      lanes += 1;
      if (lane == race.winner()) wins += 1, paid += game::Payout(100, odds);
    }
  }
  std::sort(first_arrivals.begin(), first_arrivals.end());
  const std::string csv = Csv(simulated, options);
  auto figure = [&csv](const std::string& key) {
    return std::stod(csv.substr(csv.find("\n" + key + ",") + key.size() + 2));
  };
  EXPECT_NEAR(figure("strategy,favourite (lowest odds),return"), favourite_paid / 1200, 1e-6);
  EXPECT_NEAR(figure("odds,10-19.9,win_rate"), wins / lanes, 1e-6);
  EXPECT_NEAR(figure("odds,10-19.9,return_per_mame"), paid / (lanes * 100), 1e-6);
  EXPECT_EQ(figure("ticks,first_arrival,median"), first_arrivals[5]);  // nearest ranks: the 6th of 12,
  EXPECT_EQ(figure("ticks,first_arrival,p90"), first_arrivals[10]);    // and the 11th (90 % of 12 is 10.8)
}

platform::SettledRace RaceWon(std::array<float, 6> odds, int winner, int mascot_lane = 6) {
  return {.odds = odds, .arrival_order = {winner, 0, 0, 0, 0, 0}, .arrivals = 1,
          .player = {simulation::FavouriteLane(odds), 100, 0, 0}, .mascot = {.lane = mascot_lane}};
}

TEST(TallyTest, EachOddsFallsInItsBracket) {
  const std::pair<float, std::size_t> kBrackets[] = {{1.1f, 0},  {1.9f, 0},  {2.0f, 1},  {2.9f, 1},
                                                     {3.0f, 2},  {4.9f, 2},  {5.0f, 3},  {9.9f, 3},
                                                     {10.0f, 4}, {19.9f, 4}, {20.0f, 5}, {5000.0f, 5}};
  for (auto [odds, bracket] : kBrackets) {
    Tally tally;
    tally.Add({RaceWon({odds, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f}, 0), 100});
    EXPECT_EQ(tally.brackets[bracket].lanes, bracket == 0 ? 6u : 1u) << odds;
    EXPECT_EQ(tally.brackets[bracket].wins, 1u) << odds;
  }
  // Six lanes at 5000 (all equally slow): the race without a favourite.
  Tally none;
  none.Add({RaceWon({5000, 5000, 5000, 5000, 5000, 5000}, 2), 100});
  const auto& no_favourite = none.brackets[simulation::kNoFavourite];
  EXPECT_EQ(std::tuple(no_favourite.lanes, no_favourite.paid, none.brackets[5].lanes), std::tuple(6u, 500000, 0u));
}

TEST(TallyTest, FourWaysOfBettingAHundred) {
  Tally tally;
  // Lanes 1 and 4 share the lowest odds, 0 and 5 the highest: the lower lane counts.
  const std::array<float, 6> odds = {9.5f, 1.3f, 4.0f, 2.5f, 1.3f, 9.5f};
  EXPECT_EQ(simulation::FavouriteLane(odds), 1);
  EXPECT_EQ(simulation::LongestOddsLane(odds), 0);
  platform::SettledRace race = RaceWon(odds, 0, 3);
  tally.Add({race, 700});
  race.mascot.lane = 6;  // sat out: no bet to follow
  tally.Add({race, 800});
  using simulation::Way;
  auto way = [&](Way w) { return tally.ways[static_cast<std::size_t>(w)]; };
  EXPECT_EQ(std::tuple(way(Way::LongestOdds).paid, way(Way::RandomLane).paid, way(Way::MascotsLane).races_bet,
                       way(Way::MascotsLane).paid, way(Way::Favourite).staked),
            std::tuple(2 * 950.0, 2 * 950.0 / 6, 1u, 0.0, 200));
}

}  // namespace
