#include "score.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "source_text.h"

namespace music {

namespace {

constexpr int kDrumChannel = 9;  // channel 10 as musicians count

struct Drum {
  std::string_view name;
  int key;
  int velocity;  // hats sit below the kick and snare unless told otherwise
};

// General MIDI percussion keys.
constexpr Drum kDrums[] = {
    {"kick", 36, 110},   {"snare", 38, 100},   {"clap", 39, 95},    {"hat", 42, 70},     {"pedalhat", 44, 70},
    {"openhat", 46, 80}, {"floortom", 41, 95}, {"tomlow", 45, 95},  {"tommid", 47, 95},  {"tomhi", 50, 95},
    {"crash", 49, 100},  {"ride", 51, 80},     {"tambourine", 54, 80}, {"cowbell", 56, 85},
};

// '#' starts a comment at the start of a line or after a blank; elsewhere it
// is a sharp (F#4).
std::string_view WithoutComment(std::string_view line) {
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (line[at] == '#' && (at == 0 || IsBlank(line[at - 1]))) return line.substr(0, at);
  }
  return line;
}

std::string QuarterNotes(std::uint32_t ticks) {
  return ShortNumber(static_cast<double>(ticks) / Score::kTicksPerQuarter);
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

int WholeNumber(std::string_view word, int low, int high, int line, std::string_view what) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || value < low || value > high) {
    throw SourceError(line, std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
                               std::to_string(high) + ", not " + Quoted(word));
  }
  return value;
}

// A note name such as C4 (middle C, key 60), F#3 or Bb5; -1 when it is none.
int NoteKey(std::string_view name) {
  static constexpr int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
  int key = kSemitones[name[0] - 'A'];
  std::size_t at = 1;
  if (name[at] == '#' || name[at] == 'b') key += name[at++] == '#' ? 1 : -1;
  int octave = 0;
  const auto [end, error] = std::from_chars(name.data() + at, name.data() + name.size(), octave);
  if (error != std::errc{} || end != name.data() + name.size() || octave < -1 || octave > 9) return -1;
  key += 12 * (octave + 1);
  return key >= 0 && key <= 127 ? key : -1;
}

class Reader {
 public:
  Score Read(std::string_view text) {
    const std::vector<std::string_view> lines = Split(text, '\n');
    for (std::size_t i = 0; i < lines.size(); ++i) {
      line_ = static_cast<int>(i + 1);
      const std::string_view content = Trim(WithoutComment(lines[i]));
      if (content.empty()) continue;
      if (content.front() == '|') {
        Bars(content);
      } else {
        Directive(content);
      }
    }
    Finish();
    return std::move(score_);
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const { throw SourceError(line_, message); }

  void Directive(std::string_view content) {
    const std::vector<std::string_view> words = Words(content);
    const std::string_view name = words[0];
    if (name == "part") return Part(words);
    if (!score_.parts.empty()) Fail(Quoted(name) + " must come before the first part");
    if (name == "title") {
      if (words.size() < 2) Fail("the title is missing");
      score_.title = std::string(Trim(content.substr(name.size())));
    } else if (name == "tempo") {
      if (words.size() != 2) Fail("tempo takes one number, the quarter notes a minute");
      score_.tempo = WholeNumber(words[1], 20, 400, line_, "the tempo");
    } else if (name == "meter") {
      const std::vector<std::string_view> fraction = words.size() == 2 ? Split(words[1], '/') : std::vector<std::string_view>{};
      if (fraction.size() != 2) Fail("meter takes a fraction such as 4/4");
      score_.meter_beats = WholeNumber(fraction[0], 1, 16, line_, "the beats of a bar");
      score_.meter_unit = WholeNumber(fraction[1], 1, 16, line_, "the beat's note value");
      if (score_.meter_unit & (score_.meter_unit - 1)) Fail("the beat's note value must be 1, 2, 4, 8 or 16");
    } else {
      Fail("unknown directive " + Quoted(name));
    }
  }

  void Part(const std::vector<std::string_view>& words) {
    if (words.size() < 2 || words.size() % 2 != 0) Fail("part takes a name and then pairs such as \"channel 1\"");
    for (const ScorePart& other : score_.parts) {
      if (other.name == words[1]) Fail("a second part called " + Quoted(words[1]));
    }
    ScorePart part;
    part.name = std::string(words[1]);
    bool has_channel = false;
    for (std::size_t i = 2; i < words.size(); i += 2) {
      const std::string_view key = words[i];
      const std::string_view value = words[i + 1];
      if (key == "channel") {
        part.channel = WholeNumber(value, 1, 16, line_, "the channel") - 1;
        has_channel = true;
      } else if (key == "program") {
        part.program = WholeNumber(value, 1, 128, line_, "the program") - 1;
      } else if (key == "volume") {
        part.volume = WholeNumber(value, 0, 127, line_, "the volume");
      } else if (key == "pan") {
        part.pan = WholeNumber(value, 0, 127, line_, "the pan");
      } else if (key == "velocity") {
        part.velocity = WholeNumber(value, 1, 127, line_, "the velocity");
      } else {
        Fail("unknown part setting " + Quoted(key));
      }
    }
    if (!has_channel) Fail("part " + Quoted(part.name) + " needs a channel");
    if (part.channel == kDrumChannel && part.program) Fail("the drums on channel 10 take no program");
    if (part.channel != kDrumChannel && !part.program) Fail("part " + Quoted(part.name) + " needs a program");
    score_.parts.push_back(std::move(part));
    part_lines_.push_back(line_);
  }

  void Bars(std::string_view content) {
    if (score_.parts.empty()) Fail("a bar before any part");
    std::vector<std::string_view> bars = Split(content, '|');
    bars.erase(bars.begin());  // before the opening bar line
    if (!bars.empty() && Trim(bars.back()).empty()) bars.pop_back();
    for (const std::string_view bar : bars) Bar(bar);
  }

  void Bar(std::string_view bar) {
    ScorePart& part = score_.parts.back();
    const std::vector<std::string_view> events = Words(bar);
    if (events.empty()) Fail("an empty bar in part " + Quoted(part.name) + " (a rest is r/1)");
    const std::uint32_t start = static_cast<std::uint32_t>(part.bars) * score_.bar_ticks();
    std::uint32_t at = 0;
    for (const std::string_view event : events) at += Event(event, part, start + at);
    if (at != score_.bar_ticks()) {
      Fail("bar " + std::to_string(part.bars + 1) + " of part " + Quoted(part.name) + " holds " +
           QuarterNotes(at) + " quarter notes where the meter wants " + QuarterNotes(score_.bar_ticks()));
    }
    ++part.bars;
  }

  // One event, such as C5/8, E4+G4+C5/4., kick@120+hat/8 or r/2; returns its length.
  std::uint32_t Event(std::string_view event, ScorePart& part, std::uint32_t tick) {
    const std::vector<std::string_view> halves = Split(event, '/');
    if (halves.size() != 2 || halves[0].empty()) Fail(Quoted(event) + " is no event: write pitches/length, as C5/8");
    std::string_view length_text = halves[1];
    const bool dotted = !length_text.empty() && length_text.back() == '.';
    if (dotted) length_text.remove_suffix(1);
    const int value = WholeNumber(length_text, 1, 32, line_, "a note length");
    if (value & (value - 1)) Fail("a note length must be 1, 2, 4, 8, 16 or 32, not " + Quoted(halves[1]));
    std::uint32_t length = Score::kTicksPerQuarter * 4 / static_cast<std::uint32_t>(value);
    if (dotted) length = length * 3 / 2;
    if (halves[0] == "r") return length;

    for (const std::string_view pitch : Split(halves[0], '+')) {
      const std::vector<std::string_view> named = Split(pitch, '@');
      if (named.size() > 2) Fail(Quoted(pitch) + " has more than one velocity");
      ScoreNote note;
      note.tick = tick;
      note.length = length;
      int velocity = part.velocity;
      if (part.channel == kDrumChannel) {
        const auto drum = std::find_if(std::begin(kDrums), std::end(kDrums),
                                       [&](const Drum& d) { return d.name == named[0]; });
        if (drum == std::end(kDrums)) Fail("unknown drum " + Quoted(named[0]));
        note.key = static_cast<std::uint8_t>(drum->key);
        velocity = drum->velocity;
      } else {
        const int key = NoteKey(named[0]);
        if (key < 0) Fail(Quoted(named[0]) + " is no note: write a letter, maybe # or b, and an octave, as F#4");
        note.key = static_cast<std::uint8_t>(key);
      }
      if (named.size() == 2) velocity = WholeNumber(named[1], 1, 127, line_, "a velocity");
      note.velocity = static_cast<std::uint8_t>(velocity);
      part.notes.push_back(note);
    }
    return length;
  }

  void Finish() {
    if (score_.parts.empty()) Fail("the score has no parts");
    const int bars = score_.parts.front().bars;
    for (std::size_t i = 0; i < score_.parts.size(); ++i) {
      const ScorePart& part = score_.parts[i];
      if (part.bars == 0 || part.bars != bars) {
        line_ = part_lines_[i];
        Fail("part " + Quoted(part.name) + " has " + std::to_string(part.bars) + " bars where the first part has " +
             std::to_string(bars));
      }
    }
    score_.length_ticks = static_cast<std::uint32_t>(bars) * score_.bar_ticks();
  }

  Score score_;
  std::vector<int> part_lines_;
  int line_ = 0;
};

class TrackWriter {
 public:
  void Event(std::uint32_t tick, std::initializer_list<std::uint8_t> bytes) {
    VarLen(tick - last_tick_);
    last_tick_ = tick;
    bytes_.insert(bytes_.end(), bytes);
  }
  void Meta(std::uint32_t tick, std::uint8_t type, std::string_view data) {
    Event(tick, {0xFF, type});
    VarLen(static_cast<std::uint32_t>(data.size()));
    bytes_.insert(bytes_.end(), data.begin(), data.end());
  }
  void AppendTo(std::vector<std::uint8_t>& file, std::uint32_t end_tick) {
    Meta(end_tick, 0x2F, "");
    const auto size = static_cast<std::uint32_t>(bytes_.size());
    file.insert(file.end(), {'M', 'T', 'r', 'k', static_cast<std::uint8_t>(size >> 24),
                             static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 8),
                             static_cast<std::uint8_t>(size)});
    file.insert(file.end(), bytes_.begin(), bytes_.end());
  }

 private:
  void VarLen(std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
      groups[count++] = value & 0x7F;
      value >>= 7;
    } while (value != 0);
    while (count > 0) {
      --count;
      bytes_.push_back(static_cast<std::uint8_t>(groups[count] | (count > 0 ? 0x80 : 0)));
    }
  }

  std::vector<std::uint8_t> bytes_;
  std::uint32_t last_tick_ = 0;
};

}  // namespace

Score ParseScore(std::string_view text) { return Reader().Read(text); }

std::vector<std::uint8_t> WriteMidiFile(const Score& score) {
  const auto tracks = static_cast<std::uint16_t>(score.parts.size() + 1);
  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1,
                                    static_cast<std::uint8_t>(tracks >> 8), static_cast<std::uint8_t>(tracks),
                                    Score::kTicksPerQuarter >> 8, Score::kTicksPerQuarter & 0xFF};

  TrackWriter conductor;
  if (!score.title.empty()) conductor.Meta(0, 0x03, score.title);
  int unit_power = 0;
  while ((1 << unit_power) < score.meter_unit) ++unit_power;
  const std::uint8_t meter[] = {static_cast<std::uint8_t>(score.meter_beats), static_cast<std::uint8_t>(unit_power),
                                24, 8};
  conductor.Meta(0, 0x58, std::string_view(reinterpret_cast<const char*>(meter), sizeof meter));
  const auto micros = static_cast<std::uint32_t>(std::lround(60e6 / score.tempo));
  const char tempo[] = {static_cast<char>(micros >> 16), static_cast<char>(micros >> 8), static_cast<char>(micros)};
  conductor.Meta(0, 0x51, std::string_view(tempo, sizeof tempo));
  conductor.AppendTo(file, score.length_ticks);

  for (const ScorePart& part : score.parts) {
    struct Timed {
      std::uint32_t tick;
      bool on;  // at one tick, notes end before new ones start
      std::uint8_t key, velocity;
    };
    std::vector<Timed> events;
    for (const ScoreNote& note : part.notes) {
      events.push_back({note.tick, true, note.key, note.velocity});
      events.push_back({note.tick + note.length, false, note.key, 64});
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Timed& a, const Timed& b) { return a.tick != b.tick ? a.tick < b.tick : a.on < b.on; });

    TrackWriter track;
    const auto channel = static_cast<std::uint8_t>(part.channel);
    track.Meta(0, 0x03, part.name);
    track.Event(0, {static_cast<std::uint8_t>(0xB0 | channel), 7, static_cast<std::uint8_t>(part.volume)});
    track.Event(0, {static_cast<std::uint8_t>(0xB0 | channel), 10, static_cast<std::uint8_t>(part.pan)});
    if (part.program) track.Event(0, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(*part.program)});
    for (const Timed& event : events) {
      track.Event(event.tick, {static_cast<std::uint8_t>((event.on ? 0x90 : 0x80) | channel), event.key, event.velocity});
    }
    track.AppendTo(file, score.length_ticks);
  }
  return file;
}

}  // namespace music
