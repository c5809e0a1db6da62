#include "platform/system_local_address.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <memory>

namespace platform {

std::string SystemLocalAddress::DottedIPv4() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return "127.0.0.1";
  const std::unique_ptr<ifaddrs, void (*)(ifaddrs*)> interfaces(list, freeifaddrs);
  for (const ifaddrs* at = list; at; at = at->ifa_next) {
    if (!at->ifa_addr || at->ifa_addr->sa_family != AF_INET) continue;
    if (!(at->ifa_flags & IFF_UP) || (at->ifa_flags & IFF_LOOPBACK)) continue;
    const in_addr address = reinterpret_cast<const sockaddr_in*>(at->ifa_addr)->sin_addr;
    if ((ntohl(address.s_addr) >> 24) == 127) continue;  // a loopback address on another interface
    char text[INET_ADDRSTRLEN];
    if (inet_ntop(AF_INET, &address, text, sizeof text)) return text;
  }
  return "127.0.0.1";
}

}  // namespace platform
