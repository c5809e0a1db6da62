// Settling a race: the mascot's bet, then the player's, with the continue
// offer when the purse runs dry; then the lanes are made ready again.
#include "game/game_texts.h"
#include "game/main_form.h"
#include "game/payout.h"
#include "platform/numbers.h"
#include "platform/skip_on_error.h"
#include "ui/main_form_texts.h"

namespace game {

using platform::MessageBoxes;
using platform::SkipOnError;

namespace {
constexpr Long kBankRefill = 100;
constexpr Long kContinueGift = 10;
}  // namespace

Long Payout(Integer stake, Single odds) {
  return platform::ToLong(static_cast<double>(static_cast<Single>(stake)) * static_cast<double>(odds));
}

void MainForm::SettleMascotBet() {
  if (s_.MascotPick != kNoLane) {
    if (s_.MascotPick == s_.WinnerLane) {
      s_.MascotPayout = Payout(s_.MascotBet, s_.LaneOdds.at(static_cast<std::size_t>(s_.MascotPick)));
      s_.MascotMoney = platform::AddLongSaturating(s_.MascotMoney, s_.MascotPayout);
      ShowMascotMoney();
      Say(platform::Text(texts::kMascotHit).Arg(s_.MascotPayout));
    } else if (s_.MascotMoney != 0) {
      Say(texts::kMascotMiss);
    } else {
      s_.MascotMoney = kBankRefill;
      c_.Psyoji[1].SetCaption("100");
      Say(texts::kMascotBank);
    }
  }
  c_.kakeban[1].SetCaption(ui::kNoLaneMark);
  c_.Pkake[1].SetCaption("0");
}

void MainForm::SettlePlayerBet() {
  // Every statement may fail on its own and is then skipped; only the end
  // of the program (the player declines to continue) stops the routine.
  auto box = [this](const platform::Text& prompt, int style, const platform::Text& title) {
    return services_.message_boxes.Show(prompt, style, title);
  };

  if (s_.PlayerPick == kNoLane) {
    SkipOnError([&] { c_.KakeHScroll.SetValue(1); });
  } else if (s_.PlayerPick == s_.WinnerLane) {
    SkipOnError([&] { s_.PlayerPayout = Payout(s_.PlayerBet, s_.LaneOdds.at(static_cast<std::size_t>(s_.PlayerPick))); });
    box(texts::kHit, MessageBoxes::kOkOnly, texts::kHitTitle);
    box(platform::Text(texts::kPayout).Arg(s_.PlayerPayout), MessageBoxes::kOkOnly, texts::kHitTitle);
    // Winnings that would carry the purse past the largest Long stop there.
    SkipOnError([&] { s_.PlayerMoney = platform::AddLongSaturating(s_.PlayerMoney, s_.PlayerPayout); });
    SkipOnError([&] { ShowPlayerMoney(); });
    SkipOnError([&] { SavePlayerMoney(); });
    SkipOnError([&] { c_.KakeHScroll.SetSmallChange(1); });
    SkipOnError([&] { c_.CmdStart.SetEnabled(false); });
    ClearLaneChoice();
  } else {
    box(texts::kMiss, MessageBoxes::kOkOnly, texts::kMissTitle);
    if (s_.PlayerMoney == 0) {
      box(texts::kBroke, MessageBoxes::kOkOnly, texts::kBrokeTitle);
      s_.MsgReply = static_cast<Integer>(box(texts::kGoOn, MessageBoxes::kYesNo, texts::kGoOnTitle));
      if (s_.MsgReply == MessageBoxes::kReplyYes) {
        Record([this](platform::RaceRecords& records) { records.ContinueGiven(s_.RaceNo, kContinueGift, kContinueGift); });
        box(texts::kGift, MessageBoxes::kOkOnly, texts::kGiftTitle);
        s_.PlayerMoney = kContinueGift;
        SkipOnError([&] { c_.Money.SetCaption("10"); });
        SkipOnError([&] { SavePlayerMoney(); });
      } else {
        box(texts::kGoodbye, MessageBoxes::kOkOnly, texts::kGoodbyeTitle);
        CloseWindow();  // saves the purse and ends the program: nothing after this runs
      }
    }
    ClearLaneChoice();
  }

  for (s_.LaneIndex = 0; s_.LaneIndex < kLanes; ++s_.LaneIndex) {
    int lane = s_.LaneIndex;
    SkipOnError([&] { s_.LaneFinished[static_cast<std::size_t>(lane)] = 0; });
    SkipOnError([&] { c_.Jyuni[lane].SetVisible(false); });
    SkipOnError([&] { c_.Bairitu[lane].SetCaption(""); });
    SkipOnError([&] { PlaceOnStartLine(lane); });
    SkipOnError([&] { c_.ImgChar[lane].SetPicture(c_.CharList[lane].Picture(1)); });
    SkipOnError([&] { c_.CharKake[lane].SetEnabled(true); });
  }

  FitStakeBarToPurse();
  SkipOnError([&] {
    if (s_.PlayerMoney > kFortunePrice) c_.omi.SetEnabled(true);
  });
  SkipOnError([&] { c_.CmdStart.SetEnabled(false); });
}

}  // namespace game
