// The mascot's chat. The texts it says and the boxes show, as written: the
// tour, the phrases, the tips, the fortunes and the retorts (the texts that
// carry numbers are checked with the rules that make them); and the tour keeps
// its place, fortunes, the talk buttons and the background draw.
#include <gtest/gtest.h>

#include "support/test_game.h"
#include "ui/picture_names.h"

namespace {

using namespace testing_support;

using Texts = std::vector<std::string>;

// Every written text is the catalogue's: its test fails on any change to one.
// Here a piece of each says which the game shows when.

// The opening and the fourteen steps, as the bubble walks them; a 15th click
// shows the last again.
const Texts kTourPieces = {"では、今から操作方法の説明", "まず最初に", "倍率が出ます", "スクロールバーで賭金を決め",
                           "次のレースに進みます", "「スタート」というボタン", "キャラクターが走り出します",
                           "「ストップ」ボタンに変化", "「賭金×倍率」", "賭金没収", "コンテニューメッセージ",
                           "「はい」を", "このウィンドウを閉じて", "自動的に保存", "以上で説明を終わります",
                           "以上で説明を終わります"};

// Clicks before the tour do nothing; help in the middle starts it over; the
// mascot and the bubble walk on alike, whatever else is said in between. The
// mascot adds a hint to steps 1 and 5, says step 6 its own way, and needs a
// 15th click, which empties the bubble.
TEST(WrittenTextsTest, TheTourClickByClick) {
  std::vector<Texts> said;  // by the bubble, then by the mascot
  for (bool by_mascot : {false, true}) {
    StartedGame game;
    ui::Control &mascot = game.c().komame, &bubble = game.c().MsgLabel;
    ui::Control &next = by_mascot ? mascot : bubble, &other = by_mascot ? bubble : mascot;
    game.Click(next);  // before the tour
    EXPECT_EQ(game.s().TourStep, 0);
    game.Click(game.c().h1);
    for (int click = 0; click < 3; ++click) game.Click(next);
    game.Click(game.c().h1);  // starts over
    said.push_back({game.c().MsgLabel.Caption()});
    for (int click = 0; click < 15; ++click) {
      if (click == 8) game.Click(game.c().ColorCmd);  // another text, then the other one's click:
      game.Click(click == 8 ? other : next);          // the ninth step reads alike for both
      said.back().push_back(game.c().MsgLabel.Caption());
    }
    EXPECT_EQ(game.s().TourStep, 0);
  }
  const std::string hint = "（ボタンを押すと吹き出しの内容が変わりますが、クリックすると続きが出ます）";
  for (std::size_t step = 0; step < kTourPieces.size(); ++step) {
    EXPECT_NE(said[0][step].find(kTourPieces[step]), std::string::npos) << said[0][step];
    const std::string by_mascot = step == 1 || step == 5 ? said[0][step] + hint : step == 15 ? "" : said[0][step];
    if (step != 6) { EXPECT_EQ(said[1][step], by_mascot) << step; }
  }
  EXPECT_NE(said[1][6].find("祈るだけ（全キャラゴール、ストップボタンクリック後に変化。クリックで次）"), std::string::npos);
}

const char* const kPieces[4][6] = {
    {"ワタシは", "君は", "製作者は", "今日は", "なんとなく", "ナゼか"},
    {"ダメだが、", "最悪だが、", "絶好調だが、", "普通だが、", "ノーコメントだが、", "変だが、"},
    {"ワタシは・・・", "君は・・・", "製作者は・・・", "天気は・・・", "とりあえず・・・", "まぁ・・・"},
    {"いいだろう。", "ノーコメント。", "知らん。", "なるほどね。", "最高潮。", "絶不調。"}};

// All 1296 phrases, one after another: each exactly its four pieces.
TEST(WrittenTextsTest, EveryPhraseIsOnePieceOfEachColumnInTurn) {
  const float kDraws[6] = {0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 0.999f};  // times 5: rows 0 to 5
  StartedGame game;
  for (int phrase = 0; phrase < 6 * 6 * 6 * 6; ++phrase) {
    const int row[4] = {phrase % 6, phrase / 6 % 6, phrase / 36 % 6, phrase / 216};
    game.random.Push({kDraws[row[0]], kDraws[row[1]], kDraws[row[2]], kDraws[row[3]]});
    game.Click(game.c().RndMsg);
    ASSERT_EQ(game.c().MsgLabel.Caption(),
              std::string(kPieces[0][row[0]]) + kPieces[1][row[1]] + kPieces[2][row[2]] + kPieces[3][row[3]]);
  }
  EXPECT_EQ(std::pair(game.random.draws, game.random.overruns), std::pair(6 + 4 * 1296, 0));
}

// One draw picks the row: a tip with factor 10 at every start, a fortune with
// factor 7; the first two and the last two rows are drawn at their edges. A
// piece of each row says which it is.
TEST(WrittenTextsTest, TheElevenTipsAndTheEightFortunesWorstFirst) {
  const Texts kTips = {"「こまめ堂の部屋」",  "感想、エラー発見", "何、当たらない？",       "腹が減った？",
                       "ファミリーコンピューター", "カレーはうまい",   "トンネル通ると眠く",     "幽霊はいると思うか？",
                       "野宿したことあるか？",     "「うまかっちゃん」", "「謎ボタン」なんだと思うか"};
  const Texts kFortunes = {"「極凶」", "「大凶」", "「凶」", "「吉」", "「末吉」", "「小吉」", "「中吉」", "「大吉」"};
  const std::vector<float> kTipDraws = {0.049f, 0.05f /* lies above 0.05 */, 0.2f, 0.3f, 0.4f, 0.5f,
                                        0.6f,   0.7f,  0.8f, 0.94f, 0.96f};
  const std::vector<float> kFortuneDraws = {0.07f, 0.08f, 0.3f, 0.45f, 0.58f, 0.72f, 0.92f, 0.93f};
  StartedGame game("1000");
  for (const auto& [texts, draws] : {std::pair{&kTips, &kTipDraws}, {&kFortunes, &kFortuneDraws}}) {
    for (std::size_t row = 0; row < texts->size(); ++row) {
      game.random.Push({draws->at(row)});
      if (texts == &kTips) game.Fire([&] { game.form().SayTip(); });
      if (texts == &kFortunes) game.Click(game.c().omi);
      EXPECT_NE(game.c().MsgLabel.Caption().find((*texts)[row]), std::string::npos) << draws->at(row);
    }
  }
  EXPECT_EQ(std::tuple(game.random.draws, game.random.overruns), std::tuple(6 + 11 + 8, 0));  // one draw each
}

TEST(WrittenTextsTest, TheRetortsInTheirBoxes) {
  using platform::MessageBoxes;
  constexpr int kOk = MessageBoxes::kOkOnly, kYesNo = MessageBoxes::kYesNo;
  const ShownBox kAsk = {"なんでやねん？", kYesNo, "ツッコミ"}, kPlain = {"ナンデヤネン", kOk, "ツッコミ"};
  const std::tuple<float, int, std::vector<ShownBox>> kRows[] = {
      {0.16f, kOk, {{"なんでやねん！！", MessageBoxes::kExclamation, "ツッコミ"}}},
      {0.17f, MessageBoxes::kReplyYes, {kAsk, {"（なんでやねん・・・）", kOk, "ツッコミ"}}},
      {0.49f, MessageBoxes::kReplyNo, {kAsk, {"な、なんでやねん・・・", kOk, "ツッコミ"}}},
      {0.5f, kOk, {kPlain}},  {0.83f, kOk, {kPlain}},  // 0.5: 1.5 goes to the even 2
      {0.84f, kOk, {{"な～んで～やね～ん♪", kOk, "ツッコミ"}}}};
  for (const auto& [draw, reply, boxes] : kRows) {
    StartedGame game;
    game.random.Push({draw});
    game.boxes.Reply({reply});
    game.Click(game.c().CmdT);
    // One draw, and the bubble is left alone.
    EXPECT_EQ(std::tuple(game.random.draws, game.boxes.shown, game.c().MsgLabel.Caption()),
              std::tuple(6 + 1, boxes, "ようこそ『こまめ堂マスコットレース』へ")) << draw;
  }
}

// A slip is sold only above its price, and the mascot's purse stops at the
// largest Long. (Its price going from the player to the mascot, the purses
// shown and the stake bar fitted, the settlement and window tests show; its
// one draw, the fortune table above.)
TEST(FortuneTest, ASlipIsSoldOnlyAboveItsPrice) {
  for (const auto& [purse, usable_after] : {std::pair{"21", true}, {"20", false}}) {
    StartedGame game(purse);
    EXPECT_TRUE(game.Click(game.c().omi));
    EXPECT_EQ(game.Click(game.c().omi), usable_after) << purse;
  }
  StartedGame game;
  game.mutable_state().MascotMoney = 2147483647 - 3;
  game.Click(game.c().omi);
  EXPECT_EQ(game.s().MascotMoney, 2147483647);
}

TEST(TalkTest, TheClockTheAddressTheColoursAndTheMysteryButton) {
  StartedGame game;
  for (const auto& [time, said] : {std::pair{platform::TimeOfDay{0, 5, 9}, "現在の時刻は12:05:09 (AM)だ。"},
                                   {platform::TimeOfDay{12, 0, 0}, "現在の時刻は12:00:00 (PM)だ。"},
                                   {platform::TimeOfDay{23, 0, 30}, "現在の時刻は11:00:30 (PM)だ。"}}) {
    game.clock.now = time;
    game.Click(game.c().TimeCmd);
    EXPECT_EQ(game.c().MsgLabel.Caption(), said);
  }
  game.address.address = "10.0.2.15";
  game.Click(game.c().CmdIP);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "『10.0.2.15』これが現在の君のＩＰアドレスだ。");
  for (int press = 1; press <= 7; ++press) {
    game.Click(game.c().ColorCmd);
    EXPECT_EQ(game.c().komame.Picture(), ui::MascotPicture((press - 1) % 6 + 1));
  }
  EXPECT_EQ(game.c().MsgLabel.Caption(), "なんだ、この色がいいのか？");
  int changes = 0;  // the mystery button draws once, and nothing is to be seen
  for (const auto& control : game.session().form().form().controls().all())
    control->AddObserver([&](auto&, auto) { ++changes; });
  game.Click(game.c().CmdRnd);
  EXPECT_EQ(std::tuple(game.random.draws, changes), std::tuple(6 + 1, 0));
}

// Timer1 really ticking, and its draws caught up at the next event: the
// same numbers drawn, the same game played, and no wake-ups while idle.
// Either way its ticks come after the start-up's draws, however long the
// window took to appear.
TEST(BackgroundDrawTest, CatchingUpPlaysTheSameGameAsTicking) {
  auto play = [](TestGame::Timer1Mode mode) {
    platform::ClassicGenerator random;
    TestGame game(TestGame::Options{.timer1 = mode, .random = &random});
    game.time.Advance(2'000'000);  // building and showing the window took two seconds
    game.Start();
    std::vector<std::string> seen;
    auto note = [&](std::int64_t micros, ui::Control& control) {
      game.AdvanceMicros(micros);
      game.Click(control);
      seen.push_back(std::to_string(random.state()) + " " + std::to_string(game.s().PlayerMoney) + " " +
                     game.c().MsgLabel.Caption() + " " + game.c().Bairitu[0].Caption() + game.c().Jyuni[2].Caption());
    };
    if (mode == TestGame::Timer1Mode::CatchUp) { EXPECT_FALSE(game.session().scheduler().NextWakeMicros()); }
    note(2'345'678, game.c().CmdRnd);  // the player looks at the window for a while
    note(500'001, game.c().ozzu);
    note(15'625 * 3, game.c().CharKake[2]);  // exactly on a tick
    note(0, game.c().CmdStart);
    note(30'000'000, game.c().BestCmd);  // the race has run to its end and been settled
    game.boxes.while_open = [&](const ShownBox&) { game.time.Advance(4'000'000); };  // a slow reader
    note(0, game.c().CmdT);
    note(1'000'000, game.c().omi);
    return seen;
  };
  const auto caught_up = play(TestGame::Timer1Mode::CatchUp);
  EXPECT_EQ(caught_up, play(TestGame::Timer1Mode::Ticking));
  platform::ClassicGenerator first_look;  // the start-up's six draws, Timer1's 150 ticks, the button's
  first_look.Skip(6 + 150 + 1);
  EXPECT_EQ(caught_up.front().substr(0, caught_up.front().find(' ')), std::to_string(first_look.state()));
}

}  // namespace
