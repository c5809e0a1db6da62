// The main window as designed: every control, its place in twips, its
// font, colours and start properties.
#include <array>
#include <string>

#include "ui/form_definition.h"
#include "ui/lanes.h"
#include "ui/main_form_texts.h"
#include "ui/picture_names.h"

namespace ui {

namespace {

using platform::Text;

constexpr float kLaneHeight = 840;
constexpr Colour kWindowColour = SystemColour(9);
constexpr Colour kHighlightText = SystemColour(14);
constexpr Colour kButtonText = SystemColour(18);

// Full-width digits for the lane numbers shown to the player: numbers, the
// same in every language.
constexpr std::array<const char*, kLanes> kWideDigits = {"１", "２", "３", "４", "５", "６"};
// One entry per lane button: a language may put the number anywhere.
constexpr std::array<platform::TextId, kLanes> kLaneButtons = {
    MASCOT_TEXT("MainForm", "１でGO！"), MASCOT_TEXT("MainForm", "２でGO！"), MASCOT_TEXT("MainForm", "３でGO！"),
    MASCOT_TEXT("MainForm", "４でGO！"), MASCOT_TEXT("MainForm", "５でGO！"), MASCOT_TEXT("MainForm", "６でGO！")};
constexpr platform::TextId kStake = MASCOT_TEXT("MainForm", "賭け金");
constexpr platform::TextId kPurse = MASCOT_TEXT("MainForm", "所持金：");
// Tab order: the track side, then the bet panel, then the mascot's corner.
constexpr int kLaneTabs = 0;
constexpr int kBetPanelTabs = 10;
constexpr int kMascotTabs = 20;

constexpr std::array<Colour, kLanes> kLaneTextColours = {
    Rgb(0x00, 0x00, 0xFF), Rgb(0xFF, 0x00, 0x00), Rgb(0xFF, 0x00, 0xFF),
    Rgb(0x00, 0x80, 0x00), Rgb(0x40, 0x40, 0x40), Rgb(0x80, 0x80, 0x00)};

ControlDefinition Label(std::string name, int index, std::string container, Text caption, Geometry at,
                        Font font = {}, Colour back = kWindowColour) {
  ControlDefinition label;
  label.kind = ControlKind::Label;
  label.name = std::move(name);
  label.index = index;
  label.container = std::move(container);
  label.caption = std::move(caption);
  label.geometry = at;
  label.font = std::move(font);
  label.back_colour = back;
  return label;
}

ControlDefinition Button(std::string name, std::string container, Text caption, Geometry at, Font font = {}) {
  ControlDefinition button;
  button.kind = ControlKind::CommandButton;
  button.name = std::move(name);
  button.container = std::move(container);
  button.caption = std::move(caption);
  button.geometry = at;
  button.font = std::move(font);
  return button;
}

ControlDefinition TabStop(ControlDefinition control, int tab_index, std::string shortcut = "") {
  control.tab_index = tab_index;
  control.shortcut = std::move(shortcut);
  return control;
}

ControlDefinition Named(ControlDefinition control, Text accessible_name) {
  control.accessible_name = std::move(accessible_name);
  return control;
}

ControlDefinition Timer(std::string name, int index, int interval) {
  ControlDefinition timer;
  timer.kind = ControlKind::Timer;
  timer.name = std::move(name);
  timer.index = index;
  timer.interval = interval;
  return timer;
}

ControlDefinition ImageControl(std::string name, Geometry at, std::string picture) {
  ControlDefinition image;
  image.kind = ControlKind::Image;
  image.name = std::move(name);
  image.geometry = at;
  image.picture = std::move(picture);
  return image;
}

ControlDefinition VerticalLine(std::string name, float x) {
  ControlDefinition line;
  line.kind = ControlKind::Line;
  line.name = std::move(name);
  line.x1 = line.x2 = x;
  line.y1 = 840;
  line.y2 = 5880;
  return line;
}

void AddRaceField(std::vector<ControlDefinition>& controls) {
  controls.push_back(Named(VerticalLine("StartLine", 7800), MASCOT_TEXT("MainForm", "スタートライン")));
  controls.push_back(Named(VerticalLine("GorlLine", 1080), MASCOT_TEXT("MainForm", "ゴールライン")));
  for (int lane = 0; lane < kLanes; ++lane) {
    float lane_top = kLaneHeight * static_cast<float>(lane);

    ControlDefinition runner = ImageControl("ImgChar", {7800, 960 + lane_top, 480, 480}, RunnerPicture(lane, 1));
    runner.index = lane;
    //: The runner of lane %1, for screen readers
    runner.accessible_name = Text(MASCOT_TEXT("MainForm", "走者%1")).Arg(lane + 1);
    controls.push_back(runner);

    ControlDefinition number = Label("LaneLabel", lane, "", Text::Plain(kWideDigits[lane]), {8400, 960 + lane_top, 495, 495},
                                     {kGothic, 17.25, true}, lane == 0 ? kWhite : kHighlightText);
    number.alignment = Alignment::Centre;
    number.fore_colour = kLaneTextColours[lane];
    controls.push_back(number);

    ControlDefinition pick;
    pick.kind = ControlKind::OptionButton;
    pick.name = "CharKake";
    pick.index = lane;
    pick.caption = kLaneButtons[static_cast<std::size_t>(lane)];
    pick.geometry = {9000, 840 + lane_top, 1095, 255};
    pick.font = {kGothic, 9, false};
    pick.back_colour = kHighlightText;
    controls.push_back(TabStop(pick, kLaneTabs + lane, std::to_string(lane + 1)));

    // Out to the lane button's right edge: the widest odds a race can show
    // (four digits and a decimal) fit on one line in the system's wider fonts.
    controls.push_back(Label("Bairitu", lane, "", Text(), {9120, 1200 + lane_top, 975, 255}, {kGothic, 9, false},
                             kHighlightText));

    ControlDefinition rank =
        Label("Jyuni", lane, "", MASCOT_TEXT("MainForm", "１着"), {0, 960 + lane_top, 735, 375}, {kGothic, 19.5, false});
    rank.visible = false;
    controls.push_back(rank);

    controls.push_back(Timer("CharAnime", lane, 0));

    ControlDefinition frames;
    frames.kind = ControlKind::ImageList;
    frames.name = "CharList";
    frames.index = lane;
    for (int frame = 1; frame <= kRunnerFrames; ++frame) frames.pictures.push_back(RunnerPicture(lane, frame));
    controls.push_back(frames);
  }
}

void AddHeading(std::vector<ControlDefinition>& controls) {
  //: The big heading over the track, in large letters: some 400 pixels before the race number's box
  controls.push_back(Label("Title", -1, "", MASCOT_TEXT("Heading", "こまめ堂マスコットレース"), {1560, 120, 6135, 495},
                           {kBrush, 26.25, true}));
  ControlDefinition race = Label("RaceLabel", -1, "", Text(kRaceNumberCaption).Arg(1), {7560, 360, 2535, 375},
                                 {kGothic, 15.75, true},
                                 kButtonText);
  race.fore_colour = kHighlightText;
  race.boxed = true;
  race.alignment = Alignment::Centre;
  race.tag = "0";
  controls.push_back(race);
}

void AddBetPanel(std::vector<ControlDefinition>& controls) {
  const std::string frame = "MenuFrame";
  ControlDefinition panel;
  panel.kind = ControlKind::Frame;
  panel.name = frame;
  panel.geometry = {5400, 6000, 4575, 3135};
  panel.back_colour = kWhite;
  panel.font = {kGothic, 9, false};
  controls.push_back(panel);

  controls.push_back(Label("Kakekin", -1, frame, kStake, {240, 360, 1215, 375}, {kGothic, 20.25, false}, kWhite));
  ControlDefinition stake = Label("KakeLabel", -1, frame, Text::Plain("1"), {1440, 480, 855, 255}, {kGothic, 9, false});
  stake.boxed = true;
  stake.alignment = Alignment::Right;
  controls.push_back(stake);
  // The units of money reach as far as "mame" needs, into free space: to the
  // right, or, at the frame's edge, to the left, with a little room after the
  // amount.
  controls.push_back(Label("Tani", 1, frame, kMame, {2400, 480, 600, 255}, {kMincho, 9.75, false}));

  ControlDefinition music;
  music.kind = ControlKind::CheckBox;
  music.name = "CheckBGM";
  music.container = frame;
  music.caption = MASCOT_TEXT("MainForm", "BGM・サウンドの有無");
  music.geometry = {2160, 840, 2295, 255};
  music.back_colour = kWindowColour;
  music.value = 1;  // music is on until the player turns it off
  controls.push_back(TabStop(music, kBetPanelTabs));

  ControlDefinition bar;
  bar.kind = ControlKind::ScrollBar;
  bar.name = "KakeHScroll";
  bar.container = frame;
  bar.geometry = {240, 1200, 4215, 255};
  bar.min = 1;
  bar.max = 30000;
  bar.value = 1;
  bar.small_change = 10;
  bar.large_change = 1000;
  bar.accessible_name = kStake;
  controls.push_back(TabStop(bar, kBetPanelTabs + 1));

  controls.push_back(Label("Syojikin", -1, frame, kPurse, {240, 1560, 1455, 375}, {kGothic, 20.25, false}));
  ControlDefinition money = Label("Money", -1, frame, Text::Plain("100"), {1680, 1560, 1590, 375}, {kGothic, 20.25, true});
  money.alignment = Alignment::Right;
  controls.push_back(money);
  controls.push_back(Label("Tani", 0, frame, kMame, {3330, 1560, 1200, 375}, {kBrush, 20.25, true}));

  controls.push_back(
      TabStop(Button("ozzu", frame, MASCOT_TEXT("MainForm", "レース選択"), {240, 2040, 2055, 375}, {kGothic, 14.25, true}),
              kBetPanelTabs + 2, "R"));
  controls.push_back(TabStop(
      Button("CmdRnd", frame, MASCOT_TEXT("MainForm", "謎ボタン"), {2400, 2040, 2055, 375}, {kGothic, 9, false}),
      kBetPanelTabs + 3));
  controls.push_back(
      TabStop(Button("CmdStart", frame, kStartCaption, {240, 2490, 4215, 525}, {kGothic, 20.25, true}), kBetPanelTabs + 4, "S"));
}

void AddMascotPanel(std::vector<ControlDefinition>& controls) {
  const std::string frame = "PFrame";
  ControlDefinition panel;
  panel.kind = ControlKind::Frame;
  panel.name = frame;
  panel.geometry = {120, 7320, 5175, 1815};
  panel.back_colour = kWindowColour;
  controls.push_back(panel);

  controls.push_back(TabStop(Button("RndMsg", frame, MASCOT_TEXT("MainForm", "謎セリフ"), {3000, 240, 975, 255}), kMascotTabs + 2));
  controls.push_back(TabStop(Button("TimeCmd", frame, MASCOT_TEXT("MainForm", "時刻表示"), {3960, 240, 975, 255}), kMascotTabs + 3));
  controls.push_back(TabStop(Button("ColorCmd", frame, MASCOT_TEXT("MainForm", "色変え"), {3000, 480, 975, 255}), kMascotTabs + 4));
  controls.push_back(TabStop(Button("BestCmd", frame, MASCOT_TEXT("MainForm", "ﾍﾞｽﾄﾀｲﾑ"), {3960, 480, 975, 255}), kMascotTabs + 5));
  controls.push_back(TabStop(Button("CmdIP", frame, MASCOT_TEXT("MainForm", "IPｱﾄﾞﾚｽ"), {3000, 720, 975, 255}), kMascotTabs + 6));
  controls.push_back(TabStop(Button("CmdT", frame, MASCOT_TEXT("MainForm", "ツッコミ"), {3960, 720, 975, 255}), kMascotTabs + 7));

  // The mascot's lane: "賭け番" reaches on to the lane's box.
  controls.push_back(
      Label("kakeban", 0, frame, MASCOT_TEXT("MainForm", "賭け番"), {120, 360, 1320, 375}, {kGothic, 20.25, false}));
  ControlDefinition lane = Label("kakeban", 1, frame, kNoLaneMark, {1440, 480, 615, 255});
  lane.boxed = true;
  lane.alignment = Alignment::Centre;
  controls.push_back(lane);
  //: The counter word after the mascot's lane number; a language without one may leave a blank
  controls.push_back(Label("kakeban", 2, frame, MASCOT_TEXT("MainForm", "番"), {2160, 480, 375, 255}, {kMincho, 14.25, false}));

  controls.push_back(Label("Pkake", 0, frame, kStake, {120, 840, 1215, 375}, {kGothic, 20.25, false}));
  ControlDefinition stake = Label("Pkake", 1, frame, Text::Plain("0"), {1440, 960, 855, 255});
  stake.boxed = true;
  stake.alignment = Alignment::Right;
  controls.push_back(stake);
  controls.push_back(Label("Pkake", 2, frame, kMame, {2400, 960, 600, 255}, {kMincho, 9.75, false}));

  controls.push_back(Label("Psyoji", 0, frame, kPurse, {120, 1320, 1455, 375}, {kGothic, 20.25, false}));
  ControlDefinition purse = Label("Psyoji", 1, frame, Text::Plain("100"), {1560, 1320, 2340, 375}, {kGothic, 20.25, true});
  purse.alignment = Alignment::Right;
  controls.push_back(purse);
  controls.push_back(Label("Psyoji", 2, frame, kMame, {3960, 1320, 1185, 375}, {kBrush, 20.25, true}));
}

void AddChatCorner(std::vector<ControlDefinition>& controls) {
  // The mascot and its bubble walk through the tour when clicked: both are tab stops.
  controls.push_back(TabStop(
      Named(ImageControl("komame", {120, 6240, 1095, 1020}, MascotPicture(0)), MASCOT_TEXT("MainForm", "こまめ")),
      kMascotTabs));
  controls.push_back(
      Named(ImageControl("MsgPicture", {1200, 6000, 4185, 1275}, kBubblePicture), MASCOT_TEXT("MainForm", "吹き出し")));
  // The title reaches into the bubble's white corner, short of its outline:
  // drawn after it, so it shows whole.
  controls.push_back(Label("EtcLabel", 0, "", MASCOT_TEXT("MainForm", "人工無能こまめ"), {0, 6000, 1680, 255}));
  controls.push_back(TabStop(Label("MsgLabel", -1, "", MASCOT_TEXT("MainForm", "ようこそ『こまめ堂マスコットレース』へ"),
                                   {1920, 6240, 3255, 855}, {kGothic, 9.75, false}),
                             kMascotTabs + 1));
  // Stands in front of the mascot panel, right of the mascot's stake.
  controls.push_back(TabStop(Button("omi", "", MASCOT_TEXT("MainForm", "おみくじ　１回１０まめ"), {3120, 8280, 1935, 255}),
                             kMascotTabs + 8, "F"));
}

void AddComponents(std::vector<ControlDefinition>& controls) {
  ControlDefinition clock = Timer("TimeChar", -1, 0);
  clock.tag = "0";
  controls.push_back(clock);
  controls.push_back(Timer("LineTimer", -1, 0));
  controls.push_back(Timer("Timer1", -1, 1));

  ControlDefinition colours;
  colours.kind = ControlKind::ImageList;
  colours.name = "PImageList";
  for (int colour = 1; colour <= kMascotColours; ++colour) colours.pictures.push_back(MascotPicture(colour));
  controls.push_back(colours);

  // The last item opens the statistics window, which no rule drives: the
  // program wires it.
  // "&" marks the access key.
  const std::array<std::pair<const char*, platform::TextId>, 4> menu = {{{"f3", MASCOT_TEXT("MainForm", "終了(&X)")},
                                                                       {"h1", MASCOT_TEXT("MainForm", "ヘルプ(&H)")},
                                                                       {"version", MASCOT_TEXT("MainForm", "ﾊﾞｰｼﾞｮﾝ(&A)")},
                                                                       {"seiseki", MASCOT_TEXT("MainForm", "成績(&S)")}}};
  for (const auto& [name, caption] : menu) {
    ControlDefinition item;
    item.kind = ControlKind::MenuItem;
    item.name = name;
    item.caption = caption;
    controls.push_back(item);
  }
}

FormDefinition BuildMainForm() {
  FormDefinition form;
  form.name = "MainForm";
  form.caption = kGameTitle;
  form.client_width = 10140;
  form.client_height = 9165;
  form.back_colour = kWindowColour;
  form.font = {kGothic, 9.75, false};
  form.icon = RunnerPicture(0, 1);
  AddRaceField(form.controls);
  AddHeading(form.controls);
  AddBetPanel(form.controls);
  AddMascotPanel(form.controls);
  AddChatCorner(form.controls);
  AddComponents(form.controls);
  return form;
}

}  // namespace

const FormDefinition& MainFormDefinition() {
  static const FormDefinition definition = BuildMainForm();
  return definition;
}

}  // namespace ui
