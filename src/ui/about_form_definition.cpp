// The About dialog "ver": fixed texts on white.
#include "ui/form_definition.h"
#include "ui/picture_names.h"

namespace ui {

namespace {

ControlDefinition AboutLabel(std::string name, platform::Text caption, Geometry at, Font font,
                             Colour text = kBlack) {
  ControlDefinition label;
  label.kind = ControlKind::Label;
  label.name = std::move(name);
  label.caption = std::move(caption);
  label.geometry = at;
  label.font = std::move(font);
  label.back_colour = kWhite;
  label.fore_colour = text;
  return label;
}

FormDefinition BuildAboutForm() {
  FormDefinition form;
  form.name = "ver";
  form.caption = MASCOT_TEXT("About", "version情報");
  form.client_width = 4920;
  form.client_height = 2790;
  form.back_colour = kWhite;
  form.font = {kGothic, 9, false};
  form.icon = RunnerPicture(0, 1);

  ControlDefinition picture;
  picture.kind = ControlKind::Image;
  picture.name = "Image1";
  picture.geometry = {120, 120, 480, 480};
  picture.picture = RunnerPicture(0, 1);
  picture.accessible_name = MASCOT_TEXT("About", "アイコン");
  form.controls.push_back(picture);

  // The name takes two lines (it is wider than the dialog in its font) and
  // the version stands below it, wide enough to show whole.
  form.controls.push_back(
      AboutLabel("Label1", MASCOT_TEXT("About", "ソフト名：こまめ堂マスコットレース"), {840, 240, 3855, 660},
                 {kGothic, 14.25, false}));
  form.controls.push_back(AboutLabel("vers", MASCOT_TEXT("About", "Ver1.00"), {4080, 900, 720, 255}, {kGothic, 9, false},
                                     Rgb(0, 0x80, 0x80)));
  form.controls.push_back(AboutLabel("Label4", MASCOT_TEXT("About", "製作社名："), {360, 960, 1095, 255}, {kGothic, 12, false}));
  form.controls.push_back(
      AboutLabel("Label2", platform::Text(), {1440, 960, 2535, 375}, {kGothic, 15.75, false}, Rgb(0, 0, 0xFF)));
  form.controls.push_back(AboutLabel("Label5", MASCOT_TEXT("About", "製作者"), {360, 1440, 1335, 495}, {kGothic, 20.25, false}));
  form.controls.push_back(AboutLabel("Label3", MASCOT_TEXT("About", "こまめ堂"), {1800, 1440, 2895, 375},
                                     {kMincho, 20.25, true}, Rgb(0, 0x80, 0)));
  form.controls.push_back(AboutLabel("Label6", platform::Text(), {360, 2160, 2295, 255}, {kGothic, 9, false}));
  form.controls.push_back(AboutLabel("Label7", MASCOT_TEXT("About", "最終更新：２０００年９月１９日"),
                                     {360, 2520, 2415, 255}, {kGothic, 9, false}));

  ControlDefinition ok;
  ok.kind = ControlKind::CommandButton;
  ok.name = "OK";
  ok.caption = MASCOT_TEXT("About", "Ｏ．Ｋ");
  ok.geometry = {2880, 2280, 1695, 375};
  ok.tab_index = 0;
  form.controls.push_back(ok);
  return form;
}

}  // namespace

const FormDefinition& AboutFormDefinition() {
  static const FormDefinition definition = BuildAboutForm();
  return definition;
}

}  // namespace ui
