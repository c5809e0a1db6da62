// Whole races with the game's own rules and generator, no screen, no sound,
// no file: how often each kind of odds wins, what four ways of betting
// return, and how long races take.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>

#include "simulation/tally.h"

namespace simulation {

// Races are played in blocks, each a fresh game on a stream of its own, so
// the totals depend on the races and the seed only, not on the threads.
inline constexpr std::uint64_t kBlockRaces = 10000;

// The most races one run takes. The paid totals are doubles, which hold every
// whole number up to 2^53; at most 100 × 5000 a race, the sums of payouts stay
// exact up to 1.8 × 10^10 races. 10^10 take about 17 hours on one core.
inline constexpr std::uint64_t kMostRaces = 10'000'000'000;

struct Options {
  std::uint64_t races = 0;
  std::uint64_t seed = 0;
  int jobs = 1;
  std::uint64_t block_races = kBlockRaces;
};

// Told how many races are added up so far, after each block that adds to
// them; called from the thread that adds it.
using Progress = std::function<void(std::uint64_t races_done)>;

// Plays the races on `jobs` threads and adds them up, block by block in
// order as they finish, so memory stays the same whatever the number of races.
Tally Simulate(const Options& options, const Progress& progress = {});

// The report as text for people or as CSV (section,row,measure,value).
void PrintReport(const Tally& tally, const Options& options, std::FILE* out);
void PrintCsv(const Tally& tally, const Options& options, std::FILE* out);

}  // namespace simulation
