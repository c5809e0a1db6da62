<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>About</name>
    <message>
        <source>version情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>アイコン</source>
        <translation>Icon</translation>
    </message>
    <message>
        <source>ソフト名：こまめ堂マスコットレース</source>
        <translation>Title: Komamedo Mascot Race</translation>
    </message>
    <message>
        <source>Ver1.00</source>
        <translation>Ver1.00</translation>
    </message>
    <message>
        <source>製作社名：</source>
        <translation>Studio:</translation>
    </message>
    <message>
        <source>製作者</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>こまめ堂</source>
        <translation>Komamedo</translation>
    </message>
    <message>
        <source>最終更新：２０００年９月１９日</source>
        <translation>Last update: 19 Sep 2000</translation>
    </message>
    <message>
        <source>Ｏ．Ｋ</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Chat</name>
    <message>
        <source>現在の時刻は%1だ。</source>
        <extracomment>%1: the time as h:mm:ss (AM) or (PM), the same in every language</extracomment>
        <translation>It’s %1 right now.</translation>
    </message>
    <message>
        <source>『%1』これが現在の君のＩＰアドレスだ。</source>
        <extracomment>%1: the machine&apos;s IPv4 address</extracomment>
        <translation>“%1” — that’s your IP address right now.</translation>
    </message>
    <message>
        <source>なんだ、この色がいいのか？</source>
        <translation>What, you like this colour better?</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>こまめ堂マスコットレース %1

%2
6匹のマスコットが走るレースに「まめ」を賭けるゲームです。

  -h, --help    この説明を表示して終了
  --version     バージョンを表示して終了
  --simulate N  画面なしで、ゲームと同じルールでN回レースを行い（ファイルには何も
                書きません）、オッズの公平さを表示して終了：オッズ帯ごとの勝率と
                回収率、100まめの4通りの賭け方、レースにかかる時間。
                Nは%4まで（それより多いと合計が正確でなくなります）
    --seed S    乱数の開始位置（既定は0）
    --csv       CSVで出力
    --jobs K    K本のスレッドで実行（結果は変わりません）

財布: $XDG_CONFIG_HOME/mascot-race/MainForm.ini
      (~/.config/mascot-race/MainForm.ini)
音楽: bgm.mid, bgm1.wav（実行ファイルと同じ場所、なければ %3）
言語: デスクトップの言語。LANGUAGE=en で英語、LANGUAGE=ja で日本語
</source>
        <extracomment>The text of --help, in a terminal. %1: the version, %2: the usage line (untranslated), %3: the data directory, %4: the most races --simulate takes</extracomment>
        <translation>Komamedo Mascot Race %1

%2
Six mascots race; stake your mame on one of them and hope it comes in first.

  -h, --help    show this help and exit
  --version     show the version and exit
  --simulate N  run N races with the game&apos;s own rules, no window, nothing written,
                and show how fair the odds are: each bracket&apos;s win rate and return,
                four ways to bet 100 mame, and how long races take. N is at most
                %4: beyond that the totals would no longer be exact
    --seed S    where the random sequence starts (default 0)
    --csv       print the report as CSV
    --jobs K    use K threads (the report stays the same)

Purse: $XDG_CONFIG_HOME/mascot-race/MainForm.ini
       (~/.config/mascot-race/MainForm.ini)
Music: bgm.mid, bgm1.wav beside the executable, else in %3
Language: the desktop&apos;s; LANGUAGE=en for English, LANGUAGE=ja for Japanese
</translation>
    </message>
</context>
<context>
    <name>Fortune</name>
    <message>
        <source>今日の運勢は「極凶」だ。</source>
        <translation>Your fortune today: “Dire curse”.</translation>
    </message>
    <message>
        <source>今日の運勢は「大凶」だ。</source>
        <translation>Your fortune today: “Great curse”.</translation>
    </message>
    <message>
        <source>今日の運勢は「凶」だ。</source>
        <translation>Your fortune today: “Curse”.</translation>
    </message>
    <message>
        <source>今日の運勢は「吉」だ。</source>
        <translation>Your fortune today: “Blessing”.</translation>
    </message>
    <message>
        <source>今日の運勢は「末吉」だ。</source>
        <translation>Your fortune today: “Blessing to come”.</translation>
    </message>
    <message>
        <source>今日の運勢は「小吉」だ。</source>
        <translation>Your fortune today: “Small blessing”.</translation>
    </message>
    <message>
        <source>今日の運勢は「中吉」だ。</source>
        <translation>Your fortune today: “Middle blessing”.</translation>
    </message>
    <message>
        <source>今日の運勢は「大吉」だ。</source>
        <translation>Your fortune today: “Great blessing”!</translation>
    </message>
</context>
<context>
    <name>Heading</name>
    <message>
        <source>こまめ堂マスコットレース</source>
        <extracomment>The big heading over the track, in large letters: some 400 pixels before the race number&apos;s box</extracomment>
        <translation>Mascot Race</translation>
    </message>
</context>
<context>
    <name>Keyboard</name>
    <message>
        <source>ショートカットキー：%1</source>
        <translation>Shortcut key: %1</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>１でGO！</source>
        <translation>Go, 1!</translation>
    </message>
    <message>
        <source>２でGO！</source>
        <translation>Go, 2!</translation>
    </message>
    <message>
        <source>３でGO！</source>
        <translation>Go, 3!</translation>
    </message>
    <message>
        <source>４でGO！</source>
        <translation>Go, 4!</translation>
    </message>
    <message>
        <source>５でGO！</source>
        <translation>Go, 5!</translation>
    </message>
    <message>
        <source>６でGO！</source>
        <translation>Go, 6!</translation>
    </message>
    <message>
        <source>賭け金</source>
        <translation>Stake</translation>
    </message>
    <message>
        <source>所持金：</source>
        <translation>Purse:</translation>
    </message>
    <message>
        <source>スタートライン</source>
        <translation>Start line</translation>
    </message>
    <message>
        <source>ゴールライン</source>
        <translation>Finish line</translation>
    </message>
    <message>
        <source>走者%1</source>
        <extracomment>The runner of lane %1, for screen readers</extracomment>
        <translation>Runner %1</translation>
    </message>
    <message>
        <source>１着</source>
        <translation>1st</translation>
    </message>
    <message>
        <source>BGM・サウンドの有無</source>
        <translation>Music and sound</translation>
    </message>
    <message>
        <source>レース選択</source>
        <translation>Next race</translation>
    </message>
    <message>
        <source>謎ボタン</source>
        <translation>Mystery button</translation>
    </message>
    <message>
        <source>謎セリフ</source>
        <translation>Babble</translation>
    </message>
    <message>
        <source>時刻表示</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>色変え</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>ﾍﾞｽﾄﾀｲﾑ</source>
        <translation>Best time</translation>
    </message>
    <message>
        <source>IPｱﾄﾞﾚｽ</source>
        <translation>IP addr</translation>
    </message>
    <message>
        <source>ツッコミ</source>
        <translation>Retort</translation>
    </message>
    <message>
        <source>賭け番</source>
        <translation>Bet on</translation>
    </message>
    <message>
        <source>番</source>
        <extracomment>The counter word after the mascot&apos;s lane number; a language without one may leave a blank</extracomment>
        <translation> </translation>
    </message>
    <message>
        <source>こまめ</source>
        <translation>Komame</translation>
    </message>
    <message>
        <source>吹き出し</source>
        <translation>Speech bubble</translation>
    </message>
    <message>
        <source>人工無能こまめ</source>
        <translation>Artless Komame</translation>
    </message>
    <message>
        <source>ようこそ『こまめ堂マスコットレース』へ</source>
        <translation>Welcome to “Komamedo Mascot Race”!</translation>
    </message>
    <message>
        <source>おみくじ&#x3000;１回１０まめ</source>
        <translation>Fortune slip: 10</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>成績(&amp;S)</source>
        <translation>&amp;Statistics</translation>
    </message>
    <message>
        <source>こまめ堂マスコットレース</source>
        <translation>Komamedo Mascot Race</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>ストップ</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>本日第%1ﾚｰｽ</source>
        <extracomment>%1: the number of the race, counted from 1 each time the game starts</extracomment>
        <translation>Race %1</translation>
    </message>
    <message>
        <source>%1倍</source>
        <extracomment>%1: a lane&apos;s odds, what a stake of 1 pays (1.1 to 5000)</extracomment>
        <translation>×%1</translation>
    </message>
    <message>
        <source>1着</source>
        <translation>1st</translation>
    </message>
    <message>
        <source>2着</source>
        <translation>2nd</translation>
    </message>
    <message>
        <source>3着</source>
        <translation>3rd</translation>
    </message>
    <message>
        <source>4着</source>
        <translation>4th</translation>
    </message>
    <message>
        <source>5着</source>
        <translation>5th</translation>
    </message>
    <message>
        <source>6着</source>
        <translation>6th</translation>
    </message>
    <message>
        <source>－</source>
        <extracomment>Where the mascot&apos;s lane would show: it sits this race out</extracomment>
        <translation>–</translation>
    </message>
    <message>
        <source>まめ</source>
        <extracomment>The game&apos;s money</extracomment>
        <translation>mame</translation>
    </message>
</context>
<context>
    <name>Mascot</name>
    <message>
        <source>このレースは%1に%2まめだな。</source>
        <extracomment>%1: the lane (1 to 6), %2: the stake in mame</extracomment>
        <translation>This race, I’m putting %2 mame on lane %1.</translation>
    </message>
    <message>
        <source>今回は見送り。</source>
        <translation>I’ll sit this one out.</translation>
    </message>
    <message>
        <source>当たりや。%1まめゲット</source>
        <extracomment>%1: what the mascot won, in mame</extracomment>
        <translation>Bingo! %1 mame for me.</translation>
    </message>
    <message>
        <source>ハズレちまったぜ。</source>
        <translation>Dang, missed.</translation>
    </message>
    <message>
        <source>所持金がなくなったから銀行で１００まめ下ろしたぜ（￣ー￣ﾆﾔﾘ</source>
        <translation>Went broke, so I took 100 mame out of the bank. *smirk*</translation>
    </message>
    <message>
        <source>本日のベストタイムは第%1レースの%2ﾏﾒ秒だな。</source>
        <extracomment>%1: the race, %2: its winning time in race ticks, the game&apos;s own seconds</extracomment>
        <translation>Today’s best: race %1, in %2 mame-seconds.</translation>
    </message>
    <message>
        <source>本日はまだレース見てないみたいだぞ。</source>
        <translation>Looks like I haven’t seen a race today yet.</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Phrase</name>
    <message>
        <source>ワタシは</source>
        <translation>I’m</translation>
    </message>
    <message>
        <source>君は</source>
        <translation>You’re</translation>
    </message>
    <message>
        <source>製作者は</source>
        <translation>The maker’s</translation>
    </message>
    <message>
        <source>今日は</source>
        <translation>Today’s</translation>
    </message>
    <message>
        <source>なんとなく</source>
        <translation>Somehow it’s</translation>
    </message>
    <message>
        <source>ナゼか</source>
        <translation>For some reason it’s</translation>
    </message>
    <message>
        <source>ダメだが、</source>
        <translation>hopeless, but</translation>
    </message>
    <message>
        <source>最悪だが、</source>
        <translation>the worst, but</translation>
    </message>
    <message>
        <source>絶好調だが、</source>
        <translation>on fire, but</translation>
    </message>
    <message>
        <source>普通だが、</source>
        <translation>so-so, but</translation>
    </message>
    <message>
        <source>ノーコメントだが、</source>
        <translation>classified, but</translation>
    </message>
    <message>
        <source>変だが、</source>
        <translation>weird, but</translation>
    </message>
    <message>
        <source>ワタシは・・・</source>
        <translation>as for me...</translation>
    </message>
    <message>
        <source>君は・・・</source>
        <translation>as for you...</translation>
    </message>
    <message>
        <source>製作者は・・・</source>
        <translation>as for the maker...</translation>
    </message>
    <message>
        <source>天気は・・・</source>
        <translation>as for the weather...</translation>
    </message>
    <message>
        <source>とりあえず・・・</source>
        <translation>anyway...</translation>
    </message>
    <message>
        <source>まぁ・・・</source>
        <translation>well...</translation>
    </message>
    <message>
        <source>いいだろう。</source>
        <translation>fine by me.</translation>
    </message>
    <message>
        <source>ノーコメント。</source>
        <translation>no comment.</translation>
    </message>
    <message>
        <source>知らん。</source>
        <translation>no idea.</translation>
    </message>
    <message>
        <source>なるほどね。</source>
        <translation>I see.</translation>
    </message>
    <message>
        <source>最高潮。</source>
        <translation>peaking!</translation>
    </message>
    <message>
        <source>絶不調。</source>
        <translation>in a slump.</translation>
    </message>
    <message>
        <source>%1%2%3%4</source>
        <extracomment>A subject (%1), a state (%2), a topic (%3) and a comment (%4), each drawn on its own</extracomment>
        <translation>%1 %2 %3 %4</translation>
    </message>
</context>
<context>
    <name>Retort</name>
    <message>
        <source>ツッコミ</source>
        <translation>Retort</translation>
    </message>
    <message>
        <source>なんでやねん！！</source>
        <translation>Oh, come ON!!</translation>
    </message>
    <message>
        <source>なんでやねん？</source>
        <extracomment>A yes-or-no question: the next box answers a Yes or a No</extracomment>
        <translation>Oh, come on... seriously?</translation>
    </message>
    <message>
        <source>（なんでやねん・・・）</source>
        <translation>(oh, come on...)</translation>
    </message>
    <message>
        <source>な、なんでやねん・・・</source>
        <translation>Wh-what? Oh, come on...</translation>
    </message>
    <message>
        <source>ナンデヤネン</source>
        <translation>OH. COME. ON.</translation>
    </message>
    <message>
        <source>な～んで～やね～ん♪</source>
        <translation>Oh~ come~ o~n♪</translation>
    </message>
</context>
<context>
    <name>Settlement</name>
    <message>
        <source>見事予感が的中しました。</source>
        <translation>Your hunch was spot on!</translation>
    </message>
    <message>
        <source>大当たり</source>
        <translation>You win!</translation>
    </message>
    <message>
        <source>配当金は%1まめです。</source>
        <extracomment>%1: the payout in mame</extracomment>
        <translation>Your payout: %1 mame.</translation>
    </message>
    <message>
        <source>残念ハズレ。</source>
        <translation>Too bad, no luck.</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>No win</translation>
    </message>
    <message>
        <source>所持金がなくなりました。</source>
        <translation>Your purse is empty.</translation>
    </message>
    <message>
        <source>のーまねー</source>
        <translation>No money</translation>
    </message>
    <message>
        <source>まだやりますか？</source>
        <translation>Keep playing?</translation>
    </message>
    <message>
        <source>こんてにゅー</source>
        <translation>Continue?</translation>
    </message>
    <message>
        <source>では、10まめあげましょう。</source>
        <translation>Then here’s 10 mame for you.</translation>
    </message>
    <message>
        <source>10まめ</source>
        <translation>10 mame</translation>
    </message>
    <message>
        <source>ご利用ありがとうございました。</source>
        <translation>Thanks for playing.</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Goodbye</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>こまめ堂マスコットレースはもう起動しています。</source>
        <translation>Komamedo Mascot Race is already running.</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>成績</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>あなた</source>
        <translation>You</translation>
    </message>
    <message>
        <source>こまめ</source>
        <translation>Komame</translation>
    </message>
    <message>
        <source>レース数</source>
        <translation>Races</translation>
    </message>
    <message>
        <source>賭けたレース</source>
        <translation>Races with a bet</translation>
    </message>
    <message>
        <source>的中</source>
        <translation>Hits</translation>
    </message>
    <message>
        <source>的中率</source>
        <translation>Hit rate</translation>
    </message>
    <message>
        <source>賭け金の合計</source>
        <translation>Total staked</translation>
    </message>
    <message>
        <source>払い戻しの合計</source>
        <translation>Total paid out</translation>
    </message>
    <message>
        <source>回収率</source>
        <translation>Return rate</translation>
    </message>
    <message>
        <source>最高配当</source>
        <translation>Best payout</translation>
    </message>
    <message>
        <source>的中した最高オッズ</source>
        <translation>Highest winning odds</translation>
    </message>
    <message>
        <source>レースごとの所持金</source>
        <translation>Purse race by race</translation>
    </message>
    <message>
        <source>レース（右ほど新しい）</source>
        <translation>Races (newest on the right)</translation>
    </message>
    <message>
        <source>所持金（まめ）</source>
        <translation>Purse (mame)</translation>
    </message>
    <message>
        <source>最近の100レース（新しい順）</source>
        <translation>Last 100 races (newest first)</translation>
    </message>
    <message>
        <source>レース</source>
        <translation>Race</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>1着</source>
        <translation>Winner</translation>
    </message>
    <message>
        <source>オッズ</source>
        <translation>Odds</translation>
    </message>
    <message>
        <source>あなたのレーン</source>
        <translation>Your lane</translation>
    </message>
    <message>
        <source>賭け金</source>
        <translation>Stake</translation>
    </message>
    <message>
        <source>配当</source>
        <translation>Payout</translation>
    </message>
    <message>
        <source>%1まめ</source>
        <extracomment>%1: an amount of the game&apos;s money</extracomment>
        <translation>%1 mame</translation>
    </message>
    <message>
        <source>第%1ﾚｰｽ</source>
        <extracomment>%1: the race&apos;s number of its day</extracomment>
        <translation>Race %1</translation>
    </message>
    <message>
        <source>第%1ﾚｰｽ（中止）</source>
        <extracomment>%1: the race&apos;s number of its day; the player stopped it after the first arrival</extracomment>
        <translation>Race %1 (stopped)</translation>
    </message>
    <message>
        <source>記録を消す(&amp;D)</source>
        <translation>&amp;Delete records</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>これまでの記録をすべて消しますか？</source>
        <translation>Delete all records?</translation>
    </message>
    <message>
        <source>記録を保存できないため、今回のレースは記録されません。</source>
        <translation>The records can’t be saved, so this session’s races go unrecorded.</translation>
    </message>
    <message>
        <source>読み取れない記録が%1件あり、集計・グラフ・表から除いています。</source>
        <extracomment>%1: how many kept races could not be read back; they stay in the file untouched</extracomment>
        <translation>Unreadable records left out of the totals, the chart and the table: %1</translation>
    </message>
</context>
<context>
    <name>Tip</name>
    <message>
        <source>ワタシのホームページ「こまめ堂の部屋」をヨロシク！</source>
        <translation>Do drop by my homepage, “Komamedo’s Room”!</translation>
    </message>
    <message>
        <source>このゲームの感想、エラー発見、その他コメント等ありましたらメールかホームページの掲示板で連絡ください。</source>
        <translation>Thoughts on the game, a bug, anything else? Tell me by email or on my homepage’s message board.</translation>
    </message>
    <message>
        <source>何、当たらない？ゲーム自体、動きはランダムで動かしてるので、製作者のワタシでもどれが当たるか分からん。</source>
        <translation>What, no wins? The runners move at random, so even I, the game’s maker, can’t tell who’ll win.</translation>
    </message>
    <message>
        <source>腹が減った？ならこんなことしてないでメシを食うんだ。なければ作る、うまく作れたら感動モノだぞ。</source>
        <translation>Hungry? Then quit this and go eat. Nothing in the fridge? Cook! Get it right and you’ll be moved to tears.</translation>
    </message>
    <message>
        <source>ファミリーコンピューターを知ってるか？ワタシが小学校時代に絶頂期だったテレビゲームだ。</source>
        <translation>Know the Famicom? The games console that ruled when I was in primary school.</translation>
    </message>
    <message>
        <source>カレーはうまいと思わないか？ワタシはカレーなら大盛り３杯はイケルぞ。でもシーフードカレーは苦手だ。</source>
        <translation>Isn’t curry great? I can put away three big plates. Seafood curry, though? No thanks.</translation>
    </message>
    <message>
        <source>トンネル通ると眠くならないか？どうもあのオレンジの光加減がワタシの眠気を誘うようだ。</source>
        <translation>Don’t tunnels make you sleepy? That orange light just knocks me out.</translation>
    </message>
    <message>
        <source>幽霊はいると思うか？ワタシはいると思うぞ。なぜなら高校時代、部活の合宿で見たからな。</source>
        <translation>Believe in ghosts? I do. I saw one at a club training camp back in high school.</translation>
    </message>
    <message>
        <source>野宿したことあるか？やるのは構わないが、大きな道付近で寝るなよ。うるさすぎて寝れんから。</source>
        <translation>Ever slept outdoors? Go for it, just not next to a big road. Way too noisy to sleep!</translation>
    </message>
    <message>
        <source>「うまかっちゃん」というインスタントラーメンを知ってるか？話では九州の方にしかないらしいぞ。</source>
        <translation>Know “Umakacchan” instant ramen? Word is you only find it down in Kyushu.</translation>
    </message>
    <message>
        <source>そこにある「謎ボタン」なんだと思うか？実はランダムを微妙にずらすことができるのだ。まぁ、どうずれるかは運任せだがね。</source>
        <translation>What does that “Mystery button” do? It nudges the dice ever so slightly. Which way? That’s down to luck.</translation>
    </message>
</context>
<context>
    <name>Tour</name>
    <message>
        <source>では、今から操作方法の説明を行います。（絵か吹き出しをクリックすると進みます。内容が変わっても、クリックすると先に進みます）</source>
        <translation>Right, here’s how to play. (Click me or the bubble to go on, even if I’ve said something else meanwhile.)</translation>
    </message>
    <message>
        <source>まず最初に、「レース選択」というボタンを押します。</source>
        <translation>First, press the “Next race” button.</translation>
    </message>
    <message>
        <source>まず最初に、「レース選択」というボタンを押します。（ボタンを押すと吹き出しの内容が変わりますが、クリックすると続きが出ます）</source>
        <translation>First, press the “Next race” button. (Pressing it changes this bubble; click me to go on.)</translation>
    </message>
    <message>
        <source>そうすると、「○でＧＯ！」の下に倍率が出ます。</source>
        <translation>Then the odds show up under the “Go, ○!” buttons.</translation>
    </message>
    <message>
        <source>次に、スクロールバーで賭金を決め（最高30000）自分が賭けたい番号のラジオボタンをクリックします。（賭けない場合は何もクリックしないでください）</source>
        <translation>Next, set your stake with the scroll bar (up to 30000), then click your lane’s button. (Not betting? Click none of them.)</translation>
    </message>
    <message>
        <source>また、再度「レース選択」ボタンを押すと、次のレースに進みます。</source>
        <translation>Pressing “Next race” again skips to another race.</translation>
    </message>
    <message>
        <source>そして「スタート」というボタンを押します。</source>
        <translation>Then press the “Start” button.</translation>
    </message>
    <message>
        <source>そして「スタート」というボタンを押します。（ボタンを押すと吹き出しの内容が変わりますが、クリックすると続きが出ます）</source>
        <translation>Then press the “Start” button. (Pressing it changes this bubble; click me to go on.)</translation>
    </message>
    <message>
        <source>そうするとキャラクターが走り出します。後は、賭けたキャラが１着になることを祈るだけ。</source>
        <translation>Off the runners go! All that’s left is to pray yours comes in first.</translation>
    </message>
    <message>
        <source>そうするとキャラクターが走り出します。後は、賭けたキャラが１着になることを祈るだけ（全キャラゴール、ストップボタンクリック後に変化。クリックで次）</source>
        <translation>Off the runners go! All that’s left is to pray yours comes in first. (This bubble changes once all are home or Stop is pressed; click to go on.)</translation>
    </message>
    <message>
        <source>誰かがゴールすると、「スタート」ボタンが「ストップ」ボタンに変化します。クリックするとその場で当たりハズレの判定をします。</source>
        <translation>Once a runner is home, “Start” turns into “Stop”. Click it to settle the bets on the spot.</translation>
    </message>
    <message>
        <source>見事予感が的中すると、「賭金×倍率」分のまめがもらえます。</source>
        <translation>If your hunch is right, you get “stake × odds” in mame.</translation>
    </message>
    <message>
        <source>ハズレの場合は、賭金没収になります。</source>
        <translation>If you miss, you lose your stake.</translation>
    </message>
    <message>
        <source>もしも所持金が全て無くなった場合は、コンテニューメッセージが出ます。</source>
        <translation>If your purse runs dry, you’re asked whether to continue.</translation>
    </message>
    <message>
        <source>まだ続ける場合は「はい」を、終わる場合は「いいえ」を選んでください。</source>
        <translation>Choose “Yes” to keep playing, or “No” to stop.</translation>
    </message>
    <message>
        <source>なお、途中でゲームを終わる場合は、そのままこのウィンドウを閉じてください。</source>
        <translation>To quit in the middle of a game, just close this window.</translation>
    </message>
    <message>
        <source>所持金データは閉じた時に自動的に保存され、またゲームを起動すると自動的に呼び出されます。</source>
        <translation>Your purse is saved when you close the game, and it’s back when you start it again.</translation>
    </message>
    <message>
        <source>以上で説明を終わります。まぁ、ヘルプを見なくても操作方法は分かると思いますが（笑）</source>
        <translation>That’s the tour! Not that you needed help to figure it out (heh).</translation>
    </message>
</context>
</TS>
