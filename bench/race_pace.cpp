// How long a race takes at the classic pace (64 race ticks a second):
// plays 1,000 races headless with the real generator on the virtual clock
// and reports the distribution of the first and the last arrival.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "support/test_game.h"

namespace {

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
  int races = argc > 1 ? std::atoi(argv[1]) : 1000;
  platform::ClassicGenerator random;
  testing_support::TestGame game(testing_support::TestGame::Options{.random = &random});
  game.settings.SetPurse("30000");
  game.Start();

  constexpr std::int64_t kTick = platform::Scheduler::kTickMicros;
  std::vector<double> first_arrival;
  std::vector<double> last_arrival;
  for (int race = 0; race < races; ++race) {
    game.Click(game.c().ozzu);
    game.Click(game.c().CmdStart);
    std::int64_t start = game.time.NowMicros();
    std::int64_t first = -1;
    while (game.c().TimeChar.Interval() > 0) {
      game.AdvanceMicros(kTick);
      if (first < 0 && game.s().FinishCount >= 1) first = game.time.NowMicros() - start;
    }
    first_arrival.push_back(static_cast<double>(first) / 1e6);
    last_arrival.push_back(static_cast<double>(game.time.NowMicros() - start) / 1e6);
    game.boxes.shown.clear();
    game.media.log.clear();
  }
  std::printf("%d races at 64 ticks a second (seconds from Start):\n", races);
  std::printf("  first arrival: median %.2f  (10%% %.2f, 90%% %.2f, min %.2f, max %.2f)\n",
              Percentile(first_arrival, 0.5), Percentile(first_arrival, 0.1), Percentile(first_arrival, 0.9),
              Percentile(first_arrival, 0.0), Percentile(first_arrival, 1.0));
  std::printf("  last arrival:  median %.2f  (10%% %.2f, 90%% %.2f, min %.2f, max %.2f)\n",
              Percentile(last_arrival, 0.5), Percentile(last_arrival, 0.1), Percentile(last_arrival, 0.9),
              Percentile(last_arrival, 0.0), Percentile(last_arrival, 1.0));
  return 0;
}
