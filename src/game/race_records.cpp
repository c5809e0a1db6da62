// What a settled race tells the records: both bets as they were settled.
#include "game/main_form.h"
#include "game/payout.h"
#include "platform/numbers.h"

namespace game {

void MainForm::RecordSettledRace(Long mascot_purse_before) {
  platform::SettledRace race;
  race.race_no = s_.RaceNo;
  race.stopped = s_.RaceStopped != 0;
  race.winning_ticks = s_.RaceTime;
  race.arrivals = s_.FinishCount;
  for (std::size_t lane = 0; lane < kLanes; ++lane) {
    race.odds[lane] = s_.LaneOdds[lane];
    race.arrival_order[lane] = s_.ArrivalOrder[lane];
  }

  // The player's bet is settled next, behind its boxes: worked out here the
  // same way, the payout added to the purse only after the boxes.
  race.player.lane = s_.PlayerPick;
  if (s_.PlayerPick != kNoLane) {
    race.player.stake = s_.PlayerBet;
    if (s_.PlayerPick == s_.WinnerLane) {
      race.player.payout = Payout(s_.PlayerBet, s_.LaneOdds.at(static_cast<std::size_t>(s_.PlayerPick)));
    }
  }
  race.player.purse_after = platform::AddLongSaturating(s_.PlayerMoney, race.player.payout);

  // The mascot's bet is already settled: a miss changes its purse only by
  // the bank's refill.
  race.mascot.lane = s_.MascotPick;
  race.mascot.purse_after = s_.MascotMoney;
  if (s_.MascotPick != kNoLane) {
    race.mascot.stake = s_.MascotBet;
    if (s_.MascotPick == s_.WinnerLane) {
      race.mascot.payout = s_.MascotPayout;
    } else {
      race.mascot_refill = s_.MascotMoney - mascot_purse_before;
      race.mascot.purse_after = mascot_purse_before;
    }
  }
  Record([&race](platform::RaceRecords& records) { records.RaceSettled(race); });
}

}  // namespace game
