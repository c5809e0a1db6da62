// Nonsense phrases and tips.
#include <gtest/gtest.h>

#include "chat/chat_texts.h"
#include "support/test_game.h"

namespace {

using testing_support::TestGame;

struct PhraseTest : ::testing::Test {
  PhraseTest() { game.Start(); }
  TestGame game;
};

TEST_F(PhraseTest, FourDrawsPickOnePieceFromEachColumn) {
  game.random.Push({0.0f, 0.4f, 0.6f, 0.2f});  // draws 0, 2, 3, 1
  int before = game.random.draws();
  game.Click(game.c().RndMsg);
  EXPECT_EQ(game.random.draws() - before, 4);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "ワタシは絶好調だが、天気は・・・ノーコメント。");
  EXPECT_EQ(game.s().PhraseText, "");
}

TEST_F(PhraseTest, AnEarlierPhraseNeverCarriesOver) {
  game.random.Push({0.0f, 0.0f, 0.0f, 0.0f, 0.99f, 0.99f, 0.99f, 0.99f});
  game.Click(game.c().RndMsg);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "ワタシはダメだが、ワタシは・・・いいだろう。");
  game.Click(game.c().RndMsg);
  EXPECT_EQ(game.c().MsgLabel.Caption(), "ナゼか変だが、まぁ・・・絶不調。");
}

struct TipCase {
  float r;
  int tip;
};

class TipTest : public ::testing::TestWithParam<TipCase> {};

TEST_P(TipTest, OneDrawWithFactorTen) {
  TestGame game;
  game.Start();
  game.random.Push({GetParam().r});
  int before = game.random.draws();
  game.Fire([&] { game.form().SayTip(); });
  EXPECT_EQ(game.random.draws() - before, 1);
  EXPECT_EQ(game.s().TipDraw, GetParam().tip);
  EXPECT_EQ(game.c().MsgLabel.Caption(), chat::kTipTable[static_cast<std::size_t>(GetParam().tip)]);
}

INSTANTIATE_TEST_SUITE_P(Table, TipTest,
                         ::testing::Values(TipCase{0.0f, 0}, TipCase{0.049f, 0}, TipCase{0.05f, 1},  // 0.05f lies just above 0.05
                                           TipCase{0.5f, 5}, TipCase{0.94f, 9}, TipCase{0.96f, 10},
                                           TipCase{0.999f, 10}));

TEST(TipTableTest, TheMysteryButtonTipSpeaksOfIt) {
  EXPECT_EQ(std::string(chat::kTipTable[10]),
            "そこにある「謎ボタン」なんだと思うか？実はランダムを微妙にずらすことができるのだ。まぁ、どうずれるかは運任せだがね。");
  EXPECT_EQ(std::string(chat::kTipTable[0]), "ワタシのホームページ「こまめ堂の部屋」をヨロシク！");
}

}  // namespace
