// A short sound described as timed tones (see start_signal.tones), rendered
// to 16-bit mono samples and written as a PCM wave file.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "source_error.h"

namespace music {

struct Tone {
  double start = 0;      // seconds
  double length = 0;     // seconds
  double frequency = 0;  // hertz
  double level = 0;      // 0..1 of full scale at its loudest
  double decay = 0;      // seconds for the level to fall to a third; 0 holds it
};

struct ToneSheet {
  int rate = 44100;
  std::vector<Tone> tones;
};

// Throws SourceError, naming the line, at the first thing it cannot read.
ToneSheet ParseTones(std::string_view text);

// A soft square-ish beep per tone, with short fades so no tone clicks; ends
// shortly after the last tone.
std::vector<std::int16_t> Synthesize(const ToneSheet& sheet);

std::vector<std::uint8_t> WriteWaveFile(const std::vector<std::int16_t>& samples, int rate);

}  // namespace music
