// Writes the game's icons for the hicolor theme from the runner's standing
// picture, the same one the window shows:
//
//   render_icons <picture> <out-dir> <icon-name> <size>...
//
// makes <out-dir>/<size>x<size>/apps/<icon-name>.png for every size.
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "icon_scaling.h"
#include "ui/pictures.h"

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s <picture> <out-dir> <icon-name> <size>...\n", argv[0]);
    return 2;
  }
  const ui::Bitmap* picture = ui::FindPicture(argv[1]);
  if (!picture) {
    std::fprintf(stderr, "render_icons: there is no picture called %s\n", argv[1]);
    return 1;
  }
  const QString out = QString::fromLocal8Bit(argv[2]);
  const QString name = QString::fromLocal8Bit(argv[3]);
  for (int i = 4; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    try {
      const ui::Bitmap icon = packaging::IconOfSize(*picture, size);
      QImage image(icon.width, icon.height, QImage::Format_ARGB32);
      for (int y = 0; y < icon.height; ++y) {
        for (int x = 0; x < icon.width; ++x) image.setPixel(x, y, icon.At(x, y));
      }
      const QString directory = QString("%1/%2x%2/apps").arg(out).arg(size);
      const QString file = directory + "/" + name + ".png";
      if (!QDir().mkpath(directory) || !image.save(file, "PNG")) {
        std::fprintf(stderr, "render_icons: could not write %s\n", file.toLocal8Bit().constData());
        return 1;
      }
    } catch (const std::exception& error) {
      std::fprintf(stderr, "render_icons: %s\n", error.what());
      return 1;
    }
  }
  return 0;
}
