// A song rendered ahead, whole, kept losslessly compressed (FLAC) in
// memory: some 40 % of its 16-bit stereo frames, played back from there
// sample for sample as rendered.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// A 16-bit sample at full scale, as a float.
inline constexpr float kFullScale16 = 32767;

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
  // The writer's: adds 16-bit stereo frames as far as they fit...
  void Append(const std::int16_t* samples, std::size_t count);
  // ...and ends the rendering, making the last of them ready.
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
  class Encoder;
  void TakeEncoded(const std::uint8_t* bytes, std::size_t count, bool ends_block, std::size_t frames);
  void Publish(std::size_t frames);

  std::vector<std::uint8_t> midi_;
  std::size_t capacity_;
  std::size_t taken_ = 0;
  // Room for the frames uncompressed and more: pages never written take no
  // memory, so only what the encoder wrote is resident.
  std::size_t room_;
  std::unique_ptr<std::uint8_t[]> bytes_;
  std::size_t bytes_written_ = 0;  // the writer's, ahead of what is ready
  std::atomic<std::size_t> bytes_ready_{0};
  std::atomic<std::size_t> ready_{0};
  std::atomic<bool> finished_{false};
  std::unique_ptr<Encoder> encoder_;
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
