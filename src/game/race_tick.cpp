// The race clock: every tick moves one random runner, ranks the arrivals,
// and ends the race when the sixth is in.
#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <utility>

#include "game/main_form.h"
#include "platform/numbers.h"
#include "platform/random.h"
#include "platform/scheduler.h"
#include "ui/main_form_texts.h"

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

// The race as the window's own timers tick it: the form itself, drawing
// from the shared generator.
class MainForm::FormRace {
 public:
  explicit FormRace(MainForm& form) : form_(form) {}
  std::pair<float, float> NextTwo() { return form_.random_.NextTwo(); }
  float Left(std::size_t slot) const { return form_.runners_.at(slot)->Left(); }
  void SetLeft(std::size_t slot, float left) { form_.runners_.at(slot)->SetLeft(left); }
  double Speed(std::size_t slot) const { return form_.s_.LaneSpeed.at(slot); }
  float GoalOf(std::size_t slot) const { return GoalFor(form_.s_.LaneFinished.at(slot), form_.c_.GorlLine.X1); }
  void SetPickLane(Integer lane) { form_.s_.PickLane = lane; }
  void CountTag() { form_.c_.TimeChar.CountTag(); }
  void Arrived(Integer lane) { form_.RunnerArrived(lane); }

  // A runner crosses once Left + 180 is past the goal line; a runner that has
  // arrived has no goal left to cross.
  static float GoalFor(Integer finished, float goal_line) {
    return finished == 0 ? goal_line : -std::numeric_limits<float>::infinity();
  }

 private:
  MainForm& form_;
};

// Inline: the clock calls it on every tick, and nothing else does. `race`
// is where the tick reads and writes: a FormRace or a RaceClockTicks.
template <typename Race>
[[gnu::always_inline]] inline void MainForm::RaceTick(Race& race) {
  // Two draws: the lane, then the distance.
  const auto [lane_draw, distance_draw] = race.NextTwo();
  const Integer lane = LaneFor(platform::Scaled(lane_draw, 100));
  race.SetPickLane(lane);
  const auto slot = static_cast<std::size_t>(lane);
  // A finished lane has speed 0: the tick is spent on nothing.
  const auto left = static_cast<float>(race.Left(slot) - race.Speed(slot) * static_cast<double>(distance_draw));
  race.SetLeft(slot, left);

  // Only the runner that moved can have newly crossed, and only an arrival
  // can finish the race.
  if (left + kRunnerReach < race.GoalOf(slot)) race.Arrived(lane);
}

template <typename Race>
[[gnu::always_inline]] inline void MainForm::TimeCharTick(Race& race) {
  race.CountTag();
  RaceTick(race);
}

void MainForm::RunnerArrived(int lane) {
  Arrive(lane);
  if (AllFinished(s_.LaneFinished)) {
    SendStopMusic();
    c_.TimeChar.SetInterval(0);
    SettleRace();
  }
}

void MainForm::TimeChar_Timer() {
  FormRace race(*this);
  TimeCharTick(race);
}

// The race clock run alone holds what its ticks read and write in locals: the
// generator's state (LocalGenerator), the runners' places and speeds, the
// goal each still has to cross and the ticks not yet counted on the clock's
// tag. Nothing waits on memory from one tick to the next but the place of a
// runner picked again. Ticks on time run in a loop of their own (FireInStep)
// up to an arrival; everything goes back to the form around the arrival and
// every other call that may reach anything (Aside), and at the end. It only
// runs while nobody watches the runners move or the clock count: a watcher
// sees each step as it is made.
class MainForm::RaceClockTicks {
 public:
  RaceClockTicks(MainForm& form, platform::ClassicGenerator& generator) : form_(form), random_(generator) {
    TakeFromForm();
  }
  ~RaceClockTicks() { GiveToForm(); }
  RaceClockTicks(const RaceClockTicks&) = delete;
  RaceClockTicks& operator=(const RaceClockTicks&) = delete;

  // The scheduler's loop: the race clock's tick alone, and the race clock's
  // ticks with Timer1's.
  void Fire() {
    form_.TimeCharTick(*this);
    FinishTick();
  }
  std::uint64_t FireInStep() {
    std::uint64_t fired = 0;
    do {
      form_.Timer1Draw(*this);
      form_.TimeCharTick(*this);
      ++fired;
    } while (arrived_ < 0);
    return fired;
  }
  void FinishTick() {
    if (arrived_ < 0) return;
    const Integer lane = std::exchange(arrived_, Integer{-1});
    Aside([this, lane] { form_.RunnerArrived(lane); });
  }
  template <typename Call>
  void Aside(Call&& call) {
    GiveToForm();
    struct TakeBack {
      RaceClockTicks& ticks;
      ~TakeBack() { ticks.TakeFromForm(); }
    } take_back{*this};
    random_.Aside(call);
  }

  // The race tick's.
  platform::ClassicDraw Next() { return random_.Next(); }
  std::pair<platform::ClassicDraw, platform::ClassicDraw> NextTwo() { return random_.NextTwo(); }
  float Left(std::size_t slot) const { return left_[slot]; }
  void SetLeft(std::size_t slot, float left) { left_[slot] = left; }
  double Speed(std::size_t slot) const { return speed_[slot]; }
  float GoalOf(std::size_t slot) const { return goal_[slot]; }
  void SetPickLane(Integer lane) { pick_lane_ = lane; }
  void CountTag() { ++uncounted_; }
  // Left for FinishTick: an arrival reaches the whole form.
  void Arrived(Integer lane) { arrived_ = lane; }

  static bool Watched(const MainForm& form) {
    return form.c_.TimeChar.Heard(ui::Property::Tag) ||
           std::any_of(form.runners_.begin(), form.runners_.end(),
                       [](const ui::Image* runner) { return runner->Heard(ui::Property::Left); });
  }

 private:
  void TakeFromForm() {
    for (std::size_t slot = 0; slot < kLanes; ++slot) {
      left_[slot] = form_.runners_[slot]->Left();
      speed_[slot] = form_.s_.LaneSpeed[slot];
      goal_[slot] = FormRace::GoalFor(form_.s_.LaneFinished[slot], form_.c_.GorlLine.X1);
    }
    pick_lane_ = form_.s_.PickLane;
  }
  void GiveToForm() {
    for (std::size_t slot = 0; slot < kLanes; ++slot) form_.runners_[slot]->SetLeft(left_[slot]);
    form_.s_.PickLane = pick_lane_;
    form_.c_.TimeChar.CountTags(std::exchange(uncounted_, 0));
  }

  MainForm& form_;
  platform::LocalGenerator random_;
  std::array<float, kLanes> left_{};
  std::array<double, kLanes> speed_{};
  std::array<float, kLanes> goal_{};
  Integer pick_lane_ = 0;
  std::uint64_t uncounted_ = 0;
  Integer arrived_ = -1;  // the lane of an arrival FinishTick has still to run
};

std::uint64_t MainForm::RunRaceClockAlone(platform::Scheduler& scheduler, int race_clock, int background,
                                          platform::VirtualClock& clock) {
  platform::ClassicGenerator* generator = random_.classic();
  // The compiled-in ticks draw from the classic generator directly and tell
  // no one of the runners' moves: a window's race is run by its timers.
  if (generator == nullptr || RaceClockTicks::Watched(*this)) {
    throw std::logic_error("a race runs alone only unwatched, on the classic generator");
  }
  return scheduler.RunAlone(race_clock, background, clock,
                            [this, generator] { return RaceClockTicks(*this, *generator); });
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
  c_.Jyuni[lane].SetCaption(ui::kRankCaptions.at(static_cast<std::size_t>(s_.FinishCount - 1)));
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
