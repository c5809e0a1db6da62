// The fortune slip: 10 of the player's まめ go to the mascot, which tells
// one of eight fortunes.
#include "chat/chat_texts.h"
#include "game/main_form.h"
#include "platform/numbers.h"
#include "platform/random.h"

namespace game {

void MainForm::omi_Click() {
  // The button is usable only above the price; the purse is not tested here.
  s_.PlayerMoney = platform::SubtractLong(s_.PlayerMoney, kFortunePrice);
  ShowPlayerMoney();
  SavePlayerMoney();
  s_.MascotMoney = platform::AddLongSaturating(s_.MascotMoney, kFortunePrice);
  ShowMascotMoney();
  s_.FortuneDraw = platform::Draw(random_, 7);
  FitStakeBarToPurse();
  Say(chat::kFortuneTable.at(static_cast<std::size_t>(s_.FortuneDraw)));
  if (s_.PlayerMoney <= kFortunePrice) c_.omi.SetEnabled(false);
}

}  // namespace game
