// Renders a song ahead for the game's sound system in a process of its own,
// so that the synthesizer's libraries never enter the game's:
//
//   mascot-race-renderer FRAMES SOUNDFONT...    (the song on standard input)
//
// Writes one byte, 'R', once a soundfont has loaded and the song's
// instruments are in, then the song as FLAC, piece by piece as it is made:
// each piece is its number of frames and of bytes (two 32-bit numbers in the
// machine's byte order), then its bytes. Encoding here keeps the encoder out
// of the game's process. Exits 0 when the song has been rendered to its end.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/audio/file_io.h"
#include "platform/audio/synth_mixer.h"
#include "platform/midi_file.h"

namespace {

bool WriteAll(const void* data, std::size_t size) { return platform::WriteFully(STDOUT_FILENO, data, size); }

// The song on standard input; nothing when it is longer than `limit`.
std::vector<std::uint8_t> ReadSong(std::size_t limit) {
  std::vector<std::uint8_t> song(limit + 1);
  song.resize(platform::ReadFully(STDIN_FILENO, song.data(), song.size()));
  return song.size() <= limit ? song : std::vector<std::uint8_t>();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  char* end = nullptr;
  const unsigned long long frames = std::strtoull(argv[1], &end, 10);
  if (*end != '\0' || frames == 0 || frames > 60ULL * platform::SoundFontSynth::kSampleRate) return 2;
  const std::vector<std::uint8_t> song = ReadSong(1 << 20);
  const std::optional<platform::MidiFileSummary> summary = platform::ReadMidiFileSummary(song);
  if (!summary) return 1;
  const std::unique_ptr<platform::SoundFontSynth> synth =
      platform::SoundFontSynth::Load(std::vector<std::string>(argv + 2, argv + argc));
  if (!synth || !synth->PrepareFor(summary->programs) || !WriteAll("R", 1)) return 1;
  platform::FlacEncoder encoder([](const std::uint8_t* bytes, std::size_t count, std::size_t frames) {
    const std::uint32_t head[2] = {static_cast<std::uint32_t>(frames), static_cast<std::uint32_t>(count)};
    return WriteAll(head, sizeof head) && WriteAll(bytes, count);
  });
  const bool played = synth->Render(song, frames, [&encoder](const std::int16_t* samples, std::size_t count) {
    return encoder.Add(samples, count);
  });
  return played && encoder.Finish() ? 0 : 1;
}
