// The guided tour: an opening text and fourteen steps, each with the text
// shown on a click of the bubble and on a click of the mascot.
#include "chat/tour_texts.h"

namespace chat {

const platform::TextId kTourOpening = MASCOT_TEXT(
    "Tour", "では、今から操作方法の説明を行います。（絵か吹き出しをクリックすると進みます。内容が変わっても、クリックすると先に進みます）");

const std::array<TourStep, kTourSteps + 1> kTour = {{
    {},  // step 0: no tour
    {MASCOT_TEXT("Tour", "まず最初に、「レース選択」というボタンを押します。"),
     MASCOT_TEXT("Tour", "まず最初に、「レース選択」というボタンを押します。（ボタンを押すと吹き出しの内容が変わりますが、クリックすると続きが出ます）"),
     2, 2},
    {MASCOT_TEXT("Tour", "そうすると、「○でＧＯ！」の下に倍率が出ます。"), kSameAsBubble, 3, 3},
    {MASCOT_TEXT("Tour", "次に、スクロールバーで賭金を決め（最高30000）自分が賭けたい番号のラジオボタンをクリックします。（賭けない場合は何もクリックしないでください）"), kSameAsBubble, 4, 4},
    {MASCOT_TEXT("Tour", "また、再度「レース選択」ボタンを押すと、次のレースに進みます。"), kSameAsBubble, 5, 5},
    {MASCOT_TEXT("Tour", "そして「スタート」というボタンを押します。"),
     MASCOT_TEXT("Tour", "そして「スタート」というボタンを押します。（ボタンを押すと吹き出しの内容が変わりますが、クリックすると続きが出ます）"),
     6, 6},
    {MASCOT_TEXT("Tour", "そうするとキャラクターが走り出します。後は、賭けたキャラが１着になることを祈るだけ。"),
     MASCOT_TEXT("Tour", "そうするとキャラクターが走り出します。後は、賭けたキャラが１着になることを祈るだけ（全キャラゴール、ストップボタンクリック後に変化。クリックで次）"),
     7, 7},
    {MASCOT_TEXT("Tour", "誰かがゴールすると、「スタート」ボタンが「ストップ」ボタンに変化します。クリックするとその場で当たりハズレの判定をします。"), kSameAsBubble, 8, 8},
    {MASCOT_TEXT("Tour", "見事予感が的中すると、「賭金×倍率」分のまめがもらえます。"), kSameAsBubble, 9, 9},
    {MASCOT_TEXT("Tour", "ハズレの場合は、賭金没収になります。"), kSameAsBubble, 10, 10},
    {MASCOT_TEXT("Tour", "もしも所持金が全て無くなった場合は、コンテニューメッセージが出ます。"), kSameAsBubble, 11, 11},
    {MASCOT_TEXT("Tour", "まだ続ける場合は「はい」を、終わる場合は「いいえ」を選んでください。"), kSameAsBubble, 12, 12},
    {MASCOT_TEXT("Tour", "なお、途中でゲームを終わる場合は、そのままこのウィンドウを閉じてください。"), kSameAsBubble, 13, 13},
    {MASCOT_TEXT("Tour", "所持金データは閉じた時に自動的に保存され、またゲームを起動すると自動的に呼び出されます。"), kSameAsBubble, 14, 14},
    {MASCOT_TEXT("Tour", "以上で説明を終わります。まぁ、ヘルプを見なくても操作方法は分かると思いますが（笑）"), kSameAsBubble, 0, 15},
    {kNoEntry, kEmptyBubble, 0, 0},  // the mascot's last click empties the bubble
}};

}  // namespace chat
