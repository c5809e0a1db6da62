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

MainForm::MusicTexts MainForm::MusicTextsFor(const std::string& app_path) {
  MusicTexts texts;
  texts.music_path = app_path + kPathSeparator + kMusicFile;
  // The path stands between double quotes, so a directory with spaces works.
  texts.open_command = std::string("open") + " " + "\"" + texts.music_path + "\"" + " " + "alias bgm";
  texts.sound_path = app_path + kPathSeparator + kSoundFile;
  return texts;
}

const std::string& MainForm::MusicPath() const { return music_texts_.music_path; }

void MainForm::StartMusic() {
  services_.media.SendCommand(music_texts_.open_command);
  services_.media.SendCommand("play bgm");
  PlaySoundFile(music_texts_.sound_path);
}

void MainForm::PlaySoundFile(const std::string& path) {
  platform::SkipOnError([&] { services_.media.PlayWave(path); });
}

}  // namespace game
