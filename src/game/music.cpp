// Music and sound: the media commands the rules send. Results are ignored:
// a missing file or device only means silence.
#include "game/main_form.h"
#include "platform/skip_on_error.h"

namespace game {

namespace {
constexpr const char* kMusicFile = "bgm.mid";
constexpr const char* kSoundFile = "bgm1.wav";
// File names are joined to the executable's directory with this platform's
// separator, or the path would never exist.
constexpr char kPathSeparator = '/';
}  // namespace

void MainForm::SendStopMusic() {
  services_.media.SendCommand("stop bgm");
  services_.media.SendCommand("close bgm");
}

std::string MainForm::MusicPath() const { return services_.app_path + kPathSeparator + kMusicFile; }

void MainForm::StartMusic() {
  // The path stands between double quotes, so a directory with spaces works.
  std::string open = std::string("open") + " " + "\"" + MusicPath() + "\"" + " " + "alias bgm";
  services_.media.SendCommand(open);
  services_.media.SendCommand("play bgm");
  PlaySoundFile(services_.app_path + kPathSeparator + kSoundFile);
}

void MainForm::PlaySoundFile(const std::string& path) {
  platform::SkipOnError([&] { services_.media.PlayWave(path); });
}

}  // namespace game
