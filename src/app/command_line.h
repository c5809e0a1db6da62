// The game's command line: --help, --version and --simulate, and Qt's own options. Read before
// any window exists, so all of them work without a display.
#pragma once

#include <cstdio>
#include <optional>

#include "app/language.h"

namespace app {

inline constexpr int kUsageError = 2;

// Prints what was asked for and returns the exit code when the program should
// end here; nothing when the game is to start. --help speaks the player's
// language through `translators`.
std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err,
                                     Translators& translators);

}  // namespace app
