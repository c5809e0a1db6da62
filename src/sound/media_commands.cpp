#include "sound/media_commands.h"

#include <algorithm>
#include <array>

namespace sound {

namespace {

using namespace media_error;

// The longest command has four words; one more is enough to know it is too many.
constexpr std::size_t kMaxWords = 5;

struct Word {
  std::string_view text;
  bool quoted = false;
};

struct Words {
  int error = kNone;
  std::array<Word, kMaxWords> word{};
  std::size_t count = 0;
};

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

// Control characters have no business in a command; a NUL would even cut a
// path short on its way to the file system.
bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
  });
}

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
  return folded;
}

bool IsKeyword(const Word& word, std::string_view keyword) {
  return !word.quoted && word.text.size() == keyword.size() &&
         std::equal(word.text.begin(), word.text.end(), keyword.begin(),
                    [](char a, char b) { return FoldCase(a) == b; });
}

// Splits at blanks; a word in double quotes may hold blanks and must be
// followed by a blank or the end. A quote anywhere else is an error.
Words Split(std::string_view text) {
  Words words;
  std::size_t i = 0;
  for (;;) {
    while (i < text.size() && IsSeparator(text[i])) ++i;
    if (i == text.size()) return words;
    if (words.count == kMaxWords) {
      words.error = kUnrecognizedKeyword;
      return words;
    }
    Word& word = words.word[words.count++];
    if (text[i] == '"') {
      const std::size_t close = text.find('"', i + 1);
      if (close == std::string_view::npos) {
        words.error = kNoClosingQuote;
        return words;
      }
      word = {text.substr(i + 1, close - i - 1), true};
      i = close + 1;
      if (i < text.size() && !IsSeparator(text[i])) {
        words.error = kUnrecognizedKeyword;
        return words;
      }
    } else {
      const std::size_t start = i;
      while (i < text.size() && !IsSeparator(text[i])) {
        if (text[i] == '"') {
          words.error = kUnrecognizedKeyword;
          return words;
        }
        ++i;
      }
      word = {text.substr(start, i - start), false};
    }
  }
}

// The alias of a one-argument command (play, stop, close).
int AliasArgument(const Words& words, std::string& alias) {
  if (words.count < 2) return kMissingParameter;
  if (words.count > 2 || words.word[1].quoted) return kUnrecognizedKeyword;
  alias = Folded(words.word[1].text);
  return kNone;
}

}  // namespace

MediaCommands::~MediaCommands() = default;

int MediaCommands::SendCommand(std::string_view command) {
  try {
    return Run(command);
  } catch (...) {
    // Out of memory, or a player that broke its promise not to throw: the
    // caller only ever learns that the command failed.
    return kDeviceFailed;
  }
}

int MediaCommands::Run(std::string_view command) {
  if (command.size() > kMaxCommandLength) return kCommandTooLong;
  if (HasControlCharacter(command)) return kUnrecognizedKeyword;
  const Words words = Split(command);
  if (words.error != kNone) return words.error;
  if (words.count == 0) return kEmptyCommand;

  const Word& verb = words.word[0];
  if (IsKeyword(verb, "open")) {
    if (words.count > 4) return kUnrecognizedKeyword;
    if (words.count >= 3 && !IsKeyword(words.word[2], "alias")) return kUnrecognizedKeyword;
    if (words.count < 4) return kMissingParameter;
    if (words.word[3].quoted) return kUnrecognizedKeyword;
    if (words.word[1].text.empty() || words.word[3].text.empty()) return kMissingParameter;
    return Open(std::string(words.word[1].text), Folded(words.word[3].text));
  }

  const bool play = IsKeyword(verb, "play");
  const bool stop = IsKeyword(verb, "stop");
  const bool close = IsKeyword(verb, "close");
  if (!play && !stop && !close) return kUnrecognizedCommand;
  std::string alias;
  if (const int error = AliasArgument(words, alias); error != kNone) return error;
  const auto open = Find(alias);
  if (open == songs_.end()) return kUnknownAlias;
  if (play) return open->song->Play() ? kNone : kDeviceFailed;
  open->song->Stop();
  if (close) songs_.erase(open);
  return kNone;
}

int MediaCommands::Open(const std::string& path, const std::string& alias) {
  if (Find(alias) != songs_.end()) return kAliasInUse;
  if (songs_.size() >= kMaxOpenAliases) return kTooManyOpen;
  std::unique_ptr<Song> song = sound_.Open(path);
  if (!song) return kCannotOpenFile;
  songs_.push_back({alias, std::move(song)});
  return kNone;
}

std::vector<MediaCommands::OpenSong>::iterator MediaCommands::Find(const std::string& alias) {
  return std::find_if(songs_.begin(), songs_.end(), [&](const OpenSong& open) { return open.alias == alias; });
}

bool MediaCommands::PlayWave(std::string_view path) {
  if (path.empty() || path.size() > kMaxCommandLength || HasControlCharacter(path)) return false;
  try {
    return sound_.PlayWave(std::string(path));
  } catch (...) {
    return false;
  }
}

}  // namespace sound
