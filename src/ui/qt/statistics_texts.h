// Every text of the statistics window, in one place: entries of the game's
// catalogue, shown in the player's language.
#pragma once

#include <array>

#include "platform/text.h"

namespace ui::qt::statistics_texts {

inline constexpr platform::TextId kTitle = MASCOT_TEXT("Statistics", "成績");
inline constexpr platform::TextId kPlayer = MASCOT_TEXT("Statistics", "あなた");
inline constexpr platform::TextId kMascot = MASCOT_TEXT("Statistics", "こまめ");

// The rows of the totals, in order.
inline constexpr std::array<platform::TextId, 9> kTotalsRows = {
    MASCOT_TEXT("Statistics", "レース数"),       MASCOT_TEXT("Statistics", "賭けたレース"),
    MASCOT_TEXT("Statistics", "的中"),           MASCOT_TEXT("Statistics", "的中率"),
    MASCOT_TEXT("Statistics", "賭け金の合計"),   MASCOT_TEXT("Statistics", "払い戻しの合計"),
    MASCOT_TEXT("Statistics", "回収率"),         MASCOT_TEXT("Statistics", "最高配当"),
    MASCOT_TEXT("Statistics", "的中した最高オッズ")};

inline constexpr platform::TextId kChartTitle = MASCOT_TEXT("Statistics", "レースごとの所持金");
inline constexpr platform::TextId kChartRaces = MASCOT_TEXT("Statistics", "レース（右ほど新しい）");
inline constexpr platform::TextId kChartPurse = MASCOT_TEXT("Statistics", "所持金（まめ）");

inline constexpr platform::TextId kLastRaces = MASCOT_TEXT("Statistics", "最近の100レース（新しい順）");
inline constexpr std::array<platform::TextId, 7> kTableColumns = {
    MASCOT_TEXT("Statistics", "レース"), MASCOT_TEXT("Statistics", "日時"),   MASCOT_TEXT("Statistics", "1着"),
    MASCOT_TEXT("Statistics", "オッズ"), MASCOT_TEXT("Statistics", "あなたのレーン"),
    MASCOT_TEXT("Statistics", "賭け金"), MASCOT_TEXT("Statistics", "配当")};

//: %1: an amount of the game's money
inline constexpr platform::TextId kMoney = MASCOT_TEXT("Statistics", "%1まめ");
//: %1: the race's number of its day
inline constexpr platform::TextId kRaceNo = MASCOT_TEXT("Statistics", "第%1ﾚｰｽ");
//: %1: the race's number of its day; the player stopped it after the first arrival
inline constexpr platform::TextId kRaceNoStopped = MASCOT_TEXT("Statistics", "第%1ﾚｰｽ（中止）");

inline constexpr platform::TextId kClear = MASCOT_TEXT("Statistics", "記録を消す(&D)");
inline constexpr platform::TextId kClose = MASCOT_TEXT("Statistics", "閉じる(&C)");
inline constexpr platform::TextId kClearQuestion = MASCOT_TEXT("Statistics", "これまでの記録をすべて消しますか？");
inline constexpr platform::TextId kRecordsOff =
    MASCOT_TEXT("Statistics", "記録を保存できないため、今回のレースは記録されません。");
//: %1: how many kept races could not be read back; they stay in the file untouched
inline constexpr platform::TextId kLeftOut =
    MASCOT_TEXT("Statistics", "読み取れない記録が%1件あり、集計・グラフ・表から除いています。");

}  // namespace ui::qt::statistics_texts
