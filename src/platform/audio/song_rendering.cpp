#include "platform/audio/song_rendering.h"

#include <FLAC/stream_decoder.h>
#include <FLAC/stream_encoder.h>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr unsigned kChannels = 2;
constexpr unsigned kBitsPerSample = 16;
// FLAC's default: blocks of 4096 frames, some 41 % of the frames' size for
// our music; the higher levels save 1 % more at twice the encoding time.
constexpr unsigned kCompressionLevel = 5;
// A block stored verbatim is its frames plus a few dozen bytes of headers.
constexpr std::size_t kBytesPerFrame = kChannels * sizeof(std::int16_t);
constexpr std::size_t kHeaderRoom = 4096;
constexpr std::size_t kBlockHeaderRoom = 64;
constexpr std::size_t kSmallestBlock = 1024;

}  // namespace

struct FlacEncoder::Parts {
  FLAC__StreamEncoder* encoder = FLAC__stream_encoder_new();
  Take take;
  bool ok = false;
  std::vector<FLAC__int32> wide;

  ~Parts() {
    if (encoder) FLAC__stream_encoder_delete(encoder);
  }
  static FLAC__StreamEncoderWriteStatus Write(const FLAC__StreamEncoder*, const FLAC__byte bytes[], std::size_t count,
                                              std::uint32_t frames, std::uint32_t, void* parts) {
    // Every block comes in one piece.
    return static_cast<Parts*>(parts)->take(bytes, count, frames) ? FLAC__STREAM_ENCODER_WRITE_STATUS_OK
                                                                  : FLAC__STREAM_ENCODER_WRITE_STATUS_FATAL_ERROR;
  }
};

FlacEncoder::FlacEncoder(Take take) : parts_(std::make_unique<Parts>()) {
  Parts& p = *parts_;
  p.take = std::move(take);
  p.ok = p.encoder && FLAC__stream_encoder_set_channels(p.encoder, kChannels) &&
         FLAC__stream_encoder_set_bits_per_sample(p.encoder, kBitsPerSample) &&
         FLAC__stream_encoder_set_sample_rate(p.encoder, kMusicSampleRate) &&
         FLAC__stream_encoder_set_compression_level(p.encoder, kCompressionLevel) &&
         FLAC__stream_encoder_init_stream(p.encoder, &Parts::Write, nullptr, nullptr, nullptr, &p) ==
             FLAC__STREAM_ENCODER_INIT_STATUS_OK;
}

FlacEncoder::~FlacEncoder() = default;

bool FlacEncoder::Add(const std::int16_t* samples, std::size_t frames) {
  Parts& p = *parts_;
  p.wide.assign(samples, samples + frames * kChannels);
  p.ok = p.ok && FLAC__stream_encoder_process_interleaved(p.encoder, p.wide.data(), static_cast<std::uint32_t>(frames));
  return p.ok;
}

bool FlacEncoder::Finish() {
  Parts& p = *parts_;
  p.ok = p.ok && FLAC__stream_encoder_finish(p.encoder);
  const bool finished = p.ok;
  p.ok = false;
  return finished;
}

SongRendering::SongRendering(std::vector<std::uint8_t> midi, std::size_t frames)
    : midi_(std::move(midi)),
      capacity_(frames),
      room_(frames * kBytesPerFrame + (frames / kSmallestBlock + 1) * kBlockHeaderRoom + kHeaderRoom),
      bytes_(new std::uint8_t[room_]) {}

SongRendering::~SongRendering() = default;

void SongRendering::Append(const std::int16_t* samples, std::size_t count) {
  count = std::min(count, capacity_ - taken_);
  if (count == 0 || failed_) return;
  if (!encoder_) {
    encoder_ = std::make_unique<FlacEncoder>([this](const std::uint8_t* bytes, std::size_t size, std::size_t frames) {
      return TakeEncoded(bytes, size, frames, Source::kHere);
    });
  }
  taken_ += count;
  // An encoder that cannot go on leaves the song ending where it stopped.
  failed_ = !encoder_->Add(samples, count);
}

void SongRendering::AppendEncoded(const std::uint8_t* bytes, std::size_t count, std::size_t frames) {
  if (failed_ || frames > capacity_ - taken_) return;
  taken_ += frames;
  failed_ = !TakeEncoded(bytes, count, frames, Source::kElsewhere);
}

void SongRendering::Finish() {
  if (encoder_ && !failed_) encoder_->Finish();
  encoder_.reset();
  finished_.store(true, std::memory_order_release);
}

bool SongRendering::TakeEncoded(const std::uint8_t* bytes, std::size_t count, std::size_t frames, Source source) {
  if (frames == 0 && header_from_ != source) {
    // A stream that has frames keeps its header; one that has none yet is
    // given up for the new encoder's (nothing of it was ready).
    if (ready_.load(std::memory_order_relaxed) > 0) return true;
    header_from_ = source;
    bytes_written_ = 0;
  }
  if (bytes_written_ + count > room_) return false;
  std::memcpy(bytes_.get() + bytes_written_, bytes, count);
  bytes_written_ += count;
  if (frames > 0) {
    // The bytes first: a reader that sees the frames finds them whole.
    bytes_ready_.store(bytes_written_, std::memory_order_release);
    ready_.store(ready_.load(std::memory_order_relaxed) + frames, std::memory_order_release);
  }
  return true;
}

class RenderingReader::Decoder {
 public:
  explicit Decoder(const SongRendering& rendering) : rendering_(rendering), decoder_(FLAC__stream_decoder_new()) {
    ok_ = decoder_ && FLAC__stream_decoder_init_stream(decoder_, &Read, nullptr, nullptr, nullptr, nullptr, &Write,
                                                       nullptr, &Error, this) == FLAC__STREAM_DECODER_INIT_STATUS_OK;
  }
  ~Decoder() {
    if (decoder_) FLAC__stream_decoder_delete(decoder_);
  }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  std::size_t block_start() const { return block_start_; }
  std::size_t block_end() const { return block_start_ + block_.size() / kChannels; }
  const std::int16_t* frame(std::size_t at) const { return block_.data() + (at - block_start_) * kChannels; }

  void Rewind() {
    ok_ = ok_ && FLAC__stream_decoder_reset(decoder_);
    read_at_ = 0;
    block_start_ = 0;
    block_.clear();
  }

  // Decodes the next block, when it is ready.
  bool Next() {
    if (!ok_ || block_end() >= rendering_.ready()) return false;
    const std::size_t start = block_end();
    decoded_ = false;
    // The stream's header comes before the first block.
    for (int step = 0; step < 3 && !decoded_; ++step) {
      if (!FLAC__stream_decoder_process_single(decoder_)) break;
    }
    if (!decoded_) return false;
    block_start_ = start;
    return true;
  }

 private:
  static FLAC__StreamDecoderReadStatus Read(const FLAC__StreamDecoder*, FLAC__byte bytes[], std::size_t* count,
                                            void* decoder) {
    auto& from = *static_cast<Decoder*>(decoder);
    const std::size_t there = from.rendering_.bytes_ready_.load(std::memory_order_acquire) - from.read_at_;
    // Only ever asked for while a whole block is ready and unread: blocks
    // are made ready whole, and decoding one reads nothing past it.
    *count = std::min(*count, there);
    if (*count == 0) return FLAC__STREAM_DECODER_READ_STATUS_END_OF_STREAM;
    std::memcpy(bytes, from.rendering_.bytes_.get() + from.read_at_, *count);
    from.read_at_ += *count;
    return FLAC__STREAM_DECODER_READ_STATUS_CONTINUE;
  }
  static FLAC__StreamDecoderWriteStatus Write(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
                                              const FLAC__int32* const channels[], void* decoder) {
    auto& to = *static_cast<Decoder*>(decoder);
    const std::uint32_t frames = frame->header.blocksize;
    to.block_.resize(std::size_t{frames} * kChannels);
    for (std::uint32_t i = 0; i < frames; ++i) {
      for (unsigned channel = 0; channel < kChannels; ++channel) {
        to.block_[i * kChannels + channel] = static_cast<std::int16_t>(channels[channel][i]);
      }
    }
    to.decoded_ = true;
    return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
  }
  // Our own bytes do not go bad; should they, the block is not played.
  static void Error(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus, void* decoder) {
    static_cast<Decoder*>(decoder)->ok_ = false;
  }

  const SongRendering& rendering_;
  FLAC__StreamDecoder* decoder_;
  bool ok_ = false;
  bool decoded_ = false;
  std::size_t read_at_ = 0;
  std::size_t block_start_ = 0;
  std::vector<std::int16_t> block_;
};

RenderingReader::RenderingReader(const SongRendering& rendering)
    : rendering_(rendering), decoder_(std::make_unique<Decoder>(rendering)) {}

RenderingReader::~RenderingReader() = default;

void RenderingReader::MixInto(std::size_t at, std::size_t count, float* out) {
  Decoder& decoder = *decoder_;
  if (at < decoder.block_start()) decoder.Rewind();
  const std::size_t end = at + count;
  while (at < end) {
    if (at >= decoder.block_end()) {
      if (!decoder.Next()) return;
      continue;
    }
    const std::size_t frames = std::min(end, decoder.block_end()) - at;
    const std::int16_t* from = decoder.frame(at);
    for (std::size_t i = 0; i < frames * kChannels; ++i) *out++ += static_cast<float>(from[i]) / kFullScale16;
    at += frames;
  }
}

}  // namespace platform
