// One button starts a race and, once a runner has arrived, stops it.
#include <algorithm>
#include <utility>

#include "game/main_form.h"
#include "platform/numbers.h"
#include "ui/main_form_texts.h"

namespace game {

namespace {
constexpr int kRaceTickInterval = 1;    // as fast as the timer goes
constexpr int kLegsInterval = 50;
constexpr int kBackToTheLineInterval = 10;
}  // namespace

void MainForm::PlaceOnStartLine(int lane) { c_.ImgChar[lane].SetLeft(c_.StartLine.X1 - 50); }

void MainForm::ResetRunnersToStartLine() {
  for (s_.LaneIndex = 0; s_.LaneIndex < kLanes; ++s_.LaneIndex) PlaceOnStartLine(s_.LaneIndex);
}

void MainForm::CmdStart_Click() {
  c_.TimeChar.SetTag("0");
  SendStopMusic();
  // The game's state says which, not the words on the button.
  if (s_.StopButtonShown) {
    StopRace();
  } else {
    StartRace();
  }
}

void MainForm::StartRace() {
  if (c_.CheckBGM.Value() == 1) StartMusic();
  s_.RaceStopped = 0;
  SayTip();

  if (s_.PlayerPick == kNoLane) {
    s_.PlayerBet = 0;
    c_.KakeLabel.SetCaption("0");
  } else {
    // Never more than the purse: the stake label can lag behind a purse that
    // shrank while it was locked.
    s_.PlayerBet = static_cast<Integer>(std::clamp<Long>(s_.PlayerBet, 0, s_.PlayerMoney));
    s_.PlayerMoney = platform::SubtractLong(s_.PlayerMoney, s_.PlayerBet);
    ShowPlayerMoney();
    SavePlayerMoney();
  }
  if (s_.MascotPick != kNoLane) {
    s_.MascotMoney = platform::SubtractLong(s_.MascotMoney, s_.MascotBet);
    ShowMascotMoney();
  }
  s_.RaceRunning = true;

  c_.TimeChar.SetInterval(kRaceTickInterval);
  for (s_.LaneIndex = 0; s_.LaneIndex < kLanes; ++s_.LaneIndex) {
    int lane = s_.LaneIndex;
    s_.LaneFinished[static_cast<std::size_t>(lane)] = 0;
    PlaceOnStartLine(lane);
    s_.FinishCount = 0;
    c_.Jyuni[lane].SetVisible(false);
    c_.CharAnime[lane].SetInterval(kLegsInterval);
    c_.CharKake[lane].SetEnabled(false);
  }
  c_.KakeLabel.SetCaption(platform::DecimalText(s_.PlayerBet));
  c_.KakeHScroll.SetSmallChange(1);
  c_.CmdStart.SetEnabled(false);
  c_.ozzu.SetEnabled(false);
  c_.KakeHScroll.SetVisible(false);
  SayTip();
  if (s_.PlayerMoney <= kFortunePrice) c_.omi.SetEnabled(false);
}

void MainForm::ShowStopButton() {
  c_.CmdStart.SetEnabled(true);
  c_.CmdStart.SetCaption(ui::kStopCaption);
  s_.StopButtonShown = true;
}

void MainForm::StopRace() {
  s_.RaceStopped = 1;
  c_.TimeChar.SetInterval(0);
  for (s_.LaneIndex = 0; s_.LaneIndex < kLanes; ++s_.LaneIndex) {
    c_.CharAnime[s_.LaneIndex].SetInterval(0);
    s_.LaneFinished[static_cast<std::size_t>(s_.LaneIndex)] = 1;
  }
  c_.ozzu.SetEnabled(true);
  c_.KakeHScroll.SetVisible(true);
  c_.CmdStart.SetCaption(ui::kStartCaption);
  s_.StopButtonShown = false;
  c_.CmdStart.SetEnabled(false);
  c_.LineTimer.SetInterval(kBackToTheLineInterval);
  // Stop judges the bets on the spot, against the first arrival: no stake
  // stays taken without a settlement. The press has already stopped the music.
  SettleRace();
}

void MainForm::LineTimer_Timer() {
  ResetRunnersToStartLine();
  c_.LineTimer.SetInterval(0);
}

void MainForm::SettleRace() {
  s_.RaceRunning = false;
  const Long mascot_purse_before = s_.MascotMoney;
  SettleMascotBet();
  // Kept before the player's first box: a crash or a closing いいえ while a
  // box is open loses nothing that was settled.
  RecordSettledRace(mascot_purse_before);
  SettlePlayerBet();  // may end the program; then nothing below runs
  // A bar that moved while the bet was locked (a fortune lowers its maximum)
  // leaves the label behind: what the panel shows is what the next Start
  // takes. Otherwise the label stays as it is, 0 after a race without a bet
  // until the bar next changes.
  if (std::exchange(s_.StakeBarMovedInRace, false)) StakeFollowsBar();
  c_.ozzu.SetEnabled(true);
  c_.KakeHScroll.SetVisible(true);
  c_.CmdStart.SetCaption(ui::kStartCaption);
  s_.StopButtonShown = false;
}

}  // namespace game
