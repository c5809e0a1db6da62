#include "platform/qt/qt_settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstdio>
#include <vector>

namespace platform {

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// What lies at a place: nothing, a regular file (through any symbolic
// links), or something else: a directory, a pipe, a socket, a device, a
// link to nowhere. Only a regular file is read or replaced.
enum class Place { Empty, File, Other };

Place Look(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  struct stat info {};
  if (lstat(name.constData(), &info) != 0) return Place::Empty;
  if (S_ISLNK(info.st_mode) && stat(name.constData(), &info) != 0) return Place::Other;
  return S_ISREG(info.st_mode) ? Place::File : Place::Other;
}

// The whole file. Opened without waiting and checked again once open, so
// that a pipe put there after the look is refused rather than waited on.
std::optional<std::string> ReadRegular(const QString& path) {
  const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  QFile file;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    close(fd);
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes.toStdString();
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// One line of an INI file, its line end included, and what it says.
struct IniLine {
  enum class Kind { Blank, Section, Entry, BrokenHeader, Bad };
  std::string_view raw;
  Kind kind = Kind::Blank;
  std::string_view name;  // the section's, or the entry's key
  std::string_view value;
  std::optional<std::string_view> section;  // the one it stands in, if any
  bool unreadable() const { return kind == Kind::BrokenHeader || kind == Kind::Bad; }
};

IniLine ReadLine(std::string_view raw, bool first) {
  IniLine line;
  line.raw = raw;
  std::string_view text = raw;
  if (first && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte order mark
  if (text.ends_with('\n')) text.remove_suffix(1);
  if (text.ends_with('\r')) text.remove_suffix(1);
  text = Trimmed(text);
  const std::size_t equals = text.find('=');
  if (text.empty() || text.front() == ';' || text.front() == '#') {
    line.kind = IniLine::Kind::Blank;
  } else if (text.front() == '[') {
    line.kind = text.size() > 1 && text.back() == ']' ? IniLine::Kind::Section : IniLine::Kind::BrokenHeader;
    line.name = Trimmed(text.substr(1, text.size() - 2));
  } else if (equals != std::string_view::npos && equals > 0) {
    line.kind = IniLine::Kind::Entry;
    line.name = Trimmed(text.substr(0, equals));
    line.value = Trimmed(text.substr(equals + 1));
  } else {
    line.kind = IniLine::Kind::Bad;
  }
  return line;
}

// An INI file as lines. Each line is read on its own: one that cannot be
// read costs only itself, and a header that cannot be read leaves the
// entries below it in no section until the next one.
class IniLines {
 public:
  explicit IniLines(std::string_view file) {
    std::optional<std::string_view> section;
    for (std::size_t start = 0; start < file.size();) {
      const std::size_t end = std::min(file.find('\n', start), file.size() - 1) + 1;
      IniLine line = ReadLine(file.substr(start, end - start), start == 0);
      if (line.kind == IniLine::Kind::Section) section = line.name;
      if (line.kind == IniLine::Kind::BrokenHeader) section.reset();
      damaged_ = damaged_ || line.unreadable();
      line.section = section;
      lines_.push_back(line);
      start = end;
    }
  }

  bool damaged() const { return damaged_; }
  bool crlf() const { return !lines_.empty() && lines_.front().raw.ends_with("\r\n"); }

  // The last entry of `key` in `section`, and the last header of `section`.
  std::optional<std::size_t> Entry(std::string_view section, std::string_view key) const {
    return Last([&](std::size_t i) {
      return lines_[i].kind == IniLine::Kind::Entry && lines_[i].section == section && lines_[i].name == key;
    });
  }
  std::optional<std::size_t> Header(std::string_view section) const {
    return Last([&](std::size_t i) { return lines_[i].kind == IniLine::Kind::Section && lines_[i].name == section; });
  }

  // A value as it was written: the text inside double quotes, or up to a
  // comment after ';'.
  std::string Value(std::size_t entry) const {
    std::string_view value = lines_[entry].value;
    const std::size_t close = value.find('"', 1);
    if (value.starts_with('"') && close != std::string_view::npos) return std::string(value.substr(1, close - 1));
    return std::string(Trimmed(value.substr(0, value.find(';'))));
  }

  // The file with `key` = `text` in `section`: the last entry of it
  // replaced, else a new one under the last header, else a new section at
  // the end. Every other line stays as it was, but those that could not
  // be read when `drop_bad`.
  std::string With(std::string_view section, std::string_view key, std::string_view text, bool drop_bad) const {
    const std::string line_end = crlf() ? "\r\n" : "\n";
    const std::string entry = std::string(key) + "=" + std::string(text);
    const std::optional<std::size_t> replaced = Entry(section, key);
    const std::optional<std::size_t> header = replaced ? std::nullopt : Header(section);
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const IniLine& line = lines_[i];
      if (drop_bad && line.unreadable()) continue;
      if (i == replaced) {
        out += entry + std::string(line.raw.substr(line.raw.find_last_not_of("\r\n") + 1));
        continue;
      }
      out += line.raw;
      if (i != header) continue;
      if (!line.raw.ends_with('\n')) out += line_end;
      out += entry + line_end;
    }
    if (!replaced && !header) {
      if (!out.empty() && !out.ends_with('\n')) out += line_end;
      out.append("[").append(section).append("]").append(line_end).append(entry).append(line_end);
    }
    return out;
  }

 private:
  template <typename Matches>
  std::optional<std::size_t> Last(Matches matches) const {
    for (std::size_t i = lines_.size(); i-- > 0;) {
      if (matches(i)) return i;
    }
    return std::nullopt;
  }

  std::vector<IniLine> lines_;
  bool damaged_ = false;
};

}  // namespace

QtSettingsStore::QtSettingsStore(QString directory, QString legacy_directory)
    : directory_(std::move(directory)), legacy_directory_(std::move(legacy_directory)) {
  if (directory_.isEmpty()) {
    legacy_directory_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    directory_ = legacy_directory_ + "/mascot-race";
  }
}

QString QtSettingsStore::FilePath(std::string_view application) const {
  return directory_ + "/" + FromUtf8(application) + ".ini";
}

void QtSettingsStore::SayOnce(const QString& path, const QString& line) {
  // Said once a file: the game plays on, it just cannot keep the purse there.
  if (!said_.insert(path).second) return;
  std::fprintf(stderr, "mascot-race: %s\n", line.toLocal8Bit().constData());
}

std::optional<std::string> QtSettingsStore::Contents(const QString& path) {
  switch (Look(path)) {
    case Place::Empty:
      return std::nullopt;
    case Place::Other:
      SayOnce(path, QString("the purse file %1 is not a regular file; the game leaves it alone").arg(path));
      return std::nullopt;
    case Place::File:
      break;
  }
  return ReadRegular(path);
}

std::string QtSettingsStore::Read(std::string_view application, std::string_view section, std::string_view key,
                                  std::string_view default_text) {
  const QString path = FilePath(application);
  std::optional<std::string> contents = Contents(path);
  // The purse an earlier game kept, until this game has saved its own.
  if (!contents && !legacy_directory_.isEmpty() && Look(path) == Place::Empty) {
    contents = Contents(legacy_directory_ + "/" + FromUtf8(application) + ".ini");
  }
  if (!contents) return std::string(default_text);
  const IniLines lines(*contents);
  const std::optional<std::size_t> entry = lines.Entry(section, key);
  return entry ? lines.Value(*entry) : std::string(default_text);
}

// Copied with its every line before a save drops those it could not read;
// false when no copy could be made.
bool QtSettingsStore::SetAside(const QString& path, const std::string& contents) {
  for (int n = 1; n < 100; ++n) {
    const QString aside = path + ".damaged" + (n == 1 ? QString() : "-" + QString::number(n));
    QFile copy(aside);
    // NewOnly: never over another file, nor through a link or into a pipe.
    if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
      if (Look(aside) == Place::Empty) return false;
      continue;
    }
    if (copy.write(contents.data(), static_cast<qint64>(contents.size())) != static_cast<qint64>(contents.size()) ||
        !copy.flush()) {
      copy.remove();
      return false;
    }
    SayOnce(aside, QString("%1 had lines the game could not read; the file as it was is kept in %2").arg(path, aside));
    return true;
  }
  return false;
}

bool QtSettingsStore::Write(std::string_view application, std::string_view section, std::string_view key,
                            std::string_view text) {
  const QString path = FilePath(application);
  const Place place = Look(path);
  std::optional<std::string> contents = Contents(path);
  if (place == Place::Other) return false;  // said
  bool written = false;
  // A file that is there but cannot be read is not written over.
  if (place == Place::Empty || contents) {
    const std::string old = contents.value_or(std::string());
    const IniLines lines(old);  // views into `old`
    // Once copied aside, the lines that could not be read go: the next run finds a sound file.
    const std::string updated = lines.With(section, key, text, lines.damaged() && SetAside(path, old));
    // Written to a temporary file and renamed over the old one: a kill or a
    // full disk leaves the old purse or the new one, never half of either.
    QSaveFile file(path);
    written = QDir().mkpath(directory_) && file.open(QIODevice::WriteOnly) &&
              file.write(updated.data(), static_cast<qint64>(updated.size())) == static_cast<qint64>(updated.size()) &&
              file.commit();
  }
  if (!written) SayOnce(path, QString("could not save the purse to %1").arg(path));
  return written;
}

}  // namespace platform
