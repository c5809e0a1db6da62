// A small text score (see race_theme.score for the notation) read into
// timed notes, and written out as a standard MIDI file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "source_error.h"

namespace music {

struct ScoreNote {
  std::uint32_t tick = 0;
  std::uint32_t length = 0;
  std::uint8_t key = 0;
  std::uint8_t velocity = 0;
};

struct ScorePart {
  std::string name;
  int channel = 0;                // 0..15 as sent; the drums are 9
  std::optional<int> program;     // 0..127 as sent; none for the drums
  int volume = 100;
  int pan = 64;
  int velocity = 96;
  int bars = 0;
  std::vector<ScoreNote> notes;
};

struct Score {
  static constexpr std::uint32_t kTicksPerQuarter = 480;
  std::string title;
  int tempo = 120;  // quarter notes a minute
  int meter_beats = 4;
  int meter_unit = 4;
  std::vector<ScorePart> parts;
  std::uint32_t length_ticks = 0;  // every part is this long

  std::uint32_t bar_ticks() const { return kTicksPerQuarter * 4 * meter_beats / meter_unit; }
  double seconds() const { return 60.0 * length_ticks / kTicksPerQuarter / tempo; }
};

// Throws SourceError, naming the line, at the first thing it cannot read.
Score ParseScore(std::string_view text);

// Format 1: a conductor track with the title, meter and tempo, then one
// track per part; every track ends at the score's length.
std::vector<std::uint8_t> WriteMidiFile(const Score& score);

}  // namespace music
