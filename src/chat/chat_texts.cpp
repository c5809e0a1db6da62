// What the mascot says when it chats: the four piece tables of the nonsense
// phrase, the tips, the fortunes, the retorts and the talk buttons, as data.
#include "chat/chat_texts.h"

namespace chat {

// Any piece of a column may meet any piece of the others: 1296 phrases.
const std::array<std::array<platform::TextId, kPhraseRows>, kPhrasePieces> kPhrasePieceTable = {{
    // piece 0: subject
    {MASCOT_TEXT("Phrase", "ワタシは"), MASCOT_TEXT("Phrase", "君は"), MASCOT_TEXT("Phrase", "製作者は"),
     MASCOT_TEXT("Phrase", "今日は"), MASCOT_TEXT("Phrase", "なんとなく"), MASCOT_TEXT("Phrase", "ナゼか")},
    // piece 1: state
    {MASCOT_TEXT("Phrase", "ダメだが、"), MASCOT_TEXT("Phrase", "最悪だが、"), MASCOT_TEXT("Phrase", "絶好調だが、"),
     MASCOT_TEXT("Phrase", "普通だが、"), MASCOT_TEXT("Phrase", "ノーコメントだが、"), MASCOT_TEXT("Phrase", "変だが、")},
    // piece 2: topic
    {MASCOT_TEXT("Phrase", "ワタシは・・・"), MASCOT_TEXT("Phrase", "君は・・・"),
     MASCOT_TEXT("Phrase", "製作者は・・・"), MASCOT_TEXT("Phrase", "天気は・・・"),
     MASCOT_TEXT("Phrase", "とりあえず・・・"), MASCOT_TEXT("Phrase", "まぁ・・・")},
    // piece 3: comment
    {MASCOT_TEXT("Phrase", "いいだろう。"), MASCOT_TEXT("Phrase", "ノーコメント。"), MASCOT_TEXT("Phrase", "知らん。"),
     MASCOT_TEXT("Phrase", "なるほどね。"), MASCOT_TEXT("Phrase", "最高潮。"), MASCOT_TEXT("Phrase", "絶不調。")},
}};

//: A subject (%1), a state (%2), a topic (%3) and a comment (%4), each drawn on its own
const platform::TextId kPhrase = MASCOT_TEXT("Phrase", "%1%2%3%4");

const std::array<platform::TextId, kTips> kTipTable = {
    MASCOT_TEXT("Tip", "ワタシのホームページ「こまめ堂の部屋」をヨロシク！"),
    MASCOT_TEXT("Tip", "このゲームの感想、エラー発見、その他コメント等ありましたらメールかホームページの掲示板で連絡ください。"),
    MASCOT_TEXT("Tip", "何、当たらない？ゲーム自体、動きはランダムで動かしてるので、製作者のワタシでもどれが当たるか分からん。"),
    MASCOT_TEXT("Tip", "腹が減った？ならこんなことしてないでメシを食うんだ。なければ作る、うまく作れたら感動モノだぞ。"),
    MASCOT_TEXT("Tip", "ファミリーコンピューターを知ってるか？ワタシが小学校時代に絶頂期だったテレビゲームだ。"),
    MASCOT_TEXT("Tip", "カレーはうまいと思わないか？ワタシはカレーなら大盛り３杯はイケルぞ。でもシーフードカレーは苦手だ。"),
    MASCOT_TEXT("Tip", "トンネル通ると眠くならないか？どうもあのオレンジの光加減がワタシの眠気を誘うようだ。"),
    MASCOT_TEXT("Tip", "幽霊はいると思うか？ワタシはいると思うぞ。なぜなら高校時代、部活の合宿で見たからな。"),
    MASCOT_TEXT("Tip", "野宿したことあるか？やるのは構わないが、大きな道付近で寝るなよ。うるさすぎて寝れんから。"),
    MASCOT_TEXT("Tip", "「うまかっちゃん」というインスタントラーメンを知ってるか？話では九州の方にしかないらしいぞ。"),
    MASCOT_TEXT("Tip", "そこにある「謎ボタン」なんだと思うか？実はランダムを微妙にずらすことができるのだ。まぁ、どうずれるかは運任せだがね。"),
};

const std::array<platform::TextId, kFortunes> kFortuneTable = {
    MASCOT_TEXT("Fortune", "今日の運勢は「極凶」だ。"), MASCOT_TEXT("Fortune", "今日の運勢は「大凶」だ。"),
    MASCOT_TEXT("Fortune", "今日の運勢は「凶」だ。"),   MASCOT_TEXT("Fortune", "今日の運勢は「吉」だ。"),
    MASCOT_TEXT("Fortune", "今日の運勢は「末吉」だ。"), MASCOT_TEXT("Fortune", "今日の運勢は「小吉」だ。"),
    MASCOT_TEXT("Fortune", "今日の運勢は「中吉」だ。"), MASCOT_TEXT("Fortune", "今日の運勢は「大吉」だ。"),
};

const platform::TextId kRetortTitle = MASCOT_TEXT("Retort", "ツッコミ");
const platform::TextId kRetortShout = MASCOT_TEXT("Retort", "なんでやねん！！");
//: A yes-or-no question: the next box answers a Yes or a No
const platform::TextId kRetortQuestion = MASCOT_TEXT("Retort", "なんでやねん？");
const platform::TextId kRetortAfterYes = MASCOT_TEXT("Retort", "（なんでやねん・・・）");
const platform::TextId kRetortAfterNo = MASCOT_TEXT("Retort", "な、なんでやねん・・・");
const platform::TextId kRetortFlat = MASCOT_TEXT("Retort", "ナンデヤネン");
const platform::TextId kRetortSung = MASCOT_TEXT("Retort", "な～んで～やね～ん♪");

//: %1: the time as h:mm:ss (AM) or (PM), the same in every language
const platform::TextId kTellTheTime = MASCOT_TEXT("Chat", "現在の時刻は%1だ。");
//: %1: the machine's IPv4 address
const platform::TextId kTellTheAddress = MASCOT_TEXT("Chat", "『%1』これが現在の君のＩＰアドレスだ。");
const platform::TextId kNewColour = MASCOT_TEXT("Chat", "なんだ、この色がいいのか？");

}  // namespace chat
