#include "app/toolkit_options.h"

#include <array>
#include <utility>

namespace app {

std::optional<int> ToolkitOptionValues(std::string_view argument) {
  // As QGuiApplication and QApplication document them, with the X11 ones.
  static constexpr std::array<std::pair<std::string_view, int>, 21> kOptions = {{
      {"platform", 1},       {"platformpluginpath", 1}, {"platformtheme", 1}, {"plugin", 1},
      {"qwindowgeometry", 1}, {"qwindowicon", 1},       {"qwindowtitle", 1},  {"reverse", 0},
      {"session", 1},        {"style", 1},              {"stylesheet", 1},    {"widgetcount", 0},
      {"display", 1},        {"geometry", 1},           {"title", 1},         {"icon", 1},
      {"name", 1},           {"visual", 1},             {"ncols", 1},         {"cmap", 0},
      {"nograb", 0},
  }};
  // Qt reads "--option" as "-option", and a few as "-option=value".
  if (argument.size() < 2 || argument[0] != '-') return std::nullopt;
  argument.remove_prefix(argument.substr(0, 2) == "--" ? 2 : 1);
  if (std::size_t equals = argument.find('='); equals != std::string_view::npos) {
    std::string_view name = argument.substr(0, equals);
    if (name == "style" || name == "stylesheet" || name == "qmljsdebugger") return 0;
    return std::nullopt;
  }
  for (const auto& [name, values] : kOptions) {
    if (argument == name) return values;
  }
  if (argument == "dograb" || argument == "sync") return 0;
  return std::nullopt;
}

}  // namespace app
