// The timers' pace and order, and the one door every event enters through;
// and a timer run alone, which sees at every tick the background ticks it
// would see stepped tick by tick through the event loop: whatever the phase,
// the order and the pace of the two, and when a tick changes either of them.
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
// every assignment restarts a timer, 0 stops it.
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
  scheduler.SetInterval(first, 0);
  AdvanceVirtualTime(scheduler, clock, 9000000);
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
constexpr std::int64_t kNotRead = -1;

using Seen = std::vector<std::pair<std::int64_t, std::uint64_t>>;
enum class Run { EventLoop, Alone, AloneWithCompanion };

// Ticks run alone with the background as their companion, the way the race
// clock runs them: the ticks on time in a loop of their own, which counts the
// background's ticks itself and hands every tick that does more than that
// (every third, and those the situation acts on) to FinishTick, where the
// handler runs with the clock and the timers as that tick left them.
template <typename Tick>
struct CompanionTicks {
  const Situation& situation;
  Tick& tick;
  Seen& seen;
  std::uint64_t& background_ticks;

  bool DoesMore(int n) const {
    return n % 3 == 0 || n == situation.restart_background_at || n == situation.slow_race_from ||
           n == situation.late_from || n == kRaceTicks;
  }
  void Fire() { tick(); }
  std::uint64_t FireInStep() {
    for (std::uint64_t fired = 1;; ++fired) {
      ++background_ticks;
      if (DoesMore(static_cast<int>(seen.size()) + 1)) return fired;
      seen.emplace_back(kNotRead, background_ticks);  // the clock is not read in here
    }
  }
  void FinishTick() { tick(); }
  template <typename Call>
  void Aside(Call&& call) {
    call();
  }
};

// Each race tick's moment and the background ticks it saw, run alone or stepped.
Seen TicksSeen(const Situation& situation, Run run) {
  platform::VirtualClock clock;
  platform::Dispatcher dispatcher;
  Scheduler scheduler(clock, dispatcher);
  std::uint64_t background_ticks = 0;
  Seen seen;
  auto add_background = [&] { return scheduler.AddCatchUpTimer([&](std::uint64_t n) { background_ticks += n; }); };
  Scheduler::TimerId background = situation.background_first ? add_background() : 0;
  Scheduler::TimerId race = 0;
  Scheduler::TimerId probe = 0;
  auto tick = [&] {
    seen.emplace_back(clock.NowMicros(), background_ticks);
    const int n = static_cast<int>(seen.size());
    if (n == situation.restart_background_at) scheduler.SetInterval(background, situation.background_interval_then);
    if (n == situation.slow_race_from) scheduler.SetInterval(race, 50);
    if (n == situation.late_from) clock.Advance(20000);
    if (n == kRaceTicks) {
      scheduler.SetInterval(race, 0);
      scheduler.SetInterval(probe, 100);
    }
  };
  race = scheduler.AddTimer(tick);
  if (!situation.background_first) background = add_background();
  // A timer that fires once, 100 ms after the race, to see the background's
  // ticks by then.
  probe = scheduler.AddTimer([&] {
    seen.emplace_back(clock.NowMicros(), background_ticks);
    scheduler.SetInterval(probe, 0);
  });

  clock.Set(kStart);
  const bool background_leads = situation.background_lead >= 0;
  scheduler.SetInterval(background_leads ? background : race, background_leads ? situation.background_interval : 1);
  clock.Advance(background_leads ? situation.background_lead : -situation.background_lead);
  scheduler.SetInterval(background_leads ? race : background, background_leads ? 1 : situation.background_interval);
  if (run == Run::Alone) {
    EXPECT_EQ(scheduler.RunAlone(race, clock, tick), static_cast<std::uint64_t>(kRaceTicks));
  } else if (run == Run::AloneWithCompanion) {
    auto make_ticks = [&] { return CompanionTicks<decltype(tick)>{situation, tick, seen, background_ticks}; };
    EXPECT_EQ(scheduler.RunAlone(race, background, clock, make_ticks), static_cast<std::uint64_t>(kRaceTicks));
  } else {
    platform::AdvanceVirtualTime(scheduler, clock, clock.NowMicros() + 10000000);
  }
  // The probe: where the background stands after the run.
  platform::AdvanceVirtualTime(scheduler, clock, clock.NowMicros() + 1000000);
  return seen;
}

// The background's ticks strictly before `moment` (at it too, when it comes
// first in the order), for a background that never restarts.
std::uint64_t TicksBefore(const Situation& situation, std::int64_t moment) {
  const std::int64_t started = kStart + std::max<std::int64_t>(0, -situation.background_lead);
  const std::int64_t span = moment - started - (situation.background_first ? 0 : 1);
  return span < 0 ? 0 : static_cast<std::uint64_t>(span / Scheduler::PeriodMicros(situation.background_interval));
}

// A race at the steady pace run alone beside a background that never
// restarts: every tick fires on its first schedule, but the one after a late
// handler, which fires as that handler lets go; each sees the background's
// ticks before it. The probe fires 100 ms after the last tick.
Seen ExpectedAlone(const Situation& situation) {
  Seen expected;
  std::int64_t due = kStart + std::max<std::int64_t>(0, situation.background_lead), now = 0;
  for (int n = 1; n <= kRaceTicks; ++n) {
    due += Scheduler::kTickMicros;
    now = std::max(now, due);
    expected.emplace_back(now, TicksBefore(situation, now));
    if (n == situation.late_from) now += 20000;
  }
  expected.emplace_back(now + 100000, TicksBefore(situation, now + 100000));
  return expected;
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
    const auto alone = TicksSeen(s, Run::Alone);
    ASSERT_EQ(alone.size(), static_cast<std::size_t>(kRaceTicks + 1));
    // The event loop lets a late handler's missed ticks go as one; run alone,
    // every tick fires, each seeing the background's ticks so far. (That the
    // event loop's catching up counts as a ticking timer does, the game's
    // background draw shows.)
    const auto reference = s.late_from == 0 ? TicksSeen(s, Run::EventLoop) : ExpectedAlone(s);
    // With the background compiled in as the companion, the ticks that read
    // the clock see what the others do.
    const auto with_companion = TicksSeen(s, Run::AloneWithCompanion);
    ASSERT_EQ(with_companion.size(), reference.size());
    for (std::size_t i = 0; i < reference.size(); ++i) {
      EXPECT_EQ(alone[i], reference[i]) << i;
      const bool read = with_companion[i].first != kNotRead;
      EXPECT_EQ(with_companion[i], read ? reference[i] : std::make_pair(kNotRead, reference[i].second)) << i;
    }
    if (HasFailure()) FAIL() << s.background_interval << " " << s.background_lead << " " << s.background_first << " "
                             << s.restart_background_at << " " << s.slow_race_from << " " << s.late_from;
  }
}

}  // namespace
