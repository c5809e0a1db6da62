// Opening and closing a run: the purse comes back from the settings store
// at start and goes back to it at close. The About dialog lives here too.
#include "game/main_form.h"
#include "platform/numbers.h"
#include "platform/random.h"
#include "platform/skip_on_error.h"

namespace game {

namespace {
// Where the purse is kept between runs.
constexpr const char* kSettingsApplication = "MainForm";
constexpr const char* kSettingsSection = "2";
constexpr const char* kSettingsKey = "pass";

constexpr Long kFirstPurse = 100;
constexpr Long kEmptyPurseGift = 10;
}  // namespace

using platform::SkipOnError;

void MainForm::MainForm_Load() {
  // Every statement may fail on its own (a damaged saved purse, a step the
  // scroll bar refuses); a failed one is skipped and start-up goes on.
  SkipOnError([&] { s_.PlayerMoney = kFirstPurse; });
  SkipOnError([&] {
    s_.PlayerMoney = platform::TextToLong(
        services_.settings.Read(kSettingsApplication, kSettingsSection, kSettingsKey, ""));
  });
  SkipOnError([&] {
    if (s_.PlayerMoney < 1) s_.PlayerMoney = kEmptyPurseGift;
  });
  SkipOnError([&] { ShowPlayerMoney(); });
  SkipOnError([&] { s_.BestTime = kNoBestTime; });
  SkipOnError([&] { s_.PlayerBet = 1; });
  SkipOnError([&] { s_.MascotMoney = platform::TextToLong(c_.Psyoji[1].Caption()); });
  FitStakeBarToPurse();
  SkipOnError([&] { c_.KakeHScroll.SetSmallChange(1); });
  for (int lane = 0; lane < kLanes; ++lane) {
    s_.LaneIndex = static_cast<Integer>(lane);
    SkipOnError([&] { s_.LaneFinished[lane] = 0; });
    SkipOnError([&] { PlaceOnStartLine(lane); });
    SkipOnError([&] {
      s_.LaneSpeed[lane] = platform::ToInteger(static_cast<double>(random_.Next()) * 50 + 100);
    });
    SkipOnError([&] { c_.Jyuni[lane].SetVisible(false); });
  }
  SkipOnError([&] { c_.CmdStart.SetEnabled(false); });
  SkipOnError([&] { s_.PlayerPick = kNoLane; });
  // A fortune costs 10: the button is usable only above that, from the start
  // on as everywhere else, so a small saved purse cannot buy into debt.
  SkipOnError([&] { c_.omi.SetEnabled(s_.PlayerMoney > kFortunePrice); });
}

// The purse goes to the store whenever it changes, not only at close: a
// game killed at any moment loses nothing a normal close would have kept.
void MainForm::SavePlayerMoney() {
  services_.settings.Write(kSettingsApplication, kSettingsSection, kSettingsKey, platform::DecimalText(s_.PlayerMoney));
}

void MainForm::MainForm_Unload() {
  ver_.Unload();
  SavePlayerMoney();
  SendStopMusic();
}

void MainForm::CloseWindow() {
  if (form_.loaded()) {
    MainForm_Unload();
    form_.Unload();
  }
  EndProgram();
}

void MainForm::f3_Click() { CloseWindow(); }

void MainForm::version_Click() {
  ver_.Show();
  // A fresh dialog has fresh controls: its button is wired each time.
  ver_.controls().Get<ui::CommandButton>("OK").on_click = [this] { OK_Click(); };
}

void MainForm::OK_Click() { ver_.Unload(); }

}  // namespace game
