// A song rendered ahead, whole, kept losslessly compressed (FLAC) in
// memory: some 40 % of its 16-bit stereo frames, played back from there
// sample for sample as rendered.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace platform {

// A 16-bit sample at full scale, as a float.
inline constexpr float kFullScale16 = 32767;
// The music's frames a second.
inline constexpr int kMusicSampleRate = 44100;

// Encodes 16-bit stereo frames as FLAC and hands on each piece as it is
// made: the stream's header (pieces of no frames), then whole blocks.
class FlacEncoder {
 public:
  using Take = std::function<bool(const std::uint8_t* bytes, std::size_t count, std::size_t frames)>;
  explicit FlacEncoder(Take take);
  ~FlacEncoder();
  FlacEncoder(const FlacEncoder&) = delete;
  FlacEncoder& operator=(const FlacEncoder&) = delete;

  // False once the encoder, or the receiver, has failed.
  bool Add(const std::int16_t* samples, std::size_t frames);
  // Encodes what is held back, the last block.
  bool Finish();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// Written by one thread (the renderer's reader) while another plays what is
// ready: the encoded bytes never move, and frames become ready a whole
// compressed block (under 0.1 s) at a time.
class SongRendering {
 public:
  SongRendering(std::vector<std::uint8_t> midi, std::size_t frames);
  ~SongRendering();
  SongRendering(const SongRendering&) = delete;
  SongRendering& operator=(const SongRendering&) = delete;

  const std::vector<std::uint8_t>& midi() const { return midi_; }
  std::size_t capacity() const { return capacity_; }
  // The writer's: adds 16-bit stereo frames as far as they fit, encoding
  // them here...
  void Append(const std::int16_t* samples, std::size_t count);
  // ...or a piece a FlacEncoder made elsewhere (the renderer's). After such
  // pieces, Append goes on where they stopped.
  void AppendEncoded(const std::uint8_t* bytes, std::size_t count, std::size_t frames);
  // Ends the rendering, making the last frames ready.
  void Finish();
  // Frames appended so far (the writer's count; some may not be ready yet).
  std::size_t taken() const { return taken_; }
  // The player's, from any thread.
  std::size_t ready() const { return ready_.load(std::memory_order_acquire); }
  bool finished() const { return finished_.load(std::memory_order_acquire); }
  // Memory the encoded frames take, in bytes.
  std::size_t encoded_bytes() const { return bytes_ready_.load(std::memory_order_acquire); }

 private:
  friend class RenderingReader;
  enum class Source { kNone, kHere, kElsewhere };
  bool TakeEncoded(const std::uint8_t* bytes, std::size_t count, std::size_t frames, Source source);

  std::vector<std::uint8_t> midi_;
  std::size_t capacity_;
  std::size_t taken_ = 0;
  // Room for the frames uncompressed and more: pages never written take no
  // memory, so only what the encoder wrote is resident.
  std::size_t room_;
  std::unique_ptr<std::uint8_t[]> bytes_;
  // The stream has one header, from the first encoder; one that takes over
  // from another leaves its own out.
  Source header_from_ = Source::kNone;
  std::size_t bytes_written_ = 0;  // the writer's, ahead of what is ready
  std::atomic<std::size_t> bytes_ready_{0};
  std::atomic<std::size_t> ready_{0};
  std::atomic<bool> finished_{false};
  std::unique_ptr<FlacEncoder> encoder_;  // this side's, from the first Append
  bool failed_ = false;
};

// Plays a rendering from its encoded bytes, decoding a block at a time; one
// per listener, on one thread at a time.
class RenderingReader {
 public:
  explicit RenderingReader(const SongRendering& rendering);
  ~RenderingReader();
  RenderingReader(const RenderingReader&) = delete;
  RenderingReader& operator=(const RenderingReader&) = delete;

  // Adds `count` frames from frame `at` on (all ready) to `out`, as floats
  // in [-1, 1]. Going back starts decoding again from the beginning.
  void MixInto(std::size_t at, std::size_t count, float* out);

 private:
  class Decoder;
  const SongRendering& rendering_;
  std::unique_ptr<Decoder> decoder_;
};

}  // namespace platform
