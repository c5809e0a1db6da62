#include "app/command_line.h"

#include <string_view>

#include "app/installation.h"

namespace app {

namespace {

constexpr const char* kUsage = "使い方 / usage: mascot-race [--help | --version]\n";

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
  // The first argument decides; a second one after --help or --version is
  // never looked at, as with most tools.
  if (argc < 2) return std::nullopt;
  const std::string_view argument = argv[1];
  if (argument == "--help" || argument == "-h") {
    PrintHelp(out);
    return 0;
  }
  if (argument == "--version") {
    PrintVersion(out);
    return 0;
  }
  if (argument.size() > 1 && argument[0] == '-') {
    std::fprintf(err, "mascot-race: unknown option '%s'\n", argv[1]);
  } else {
    std::fprintf(err, "mascot-race: unexpected argument '%s'\n", argv[1]);
  }
  std::fprintf(err, "%s", kUsage);
  return kUsageError;
}

}  // namespace app
