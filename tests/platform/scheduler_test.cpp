#include "platform/scheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::AdvanceVirtualTime;
using platform::Dispatcher;
using platform::Scheduler;
using platform::VirtualClock;

constexpr std::int64_t kSecond = 1000000;

struct SchedulerTest : ::testing::Test {
  VirtualClock clock;
  Dispatcher dispatcher;
  Scheduler scheduler{clock, dispatcher};
  std::vector<std::string> fired;

  Scheduler::TimerId Named(std::string name) {
    return scheduler.AddTimer([this, name] { fired.push_back(name + "@" + std::to_string(clock.NowMicros())); });
  }
  int Count(const std::string& name) const {
    int count = 0;
    for (const auto& entry : fired) count += entry.rfind(name + "@", 0) == 0;
    return count;
  }
};

TEST_F(SchedulerTest, OneMillisecondTicksAtMostSixtyFourTimesASecond) {
  auto id = Named("clock");
  scheduler.SetInterval(id, 1);
  AdvanceVirtualTime(scheduler, clock, kSecond);
  EXPECT_EQ(Count("clock"), 64);
  EXPECT_EQ(fired.front(), "clock@15625");
}

TEST_F(SchedulerTest, LongerIntervalsKeepTheirLength) {
  auto legs = Named("legs");
  auto once = Named("once");
  scheduler.SetInterval(legs, 50);
  scheduler.SetInterval(once, 10);  // below the pace: one tick per 1/64 s
  AdvanceVirtualTime(scheduler, clock, kSecond);
  EXPECT_EQ(Count("legs"), 20);
  EXPECT_EQ(Count("once"), 64);
}

TEST_F(SchedulerTest, TimersDueTogetherFireInTheirFixedOrder) {
  auto first = Named("first");
  auto second = Named("second");
  scheduler.SetInterval(second, 1);
  scheduler.SetInterval(first, 1);
  AdvanceVirtualTime(scheduler, clock, 15625);
  EXPECT_EQ(fired, (std::vector<std::string>{"first@15625", "second@15625"}));
}

TEST_F(SchedulerTest, IntervalZeroStopsAndAnyAssignmentRestarts) {
  auto id = Named("t");
  scheduler.SetInterval(id, 50);
  AdvanceVirtualTime(scheduler, clock, 40000);
  scheduler.SetInterval(id, 50);  // restarts: next tick at 90000, not 50000
  AdvanceVirtualTime(scheduler, clock, 89999);
  EXPECT_EQ(Count("t"), 0);
  AdvanceVirtualTime(scheduler, clock, 90000);
  EXPECT_EQ(Count("t"), 1);
  scheduler.SetInterval(id, 0);
  AdvanceVirtualTime(scheduler, clock, 10 * kSecond);
  EXPECT_EQ(Count("t"), 1);
  EXPECT_FALSE(scheduler.NextWakeMicros().has_value());
}

TEST_F(SchedulerTest, ATimerStoppedByItsOwnHandlerFiresOnce) {
  Scheduler::TimerId id = 0;
  id = scheduler.AddTimer([&] {
    fired.push_back("once");
    scheduler.SetInterval(id, 0);
  });
  scheduler.SetInterval(id, 10);
  AdvanceVirtualTime(scheduler, clock, kSecond);
  EXPECT_EQ(fired.size(), 1u);
}

TEST_F(SchedulerTest, NothingFiresInsideAHandlerAndMissedTicksFireOnceAfterwards) {
  auto race = Named("race");
  scheduler.SetInterval(race, 1);
  // A click whose message box stays open for three seconds.
  dispatcher.Run([&] {
    clock.Advance(3 * kSecond);
    AdvanceVirtualTime(scheduler, clock, clock.NowMicros());  // the loop runs; nothing may fire
  });
  EXPECT_TRUE(fired.empty());
  AdvanceVirtualTime(scheduler, clock, 3 * kSecond);
  EXPECT_EQ(fired, (std::vector<std::string>{"race@3000000"}));
  AdvanceVirtualTime(scheduler, clock, 3 * kSecond + 15625);
  EXPECT_EQ(Count("race"), 2);
}

TEST_F(SchedulerTest, CatchUpTimerNeverWakesButCountsEveryTick) {
  std::uint64_t caught = 0;
  auto background = scheduler.AddCatchUpTimer([&](std::uint64_t n) { caught += n; });
  scheduler.SetInterval(background, 1);
  EXPECT_FALSE(scheduler.NextWakeMicros().has_value());
  clock.Set(10 * kSecond);
  dispatcher.Run([] {});
  EXPECT_EQ(caught, 640u);
}

// The catch-up timer against a ticking one: every event sees exactly the
// same number of background ticks before it, also around long handlers.
TEST_F(SchedulerTest, CatchUpMatchesATickingTimerEventForEvent) {
  auto run = [](bool catch_up) {
    VirtualClock clock;
    Dispatcher dispatcher;
    Scheduler scheduler(clock, dispatcher);
    std::uint64_t ticks = 0;
    std::vector<std::uint64_t> seen;
    auto race = scheduler.AddTimer([&] { seen.push_back(ticks); });
    Scheduler::TimerId background =
        catch_up ? scheduler.AddCatchUpTimer([&](std::uint64_t n) { ticks += n; })
                 : scheduler.AddTimer([&] { ++ticks; });
    auto legs = scheduler.AddTimer([&] { seen.push_back(ticks); });
    scheduler.SetInterval(background, 1);
    AdvanceVirtualTime(scheduler, clock, 700000);
    scheduler.SetInterval(race, 1);
    scheduler.SetInterval(legs, 50);
    AdvanceVirtualTime(scheduler, clock, 1300000);
    dispatcher.Run([&] {  // a message box open for 2.2 s
      seen.push_back(ticks);
      clock.Advance(2200000);
    });
    AdvanceVirtualTime(scheduler, clock, 5000000);
    scheduler.SetInterval(race, 0);
    scheduler.SetInterval(legs, 0);
    AdvanceVirtualTime(scheduler, clock, 9000123);
    dispatcher.Run([&] { seen.push_back(ticks); });
    return seen;
  };
  auto caught_up = run(true);
  auto ticking = run(false);
  ASSERT_EQ(caught_up.size(), ticking.size());
  for (std::size_t i = 0; i < ticking.size(); ++i) ASSERT_EQ(caught_up[i], ticking[i]) << "event " << i;
}

}  // namespace
