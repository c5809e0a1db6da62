#include "platform/audio/sdl_sound_system.h"

#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <future>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/audio/file_io.h"
#include "platform/audio/renderer_process.h"
#include "platform/midi_file.h"

namespace platform {

namespace {

constexpr int kChannels = 2;
// Songs up to this long are rendered ahead, whole (176 kB a second), and
// played from memory; longer ones are synthesized as they play. The race
// music lasts 13.5 s, a race 10 to 18 s.
constexpr double kLongestRenderedSeconds = 30;
// Room for what sounds on after a rendered song's end: released notes, the echo.
constexpr double kRenderedTailSeconds = 5;

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// alsa-lib reports every card it fails to open on standard error, a screenful
// on a machine without one. SDL loads the same library by name, so quieting
// it here quiets SDL's use of it; it stays loaded for the program's life.
void QuietAlsa() {
  static std::once_flag once;
  std::call_once(once, [] {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa) return;
    using SetHandler = int (*)(void (*)(const char*, int, const char*, int, const char*, ...));
    if (const auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) {
      set(&IgnoreAlsaError);
    }
  });
}

// A song as the mixer plays it; the mixer belongs to the sound system, which
// outlives every song.
class MixerSong final : public Song {
 public:
  MixerSong(SynthMixer& mixer, std::uint64_t id, std::shared_ptr<const std::vector<std::uint8_t>> midi)
      : mixer_(mixer), id_(id), midi_(std::move(midi)) {}
  ~MixerSong() override { mixer_.StopSong(id_); }
  bool Play() override { return mixer_.PlaySong(id_, midi_); }
  void Stop() override { mixer_.StopSong(id_); }

 private:
  SynthMixer& mixer_;
  std::uint64_t id_;
  std::shared_ptr<const std::vector<std::uint8_t>> midi_;
};

// The file's bytes when it is a regular file of at most `limit` bytes. Plain
// system calls: the streams library would bring its locale machinery into
// memory for two small reads. Opened without waiting, so that a pipe or a
// device by that name is turned away rather than waited on.
bool ReadSmallFile(const std::string& path, std::uintmax_t limit, std::vector<std::uint8_t>& bytes) {
  const int fd = path.empty() ? -1 : open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat status {};
  bool whole = fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
               static_cast<std::uintmax_t>(status.st_size) <= limit;
  if (whole) {
    bytes.resize(static_cast<std::size_t>(status.st_size));
    whole = ReadFully(fd, bytes.data(), bytes.size()) == bytes.size();
  }
  close(fd);
  return whole;
}

// Any wave SDL reads, as interleaved stereo 16-bit frames at the mixer's rate.
std::shared_ptr<const SynthMixer::Wave> DecodeWave(const std::vector<std::uint8_t>& file) {
  SDL_RWops* source = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
  if (!source) return nullptr;
  SDL_AudioSpec spec{};
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(source, 1, &spec, &data, &length)) return nullptr;

  std::shared_ptr<SynthMixer::Wave> frames;
  const int frame_bytes = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
  if (frame_bytes > 0 && spec.freq > 0 &&
      static_cast<double>(length) / frame_bytes / spec.freq <= SdlSoundSystem::kMaxWaveSeconds) {
    SDL_AudioStream* stream =
        SDL_NewAudioStream(spec.format, spec.channels, spec.freq, AUDIO_S16SYS, kChannels, SoundFontSynth::kSampleRate);
    if (stream && SDL_AudioStreamPut(stream, data, static_cast<int>(length)) == 0 && SDL_AudioStreamFlush(stream) == 0) {
      const int available = SDL_AudioStreamAvailable(stream);
      auto converted = std::make_shared<SynthMixer::Wave>(static_cast<std::size_t>(available) / sizeof(std::int16_t));
      const int got = SDL_AudioStreamGet(stream, converted->data(), available);
      if (got > 0) {
        converted->resize(static_cast<std::size_t>(got) / sizeof(std::int16_t) / kChannels * kChannels);
        frames = std::move(converted);
      }
    }
    if (stream) SDL_FreeAudioStream(stream);
  }
  SDL_FreeWAV(data);
  return frames;
}

}  // namespace

struct SdlSoundSystem::Worker {
  explicit Worker(Options options_in) : options(std::move(options_in)) {}
  ~Worker();

  void Start();
  void Run(std::promise<void> started_promise);
  void StartUp();
  bool OpenDevice(const std::string& driver);
  bool ReopenDevice();
  void CloseDevice();
  // Something is to be heard: the worker opens the device if it is closed.
  void WantDevice();
  // Renders the expected song ahead, then lets the synthesizer go.
  void RenderExpectedSong();
  bool Stopping();
  static void DeviceCallback(void* self, std::uint8_t* stream, int bytes);

  Options options;
  SynthMixer mixer;
  std::atomic<Output> output{Output::NotStarted};
  std::atomic<std::uint64_t> next_song{1};
  std::thread thread;
  std::shared_future<void> started;
  std::once_flag start_once;
  // The device is the worker's own while it runs.
  std::uint32_t device = 0;
  std::atomic<bool> device_open{false};
  bool audio_subsystem = false;
  std::mutex mutex;
  std::condition_variable wake;
  bool stopping = false;
  bool device_wanted = false;
  bool synth_wanted = false;  // a song waits for a synthesizer: only a rendering is there
  std::string expected_song;
  // The expected song's rendering, and what renders it: the renderer's
  // process, or else a synthesizer here.
  std::shared_ptr<SongRendering> rendering;
  RendererProcess renderer_process;
  std::unique_ptr<SoundFontSynth> renderer;
};

SdlSoundSystem::SdlSoundSystem() : SdlSoundSystem(Options{}) {}

SdlSoundSystem::SdlSoundSystem(Options options) : worker_(std::make_unique<Worker>(std::move(options))) {}

SdlSoundSystem::~SdlSoundSystem() = default;

SdlSoundSystem::Worker::~Worker() {
  {
    std::lock_guard lock(mutex);
    stopping = true;
  }
  wake.notify_all();
  renderer_process.Cancel();
  // The soundfont cannot be abandoned half-read; the wait is short (see the benchmark).
  if (thread.joinable()) thread.join();
  CloseDevice();  // waits for the audio thread to end
  if (audio_subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  // The hints set at start-up live until SDL_Quit; when no other part of SDL
  // is in use, that frees them.
  if (started.valid() && SDL_WasInit(0) == 0) SDL_Quit();
}

void SdlSoundSystem::StartInBackground() { worker_->Start(); }

void SdlSoundSystem::Worker::Start() {
  std::call_once(start_once, [this] {
    std::promise<void> started_promise;
    started = started_promise.get_future().share();
    thread = std::thread([this, started_promise = std::move(started_promise)]() mutable {
      Run(std::move(started_promise));
    });
  });
}

void SdlSoundSystem::Worker::Run(std::promise<void> started_promise) {
  StartUp();
  started_promise.set_value();
  RenderExpectedSong();
  // Closes the device once it has had nothing to play for a while, and opens
  // it again when a song or a wave comes.
  using Clock = std::chrono::steady_clock;
  auto silent_since = Clock::now();
  std::unique_lock lock(mutex);
  while (!stopping) {
    if (synth_wanted) {
      synth_wanted = false;
      lock.unlock();
      if (!mixer.has_synth()) mixer.InstallSynth(SoundFontSynth::Load(options.soundfonts));
      lock.lock();
      continue;
    }
    if (device == 0) {
      wake.wait(lock, [this] { return stopping || device_wanted || synth_wanted; });
      if (stopping || synth_wanted) continue;
      device_wanted = false;
      lock.unlock();
      ReopenDevice();
      lock.lock();
      silent_since = Clock::now();
      continue;
    }
    wake.wait_for(lock, std::min(options.idle_close / 4, std::chrono::milliseconds(250)),
                   [this] { return stopping || device_wanted || synth_wanted; });
    if (stopping || synth_wanted) continue;
    bool wanted = std::exchange(device_wanted, false);
    if (wanted || mixer.SongPlaying() || mixer.WavePlaying()) {
      silent_since = Clock::now();
    } else if (Clock::now() - silent_since >= options.idle_close) {
      lock.unlock();
      CloseDevice();
      lock.lock();
    }
  }
  lock.unlock();
  // SDL keeps per-thread data (its error text) for threads it did not make.
  SDL_TLSCleanup();
}

void SdlSoundSystem::Worker::WantDevice() {
  Start();
  {
    std::lock_guard lock(mutex);
    device_wanted = true;
  }
  wake.notify_all();
}

void SdlSoundSystem::WaitUntilStarted() {
  if (worker_->started.valid()) worker_->started.wait();
}

void SdlSoundSystem::Worker::StartUp() {
  // The window's toolkit handles the signals; SDL must not take them over.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  QuietAlsa();
  Output found = Output::None;
  if (OpenDevice(options.audio_driver)) {
    const char* driver = SDL_GetCurrentAudioDriver();
    found = driver && std::strcmp(driver, "dummy") == 0 ? Output::Dummy : Output::Device;
  } else if (options.dummy_fallback && OpenDevice("dummy")) {
    found = Output::Dummy;
  }
  output = found;
  std::string expected;
  {
    std::lock_guard lock(mutex);
    expected = expected_song;
  }
  std::vector<std::uint8_t> midi;
  std::optional<MidiFileSummary> summary;
  if (ReadSmallFile(expected, kMaxMidiBytes, midi)) summary = ReadMidiFileSummary(midi);
  // Playable at once, as it fills.
  const bool ahead = summary && summary->seconds <= kLongestRenderedSeconds;
  const auto frames = ahead ? static_cast<std::size_t>((summary->seconds + kRenderedTailSeconds) * SoundFontSynth::kSampleRate) : 0;
  if (!ahead || !renderer_process.Start(options.renderer, options.soundfonts, midi, frames)) {
    std::unique_ptr<SoundFontSynth> synth = SoundFontSynth::Load(options.soundfonts);
    if (synth && summary) synth->PrepareFor(summary->programs);
    if (!synth || !ahead) {
      mixer.InstallSynth(std::move(synth));
      return;
    }
    renderer = std::move(synth);
  }
  rendering = std::make_shared<SongRendering>(std::move(midi), frames);
  mixer.SetSynthWanted([this] {
    {
      std::lock_guard lock(mutex);
      synth_wanted = true;
    }
    wake.notify_all();
  });
  mixer.InstallRendering(rendering);
}

bool SdlSoundSystem::Worker::Stopping() {
  std::lock_guard lock(mutex);
  return stopping;
}

void SdlSoundSystem::Worker::RenderExpectedSong() {
  if (!rendering) return;
  if (!renderer) {
    if (renderer_process.ReadInto(*rendering) || Stopping()) {
      rendering->Finish();
      return;
    }
    // The renderer failed part way: the rest is rendered here, after the frames it made.
    renderer = SoundFontSynth::Load(options.soundfonts);
    if (!renderer) {
      rendering->Finish();
      return;
    }
    const std::size_t made = rendering->taken();
    std::size_t seen = 0;
    renderer->Render(rendering->midi(), rendering->capacity(), [&](const std::int16_t* samples, std::size_t count) {
      const std::size_t skip = std::min(count, made - std::min(made, seen));
      seen += count;
      rendering->Append(samples + skip * 2, count - skip);
      return !Stopping();
    });
    rendering->Finish();
  } else {
    renderer->Render(*rendering, [this] { return Stopping(); });
  }
  // Every race plays it from memory: the synthesizer's voices, echo and
  // samples are given back. Another song brings one back (synth_wanted).
  renderer.reset();
}

std::string DefaultSongRenderer() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&DefaultSongRenderer), &info) == 0 || !info.dli_fname) return {};
  const std::string code = info.dli_fname;
  const std::size_t slash = code.rfind('/');
  return slash == std::string::npos ? std::string() : code.substr(0, slash + 1) + "mascot-race-renderer";
}

void SdlSoundSystem::ExpectSong(const std::string& path) {
  std::lock_guard lock(worker_->mutex);
  worker_->expected_song = path;
}

bool SdlSoundSystem::device_open() const { return worker_->device_open.load(); }

SdlSoundSystem::Output SdlSoundSystem::output() const { return worker_->output.load(); }

const SynthMixer& SdlSoundSystem::mixer() const { return worker_->mixer; }

bool SdlSoundSystem::Worker::OpenDevice(const std::string& driver) {
  if (!driver.empty()) SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
  const bool initialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (!driver.empty()) SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  if (!initialised) return false;
  audio_subsystem = true;
  if (ReopenDevice()) return true;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audio_subsystem = false;
  return false;
}

bool SdlSoundSystem::Worker::ReopenDevice() {
  if (!audio_subsystem) return false;
  SDL_AudioSpec wanted{};
  wanted.freq = SoundFontSynth::kSampleRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = kChannels;
  wanted.samples = SoundFontSynth::kPeriodFrames;
  wanted.callback = &Worker::DeviceCallback;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  // No changes allowed: SDL converts to whatever the device wants.
  device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (device == 0) return false;
  SDL_PauseAudioDevice(device, 0);
  device_open = true;
  return true;
}

void SdlSoundSystem::Worker::CloseDevice() {
  if (device == 0) return;
  SDL_CloseAudioDevice(device);
  device = 0;
  device_open = false;
}

void SdlSoundSystem::Worker::DeviceCallback(void* self, std::uint8_t* stream, int bytes) {
  auto& system = *static_cast<Worker*>(self);
  auto* frames = reinterpret_cast<float*>(stream);
  const int count = bytes / static_cast<int>(kChannels * sizeof(float));
  system.mixer.Render(frames, count);
  if (system.options.tap) system.options.tap(frames, count);
}

std::unique_ptr<Song> SdlSoundSystem::Open(const std::string& path) {
  worker_->WantDevice();
  auto midi = std::make_shared<std::vector<std::uint8_t>>();
  if (!ReadSmallFile(path, kMaxMidiBytes, *midi)) return nullptr;
  // Our check reads the whole structure, the header the synthesizer looks for first.
  if (!ReadMidiFileSummary(*midi)) return nullptr;
  return std::make_unique<MixerSong>(worker_->mixer, worker_->next_song++, std::move(midi));
}

std::shared_ptr<const SynthMixer::Wave> SdlSoundSystem::LoadWave(const std::string& path) {
  std::vector<std::uint8_t> file;
  if (!ReadSmallFile(path, kMaxWaveBytes, file)) return nullptr;
  return DecodeWave(file);
}

bool SdlSoundSystem::PlayWave(const std::string& path) {
  std::shared_ptr<const SynthMixer::Wave> frames = LoadWave(path);
  if (!frames) return false;
  worker_->mixer.PlayWave(std::move(frames));
  worker_->WantDevice();
  return true;
}

}  // namespace platform
