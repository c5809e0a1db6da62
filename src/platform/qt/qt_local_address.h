// The machine's local IPv4 address from Qt's list of network interfaces.
#pragma once

#include "platform/services.h"

namespace platform {

class QtLocalAddress final : public LocalAddress {
 public:
  // The first IPv4 address of an interface that is up and not the loopback;
  // "127.0.0.1" when there is none.
  std::string DottedIPv4() override;
};

}  // namespace platform
