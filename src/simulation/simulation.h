// Whole races with the game's own rules and generator, no screen, no sound,
// no file: how often each kind of odds wins, what four ways of betting
// return, and how long races take.
#pragma once

#include <cstdint>
#include <cstdio>

#include "simulation/tally.h"

namespace simulation {

// Races are played in blocks, each a fresh game on a stream of its own, so
// the totals depend on the races and the seed only, not on the threads.
inline constexpr std::uint64_t kBlockRaces = 10000;

struct Options {
  std::uint64_t races = 0;
  std::uint64_t seed = 0;
  int jobs = 1;
  std::uint64_t block_races = kBlockRaces;
};

// Plays the races on `jobs` threads and adds them up.
Tally Simulate(const Options& options);

// The report as text for people or as CSV (section,row,measure,value).
void PrintReport(const Tally& tally, const Options& options, std::FILE* out);
void PrintCsv(const Tally& tally, const Options& options, std::FILE* out);

}  // namespace simulation
