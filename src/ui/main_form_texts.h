// Texts of the main window that its definition gives and the rules write
// again: the title, the race button, the race number, the odds, the ranks,
// the mascot's lane when it has none, and the game's money.
#pragma once

#include <array>

#include "platform/text.h"
#include "ui/lanes.h"

namespace ui {

inline constexpr platform::TextId kGameTitle = MASCOT_TEXT("MainForm", "こまめ堂マスコットレース");
inline constexpr platform::TextId kStartCaption = MASCOT_TEXT("MainForm", "スタート");
inline constexpr platform::TextId kStopCaption = MASCOT_TEXT("MainForm", "ストップ");
//: %1: the number of the race, counted from 1 each time the game starts
inline constexpr platform::TextId kRaceNumberCaption = MASCOT_TEXT("MainForm", "本日第%1ﾚｰｽ");
//: %1: a lane's odds, what a stake of 1 pays (1.1 to 5000)
inline constexpr platform::TextId kOddsCaption = MASCOT_TEXT("MainForm", "%1倍");
// The rank of each arrival, first to sixth: one entry each, as languages
// write ranks differently.
inline constexpr std::array<platform::TextId, kLanes> kRankCaptions = {
    MASCOT_TEXT("MainForm", "1着"), MASCOT_TEXT("MainForm", "2着"), MASCOT_TEXT("MainForm", "3着"),
    MASCOT_TEXT("MainForm", "4着"), MASCOT_TEXT("MainForm", "5着"), MASCOT_TEXT("MainForm", "6着")};
//: Where the mascot's lane would show: it sits this race out
inline constexpr platform::TextId kNoLaneMark = MASCOT_TEXT("MainForm", "－");
//: The game's money
inline constexpr platform::TextId kMame = MASCOT_TEXT("MainForm", "まめ");

}  // namespace ui
