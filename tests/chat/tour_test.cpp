// The guided tour in the speech bubble.
#include <gtest/gtest.h>

#include "chat/tour_texts.h"
#include "support/test_game.h"

namespace {

using testing_support::TestGame;

constexpr const char* kWelcome = "ようこそ『こまめ堂マスコットレース』へ";
constexpr const char* kOpening =
    "では、今から操作方法の説明を行います。（絵か吹き出しをクリックすると進みます。内容が変わっても、クリックすると先に進みます）";
constexpr const char* kBubbleStep1 = "まず最初に、「レース選択」というボタンを押します。";
constexpr const char* kMascotStep1 =
    "まず最初に、「レース選択」というボタンを押します。（ボタンを押すと吹き出しの内容が変わりますが、クリックすると続きが出ます）";
constexpr const char* kStep2 = "そうすると、「○でＧＯ！」の下に倍率が出ます。";
constexpr const char* kBubbleStep6 = "そうするとキャラクターが走り出します。後は、賭けたキャラが１着になることを祈るだけ。";
constexpr const char* kMascotStep6 =
    "そうするとキャラクターが走り出します。後は、賭けたキャラが１着になることを祈るだけ（全キャラゴール、ストップボタンクリック後に変化。クリックで次）";
constexpr const char* kStep14 = "以上で説明を終わります。まぁ、ヘルプを見なくても操作方法は分かると思いますが（笑）";

struct TourTest : ::testing::Test {
  TourTest() { game.Start(); }
  std::string Bubble() const { return game.c().MsgLabel.Caption(); }
  void ClickBubble(int times = 1) {
    for (int i = 0; i < times; ++i) game.Click(game.c().MsgLabel);
  }
  void ClickMascot(int times = 1) {
    for (int i = 0; i < times; ++i) game.Click(game.c().komame);
  }
  TestGame game;
};

TEST_F(TourTest, ClicksBeforeTheTourChangeNothing) {
  ClickBubble();
  ClickMascot();
  EXPECT_EQ(Bubble(), kWelcome);
  EXPECT_EQ(game.s().TourStep, 0);
}

TEST_F(TourTest, HelpShowsTheOpeningText) {
  game.Click(game.c().h1);
  EXPECT_EQ(Bubble(), kOpening);
  EXPECT_EQ(game.s().TourStep, 1);
}

TEST_F(TourTest, FourteenBubbleClicksEndWithTextFourteenShown) {
  game.Click(game.c().h1);
  ClickBubble();
  EXPECT_EQ(Bubble(), kBubbleStep1);
  ClickBubble(5);
  EXPECT_EQ(Bubble(), kBubbleStep6);
  ClickBubble(8);
  EXPECT_EQ(Bubble(), kStep14);
  EXPECT_EQ(game.s().TourStep, 0);
  ClickBubble();  // a fifteenth click does nothing
  EXPECT_EQ(Bubble(), kStep14);
}

TEST_F(TourTest, TheMascotNeedsOneMoreClickWhichEmptiesTheBubble) {
  game.Click(game.c().h1);
  ClickMascot();
  EXPECT_EQ(Bubble(), kMascotStep1);
  ClickMascot(5);
  EXPECT_EQ(Bubble(), kMascotStep6);
  ClickMascot(8);
  EXPECT_EQ(Bubble(), kStep14);
  EXPECT_EQ(game.s().TourStep, 15);
  ClickBubble();  // the bubble has no text for step 15
  EXPECT_EQ(Bubble(), kStep14);
  EXPECT_EQ(game.s().TourStep, 15);
  ClickMascot();
  EXPECT_EQ(Bubble(), "");
  EXPECT_EQ(game.s().TourStep, 0);
}

TEST_F(TourTest, TheColumnsAlternateWithTheClickedControl) {
  game.Click(game.c().h1);
  ClickMascot();
  EXPECT_EQ(Bubble(), kMascotStep1);
  ClickBubble();
  EXPECT_EQ(Bubble(), kStep2);
}

TEST_F(TourTest, HelpInTheMiddleStartsOver) {
  game.Click(game.c().h1);
  ClickBubble(8);
  EXPECT_EQ(game.s().TourStep, 9);
  game.Click(game.c().h1);
  EXPECT_EQ(Bubble(), kOpening);
  ClickBubble();
  EXPECT_EQ(Bubble(), kBubbleStep1);
}

TEST_F(TourTest, AnotherTextInBetweenDoesNotLoseThePlace) {
  game.Click(game.c().h1);
  ClickBubble();
  game.random.Push({0.5f, 0.5f, 0.5f, 0.5f});
  game.Click(game.c().RndMsg);
  EXPECT_NE(Bubble(), kBubbleStep1);
  ClickBubble();
  EXPECT_EQ(Bubble(), kStep2);
}

TEST(TourTableTest, EveryStepLeadsOnAndOnlyStepFifteenLacksABubbleText) {
  for (int step = 1; step <= chat::kTourSteps; ++step) {
    const auto& row = chat::kTour[static_cast<std::size_t>(step)];
    EXPECT_EQ(row.bubble.has_value(), step != 15) << step;
    if (step < 14) {
      EXPECT_EQ(row.next_from_bubble, step + 1);
      EXPECT_EQ(row.next_from_mascot, step + 1);
    }
  }
  EXPECT_EQ(chat::kTour[14].next_from_bubble, 0);
  EXPECT_EQ(chat::kTour[14].next_from_mascot, 15);
}

}  // namespace
