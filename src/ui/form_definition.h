// A window as data: every control with its kind, name, index, caption,
// geometry, font, colours and start properties. The control model is built
// from it, and so is the real window.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace ui {

struct ControlDefinition {
  ControlKind kind = ControlKind::Label;
  std::string name;
  int index = -1;             // -1: not a member of a control array
  std::string container;      // name of the enclosing frame, empty for the window
  platform::Text caption;
  Geometry geometry;          // relative to the container, twips
  Font font;                  // empty family: the container's font
  Colour back_colour = kToolkitColour;
  Colour fore_colour = kToolkitColour;
  Alignment alignment = Alignment::Left;
  bool boxed = false;
  bool visible = true;
  bool enabled = true;
  std::string tag;
  int value = 0;              // option button, check box, scroll bar
  int min = 0;                // scroll bar
  int max = 0;
  int small_change = 1;
  int large_change = 1;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line
  int interval = 0;           // timer
  std::string picture;        // image: its start picture
  std::vector<std::string> pictures;  // image list: items 1..n
  // Keyboard and assistive access.
  platform::Text accessible_name;  // for a control whose caption does not say what it is
  int tab_index = -1;           // its place in the Tab order; -1: not a tab stop
  std::string shortcut;         // a single key that acts as a click on it
};

struct FormDefinition {
  std::string name;
  platform::Text caption;
  float client_width = 0;     // twips
  float client_height = 0;
  Colour back_colour = kToolkitColour;
  Font font;
  std::string icon;           // picture name
  std::vector<ControlDefinition> controls;
};

// Font families as the window names them; the view finds Japanese
// stand-ins where these are missing.
inline constexpr const char* kGothic = "ＭＳ Ｐゴシック";
inline constexpr const char* kMincho = "ＭＳ Ｐ明朝";
inline constexpr const char* kBrush = "HG正楷書体-PRO";

const FormDefinition& MainFormDefinition();
const FormDefinition& AboutFormDefinition();

}  // namespace ui
