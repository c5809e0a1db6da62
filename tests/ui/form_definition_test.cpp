#include "ui/form_definition.h"

#include <gtest/gtest.h>

#include "ui/form_model.h"
#include "ui/main_form_controls.h"
#include "ui/picture_names.h"

namespace {

struct MainFormDefinitionTest : ::testing::Test {
  ui::ControlSet set{ui::MainFormDefinition()};
  ui::MainFormControls c{set};
};

TEST_F(MainFormDefinitionTest, TheWindow) {
  const auto& form = ui::MainFormDefinition();
  EXPECT_EQ(form.caption, "こまめ堂マスコットレース");
  EXPECT_EQ(form.client_width, 10140);
  EXPECT_EQ(form.client_height, 9165);
  EXPECT_EQ(form.icon, ui::RunnerPicture(0, 1));
}

TEST_F(MainFormDefinitionTest, LanesStep840TwipsDown) {
  for (int lane = 0; lane < 6; ++lane) {
    float offset = 840.0f * static_cast<float>(lane);
    EXPECT_EQ(c.ImgChar[lane].geometry.top, 960 + offset);
    EXPECT_EQ(c.ImgChar[lane].Left(), 7800);
    EXPECT_EQ(c.CharKake[lane].geometry.left, 9000);
    EXPECT_EQ(c.CharKake[lane].geometry.top, 840 + offset);
    EXPECT_EQ(c.Bairitu[lane].geometry.top, 1200 + offset);
    EXPECT_EQ(c.Jyuni[lane].geometry.top, 960 + offset);
    EXPECT_FALSE(c.Jyuni[lane].Visible());
    EXPECT_EQ(c.Bairitu[lane].Caption(), "");
    EXPECT_EQ(c.CharAnime[lane].Interval(), 0);
    EXPECT_EQ(c.CharList[lane].Count(), 9);
  }
  EXPECT_EQ(c.CharKake[0].Caption(), "１でGO！");
  EXPECT_EQ(c.CharKake[5].Caption(), "６でGO！");
  EXPECT_EQ(c.LaneLabel[3].Caption(), "４");
  EXPECT_EQ(c.Jyuni[2].Caption(), "１着");
  EXPECT_EQ(c.LaneLabel[0].BackColor(), ui::kWhite);
  EXPECT_EQ(c.LaneLabel[1].ForeColor(), ui::Rgb(0xFF, 0, 0));
}

TEST_F(MainFormDefinitionTest, LinesAndTheRaceLabel) {
  EXPECT_EQ(c.StartLine.X1, 7800);
  EXPECT_EQ(c.GorlLine.X1, 1080);
  EXPECT_EQ(c.GorlLine.Y2, 5880);
  EXPECT_EQ(c.RaceLabel.Caption(), "本日第1ﾚｰｽ");
  EXPECT_EQ(c.RaceLabel.Tag(), "0");
  EXPECT_EQ(c.TimeChar.Tag(), "0");
}

TEST_F(MainFormDefinitionTest, TheBetPanelSitsInItsFrame) {
  EXPECT_EQ(c.KakeHScroll.parent(), &c.MenuFrame);
  EXPECT_EQ(c.KakeHScroll.Min(), 1);
  EXPECT_EQ(c.KakeHScroll.Max(), 30000);
  EXPECT_EQ(c.KakeHScroll.Value(), 1);
  EXPECT_EQ(c.KakeHScroll.SmallChange(), 10);
  EXPECT_EQ(c.KakeHScroll.LargeChange(), 1000);
  EXPECT_EQ(c.KakeLabel.Caption(), "1");
  EXPECT_EQ(c.Money.Caption(), "100");
  EXPECT_EQ(c.CmdStart.Caption(), "スタート");
  EXPECT_EQ(c.ozzu.Caption(), "レース選択");
  EXPECT_EQ(c.CmdRnd.Caption(), "謎ボタン");
  EXPECT_EQ(c.CheckBGM.Caption(), "BGM・サウンドの有無");
  EXPECT_EQ(c.CmdStart.geometry.top, 2490);
  EXPECT_EQ(c.Tani[0].font.family, ui::kBrush);
}

TEST_F(MainFormDefinitionTest, TheMascotCorner) {
  EXPECT_EQ(c.Psyoji[1].Caption(), "100");
  EXPECT_EQ(c.Pkake[1].Caption(), "0");
  EXPECT_EQ(c.kakeban[1].Caption(), "－");
  EXPECT_EQ(c.MsgLabel.Caption(), "ようこそ『こまめ堂マスコットレース』へ");
  EXPECT_EQ(c.omi.Caption(), "おみくじ　１回１０まめ");
  EXPECT_EQ(c.omi.parent(), nullptr);
  EXPECT_EQ(c.CmdT.Caption(), "ツッコミ");
  EXPECT_EQ(c.BestCmd.Caption(), "ﾍﾞｽﾄﾀｲﾑ");
  EXPECT_EQ(c.CmdIP.Caption(), "IPｱﾄﾞﾚｽ");
  EXPECT_EQ(c.EtcLabel[0].Caption(), "人工無能こまめ");
  EXPECT_EQ(c.PImageList.Count(), 6);
  EXPECT_EQ(c.PImageList.Picture(1), ui::MascotPicture(1));
}

TEST_F(MainFormDefinitionTest, TimersAndMenu) {
  EXPECT_EQ(c.Timer1.Interval(), 1);
  EXPECT_EQ(c.TimeChar.Interval(), 0);
  EXPECT_EQ(c.LineTimer.Interval(), 0);
  EXPECT_EQ(c.f3.Caption(), "終了(&X)");
  EXPECT_EQ(c.h1.Caption(), "ヘルプ(&H)");
  EXPECT_EQ(c.version.Caption(), "ﾊﾞｰｼﾞｮﾝ(&A)");
}

TEST(AboutFormDefinitionTest, FixedTextsOnWhite) {
  ui::ControlSet set(ui::AboutFormDefinition());
  EXPECT_EQ(ui::AboutFormDefinition().caption, "version情報");
  EXPECT_EQ(set.Get<ui::Label>("Label1").Caption(), "ソフト名：こまめ堂マスコットレース");
  EXPECT_EQ(set.Get<ui::Label>("vers").Caption(), "Ver1.00");
  EXPECT_EQ(set.Get<ui::Label>("Label7").Caption(), "最終更新：２０００年９月１９日");
  EXPECT_EQ(set.Get<ui::CommandButton>("OK").Caption(), "Ｏ．Ｋ");
  EXPECT_EQ(set.Get<ui::Image>("Image1").Picture(), ui::RunnerPicture(0, 1));
}

}  // namespace
