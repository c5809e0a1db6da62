// Builds the game's music from its sources:
//   music_tool midi <score> <out.mid>
//   music_tool wave <tones> <out.wav>
// A mistake in a source stops the build with its file and line.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "score.h"
#include "tones.h"

namespace {

bool ReadText(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  return true;
}

// Written beside the target and renamed over it, so an interrupted build
// never leaves half a file where the game looks.
bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string partial = path + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return false;
  }
  return std::rename(partial.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 4 ? argv[1] : "";
  if (mode != "midi" && mode != "wave") {
    std::cerr << "usage: music_tool midi <score> <out.mid> | music_tool wave <tones> <out.wav>\n";
    return 2;
  }
  const std::string source = argv[2];
  const std::string target = argv[3];
  std::string text;
  if (!ReadText(source, text)) {
    std::cerr << source << ": cannot be read\n";
    return 1;
  }
  try {
    std::vector<std::uint8_t> bytes;
    if (mode == "midi") {
      bytes = music::WriteMidiFile(music::ParseScore(text));
    } else {
      const music::ToneSheet sheet = music::ParseTones(text);
      bytes = music::WriteWaveFile(music::Synthesize(sheet), sheet.rate);
    }
    if (!WriteBytes(target, bytes)) {
      std::cerr << target << ": cannot be written\n";
      return 1;
    }
  } catch (const music::SourceError& error) {
    std::cerr << source << ":" << error.line << ": " << error.what() << "\n";
    return 1;
  }
  return 0;
}
