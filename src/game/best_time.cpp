// The mascot tells the best winning time of the day; the race tick keeps it.
#include "game/main_form.h"
#include "platform/numbers.h"

namespace game {

void MainForm::BestCmd_Click() {
  if (s_.BestRaceNo != 0 && s_.BestTime != kNoBestTime) {
    Say("本日のベストタイムは第" + platform::DecimalText(s_.BestRaceNo) + "レースの" +
        platform::DecimalText(s_.BestTime) + "ﾏﾒ秒だな。");
  } else {
    Say("本日はまだレース見てないみたいだぞ。");
  }
}

}  // namespace game
