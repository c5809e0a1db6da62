#include "platform/qt/plugin_loader.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QPluginLoader>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "platform/trusted_file.h"

namespace platform {

QObject* LoadPlugin(const std::vector<std::string>& files, const char* iid, const char* what, const char* without) {
  QStringList passed;
  for (const std::string& file : files) {
    const QString path = QString::fromStdString(file);
    if (!QFileInfo(path).isFile()) {
      passed << path + " is not there";
      continue;
    }
    const std::optional<std::string> trusted = TrustedFile(file);
    if (!trusted) {
      passed << path + " is not to be trusted";
      continue;
    }
    QPluginLoader loader(QString::fromStdString(*trusted));
    // Read from the file without loading it: a stale plugin never runs.
    const QString found = loader.metaData().value("IID").toString();
    if (found != QLatin1String(iid)) {
      passed << (found.isEmpty() ? path + " is no plugin"
                                 : path + " is for another version of the game (" + found + ", not " + iid + ")");
      continue;
    }
    if (QObject* plugin = loader.instance()) return plugin;
    passed << loader.errorString();
  }
  std::fprintf(stderr, "mascot-race: no %s plugin would load: %s; %s\n", what, qPrintable(passed.join("; ")), without);
  return nullptr;
}

}  // namespace platform
