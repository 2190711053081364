// ondrava: the Linux program. Finds the settings file, makes the window and
// runs the loop; the settings are saved on exit from the menu, on SIGTERM
// and when the session asks before logging out.
#include <QApplication>
#include <QFileInfo>
#include <QSessionManager>
#include <cstdlib>

#include "app/fixed_time.h"
#include "app/platform_choice.h"
#include "app/program_folder.h"
#include "app/settings_location.h"
#include "app/startup_text.h"
#include "pixels/alpha_functions.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/termination_signal.h"
#include "qt/x11_window.h"

namespace {
std::u16string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? FromQString(QString::fromLocal8Bit(value)) : u"";
}

bool FileExists(const std::u16string& path) {
  return QFileInfo(ToQString(path)).isFile();
}

// A test seam: ONDRAVA_FIXED_TIME=YYYY-MM-DDTHH:MM:SS[.mmm] makes every
// frame show that local time, so that a frame can be compared with
// ondrava-snap's for the same moment. Read once, at start.
std::optional<SYSTEMTIME> FixedTime() {
  const char* value = std::getenv("ONDRAVA_FIXED_TIME");
  return value ? ParseFixedTime(value) : std::nullopt;
}

// On a Wayland session the X11 program through XWayland keeps every
// behaviour of the ornament, unless the user chose a platform.
void ChooseWindowSystem(int argc, char** argv) {
  const auto value = [](const char* name) {
    const char* text = std::getenv(name);
    return std::string_view(text ? text : "");
  };
  const std::optional<std::string> platform = ChosenQtPlatform(
      {value("QT_QPA_PLATFORM"), value("WAYLAND_DISPLAY"), value("DISPLAY")},
      NamesQtPlatform(std::span<char* const>(argv, std::size_t(argc))),
      X11DisplayAnswers);
  if (platform) setenv("QT_QPA_PLATFORM", platform->c_str(), 1);
}

int Run(int& argc, char** argv) {
  ChooseWindowSystem(argc, argv);
  QApplication app(argc, argv);  // takes Qt's own options out of argv
  app.setQuitOnLastWindowClosed(false);
  QGuiApplication::setDesktopFileName(QStringLiteral("ondrava"));

  const std::u16string given = argc > 1 ? SettingsPathFromArguments(FromQString(
                                              QString::fromLocal8Bit(argv[1])))
                                        : u"";
  const std::u16string perUser =
      XdgSettingsPath(Environment("XDG_CONFIG_HOME"), Environment("HOME"));
  const SettingsLocation location = LinuxSettingsLocation(
      given,
      SettingsPathInProgramFolder(
          FromQString(QCoreApplication::applicationFilePath())),
      perUser, FileExists);

  CQtMainWindow window(FixedTime());
  CTerminationSignal termination([&window] { window.Close(); });
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager&) { window.SaveSettings(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                   [&window] { window.Close(); });
  window.Start(location);
  return app.exec();
}
}  // namespace

int main(int argc, char** argv) {
  BindAlphaFunctions();
  const int status = Run(argc, argv);
  ReleaseAlphaFunctions();
  return status;
}
