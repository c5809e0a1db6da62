// The machine's local IPv4 address, from the system's list of interfaces.
#pragma once

#include "platform/service_interfaces.h"

namespace platform {

class SystemLocalAddress final : public LocalAddress {
 public:
  // The first IPv4 address of an interface that is up and not the loopback;
  // "127.0.0.1" when there is none.
  std::string DottedIPv4() override;
};

}  // namespace platform
