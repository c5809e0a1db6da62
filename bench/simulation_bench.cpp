// Races a second of --simulate on one core: whole races through the game
// session with the real generator, the pauses and the tally included.
#include <benchmark/benchmark.h>

#include "simulation/simulated_game.h"
#include "simulation/streams.h"

namespace {

void BM_SimulatedRace(benchmark::State& state) {
  simulation::SimulatedGame game(simulation::GeneratorJump(0, 0), simulation::PauseStream(0, 0));
  simulation::Tally tally;
  for (auto _ : state) tally.Add(game.PlayRace());
  benchmark::DoNotOptimize(tally.races);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SimulatedRace)->MeasureProcessCPUTime();

// A fresh game, as every block of races starts one.
void BM_NewSimulatedGame(benchmark::State& state) {
  for (auto _ : state) {
    simulation::SimulatedGame game(0, simulation::PauseStream(0, 0));
    benchmark::DoNotOptimize(&game);
  }
}
BENCHMARK(BM_NewSimulatedGame)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
