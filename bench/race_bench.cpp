// Whole races headless with the real generator: selection, start, ticks to
// the end, both settlements. Only races that reached their settlement count;
// one variant keeps the purse in the real settings store, an INI file written
// at every Start and settlement as in play.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>

#include "platform/qt/qt_settings_store.h"
#include "support/test_game.h"

namespace {

using testing_support::TestGame;

enum class Pace { RulesAlone, Scheduled };

// Plays races until the benchmark has enough; counts those that were settled.
void PlayRaces(benchmark::State& state, Pace pace, platform::SettingsStore* store) {
  platform::ClassicGenerator random;
  TestGame game(TestGame::Options{.random = &random, .settings = store});
  game.Start();
  const auto& c = game.c();
  std::int64_t settled = 0;
  int lane = 0;
  for (auto _ : state) {
    game.Click(c.ozzu);
    game.Click(c.CharKake[lane]);
    game.Click(c.CmdStart);
    if (!game.s().RaceRunning) {
      state.SkipWithError("a race did not start");
      break;
    }
    while (c.TimeChar.Interval() > 0) {
      if (pace == Pace::Scheduled) game.AdvanceMicros(platform::Scheduler::kTickMicros);
      if (pace == Pace::RulesAlone) game.FireTimer(c.TimeChar);
    }
    settled += !game.s().RaceRunning && !game.boxes.shown.empty();
    lane = (lane + 1) % 6;
    game.boxes.shown.clear();  // the doubles keep what they saw; keep them small
    game.media.log.clear();
  }
  state.SetItemsProcessed(settled);
  state.counters["settled races"] = static_cast<double>(settled);
}

// The rules alone: the race clock fired directly.
void BM_WholeRaceRules(benchmark::State& state) { PlayRaces(state, Pace::RulesAlone, nullptr); }
BENCHMARK(BM_WholeRaceRules);

// Through the scheduler on the virtual clock: legs, the background draws
// and the race clock at their real pace.
void BM_WholeRaceScheduled(benchmark::State& state) { PlayRaces(state, Pace::Scheduled, nullptr); }
BENCHMARK(BM_WholeRaceScheduled);

// As in play: the purse goes to an INI file at every Start and settlement.
void BM_WholeRaceSavedToFile(benchmark::State& state) {
  QTemporaryDir directory;
  platform::QtSettingsStore store(directory.path());
  PlayRaces(state, Pace::Scheduled, &store);
}
BENCHMARK(BM_WholeRaceSavedToFile);

}  // namespace

BENCHMARK_MAIN();
