// Fuzzes the media command parser: each input is a few commands separated
// by newlines, sent in turn to one interpreter over players that open any
// path. No input may crash it, and a refused command must change nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "sound/media_commands.h"

namespace {

class AnySong final : public sound::Song {
 public:
  bool Play() override { return true; }
  void Stop() override {}
};

class AnyPlayer final : public sound::SoundSystem {
 public:
  std::unique_ptr<sound::Song> Open(const std::string& path) override {
    if (path.empty()) return nullptr;
    return std::make_unique<AnySong>();
  }
  bool PlayWave(const std::string& path) override { return !path.empty(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  AnyPlayer players;
  sound::MediaCommands media(players);
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (true) {
    std::size_t end = rest.find('\n');
    std::string_view command = rest.substr(0, end);
    std::size_t open_before = media.open_aliases();
    int result = media.SendCommand(command);
    if (result != sound::media_error::kNone && media.open_aliases() != open_before) std::abort();
    if (media.open_aliases() > sound::MediaCommands::kMaxOpenAliases) std::abort();
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return 0;
}
