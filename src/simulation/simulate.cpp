#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "simulation/simulated_game.h"
#include "simulation/simulation.h"
#include "simulation/streams.h"

namespace simulation {

namespace {

Tally PlayBlock(const Options& options, std::uint64_t block) {
  SimulatedGame game(GeneratorJump(options.seed, block), PauseStream(options.seed, block));
  std::uint64_t first = block * options.block_races;
  std::uint64_t races = std::min(options.block_races, options.races - first);
  Tally tally;
  for (std::uint64_t race = 0; race < races; ++race) tally.Add(game.PlayRace());
  return tally;
}

}  // namespace

Tally Simulate(const Options& given) {
  Options options = given;
  options.block_races = std::max<std::uint64_t>(options.block_races, 1);
  const std::uint64_t blocks = (options.races + options.block_races - 1) / options.block_races;
  std::vector<Tally> tallies(blocks);
  std::atomic<std::uint64_t> next_block{0};
  auto work = [&] {
    for (std::uint64_t block = next_block++; block < blocks; block = next_block++) {
      tallies[block] = PlayBlock(options, block);
    }
  };
  const auto threads = static_cast<std::uint64_t>(std::max(options.jobs, 1));
  std::vector<std::thread> helpers;
  for (std::uint64_t i = 1; i < std::min(threads, blocks); ++i) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();

  // Added up in block order: the same sums, to the last bit, on any number of threads.
  Tally total;
  for (const Tally& tally : tallies) total.Merge(tally);
  return total;
}

}  // namespace simulation
