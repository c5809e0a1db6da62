// All state of a run: one record owned by the main window. Field names and
// widths follow the rules; Integer is 16-bit, Long 32-bit, Single a float.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/text.h"
#include "ui/lanes.h"

namespace game {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;

using ui::kLanes;
// A pick of 6 means no lane: no bet for the player, sitting out for the mascot.
inline constexpr Integer kNoLane = 6;
// A best time of 9999 ticks means no race has been won today.
inline constexpr Integer kNoBestTime = 9999;
// The largest stake the bar offers, whatever the purse.
inline constexpr Long kStakeCeiling = 30000;
// A fortune slip costs this; the button is usable only above it.
inline constexpr Long kFortunePrice = 10;

struct GameState {
  Integer PlayerBet = 0;
  Long PlayerMoney = 0;
  Integer PickLane = 0;
  std::array<Integer, kLanes> LaneSpeed{};
  Integer LaneIndex = 0;
  Integer RandomShift = 0;
  std::array<Integer, kLanes> LaneFinished{};
  Integer FinishCount = 0;
  std::array<Single, kLanes> LaneOdds{};
  Integer SpeedTotal = 0;
  std::array<Integer, kLanes> AnimFrame{};
  Integer PlayerPick = 0;
  Integer WinnerLane = 0;
  Long PlayerPayout = 0;
  Integer AllFinished = 0;
  Integer SlideStep = 0;
  Integer MsgReply = 0;
  Integer MascotPick = 0;
  Integer MascotBet = 0;
  Long MascotMoney = 0;
  Integer FortuneDraw = 0;
  Long MascotPayout = 0;
  Integer TipDraw = 0;
  std::array<Integer, 4> PhraseDraw{};
  std::array<platform::TextId, 4> PhrasePart{};
  Integer PhraseIndex = 0;
  platform::Text PhraseText;
  Integer MascotColour = 0;
  Integer RaceStopped = 0;
  Integer BestTime = 0;
  Integer RaceTime = 0;
  // Race numbers are Long: the count of race selections may pass 32767 in a
  // long session, and the best-time text must still name the right race.
  Long BestRaceNo = 0;
  Long RaceNo = 0;
  Integer TourStep = 0;
  Integer RetortDraw = 0;
  // Mirrors the race button: true while it reads ストップ (from the first
  // arrival until the race is stopped or settled), when a press stops.
  bool StopButtonShown = false;
  // From the start of a race until its settlement the bets are locked: the
  // stake taken is the stake settled, on the lane picked at the start.
  bool RaceRunning = false;
  // The stake bar moved while the bets were locked (a fortune bought in a race
  // lowers its maximum): the stake label has to catch up at the settlement.
  bool StakeBarMovedInRace = false;
  // The lanes in the order they crossed the goal in this race, for the records;
  // FinishCount of them are filled.
  std::array<Integer, kLanes> ArrivalOrder{};
};

}  // namespace game
