// A timer run alone sees, at every tick, the background ticks it would see
// stepped tick by tick through the event loop: whatever the phase, the order
// and the pace of the two, and when a tick changes either of them.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/scheduler.h"

namespace {

using platform::Scheduler;

struct Situation {
  int background_interval;
  std::int64_t background_lead;  // how long before the race timer it starts (negative: after)
  bool background_first;         // in the fixed order
  int restart_background_at;     // the race tick that restarts it (0: none)
  int background_interval_then;  // what it restarts with (0 stops it)
  int slow_race_from;            // the tick from which the race ticks every 50 ms (0: never)
  int late_from;                 // the tick whose handler takes 20 ms (0: none)
};

constexpr std::int64_t kStart = 1000000;
constexpr int kRaceTicks = 40;

// Each race tick's moment and the background ticks it saw, run alone or stepped.
std::vector<std::pair<std::int64_t, std::uint64_t>> Seen(const Situation& situation, bool alone) {
  platform::VirtualClock clock;
  platform::Dispatcher dispatcher;
  Scheduler scheduler(clock, dispatcher);
  std::uint64_t background_ticks = 0;
  std::vector<std::pair<std::int64_t, std::uint64_t>> seen;
  auto add_background = [&] { return scheduler.AddCatchUpTimer([&](std::uint64_t n) { background_ticks += n; }); };
  Scheduler::TimerId background = situation.background_first ? add_background() : 0;
  Scheduler::TimerId race = 0;
  auto tick = [&] {
    seen.emplace_back(clock.NowMicros(), background_ticks);
    const int n = static_cast<int>(seen.size());
    if (n == situation.restart_background_at) scheduler.SetInterval(background, situation.background_interval_then);
    if (n == situation.slow_race_from) scheduler.SetInterval(race, 50);
    if (n == situation.late_from) clock.Advance(20000);
    if (n == kRaceTicks) scheduler.SetInterval(race, 0);
  };
  race = scheduler.AddTimer(tick);
  if (!situation.background_first) background = add_background();

  clock.Set(kStart);
  const bool background_leads = situation.background_lead >= 0;
  scheduler.SetInterval(background_leads ? background : race, background_leads ? situation.background_interval : 1);
  clock.Advance(background_leads ? situation.background_lead : -situation.background_lead);
  scheduler.SetInterval(background_leads ? race : background, background_leads ? 1 : situation.background_interval);
  if (alone) {
    EXPECT_EQ(scheduler.RunAlone(race, clock, tick), static_cast<std::uint64_t>(kRaceTicks));
  } else {
    platform::AdvanceVirtualTime(scheduler, clock, clock.NowMicros() + 10000000);
  }
  return seen;
}

// The background's ticks strictly before `moment` (at it too, when it comes
// first in the order), for a background that never restarts.
std::uint64_t TicksBefore(const Situation& situation, std::int64_t moment) {
  const std::int64_t started = kStart + std::max<std::int64_t>(0, -situation.background_lead);
  const std::int64_t span = moment - started - (situation.background_first ? 0 : 1);
  return span < 0 ? 0 : static_cast<std::uint64_t>(span / Scheduler::PeriodMicros(situation.background_interval));
}

TEST(RunAloneTest, EachTickSeesTheBackgroundTicksOfTheEventLoop) {
  const std::vector<Situation> situations = {
      {1, 0, false, 0, 0, 0, 0},     {1, 0, true, 0, 0, 0, 0},       {1, 7000, false, 0, 0, 0, 0},
      {1, 15625, true, 0, 0, 0, 0},  {1, 15624, false, 0, 0, 0, 0},  {20, 3000, false, 0, 0, 0, 0},
      {50, 0, true, 0, 0, 0, 0},     {1, -15625, false, 0, 0, 0, 0}, {1, -15625, true, 0, 0, 0, 0},
      {1, -4000, false, 0, 0, 0, 0}, {1, 5000, false, 5, 1, 0, 0},   {1, 5000, true, 7, 0, 0, 0},
      {1, 9000, false, 7, 50, 0, 0}, {50, 100, false, 3, 1, 0, 0},   {1, 0, false, 0, 0, 10, 0},
      {1, 4000, true, 12, 1, 6, 0},  {1, 12000, false, 0, 0, 0, 8},   {1, 0, true, 0, 0, 0, 20},
  };
  for (const Situation& s : situations) {
    const auto alone = Seen(s, true);
    ASSERT_EQ(alone.size(), static_cast<std::size_t>(kRaceTicks));
    // The event loop lets a late handler's missed ticks go as one; run alone,
    // every tick fires. Either way each sees the background's ticks so far.
    const auto reference = s.late_from == 0 ? Seen(s, false) : alone;
    for (std::size_t i = 0; i < alone.size(); ++i) {
      const auto [moment, ticks] = alone[i];
      EXPECT_EQ(alone[i], reference[i]) << i;
      if (s.restart_background_at == 0) {
        EXPECT_EQ(ticks, TicksBefore(s, moment)) << i << " at " << moment;
      }
    }
    if (HasFailure()) FAIL() << s.background_interval << " " << s.background_lead << " " << s.background_first << " "
                             << s.restart_background_at << " " << s.slow_race_from << " " << s.late_from;
  }
}

}  // namespace
