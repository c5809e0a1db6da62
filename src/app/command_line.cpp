#include "app/command_line.h"

#include <string_view>

#include "app/installation.h"
#include "app/toolkit_options.h"

namespace app {

namespace {

constexpr const char* kUsage = "使い方 / usage: mascot-race [--help | --version] [Qt options such as -platform, -style]\n";

void PrintHelp(std::FILE* out) {
  std::fprintf(out,
               "こまめ堂マスコットレース %s — Mascot Race\n"
               "\n"
               "%s"
               "\n"
               "6匹のマスコットが走るレースに「まめ」を賭けるゲームです。\n"
               "Six mascots race; stake your まめ on one of them and hope it comes in first.\n"
               "\n"
               "  -h, --help   この説明を表示して終了 / show this help and exit\n"
               "  --version    バージョンを表示して終了 / show the version and exit\n"
               "  Qt の標準オプション (-platform, -style, -display など) も使えます / Qt's own options work too\n"
               "\n"
               "キー / keys: 1-6 レーン / lane, R レース選択 / choose a race, S スタート・ストップ / start, stop,\n"
               "  F おみくじ / fortune slip, Tab 移動 / move, Space・Enter 押す / press\n"
               "\n"
               "財布 / purse: $XDG_CONFIG_HOME/MainForm.ini (~/.config/MainForm.ini)\n"
               "音楽 / music: bgm.mid, bgm1.wav beside the executable, else in %s\n",
               installation::kVersion, kUsage, installation::kDataDirectory);
}

void PrintVersion(std::FILE* out) {
  std::fprintf(out,
               "mascot-race %s\n"
               "Copyright (c) 2026 Mascot Race Team\n"
               "MIT License\n",
               installation::kVersion);
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
  // Qt's own options are Qt's (it takes them when the window is made); the
  // first of ours decides, and anything else is refused.
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (std::optional<int> values = ToolkitOptionValues(argument)) {
      if (i + *values >= argc) {
        std::fprintf(err, "mascot-race: option '%s' needs a value\n%s", argv[i], kUsage);
        return kUsageError;
      }
      i += *values;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      PrintHelp(out);
      return 0;
    }
    if (argument == "--version") {
      PrintVersion(out);
      return 0;
    }
    if (argument.size() > 1 && argument[0] == '-') {
      std::fprintf(err, "mascot-race: unknown option '%s'\n", argv[i]);
    } else {
      std::fprintf(err, "mascot-race: unexpected argument '%s'\n", argv[i]);
    }
    std::fprintf(err, "%s", kUsage);
    return kUsageError;
  }
  return std::nullopt;
}

}  // namespace app
