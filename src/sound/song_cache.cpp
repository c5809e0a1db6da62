#include "sound/song_cache.h"

#include <fcntl.h>
#include <fluidsynth.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "sound/midi_file.h"

namespace sound {

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerFrame = kChannels * 2;
// The synthesizer places some notes by the size of the pieces it is asked
// for: a rendering is always made in pieces of this many frames.
constexpr int kPieceFrames = 1024;
// Room for what sounds on after a song's last event: released notes, the echo.
constexpr double kTailSeconds = 5;
constexpr double kLongestSeconds = 600;
constexpr int kHeaderBytes = 44;
constexpr const char* kFilePrefix = "music-";

// A plain PCM wave file's header: 16-bit stereo frames at `rate`.
QByteArray WaveHeader(std::uint32_t data_bytes, int rate) {
  QByteArray header;
  auto add = [&header](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) header.append(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  header.append("RIFF");
  add(36 + data_bytes, 4);
  header.append("WAVEfmt ");
  add(16, 4);
  add(1, 2);  // PCM
  add(kChannels, 2);
  add(static_cast<std::uint32_t>(rate), 4);
  add(static_cast<std::uint32_t>(rate) * kBytesPerFrame, 4);
  add(kBytesPerFrame, 2);
  add(16, 2);
  header.append("data");
  add(data_bytes, 4);
  return header;
}

fluid_settings_t* NewSettings() {
  const std::lock_guard lock(SdlAudioLock());
  return new_fluid_settings();
}

struct Fluid {
  ~Fluid() {
    if (player) delete_fluid_player(player);
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }
  fluid_settings_t* settings = NewSettings();
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;
};

// The synthesizer as the game has always set it up, the song ready to play.
std::optional<std::string> Start(Fluid& fluid, const std::vector<std::uint8_t>& midi, const RenderSettings& settings) {
  if (settings.soundfont.empty()) return "no General MIDI sound font is installed";
  fluid_settings_t* s = fluid.settings;
  if (!s) return "fluidsynth would not start";
  fluid_settings_setnum(s, "synth.sample-rate", settings.sample_rate);
  fluid_settings_setnum(s, "synth.gain", settings.gain);
  fluid_settings_setint(s, "synth.polyphony", settings.polyphony);
  // Locking a big font into memory can fail under a user's limits.
  fluid_settings_setint(s, "synth.lock-memory", 0);
  // Only the samples of the instruments the song plays are read.
  fluid_settings_setint(s, "synth.dynamic-sample-loading", 1);
  // The player keeps time by the samples rendered, not by the clock.
  fluid_settings_setstr(s, "player.timing-source", "sample");
  fluid_settings_setint(s, "player.reset-synth", 1);
  fluid.synth = new_fluid_synth(s);
  if (!fluid.synth || fluid_synth_sfload(fluid.synth, settings.soundfont.c_str(), 1) == FLUID_FAILED) {
    return "the sound font " + settings.soundfont + " would not load";
  }
  fluid.player = new_fluid_player(fluid.synth);
  if (!fluid.player || fluid_player_add_mem(fluid.player, midi.data(), midi.size()) != FLUID_OK ||
      fluid_player_play(fluid.player) != FLUID_OK) {
    return std::string("fluidsynth would not play the music");
  }
  return std::nullopt;
}

// Renders into the open file; false when stopped or the file fails.
bool Render(Fluid& fluid, double song_seconds, int rate, QSaveFile& file, const std::function<bool()>& stop) {
  const auto song_frames = static_cast<std::size_t>(song_seconds * rate);
  const auto most_frames = static_cast<std::size_t>(std::min(song_seconds + kTailSeconds, kLongestSeconds) * rate);
  std::array<float, kPieceFrames * kChannels> piece{};
  std::array<std::int16_t, kPieceFrames * kChannels> samples{};
  bool sounding = true;
  for (std::size_t made = 0; sounding && made < most_frames; made += kPieceFrames) {
    if (stop()) return false;
    fluid_synth_write_float(fluid.synth, kPieceFrames, piece.data(), 0, 2, piece.data(), 1, 2);
    std::transform(piece.begin(), piece.end(), samples.begin(), [](float sample) {
      return static_cast<std::int16_t>(std::lrint(std::clamp(sample, -1.0f, 1.0f) * 32767));
    });
    const auto frames = static_cast<qint64>(std::min<std::size_t>(kPieceFrames, most_frames - made));
    if (file.write(reinterpret_cast<const char*>(samples.data()), frames * kBytesPerFrame) != frames * kBytesPerFrame) {
      return false;
    }
    // Past the last event the notes ring out and the echo fades; the end is
    // where they have fallen well below what 16 bits can tell.
    sounding = made + kPieceFrames < song_frames ||
               std::any_of(piece.begin(), piece.end(), [](float sample) { return std::abs(sample) * 32767 >= 0.25f; });
  }
  return true;
}

// Whether the cache may keep a file at `path`: nothing is there yet, or a
// regular file it may replace. A pipe, a socket, a device or a link is
// left alone.
bool IsRegularOrNothing(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode);
}

}  // namespace

std::mutex& SdlAudioLock() {
  static std::mutex lock;
  return lock;
}

std::vector<std::string> DefaultSoundFonts() {
  return {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
          "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
}

std::string FindSoundFont(const std::vector<std::string>& candidates) {
  const auto found = std::find_if(candidates.begin(), candidates.end(),
                                  [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); });
  return found == candidates.end() ? std::string() : *found;
}

std::string RenderingFile(const std::string& directory, const std::vector<std::uint8_t>& midi,
                          const RenderSettings& settings) {
  const QFileInfo font(QString::fromStdString(settings.soundfont));
  const QString key = QStringLiteral("fluidsynth %1\nsound font %2 %3 %4\nrate %5 gain %6 voices %7 pieces %8\n")
                          .arg(fluid_version_str(), font.filePath())
                          .arg(font.size())
                          .arg(font.lastModified().toMSecsSinceEpoch())
                          .arg(settings.sample_rate)
                          .arg(settings.gain, 0, 'g', 17)
                          .arg(settings.polyphony)
                          .arg(kPieceFrames);
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(key.toUtf8());
  hash.addData(QByteArrayView(reinterpret_cast<const char*>(midi.data()), static_cast<qsizetype>(midi.size())));
  return directory + "/" + kFilePrefix + hash.result().toHex().left(32).toStdString() + ".wav";
}

bool IsWholeRendering(const std::string& path, int sample_rate) {
  // Only a regular file is one, and it is opened without waiting or
  // following a link: a pipe left in the cache is refused, not waited on.
  if (!IsRegularOrNothing(path)) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  struct stat info {};
  QFile file;
  if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (fd >= 0) close(fd);
    return false;
  }
  const qint64 data = file.size() - kHeaderBytes;
  return data > 0 && data % kBytesPerFrame == 0 &&
         file.read(kHeaderBytes) == WaveHeader(static_cast<std::uint32_t>(data), sample_rate);
}

std::optional<std::string> RenderSong(const std::vector<std::uint8_t>& midi, const RenderSettings& settings,
                                      const std::string& path, const std::function<bool()>& stop) {
  const std::optional<MidiFileSummary> summary = ReadMidiFileSummary(midi);
  if (!summary) return "the music is no MIDI file fluidsynth can play";
  std::optional<std::string> error;
  {
    Fluid fluid;
    error = Start(fluid, midi, settings);
    const QFileInfo target(QString::fromStdString(path));
    QSaveFile file(target.filePath());
    if (!error && !IsRegularOrNothing(path)) {
      error = "the race music cannot be kept: " + path + " is not a regular file";
    } else if (!error && (!target.dir().mkpath(".") || !file.open(QIODevice::WriteOnly))) {
      error = "the race music cannot be kept in " + target.path().toStdString();
    }
    if (!error && (!file.write(WaveHeader(0, settings.sample_rate)) ||
                   !Render(fluid, summary->seconds, settings.sample_rate, file, stop) || !file.seek(0) ||
                   !file.write(WaveHeader(static_cast<std::uint32_t>(file.size() - kHeaderBytes), settings.sample_rate)) ||
                   !file.commit())) {
      error = stop() ? "the rendering was stopped" : "the race music could not be written to " + path;
    }
    if (!error) {
      QDir directory = target.dir();
      for (const QString& other : directory.entryList({QString(kFilePrefix) + '*'}, QDir::Files)) {
        if (other != target.fileName()) directory.remove(other);
      }
    }
  }
#if defined(__GLIBC__)
  // The synthesizer's voices, echo and samples leave megabytes of freed
  // memory in this thread's heap, which would stay with the game.
  malloc_trim(0);
#endif
  return error;
}

}  // namespace sound
