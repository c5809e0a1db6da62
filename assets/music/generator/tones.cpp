#include "tones.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

#include "source_text.h"

namespace music {

namespace {

constexpr double kAttack = 0.004;   // seconds: fast, but no click
constexpr double kRelease = 0.012;
constexpr double kTail = 0.02;      // quiet after the last tone, so players do not cut its fade
constexpr double kLongest = 10.0;   // a signal, not a song

double Number(std::string_view word, double low, double high, int line, const char* what) {
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || !(value >= low && value <= high)) {
    throw SourceError(line, std::string(what) + " must be a number from " + ShortNumber(low) + " to " +
                                ShortNumber(high) + ", not \"" + std::string(word) + "\"");
  }
  return value;
}

// Odd harmonics, falling off fast: brighter than a sine, softer than a square.
double Voice(double phase) {
  return std::sin(phase) + 0.2 * std::sin(3 * phase) + 0.06 * std::sin(5 * phase);
}

double VoicePeak() {
  double peak = 0;
  for (int i = 0; i < 4096; ++i) peak = std::max(peak, std::abs(Voice(2 * std::numbers::pi * i / 4096)));
  return peak;
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

ToneSheet ParseTones(std::string_view text) {
  ToneSheet sheet;
  const std::vector<std::string_view> lines = Split(text, '\n');
  int line = 0;
  for (std::string_view content : lines) {
    ++line;
    content = content.substr(0, content.find('#'));
    const std::vector<std::string_view> words = Words(content);
    if (words.empty()) continue;
    if (words[0] == "rate") {
      if (words.size() != 2) throw SourceError(line, "rate takes one number, the samples a second");
      if (!sheet.tones.empty()) throw SourceError(line, "the rate must come before the tones");
      sheet.rate = static_cast<int>(Number(words[1], 8000, 96000, line, "the rate"));
    } else if (words[0] == "tone") {
      if (words.size() != 5 && !(words.size() == 7 && words[5] == "decay")) {
        throw SourceError(line, "tone takes start, length, frequency and level, then maybe \"decay\" and seconds");
      }
      Tone tone;
      tone.start = Number(words[1], 0, kLongest, line, "the start");
      tone.length = Number(words[2], 0.001, kLongest, line, "the length");
      tone.frequency = Number(words[3], 20, sheet.rate / 2.0 - 1, line, "the frequency");
      tone.level = Number(words[4], 0, 1, line, "the level");
      if (words.size() == 7) tone.decay = Number(words[6], 0.001, kLongest, line, "the decay");
      if (tone.start + tone.length > kLongest) throw SourceError(line, "the tone ends after ten seconds");
      sheet.tones.push_back(tone);
    } else {
      throw SourceError(line, "unknown directive \"" + std::string(words[0]) + "\"");
    }
  }
  if (sheet.tones.empty()) throw SourceError(line, "there are no tones");
  return sheet;
}

std::vector<std::int16_t> Synthesize(const ToneSheet& sheet) {
  double end = 0;
  for (const Tone& tone : sheet.tones) end = std::max(end, tone.start + tone.length);
  const double rate = sheet.rate;
  std::vector<double> mix(static_cast<std::size_t>(std::ceil((end + kTail) * rate)), 0.0);
  const double peak = VoicePeak();
  for (const Tone& tone : sheet.tones) {
    const auto first = static_cast<std::size_t>(std::llround(tone.start * rate));
    const auto count = static_cast<std::size_t>(std::llround(tone.length * rate));
    for (std::size_t n = 0; n < count && first + n < mix.size(); ++n) {
      const double t = n / rate;
      double envelope = std::min({1.0, t / kAttack, (tone.length - t) / kRelease});
      if (tone.decay > 0) envelope *= std::exp(-t * std::log(3.0) / tone.decay);
      mix[first + n] += tone.level * envelope * Voice(2 * std::numbers::pi * tone.frequency * t) / peak;
    }
  }
  std::vector<std::int16_t> samples(mix.size());
  std::transform(mix.begin(), mix.end(), samples.begin(), [](double value) {
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767));
  });
  return samples;
}

std::vector<std::uint8_t> WriteWaveFile(const std::vector<std::int16_t>& samples, int rate) {
  const auto data_size = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> file = {'R', 'I', 'F', 'F'};
  PutLittleEndian(file, 36 + data_size, 4);
  file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLittleEndian(file, 16, 4);                                  // format chunk size
  PutLittleEndian(file, 1, 2);                                   // PCM
  PutLittleEndian(file, 1, 2);                                   // mono
  PutLittleEndian(file, static_cast<std::uint32_t>(rate), 4);
  PutLittleEndian(file, static_cast<std::uint32_t>(rate) * 2, 4);  // bytes a second
  PutLittleEndian(file, 2, 2);                                   // bytes a frame
  PutLittleEndian(file, 16, 2);                                  // bits a sample
  file.insert(file.end(), {'d', 'a', 't', 'a'});
  PutLittleEndian(file, data_size, 4);
  for (const std::int16_t sample : samples) PutLittleEndian(file, static_cast<std::uint16_t>(sample), 2);
  return file;
}

}  // namespace music
