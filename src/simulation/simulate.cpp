#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
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

Tally Simulate(const Options& given, const Progress& progress) {
  Options options = given;
  options.block_races = std::max<std::uint64_t>(options.block_races, 1);
  const std::uint64_t blocks = options.races / options.block_races + (options.races % options.block_races != 0);
  const auto threads = static_cast<std::uint64_t>(std::max(options.jobs, 1));
  // A block that finishes before one ahead of it waits to be added; a thread
  // starts another only while a couple a thread wait, so they stay few.
  const std::uint64_t most_waiting = 2 * threads;
  std::mutex mutex;
  std::condition_variable added;
  std::map<std::uint64_t, Tally> waiting;
  std::uint64_t next_block = 0, next_to_add = 0;
  Tally total;
  auto work = [&] {
    std::unique_lock lock(mutex);
    for (;;) {
      added.wait(lock, [&] { return next_block >= blocks || next_block < next_to_add + most_waiting; });
      if (next_block >= blocks) return;
      const std::uint64_t block = next_block++;
      lock.unlock();
      Tally tally = PlayBlock(options, block);
      lock.lock();
      waiting.emplace(block, std::move(tally));
      // Added up in block order: the same sums, to the last bit, on any number of threads.
      const std::uint64_t before = next_to_add;
      for (auto first = waiting.begin(); first != waiting.end() && first->first == next_to_add; ++next_to_add) {
        total.Merge(first->second);
        first = waiting.erase(first);
      }
      if (next_to_add == before) continue;
      added.notify_all();
      if (progress) progress(total.races);
    }
  };
  std::vector<std::thread> helpers;
  for (std::uint64_t i = 1; i < std::min(threads, blocks); ++i) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
  return total;
}

}  // namespace simulation
