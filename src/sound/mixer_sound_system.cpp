#include "sound/mixer_sound_system.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <glib.h>

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <utility>

#include "sound/midi_file.h"

namespace sound {

namespace {

using Midi = std::shared_ptr<const std::vector<std::uint8_t>>;
using Clock = std::chrono::steady_clock;

// About 23 ms a buffer: short enough for a start signal.
constexpr int kDeviceFrames = 1024;
constexpr int kWaveChannel = 0;

void IgnoreAlsa(const char*, int, const char*, int, const char*, ...) {}
void IgnoreSdl(void*, int, SDL_LogPriority, const char*) {}
void IgnoreGlib(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// alsa-lib reports every card it fails to open, a screenful on a machine
// without one; SDL and fluidsynth have their own say too, and so has
// libinstpatch, which fluidsynth tries on a sound font its own reader
// refuses, through GLib. The game tells in one line of its own why it is silent.
void QuietLibraries() {
  static std::once_flag once;
  std::call_once(once, [] {
    snd_lib_error_set_handler(&IgnoreAlsa);
    SDL_LogSetOutputFunction(&IgnoreSdl, nullptr);
    g_log_set_handler(nullptr, static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK), &IgnoreGlib, nullptr);
    for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
      fluid_set_log_function(level, nullptr, nullptr);
    }
  });
}

// A regular file of at most `limit` bytes; a pipe or a device by that name is
// turned away unread rather than waited on.
bool IsSmallFile(const QFileInfo& file, std::uintmax_t limit) {
  return file.isFile() && file.size() > 0 && static_cast<std::uintmax_t>(file.size()) <= limit;
}

}  // namespace

struct MixerSoundSystem::Worker {
  explicit Worker(Options options_in) : options(std::move(options_in)) {}

  void Post(std::function<void()> task) {
    {
      std::lock_guard lock(mutex);
      tasks.push_back(std::move(task));
    }
    wake.notify_all();
  }
  void Say(const std::string& why);
  void Run();
  // The rest runs on the worker's thread.
  void Prepare(const Midi& midi);
  void PlaySong(std::uint64_t id, const Midi& midi);
  void StopSong(std::uint64_t id);
  void PlayWave(const std::string& path);
  void Render(const Midi& midi, const std::string& file);
  void Rendered(const std::string& file, const std::optional<std::string>& error);
  void StartMusic(const std::string& file);
  void StopMusic();
  bool OpenDevice();
  void CloseDevice();
  // While the device is open, between tasks: lets go of a song or a signal
  // that has ended, and of the device once nothing has played for a while.
  void LetGoOfWhatEnded();
  std::string FileFor(const Midi& midi) const { return RenderingFile(options.cache_directory, *midi, options.rendering); }
  static void Tap(void* self, Uint8* stream, int bytes) {
    static_cast<Worker*>(self)->options.tap(reinterpret_cast<const std::int16_t*>(stream), bytes / 2);
  }

  const Options options;
  std::atomic<std::uint64_t> next_song{1};
  std::atomic<bool> device_open{false};
  std::atomic<int> made{0};
  std::atomic<bool> stop_rendering{false};
  std::thread thread;

  mutable std::mutex mutex;
  std::condition_variable wake;     // a task, or the end
  std::condition_variable settled;  // a task done, or a rendering
  std::deque<std::function<void()>> tasks;
  bool stopping = false;
  bool busy = false;       // a task is running
  bool rendering = false;  // a rendering runs
  std::set<std::string> said;

  // The worker's thread's own.
  bool sdl_used = false;
  Mix_Music* music = nullptr;
  Mix_Chunk* chunk = nullptr;
  std::uint64_t song = 0;     // the song last played and not stopped
  std::string waiting;        // its rendering, when it is still to be made
  std::string rendered_file;  // the rendering under way
  std::set<std::string> failed;  // renderings not tried again in this run
  std::thread renderer;
  Clock::time_point quiet_since;
};

class MixerSoundSystem::MixerSong final : public Song {
 public:
  MixerSong(Worker& worker, Midi midi) : worker_(worker), id_(worker.next_song++), midi_(std::move(midi)) {}
  ~MixerSong() override { Stop(); }
  bool Play() override {
    worker_.Post([&worker = worker_, id = id_, midi = midi_] { worker.PlaySong(id, midi); });
    return true;
  }
  void Stop() override {
    worker_.Post([&worker = worker_, id = id_] { worker.StopSong(id); });
  }

 private:
  Worker& worker_;
  const std::uint64_t id_;
  const Midi midi_;
};

MixerSoundSystem::MixerSoundSystem(Options options) : worker_(std::make_unique<Worker>(std::move(options))) {
  worker_->thread = std::thread([worker = worker_.get()] { worker->Run(); });
}

MixerSoundSystem::~MixerSoundSystem() {
  worker_->stop_rendering = true;
  {
    std::lock_guard lock(worker_->mutex);
    worker_->stopping = true;
  }
  worker_->wake.notify_all();
  worker_->thread.join();
}

void MixerSoundSystem::Worker::Say(const std::string& why) {
  {
    std::lock_guard lock(mutex);
    if (!said.insert(why).second) return;
  }
  if (options.say) {
    options.say(why);
  } else {
    std::fprintf(stderr, "mascot-race: %s\n", why.c_str());
  }
}

void MixerSoundSystem::Worker::Run() {
  QuietLibraries();
  const auto poll = std::min(options.idle_close / 4, std::chrono::milliseconds(250));
  std::unique_lock lock(mutex);
  for (;;) {
    const auto ready = [this] { return stopping || !tasks.empty(); };
    // Closed, the device costs no wake-ups: only a task wakes the thread.
    if (!device_open) {
      wake.wait(lock, ready);
    } else if (!wake.wait_for(lock, poll, ready)) {
      lock.unlock();
      LetGoOfWhatEnded();
      lock.lock();
      continue;
    }
    if (stopping) break;
    std::function<void()> task = std::move(tasks.front());
    tasks.pop_front();
    busy = true;
    lock.unlock();
    task();
    lock.lock();
    busy = false;
    settled.notify_all();
  }
  lock.unlock();
  if (renderer.joinable()) renderer.join();
  CloseDevice();
  // The hints set here live until SDL_Quit; when no other part of SDL is in use, that frees them.
  if (sdl_used) {
    const std::lock_guard lock(SdlAudioLock());
    if (SDL_WasInit(0) == 0) SDL_Quit();
  }
  // SDL keeps per-thread data (its error text) for threads it did not make.
  SDL_TLSCleanup();
}

void MixerSoundSystem::Worker::Prepare(const Midi& midi) {
  const std::string file = FileFor(midi);
  if (!IsWholeRendering(file, options.rendering.sample_rate)) Render(midi, file);
}

void MixerSoundSystem::Worker::PlaySong(std::uint64_t id, const Midi& midi) {
  // Every start is from the beginning.
  StopMusic();
  song = id;
  waiting = FileFor(midi);
  if (IsWholeRendering(waiting, options.rendering.sample_rate)) {
    StartMusic(std::exchange(waiting, {}));
  } else {
    Render(midi, waiting);
  }
}

void MixerSoundSystem::Worker::StopSong(std::uint64_t id) {
  if (song != id) return;
  song = 0;
  waiting.clear();
  StopMusic();
}

// One rendering at a time: a song wanted while another is rendered (only a
// tune changed between choosing a race and starting it) is rendered when it
// is next played.
void MixerSoundSystem::Worker::Render(const Midi& midi, const std::string& file) {
  if (!rendered_file.empty() || failed.count(file)) return;
  rendered_file = file;
  {
    std::lock_guard lock(mutex);
    rendering = true;
  }
  renderer = std::thread([this, midi, file] {
    std::optional<std::string> error = RenderSong(*midi, options.rendering, file, [this] { return stop_rendering.load(); });
    if (!error) ++made;
    Post([this, file, error] { Rendered(file, error); });
  });
}

void MixerSoundSystem::Worker::Rendered(const std::string& file, const std::optional<std::string>& error) {
  renderer.join();
  rendered_file.clear();
  if (error) {
    failed.insert(file);
    Say(*error + "; the race music is silent");
  }
  if (file == waiting) {
    waiting.clear();
    if (!error) StartMusic(file);
  }
  std::lock_guard lock(mutex);
  rendering = false;
}

void MixerSoundSystem::Worker::StartMusic(const std::string& file) {
  if (!OpenDevice()) return;
  music = Mix_LoadMUS(file.c_str());
  if (!music || Mix_PlayMusic(music, 0) != 0) {
    Say("the race music " + file + " would not play (" + SDL_GetError() + ")");
    StopMusic();
  }
  quiet_since = Clock::now();
}

void MixerSoundSystem::Worker::StopMusic() {
  if (!music) return;
  Mix_HaltMusic();
  Mix_FreeMusic(music);
  music = nullptr;
}

void MixerSoundSystem::Worker::PlayWave(const std::string& path) {
  if (!OpenDevice()) return;
  Mix_Chunk* next = Mix_LoadWAV(path.c_str());
  if (!next) {
    Say(path + " is no wave file the game can play (" + SDL_GetError() + "); the start signal is silent");
    return;
  }
  // Freeing the chunk halts the one still playing: the new one cuts it off.
  if (chunk) Mix_FreeChunk(chunk);
  chunk = next;
  Mix_PlayChannel(kWaveChannel, chunk, 0);
  quiet_since = Clock::now();
}

bool MixerSoundSystem::Worker::OpenDevice() {
  if (device_open) return true;
  sdl_used = true;
  // The window's toolkit handles the signals; SDL must not take them over.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  const std::string& driver = options.audio_driver;
  if (!driver.empty()) SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
  std::unique_lock sdl_audio(SdlAudioLock());
  bool opened = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (!driver.empty()) SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  // No changes allowed: SDL converts to whatever the device wants.
  if (opened && Mix_OpenAudioDevice(options.rendering.sample_rate, AUDIO_S16SYS, 2, kDeviceFrames, nullptr, 0) != 0) {
    opened = false;
    const std::string error = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_SetError("%s", error.c_str());
  }
  sdl_audio.unlock();
  if (!opened) {
    Say(std::string("no sound device would open (") + SDL_GetError() + "); playing without sound");
    return false;
  }
  Mix_AllocateChannels(1);
  Mix_SetPostMix(options.tap ? &Worker::Tap : nullptr, this);
  device_open = true;
  quiet_since = Clock::now();
  return true;
}

void MixerSoundSystem::Worker::CloseDevice() {
  if (!device_open) return;
  StopMusic();
  Mix_HaltChannel(-1);
  if (chunk) Mix_FreeChunk(std::exchange(chunk, nullptr));
  {
    const std::lock_guard lock(SdlAudioLock());
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  device_open = false;
}

void MixerSoundSystem::Worker::LetGoOfWhatEnded() {
  // The start signal's samples take more room than anything else here: they
  // go as soon as it has sounded.
  if (chunk && Mix_Playing(kWaveChannel) == 0) Mix_FreeChunk(std::exchange(chunk, nullptr));
  if (music && !Mix_PlayingMusic()) StopMusic();
  if (chunk || music) {
    quiet_since = Clock::now();
  } else if (Clock::now() - quiet_since >= options.idle_close) {
    CloseDevice();
  }
}

namespace {

// The song's bytes, when it is a MIDI file the game can play; a file that is
// there but is none is told once. (A missing one is told at start-up.)
Midi ReadMidi(const std::string& path, const std::function<void(const std::string&)>& say) {
  QFile file(QString::fromStdString(path));
  if (!file.exists()) return nullptr;
  std::vector<std::uint8_t> bytes;
  if (IsSmallFile(QFileInfo(file), MixerSoundSystem::kMaxMidiBytes) && file.open(QIODevice::ReadOnly)) {
    const QByteArray read = file.readAll();
    bytes.assign(read.begin(), read.end());
  }
  if (!ReadMidiFileSummary(bytes)) {
    say(path + " is no MIDI file the game can play; the race music is silent");
    return nullptr;
  }
  return std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
}

}  // namespace

void MixerSoundSystem::Prepare(const std::string& path) {
  if (Midi midi = ReadMidi(path, [this](const std::string& why) { worker_->Say(why); })) {
    worker_->Post([&worker = *worker_, midi] { worker.Prepare(midi); });
  }
}

std::unique_ptr<Song> MixerSoundSystem::Open(const std::string& path) {
  Midi midi = ReadMidi(path, [this](const std::string& why) { worker_->Say(why); });
  return midi ? std::make_unique<MixerSong>(*worker_, std::move(midi)) : nullptr;
}

bool MixerSoundSystem::PlayWave(const std::string& path) {
  if (!IsSmallFile(QFileInfo(QString::fromStdString(path)), kMaxWaveBytes)) {
    worker_->Say(path + " is missing or no wave file the game can play; the start signal is silent");
    return false;
  }
  worker_->Post([&worker = *worker_, path] { worker.PlayWave(path); });
  return true;
}

void MixerSoundSystem::WaitUntilSettled() {
  std::unique_lock lock(worker_->mutex);
  worker_->settled.wait(lock, [this] { return worker_->tasks.empty() && !worker_->busy && !worker_->rendering; });
}

bool MixerSoundSystem::device_open() const { return worker_->device_open; }

int MixerSoundSystem::renderings_made() const { return worker_->made; }

}  // namespace sound
