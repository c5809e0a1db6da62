// Runs a fuzz target's entry point on every file of a corpus directory (the
// seeds, and the inputs a fuzzing run found failing, kept beside them) as an
// ordinary test: a broken property aborts.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  int inputs = 0;
  for (const auto& file : std::filesystem::directory_iterator(argv[1])) {
    std::ifstream in(file.path(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++inputs;
  }
  std::printf("%d inputs from %s\n", inputs, argv[1]);
  return inputs > 0 ? 0 : 1;
}
