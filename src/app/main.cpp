// Wires the real services, the rules and the window, and runs the game.
#include <QApplication>
#include <QLocale>
#include <QPixmapCache>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <optional>
#include <string>

#include "app/command_line.h"
#include "app/installation.h"
#include "app/installed_data.h"
#include "app/language.h"
#include "app/qt_front_end.h"
#include "app/single_instance.h"

#include "platform/qt/qt_settings_store.h"
#include "platform/system_clocks.h"
#include "platform/system_local_address.h"
#include "records/records_store.h"
#include "sound/media_commands.h"
#include "sound/sound_module.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_message_boxes.h"
#include "ui/qt/qt_program_end.h"

int main(int argc, char** argv) {
#if defined(__GLIBC__)
  // glibc raises its threshold for giving memory straight back to the system
  // to the largest block freed so far: after the soundfont's half-megabyte
  // buffers, every later block below that size (the start signal's samples,
  // the race's scratch) stayed in the heap once freed. Fixed, big blocks go
  // back to the system when they are freed, and so does a free heap top.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  mallopt(M_TRIM_THRESHOLD, 128 * 1024);
#endif
  const std::string executable_directory = app::ExecutableDirectory();
  // The desktop's language, from the first text on: --help speaks it too.
  app::Translators translators(app::ChooseLanguage(QLocale::system().uiLanguages()),
                               app::CatalogueDirectories(executable_directory));
  if (std::optional<int> exit_code = app::HandleCommandLine(argc, argv, stdout, stderr, translators)) return *exit_code;
  // A race repaints a runner's few pixels 32 times a second. Sent over the X
  // connection they cost less than through shared memory, where every frame
  // waits on the X server's word that it has read the last one: a fifth of
  // the game's time while racing, and a wake-up a frame. The player's own
  // setting is kept.
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");

  QApplication application(argc, argv);
  translators.Install();
  QApplication::setApplicationName("mascot-race");
  QApplication::setApplicationVersion(app::installation::kVersion);
  // Lets a Wayland compositor match the window to the installed desktop entry and icon.
  QGuiApplication::setDesktopFileName(app::installation::kDesktopId);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  // The style keeps a picture of every button in every state it was drawn
  // in, some 300 kB by the end of a race; our buttons change state a few
  // times a race, so drawing them afresh costs nothing to speak of.
  QPixmapCache::setCacheLimit(64);
  // The menu bar and the message boxes speak in the window's own font.
  QApplication::setFont(ui::qt::FontFor(ui::MainFormDefinition().font));

  platform::ClassicGenerator random;
  ui::qt::QtMessageBoxes message_boxes;
  platform::SystemClock clock;
  platform::SystemLocalAddress local_address;
  platform::QtSettingsStore settings;
  // Qt's runtime directory is $XDG_RUNTIME_DIR, else one of the user's own in
  // the temporary directory; either only when the user's own with mode 0700.
  app::SingleInstance single_instance(settings.directory(),
                                      QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
  if (!single_instance.acquired()) return app::LaunchedAgain(single_instance);
  // The rules ask beside the executable; an installed game has its music in its data directory.
  sound::SoundModule sound(app::SoundModuleFiles(executable_directory), app::DataDirectories(executable_directory));
  sound.SayIfNowhere(executable_directory + "/bgm.mid");
  sound::MediaCommands media(sound);
  ui::qt::QtProgramEnd program_end;
  // Every settled race is kept; a store that cannot keep them says so and the game plays on.
  records::RecordsStore records(records::RecordsStore::DefaultPath(),
                                [](const std::string& news) { std::fprintf(stderr, "mascot-race: %s\n", news.c_str()); });
  game::Services services{random,   message_boxes, clock, local_address, settings, media, program_end,
                          executable_directory, records};

  platform::SteadyClock steady_clock;
  platform::TickClock timer_clock(steady_clock);
  game::GameSession session(services, timer_clock);
  app::QtFrontEnd front_end(session, message_boxes, records, app::StatisticsModuleFiles(executable_directory),
                            timer_clock);

  single_instance.OnLaunchedAgain([&front_end] { app::BringToFront(front_end.main_window()); });
  session.Start();
  // The records are opened once the window is up: it appears that much sooner.
  QTimer::singleShot(0, [&records] { records.OpenNow(); });
  return QApplication::exec();
}
