// What the game says about races and bets: the mascot in its bubble, and the
// boxes of the player's settlement.
#pragma once

#include "platform/text.h"

namespace game::texts {

// The mascot's bet as a race is chosen.
//: %1: the lane (1 to 6), %2: the stake in mame
inline constexpr platform::TextId kMascotBets = MASCOT_TEXT("Mascot", "このレースは%1に%2まめだな。");
inline constexpr platform::TextId kMascotSitsOut = MASCOT_TEXT("Mascot", "今回は見送り。");
// The mascot's settlement.
//: %1: what the mascot won, in mame
inline constexpr platform::TextId kMascotHit = MASCOT_TEXT("Mascot", "当たりや。%1まめゲット");
inline constexpr platform::TextId kMascotMiss = MASCOT_TEXT("Mascot", "ハズレちまったぜ。");
inline constexpr platform::TextId kMascotBank =
    MASCOT_TEXT("Mascot", "所持金がなくなったから銀行で１００まめ下ろしたぜ（￣ー￣ﾆﾔﾘ");
// The best time of the day.
//: %1: the race, %2: its winning time in race ticks, the game's own seconds
inline constexpr platform::TextId kBestTime = MASCOT_TEXT("Mascot", "本日のベストタイムは第%1レースの%2ﾏﾒ秒だな。");
inline constexpr platform::TextId kNoBestTime = MASCOT_TEXT("Mascot", "本日はまだレース見てないみたいだぞ。");

// The player's settlement: each box's prompt and title.
inline constexpr platform::TextId kHit = MASCOT_TEXT("Settlement", "見事予感が的中しました。");
inline constexpr platform::TextId kHitTitle = MASCOT_TEXT("Settlement", "大当たり");
//: %1: the payout in mame
inline constexpr platform::TextId kPayout = MASCOT_TEXT("Settlement", "配当金は%1まめです。");
inline constexpr platform::TextId kMiss = MASCOT_TEXT("Settlement", "残念ハズレ。");
inline constexpr platform::TextId kMissTitle = MASCOT_TEXT("Settlement", "失敗");
inline constexpr platform::TextId kBroke = MASCOT_TEXT("Settlement", "所持金がなくなりました。");
inline constexpr platform::TextId kBrokeTitle = MASCOT_TEXT("Settlement", "のーまねー");
inline constexpr platform::TextId kGoOn = MASCOT_TEXT("Settlement", "まだやりますか？");
inline constexpr platform::TextId kGoOnTitle = MASCOT_TEXT("Settlement", "こんてにゅー");
inline constexpr platform::TextId kGift = MASCOT_TEXT("Settlement", "では、10まめあげましょう。");
inline constexpr platform::TextId kGiftTitle = MASCOT_TEXT("Settlement", "10まめ");
inline constexpr platform::TextId kGoodbye = MASCOT_TEXT("Settlement", "ご利用ありがとうございました。");
inline constexpr platform::TextId kGoodbyeTitle = MASCOT_TEXT("Settlement", "終了");

}  // namespace game::texts
