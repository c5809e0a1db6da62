#include "platform/qt/qt_local_address.h"

#include <QNetworkInterface>

namespace platform {

std::string QtLocalAddress::DottedIPv4() {
  for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
    auto flags = interface.flags();
    if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack)) continue;
    for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
      QHostAddress address = entry.ip();
      if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
        return address.toString().toStdString();
      }
    }
  }
  return "127.0.0.1";
}

}  // namespace platform
