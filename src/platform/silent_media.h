// Media that play nothing: every command fails quietly, as with no device.
#pragma once

#include "platform/services.h"

namespace platform {

class SilentMedia final : public Media {
 public:
  static constexpr int kNoDevice = 263;
  int SendCommand(std::string_view) override { return kNoDevice; }
  bool PlayWave(std::string_view) override { return false; }
};

}  // namespace platform
