// Where a simulated race's time goes, on one core: the race clock (its
// ticks, with the arrivals and the settlement in the last of them) against
// the selection and start before it. Instruction counts do not tell this:
// the ticks run at the pace of their dependency chains (the generator's
// state, the runner moved), not at the pace of their instruction count.
// Prints the medians over rounds of the races of --simulate's first block.
//
//   race_split [races a round] [rounds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "simulation/simulated_game.h"
#include "simulation/streams.h"

namespace {

struct Round {
  double race_ns, clock_ns, tick_ns, ticks;
};

Round PlayRound(long races) {
  using Clock = std::chrono::steady_clock;
  simulation::SimulatedGame game(simulation::GeneratorJump(0, 0), simulation::PauseStream(0, 0));
  Clock::duration before{}, in_clock{};
  long long ticks = 0;
  for (long race = 0; race < races; ++race) {
    const auto start = Clock::now();
    game.SelectAndStart();
    const auto started = Clock::now();
    ticks += game.RunRaceClock().ticks;
    const auto ended = Clock::now();
    before += started - start;
    in_clock += ended - started;
  }
  const double clock_ns = std::chrono::duration<double, std::nano>(in_clock).count();
  const double before_ns = std::chrono::duration<double, std::nano>(before).count();
  return {(clock_ns + before_ns) / static_cast<double>(races), clock_ns / static_cast<double>(races),
          clock_ns / static_cast<double>(ticks), static_cast<double>(ticks) / static_cast<double>(races)};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const long races = argc > 1 ? std::max(1L, std::atol(argv[1])) : 10000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  std::vector<double> race, in_clock, tick;
  double ticks = 0;
  for (int round = 0; round < rounds; ++round) {
    const Round r = PlayRound(races);
    race.push_back(r.race_ns);
    in_clock.push_back(r.clock_ns);
    tick.push_back(r.tick_ns);
    ticks = r.ticks;  // the same races every round
  }
  const double race_ns = Median(race);
  std::printf(
      "%.0f races a second: %.0f ns a race, %.0f of them in the race clock (%.1f ns a tick, %.2f ticks a race), "
      "%.0f before it\n",
      1e9 / race_ns, race_ns, Median(in_clock), Median(tick), ticks, race_ns - Median(in_clock));
}
