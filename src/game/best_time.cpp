// The mascot tells the best winning time of the day; the race tick keeps it.
#include "game/game_texts.h"
#include "game/main_form.h"

namespace game {

void MainForm::BestCmd_Click() {
  if (s_.BestRaceNo != 0 && s_.BestTime != kNoBestTime) {
    Say(platform::Text(texts::kBestTime).Arg(s_.BestRaceNo).Arg(s_.BestTime));
  } else {
    Say(texts::kNoBestTime);
  }
}

}  // namespace game
