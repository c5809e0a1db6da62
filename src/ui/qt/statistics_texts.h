// Every text of the statistics window, in one place.
#pragma once

#include <array>

namespace ui::qt::statistics_texts {

inline constexpr const char* kTitle = "成績";
inline constexpr const char* kPlayer = "あなた";
inline constexpr const char* kMascot = "こまめ";

// The rows of the totals, in order.
inline constexpr std::array<const char*, 9> kTotalsRows = {
    "レース数", "賭けたレース", "的中", "的中率", "賭け金の合計", "払い戻しの合計", "回収率", "最高配当", "的中した最高オッズ"};

inline constexpr const char* kChartTitle = "レースごとの所持金";
inline constexpr const char* kChartRaces = "レース（右ほど新しい）";
inline constexpr const char* kChartPurse = "所持金（まめ）";

inline constexpr const char* kLastRaces = "最近の100レース（新しい順）";
inline constexpr std::array<const char*, 7> kTableColumns = {"レース", "日時", "1着", "オッズ", "あなたのレーン",
                                                             "賭け金", "配当"};

inline constexpr const char* kMoney = "まめ";
inline constexpr const char* kOdds = "倍";
inline constexpr const char* kNone = "－";
inline constexpr const char* kRaceNo = "第%1ﾚｰｽ";
inline constexpr const char* kStopped = "（中止）";

inline constexpr const char* kClear = "記録を消す(&D)";
inline constexpr const char* kClose = "閉じる(&C)";
inline constexpr const char* kClearQuestion = "これまでの記録をすべて消しますか？";
inline constexpr const char* kRecordsOff = "記録を保存できないため、今回のレースは記録されません。";

}  // namespace ui::qt::statistics_texts
