// The timers' pace and order, and the one door every event enters through.
// (A race clock run alone sees the background ticks the event loop would
// show it: the simulation's tests play its races both ways.)
#include "platform/scheduler.h"
#include "platform/system_clocks.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using platform::AdvanceVirtualTime;
using platform::Dispatcher;
using platform::Scheduler;

struct SchedulerTest : ::testing::Test {
  platform::VirtualClock clock;
  Dispatcher dispatcher;
  Scheduler scheduler{clock, dispatcher};
  std::vector<std::string> fired;

  Scheduler::TimerId Timer(const std::string& name, int interval) {
    auto id = scheduler.AddTimer([this, name] { fired.push_back(name + "@" + std::to_string(clock.NowMicros())); });
    scheduler.SetInterval(id, interval);
    return id;
  }
  long Count(const std::string& name) const {
    return std::count_if(fired.begin(), fired.end(), [&](const std::string& f) { return f.rfind(name + "@", 0) == 0; });
  }
};

// One millisecond means one tick per 1/64 s; longer intervals keep their length;
// every assignment restarts a timer. (That 0 stops it, the soak's races show.)
TEST_F(SchedulerTest, AtMostSixtyFourTicksASecondInAFixedOrder) {
  Timer("legs", 50);
  Timer("second", 1);
  auto first = Timer("first", 10);
  AdvanceVirtualTime(scheduler, clock, 1000000);
  EXPECT_EQ(std::tuple(Count("legs"), Count("second"), Count("first")), std::tuple(20, 64, 64));
  EXPECT_EQ(fired[0] + " " + fired[1], "second@15625 first@15625");  // due together: in the order added
  scheduler.SetInterval(first, 50);
  AdvanceVirtualTime(scheduler, clock, 1049999);
  EXPECT_EQ(Count("first"), 64);
}

// A handler that fails is logged and the program goes on: the ticks it
// missed fire once afterwards. (That one handler runs at a time, and none
// after the end, the games in the other tests show.)
TEST_F(SchedulerTest, NothingFiresInsideAHandlerAndMissedTicksFireOnceAfterwards) {
  Timer("race", 1);
  std::string logged;
  dispatcher.SetErrorLog([&](const std::string& line) { logged = line; });
  const auto outcome = dispatcher.Run([&] {  // a click whose message box stays open for three seconds
    clock.Advance(3000000);
    AdvanceVirtualTime(scheduler, clock, clock.NowMicros());
    throw std::runtime_error("broken lane");
  });
  EXPECT_EQ(std::pair(outcome, fired.empty()), std::pair(Dispatcher::Outcome::Failed, true));
  EXPECT_NE(logged.find("broken lane"), std::string::npos);
  AdvanceVirtualTime(scheduler, clock, 3000000 + 15625);
  EXPECT_EQ(fired, (std::vector<std::string>{"race@3000000", "race@3015625"}));
}

// On the game's tick clock, a handler that ends within its 1/64 s takes no
// time: though each takes 0.3 ms of the machine's, the legs fire in the race
// clock's wake-ups (one repaint, not two) and both keep their pace.
TEST(TickClockTest, TheLegsRideTheRaceClocksWakeUpsAndBothKeepTheirPace) {
  platform::VirtualClock machine;
  machine.Set(1234567);  // between two ticks
  platform::TickClock clock(machine);
  Dispatcher dispatcher;
  Scheduler scheduler(clock, dispatcher);
  int race = 0, legs = 0, wakes = 0;
  scheduler.SetInterval(scheduler.AddTimer([&] { ++race, machine.Advance(300); }), 1);
  scheduler.SetInterval(scheduler.AddTimer([&] { ++legs, machine.Advance(300); }), 50);
  const std::int64_t end = machine.NowMicros() + 1000000;
  // As the window's timer driver does: sleep until the next is due, run what is.
  while (machine.NowMicros() + clock.MicrosUntil(*scheduler.NextWakeMicros()) < end && wakes < 1000) {
    machine.Advance(clock.MicrosUntil(*scheduler.NextWakeMicros()));
    scheduler.RunDue();
    ++wakes;
  }
  EXPECT_EQ(std::tuple(race, legs, wakes), std::tuple(64, 20, 64));
}

}  // namespace
