// Lists, once each, printable ASCII and every character beyond it in the
// given source files, as a C++ source defining kShownCharacters (code points,
// ending in 0). Every text the game shows is written in its sources, and
// numbers, times and addresses in ASCII, so the fonts can be cut down to these.
//
//   list_characters OUTPUT.cpp SOURCE...
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

// The code points of the well-formed multi-byte sequences in `text`.
void AddCharacters(const std::string& text, std::set<char32_t>& characters) {
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    bool well_formed = lead < 0x80 || (lead >= 0xC0 && lead < 0xF8 && at + length <= text.size());
    for (int i = 1; well_formed && i < length; ++i) {
      const auto next = static_cast<unsigned char>(text[at + i]);
      well_formed = (next & 0xC0) == 0x80;
      code = code << 6 | (next & 0x3F);
    }
    if (well_formed && code >= 0x80) characters.insert(code);
    at += well_formed ? length : 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: list_characters OUTPUT.cpp SOURCE...\n");
    return 2;
  }
  std::set<char32_t> characters;
  for (char32_t code = 0x20; code < 0x7F; ++code) characters.insert(code);
  for (int i = 2; i < argc; ++i) {
    std::ifstream source(argv[i], std::ios::binary);
    if (!source) {
      std::fprintf(stderr, "list_characters: cannot read %s\n", argv[i]);
      return 1;
    }
    AddCharacters(std::string(std::istreambuf_iterator<char>(source), {}), characters);
  }
  std::ofstream output(argv[1], std::ios::binary);
  output << "// Written by list_characters: printable ASCII and the characters the game's texts use.\n"
         << "extern const char32_t kShownCharacters[];\n"
         << "const char32_t kShownCharacters[] = {";
  for (char32_t code : characters) output << "0x" << std::hex << static_cast<unsigned long>(code) << ", ";
  output << "0};\n";
  return output.good() ? 0 : 1;
}
