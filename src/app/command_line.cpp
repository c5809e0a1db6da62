#include "app/command_line.h"

#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <charconv>
#include <cinttypes>
#include <cstring>
#include <string_view>

#include "app/installation.h"
#include "app/toolkit_options.h"
#include "simulation/progress_line.h"
#include "simulation/simulation.h"
#include "ui/qt/translated.h"

namespace app {

namespace {

// What scripts read stays as it is in every language: the usage, the
// version, the report and every line on standard error.
constexpr const char* kUsage =
    "usage: mascot-race [--help | --version | --simulate N [--seed S] [--csv] [--jobs K]]\n"
    "                   [Qt options such as -platform, -style]\n";
constexpr int kMostJobs = 256;

//: The text of --help, in a terminal. %1: the version, %2: the usage line (untranslated), %3: the data directory, %4: the most races --simulate takes
constexpr platform::TextId kHelp = MASCOT_TEXT(
    "CommandLine",
    "こまめ堂マスコットレース %1\n"
    "\n"
    "%2"
    "\n"
    "6匹のマスコットが走るレースに「まめ」を賭けるゲームです。\n"
    "\n"
    "  -h, --help    この説明を表示して終了\n"
    "  --version     バージョンを表示して終了\n"
    "  --simulate N  画面なしで、ゲームと同じルールでN回レースを行い（ファイルには何も\n"
    "                書きません）、オッズの公平さを表示して終了：オッズ帯ごとの勝率と\n"
    "                回収率、100まめの4通りの賭け方、レースにかかる時間。\n"
    "                Nは%4まで（それより多いと合計が正確でなくなります）\n"
    "    --seed S    乱数の開始位置（既定は0）\n"
    "    --csv       CSVで出力\n"
    "    --jobs K    K本のスレッドで実行（結果は変わりません）\n"
    "\n"
    "財布: $XDG_CONFIG_HOME/mascot-race/MainForm.ini\n"
    "      (~/.config/mascot-race/MainForm.ini)\n"
    "音楽: bgm.mid, bgm1.wav（実行ファイルと同じ場所、なければ %3）\n"
    "言語: デスクトップの言語。LANGUAGE=en で英語、LANGUAGE=ja で日本語\n");

void PrintHelp(std::FILE* out, const char* program, Translators& translators) {
  // Qt translates through an application: one without a display, made for
  // the help alone (it would set the C library's locale for --simulate too).
  int argc = 1;
  char* argv[] = {const_cast<char*>(program), nullptr};
  const QCoreApplication application(argc, argv);
  translators.Install();
  const platform::Text help = platform::Text(kHelp)
                                  .Arg(installation::kVersion)
                                  .Arg(kUsage)
                                  .Arg(installation::kDataDirectory)
                                  .Arg(static_cast<std::int64_t>(simulation::kMostRaces));
  std::fputs(ui::qt::Translated(help).toStdString().c_str(), out);
}

void PrintVersion(std::FILE* out) {
  std::fprintf(out,
               "mascot-race %s\n"
               "Copyright (c) 2026 Mascot Race Team\n"
               "MIT License\n",
               installation::kVersion);
}

// A whole number of plain digits, nothing else.
std::optional<std::uint64_t> WholeNumber(std::string_view text) {
  std::uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Output that never reached its reader is a failure and says why: a report
// cut short by a full disk must not look like a finished one.
int Finish(std::FILE* out, std::FILE* err) {
  const bool flushed = std::fflush(out) == 0;
  const int error = errno;
  if (flushed && std::ferror(out) == 0) return 0;
  std::fprintf(err, "mascot-race: cannot write the output: %s\n", flushed ? "write error" : std::strerror(error));
  return 1;
}

int Refuse(std::FILE* err, const std::string& why) {
  std::fprintf(err, "mascot-race: %s\n%s", why.c_str(), kUsage);
  return kUsageError;
}

int Simulate(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
  simulation::Options options;
  bool csv = false;
  std::optional<std::uint64_t> races = argc > 2 ? WholeNumber(argv[2]) : std::nullopt;
  if (!races || *races == 0 || *races > simulation::kMostRaces) {
    std::fprintf(err, "mascot-race: --simulate takes 1 to %" PRIu64 " races\n", simulation::kMostRaces);
    return kUsageError;
  }
  options.races = *races;
  for (int i = 3; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--csv") {
      csv = true;
      continue;
    }
    if (option != "--seed" && option != "--jobs") return Refuse(err, "unknown option '" + std::string(option) + "'");
    std::optional<std::uint64_t> value = i + 1 < argc ? WholeNumber(argv[i + 1]) : std::nullopt;
    if (!value) return Refuse(err, std::string(option) + " needs a whole number");
    ++i;
    if (option == "--seed") {
      options.seed = *value;
    } else if (*value < 1 || *value > kMostJobs) {
      return Refuse(err, "--jobs takes 1 to " + std::to_string(kMostJobs) + " threads");
    } else {
      options.jobs = static_cast<int>(*value);
    }
  }
  // A person watching a long run sees how far it has come; scripts see nothing.
  std::optional<simulation::ProgressLine> progress_line;
  simulation::Progress progress;
  if (isatty(fileno(err)) == 1) {
    progress_line.emplace(err, options.races);
    progress = [&progress_line](std::uint64_t done) { progress_line->Update(done); };
  }
  simulation::Tally tally = simulation::Simulate(options, progress);
  progress_line.reset();
  if (csv) {
    simulation::PrintCsv(tally, options, out);
  } else {
    simulation::PrintReport(tally, options, out);
  }
  return Finish(out, err);
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err,
                                     Translators& translators) {
  // Qt's own options are Qt's (it takes them when the window is made); the
  // first of ours decides, and anything else is refused.
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (std::optional<int> values = ToolkitOptionValues(argument)) {
      if (i + *values >= argc) return Refuse(err, "option '" + std::string(argument) + "' needs a value");
      i += *values;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      PrintHelp(out, argv[0], translators);
      return Finish(out, err);
    }
    if (argument == "--version") {
      PrintVersion(out);
      return Finish(out, err);
    }
    // What follows --simulate is its own.
    if (argument == "--simulate") return Simulate(argc - i + 1, argv + i - 1, out, err);
    if (argument.size() > 1 && argument[0] == '-') return Refuse(err, "unknown option '" + std::string(argument) + "'");
    return Refuse(err, "unexpected argument '" + std::string(argument) + "'");
  }
  return std::nullopt;
}

}  // namespace app
