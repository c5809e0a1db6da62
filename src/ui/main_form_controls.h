// The controls of the main window by the names the rules use.
#pragma once

#include "ui/form_model.h"

namespace ui {

struct MainFormControls {
  explicit MainFormControls(const ControlSet& set);

  // The race field.
  Line& StartLine;
  Line& GorlLine;
  ControlArray<Image> ImgChar;
  ControlArray<Label> LaneLabel;
  ControlArray<OptionButton> CharKake;
  ControlArray<Label> Bairitu;
  ControlArray<Label> Jyuni;
  ControlArray<Timer> CharAnime;
  ControlArray<ImageList> CharList;
  // The heading.
  Label& Title;
  Label& RaceLabel;
  // The bet panel.
  Frame& MenuFrame;
  Label& Kakekin;
  Label& KakeLabel;
  ControlArray<Label> Tani;
  CheckBox& CheckBGM;
  ScrollBar& KakeHScroll;
  Label& Syojikin;
  Label& Money;
  CommandButton& ozzu;
  CommandButton& CmdRnd;
  CommandButton& CmdStart;
  // The mascot panel.
  Frame& PFrame;
  CommandButton& RndMsg;
  CommandButton& TimeCmd;
  CommandButton& ColorCmd;
  CommandButton& BestCmd;
  CommandButton& CmdIP;
  CommandButton& CmdT;
  ControlArray<Label> kakeban;
  ControlArray<Label> Pkake;
  ControlArray<Label> Psyoji;
  // The chat corner.
  ControlArray<Label> EtcLabel;
  Image& komame;
  Image& MsgPicture;
  Label& MsgLabel;
  CommandButton& omi;
  // Components without a shape.
  Timer& TimeChar;
  Timer& LineTimer;
  Timer& Timer1;
  ImageList& PImageList;
  // The menu bar.
  MenuItem& f3;
  MenuItem& h1;
  MenuItem& version;
  // Opens the statistics window; wired by the program, not by a rule.
  MenuItem& seiseki;
};

}  // namespace ui
