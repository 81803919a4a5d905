// lg81xx: the window. Loads the model on its worker thread, shows the window, and ends
// with status 1 when the start-up meets one of its fatal errors.
#include <QApplication>
#include <QSettings>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <memory>

#include "app_options.h"
#include "backend.h"
#include "demo_phone.h"
#include "file_dialog.h"
#include "jobs/port_choice.h"
#include "main_window.h"
#include "program_folder.h"
#include "qt_dialogs.h"
#include "remembered_choices.h"
#include "screenshot.h"
#include "text_codec.h"
#include "window_controller.h"

using namespace lg81xx;
using namespace lg81xx::gui;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("lg81xx"));
  QApplication::setApplicationDisplayName(QStringLiteral("lg81xx"));
  QApplication::setDesktopFileName(QStringLiteral("lg81xx"));
  QApplication::setApplicationVersion(QStringLiteral(LG81XX_VERSION));
  const AppOptions options = parse_options(QApplication::arguments());
  load_italian_qt_texts(app);  // without them the dialogs speak English

  std::optional<std::filesystem::path> home_option;
  if (options.home) home_option = std::filesystem::path(from_qt(*options.home));
  const auto home = choose_program_folder(standard_places(home_option));

  // Demo: the virtual phone on a pseudo-terminal of this process, chosen in the window.
  std::unique_ptr<DemoPhone> demo;
  if (options.demo) {
    try {
      std::optional<std::filesystem::path> storage;
      if (options.storage) storage = std::filesystem::path(from_qt(*options.storage));
      demo = std::make_unique<DemoPhone>(from_qt(options.model), storage);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "lg81xx: il telefono virtuale non parte: %s\n", e.what());
      return 1;
    }
    std::fprintf(stderr, "lg81xx: telefono virtuale %s su %s, file in %s\n", demo->model().c_str(),
                 demo->device().c_str(), demo->storage().string().c_str());
  }

  MainWindow window;
  if (demo) window.setWindowTitle(window.windowTitle() + QStringLiteral(" (telefono virtuale)"));
  QtDialogs dialogs(window);
  const QString platform = QGuiApplication::platformName();
  dialogs.set_unattended(platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"));
  // The user's choices of the last run, except in a demo (its port is gone) and for a
  // screenshot (it shows the window as a first start does).
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("lg81xx"), QStringLiteral("lg81xx"));
  std::unique_ptr<RememberedChoices> remembered;
  if (!demo && !options.screenshot) {
    remembered = std::make_unique<RememberedChoices>(settings);
    dialogs.remember_folders_in(settings);
  }
  WindowController controller(window, dialogs, real_backend, home);

  controller.load([&](StartResult result) {
    if (result == StartResult::fatal) {
      QApplication::exit(1);
      return;
    }
    const auto ports = available_ports();
    controller.offer_ports(ports);
    if (remembered) {
      controller.run_job([model = from_qt(remembered->model()),
                          port = preselected_port(ports, from_qt(remembered->port())),
                          fast = remembered->fast()](WindowModel& window_model) {
        window_model.choose_model(model);
        window_model.choose_port(port);
        window_model.set_fast(fast);
      });
      remembered->watch(window.connection());
    }
    if (demo) {
      controller.run_job([model = demo->model(), device = demo->device()](WindowModel& window_model) {
        window_model.choose_model(model);
        window_model.offer_ports({device});
        window_model.choose_port(device);
        window_model.set_fast(true);  // a first try should not wait on full intervals
      });
      if (options.connect) {
        controller.run_job([open_first_folder = options.tab == 3](WindowModel& window_model) {
          if (window_model.connect_or_disconnect() != JobResult::ok || !open_first_folder) return;
          window_model.select_folder(0);
          window_model.open_folder();
        });
      }
    }
    if (options.screenshot) {
      window.tabs().setCurrentIndex(options.tab - 1);
      // Once the ports are in the list (and the demo connected), draw the window and leave.
      QObject::connect(&controller, &WindowController::idle, &window, [&] {
        const bool saved = save_screenshot(window, *options.screenshot);
        if (!saved) std::fprintf(stderr, "lg81xx: cannot write %s\n", qPrintable(*options.screenshot));
        QApplication::exit(saved ? 0 : 1);
      });
      return;
    }
    window.show();
  });
  return QApplication::exec();
}
