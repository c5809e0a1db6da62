// Fuzzes the reading of a saved purse: any text either becomes a whole
// number of まめ or is refused as no number, never anything else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto number = platform::ParseNumber(text);
  try {
    std::int32_t purse = platform::TextToLong(text);
    // Read as a purse only what reads as a number, to its nearest whole value.
    if (!number || platform::RoundHalfEven(*number) != static_cast<double>(purse)) std::abort();
    // And its text reads back the same.
    if (platform::TextToLong(platform::DecimalText(purse)) != purse) std::abort();
  } catch (const platform::GameError& error) {
    bool refused = !number || error.kind() == platform::GameError::Kind::Overflow;
    if (!refused) std::abort();
  }
  return 0;
}
