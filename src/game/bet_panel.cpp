// The player's bet: a lane by option button or odds label, shown in
// inverted colours, and a stake that follows the scroll bar.
#include <algorithm>

#include "game/main_form.h"
#include "platform/numbers.h"
#include "platform/skip_on_error.h"

namespace game {

using platform::SkipOnError;

namespace {

// Looking up the button of "no lane" fails; where errors are skipped, that
// statement simply does nothing.
void ShowAsPicked(ui::OptionButton& button) {
  button.SetBackColor(ui::kBlack);
  button.SetForeColor(ui::kWhite);
}

}  // namespace

// The last pick back in plain colours. With no pick there is no button: the
// two statements would fail and be skipped, so they are not tried at all
// (a thrown error costs as much as a hundred race ticks).
void MainForm::ShowPickAsUnpicked() {
  ui::OptionButton* button = c_.CharKake.Find(s_.PlayerPick);
  if (!button) return;
  SkipOnError([&] { button->SetBackColor(ui::kWhite); });
  SkipOnError([&] { button->SetForeColor(ui::kBlack); });
}

void MainForm::ClearLaneChoice() {
  ShowPickAsUnpicked();
  if (ui::OptionButton* button = c_.CharKake.Find(s_.PlayerPick)) SkipOnError([&] { button->SetValue(false); });
  SkipOnError([&] { s_.PlayerPick = kNoLane; });
}

// The bar offers the purse, at most the ceiling, in large steps of a tenth
// (at least 1, so a small purse still has a step the bar takes).
void MainForm::FitStakeBarToPurse() {
  const Long purse = s_.PlayerMoney;
  const int large_step = purse > kStakeCeiling ? kStakeCeiling / 10
                         : purse < 10          ? 1
                                               : platform::ToInteger(purse / 10.0);
  SkipOnError([&] { c_.KakeHScroll.SetMax(static_cast<int>(std::min(purse, kStakeCeiling))); });
  SkipOnError([&] { c_.KakeHScroll.SetLargeChange(large_step); });
}

void MainForm::CharKake_Click(int index) {
  ShowPickAsUnpicked();
  SkipOnError([&] { s_.PlayerPick = static_cast<Integer>(index); });
  SkipOnError([&] { ShowAsPicked(c_.CharKake[index]); });
}

void MainForm::Bairitu_Click(int index) {
  // The odds labels stay clickable during a race; the bet does not change
  // once the stakes are taken.
  if (s_.RaceRunning) return;
  ShowPickAsUnpicked();
  SkipOnError([&] { s_.PlayerPick = static_cast<Integer>(index); });
  // Selecting a button that was not selected runs its Click for this lane.
  SkipOnError([&] { c_.CharKake[index].SetValue(true); });
  SkipOnError([&] { ShowAsPicked(c_.CharKake[index]); });
}

void MainForm::KakeHScroll_Change() {
  // The stake of a running race is the one taken at its start.
  if (s_.RaceRunning) {
    s_.StakeBarMovedInRace = true;
    return;
  }
  StakeFollowsBar();
}

void MainForm::StakeFollowsBar() {
  c_.KakeLabel.SetCaption(platform::DecimalText(c_.KakeHScroll.Value()));
  s_.PlayerBet = platform::TextToInteger(c_.KakeLabel.Caption());
}

void MainForm::KakeHScroll_Scroll() { KakeHScroll_Change(); }

}  // namespace game
