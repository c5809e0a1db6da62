// The race clock: every tick moves one random runner, ranks the arrivals,
// and ends the race when the sixth is in.
#include <algorithm>
#include <array>

#include "game/main_form.h"
#include "platform/numbers.h"
#include "platform/random.h"
#include "platform/scheduler.h"

namespace game {

namespace {

// Upper bounds of r × 100 (rounded) for lanes 0..4; lane 5 takes the rest.
constexpr std::array<int, kLanes - 1> kLaneBounds = {17, 33, 49, 66, 82};
constexpr float kRunnerReach = 180;  // a runner has crossed once Left + 180 is past the goal
constexpr int kSlideSteps = 51;
constexpr float kSlideStep = 30;

// The lane of every draw 0..100: the number of bounds it lies above, looked
// up rather than counted on every tick.
constexpr int kDraws = 101;
constexpr std::array<Integer, kDraws> kLaneOfDraw = [] {
  std::array<Integer, kDraws> lanes{};
  for (int draw = 0; draw < kDraws; ++draw) {
    for (int bound : kLaneBounds) lanes[static_cast<std::size_t>(draw)] += draw > bound;
  }
  return lanes;
}();

Integer LaneFor(Integer draw) { return kLaneOfDraw.at(static_cast<std::size_t>(draw)); }

// The race is over when every lane is marked finished.
bool AllFinished(const std::array<Integer, kLanes>& finished) {
  for (Integer flag : finished) {
    if (flag != 1) return false;
  }
  return true;
}

}  // namespace

// Inline: the clock calls it on every tick, and nothing else does.
template <typename Random>
[[gnu::always_inline]] inline void MainForm::RaceTick(Random& random) {
  // Two draws: the lane, then the distance.
  const auto [lane_draw, distance_draw] = random.NextTwo();
  s_.PickLane = LaneFor(platform::ToInteger(static_cast<double>(lane_draw) * 100));
  const auto slot = static_cast<std::size_t>(s_.PickLane);
  ui::Image& runner = *runners_.at(slot);
  // A finished lane has speed 0: the tick is spent on nothing.
  const double distance = s_.LaneSpeed[slot] * static_cast<double>(distance_draw);
  runner.SetLeft(static_cast<float>(runner.Left() - distance));

  // Only the runner that moved can have newly crossed, and only an arrival
  // can finish the race. One branch, almost never taken: late in a race,
  // whether the lane picked has crossed is as random as the pick, so the
  // two tests are added up rather than taken one by one.
  const bool crossed = static_cast<float>(runner.Left() + kRunnerReach) < c_.GorlLine.X1;
  if (static_cast<int>(crossed) + static_cast<int>(s_.LaneFinished[slot] == 0) == 2) {
    // Arrivals and the settlement draw from the shared generator itself.
    random.Aside([this] {
      Arrive(s_.PickLane);
      if (AllFinished(s_.LaneFinished)) {
        SendStopMusic();
        c_.TimeChar.SetInterval(0);
        SettleRace();
      }
    });
  }
}

template <typename Random>
[[gnu::always_inline]] inline void MainForm::TimeCharTick(Random& random) {
  c_.TimeChar.CountTag();
  RaceTick(random);
}

void MainForm::TimeChar_Timer() { TimeCharTick(random_); }

// The race clock run alone holds the generator's state in a register
// (LocalGenerator): Timer1's draw and the race tick's two no longer wait on
// one another through memory. What a tick tells its listeners needs no
// hand-back: they show the race and never draw.
class MainForm::RaceClockTicks {
 public:
  RaceClockTicks(MainForm& form, platform::ClassicGenerator& generator) : form_(form), random_(generator) {}
  [[gnu::always_inline]] void Fire() { form_.TimeCharTick(random_); }
  [[gnu::always_inline]] void Companion() { form_.Timer1Draw(random_); }
  template <typename Call>
  [[gnu::always_inline]] void Aside(Call&& call) {
    random_.Aside(call);
  }

 private:
  MainForm& form_;
  platform::LocalGenerator random_;
};

std::uint64_t MainForm::RunRaceClockAlone(platform::Scheduler& scheduler, int race_clock, int background,
                                          platform::VirtualClock& clock) {
  if (platform::ClassicGenerator* generator = random_.classic()) {
    return scheduler.RunAlone(race_clock, background, clock,
                              [this, generator] { return RaceClockTicks(*this, *generator); });
  }
  // Any other source (a test's script): each tick as the window fires it.
  return scheduler.RunAlone(race_clock, clock, [this] { TimeChar_Timer(); });
}

void MainForm::Arrive(int lane) {
  auto slot = static_cast<std::size_t>(lane);
  s_.FinishCount = platform::AddInteger(s_.FinishCount, 1);
  if (s_.FinishCount == 1) {
    // Times and race numbers far beyond any real race stop at the top of
    // their range rather than crash the game.
    s_.RaceTime = static_cast<Integer>(std::min<Long>(platform::TextToLong(c_.TimeChar.Tag()), 32767));
    s_.RaceNo = platform::TextToLong(c_.RaceLabel.Tag());
    if (s_.RaceTime < s_.BestTime) {
      s_.BestTime = s_.RaceTime;
      s_.BestRaceNo = s_.RaceNo;
    }
    s_.WinnerLane = static_cast<Integer>(lane);
    ShowStopButton();
  }
  if (s_.FinishCount == kLanes) s_.AllFinished = 1;
  s_.ArrivalOrder.at(static_cast<std::size_t>(s_.FinishCount - 1)) = static_cast<Integer>(lane);
  s_.LaneFinished[slot] = 1;
  s_.LaneSpeed[slot] = 0;
  c_.Jyuni[lane].SetCaption(platform::DecimalText(s_.FinishCount) + "着");
  c_.Jyuni[lane].SetVisible(true);
  c_.CharAnime[lane].SetInterval(0);
  // The runner slides on past the goal, all within this tick; the step
  // counter ends past the last step.
  runners_[slot]->MoveLeftBy(kSlideStep, kSlideSteps);
  s_.SlideStep = kSlideSteps;
}

void MainForm::CharAnime_Timer(int index) {
  if (s_.RaceStopped != 0) return;
  if (s_.AllFinished != 0) {
    // Left over from the last race's sixth arrival: this tick only clears it.
    s_.AllFinished = 0;
    return;
  }
  auto runner = static_cast<std::size_t>(index);
  s_.AnimFrame[runner] = platform::AddInteger(s_.AnimFrame[runner], 1);
  c_.ImgChar[index].SetPicture(c_.CharList[index].Picture(s_.AnimFrame[runner] + 1));
  if (s_.AnimFrame[runner] == 8) s_.AnimFrame[runner] = 0;
}

}  // namespace game
