// The options Qt itself takes from any application's command line
// (-platform, -style, -display ...): the game leaves them to Qt.
#pragma once

#include <optional>
#include <string_view>

namespace app {

// How many arguments after it a toolkit option takes (0 or 1), or nothing
// when the argument is not one of Qt's.
std::optional<int> ToolkitOptionValues(std::string_view argument);

}  // namespace app
