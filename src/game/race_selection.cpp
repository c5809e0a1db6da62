// Choosing the next race: speeds and odds for the six lanes, the race
// number, and the mascot's own bet.
#include <limits>

#include "game/game_texts.h"
#include "game/main_form.h"
#include "game/odds.h"
#include "platform/numbers.h"
#include "platform/random.h"
#include "ui/main_form_texts.h"

namespace game {

namespace {
constexpr Long kMascotAllIn = 10;  // at this purse or below the mascot bets it all
}  // namespace

Single LaneOddsFor(Single shortfall, Integer speed_total) {
  if (speed_total == 0) return kHighestOdds;
  auto odds = static_cast<Single>(static_cast<double>(shortfall) / speed_total * 100);
  if (odds < kLowestOdds) odds = kLowestOdds;
  return static_cast<Single>(platform::RoundHalfEven(static_cast<double>(odds) * 10) / 10);
}

void MainForm::ozzu_Click() {
  // Always eight draws in this order, whatever the mascot's purse: six
  // speeds, the mascot's lane, the mascot's stake.
  s_.SpeedTotal = 0;
  for (s_.LaneIndex = 0; s_.LaneIndex < kLanes; ++s_.LaneIndex) {
    auto lane = static_cast<std::size_t>(s_.LaneIndex);
    s_.LaneSpeed[lane] = platform::ToInteger(static_cast<double>(random_.Next()) * 50 + 100);
    s_.SpeedTotal = platform::AddInteger(s_.SpeedTotal, static_cast<Integer>(s_.LaneSpeed[lane] - 100));
    s_.LaneOdds[lane] = static_cast<Single>(150 - s_.LaneSpeed[lane]);
  }
  for (s_.LaneIndex = 0; s_.LaneIndex < kLanes; ++s_.LaneIndex) {
    auto lane = static_cast<std::size_t>(s_.LaneIndex);
    s_.LaneOdds[lane] = LaneOddsFor(s_.LaneOdds[lane], s_.SpeedTotal);
    c_.Bairitu[s_.LaneIndex].SetCaption(platform::Text(ui::kOddsCaption).Arg(platform::SingleText(s_.LaneOdds[lane])));
  }

  c_.CmdStart.SetEnabled(true);
  // A race that may start with music: the sound gets ready meanwhile, and a
  // game played in silence never loads it.
  if (c_.CheckBGM.Value() == 1) services_.media.PrepareMusic(MusicPath());

  // The race number counts presses; it stops at the largest Long rather than
  // overflow when a race is won.
  if (platform::TextToLong(c_.RaceLabel.Tag()) < std::numeric_limits<Long>::max()) {
    c_.RaceLabel.SetTag(platform::IncrementedText(c_.RaceLabel.Tag()));
  }
  c_.RaceLabel.SetCaption(platform::Text(ui::kRaceNumberCaption).Arg(c_.RaceLabel.Tag()));

  s_.MascotPick = platform::Draw(random_, 5);
  double stake_draw = random_.Next();
  s_.MascotBet = platform::ToInteger(stake_draw * static_cast<double>(std::min(s_.MascotMoney, kStakeCeiling)));

  auto announce = [this] {
    Say(platform::Text(texts::kMascotBets).Arg(s_.MascotPick + 1).Arg(s_.MascotBet));
    c_.Pkake[1].SetCaption(platform::DecimalText(s_.MascotBet));
    c_.kakeban[1].SetCaption(platform::DecimalText(s_.MascotPick + 1));
  };
  if (s_.MascotMoney > kMascotAllIn) {
    if (s_.MascotBet >= 1) {
      announce();
    } else {
      Say(texts::kMascotSitsOut);
      s_.MascotPick = kNoLane;
      c_.Pkake[1].SetCaption("0");
      s_.MascotBet = 0;
      c_.kakeban[1].SetCaption(ui::kNoLaneMark);
    }
  } else {
    // A small purse goes in whole, on the lane already drawn.
    s_.MascotBet = static_cast<Integer>(s_.MascotMoney);
    announce();
  }
}

}  // namespace game
