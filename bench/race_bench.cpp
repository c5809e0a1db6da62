// Whole races headless with the real generator: selection, start, ticks to
// the end, both settlements.
#include <benchmark/benchmark.h>

#include "support/test_game.h"

namespace {

using testing_support::TestGame;

void PlayOneRace(TestGame& game, int lane, bool scheduled) {
  game.Click(game.c().ozzu);
  game.Click(game.c().CharKake[lane]);
  game.Click(game.c().CmdStart);
  if (scheduled) {
    while (game.c().TimeChar.Interval() > 0) game.AdvanceMicros(platform::Scheduler::kTickMicros);
  } else {
    while (game.c().TimeChar.Interval() > 0) game.FireTimer(game.c().TimeChar);
  }
  // The doubles keep what they saw; keep them small.
  game.boxes.shown.clear();
  game.media.log.clear();
}

// The rules alone: the race clock fired directly.
void BM_WholeRaceRules(benchmark::State& state) {
  platform::ClassicGenerator random;
  TestGame game(TestGame::Options{.random = &random});
  game.Start();
  int lane = 0;
  for (auto _ : state) {
    PlayOneRace(game, lane, false);
    lane = (lane + 1) % 6;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WholeRaceRules);

// Through the scheduler on the virtual clock: legs, the background draws
// and the race clock at their real pace.
void BM_WholeRaceScheduled(benchmark::State& state) {
  platform::ClassicGenerator random;
  TestGame game(TestGame::Options{.random = &random});
  game.Start();
  int lane = 0;
  for (auto _ : state) {
    PlayOneRace(game, lane, true);
    lane = (lane + 1) % 6;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WholeRaceScheduled);

}  // namespace

BENCHMARK_MAIN();
