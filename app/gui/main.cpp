// lg81xx: the window. Loads the model on its worker thread, shows the window, and ends
// with status 1 when the start-up meets one of its fatal errors. --help, --version and a
// wrong command line are answered on the terminal, without a window system.
#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
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
#include "progress_label.h"
#include "qt_dialogs.h"
#include "remembered_choices.h"
#include "screenshot.h"
#include "text_codec.h"
#include "widget_names.h"
#include "window_controller.h"

using namespace lg81xx;
using namespace lg81xx::gui;

namespace {

// Takes the screenshot once the download under way is half done and its speed shown, then
// stops the download; the program ends when the window is idle again, with status 1 when
// there was no such moment.
void screenshot_half_way(MainWindow& window, WindowController& controller, const QString& file) {
  auto* poll = new QTimer(&window);
  QObject::connect(poll, &QTimer::timeout, &window, [&window, &controller, file, poll] {
    const auto* progress = window.findChild<ProgressLabel*>(QLatin1String(names::kProgress));
    const auto* status = window.findChild<QLabel*>(QLatin1String(names::kStatusLine));
    if (progress->fraction() < 0.5 || !status->text().contains(QLatin1String("/s"))) return;
    poll->stop();
    const bool saved = save_screenshot(window, file);
    if (!saved) std::fprintf(stderr, "lg81xx: cannot write %s\n", qPrintable(file));
    QObject::connect(&controller, &WindowController::idle, &window, [saved] { QApplication::exit(saved ? 0 : 1); });
    controller.cancel_job();
  });
  // A download that ended, or never began, before half way leaves nothing to draw.
  QObject::connect(&controller, &WindowController::idle, poll, [poll] {
    if (!poll->isActive()) return;
    poll->stop();
    std::fprintf(stderr, "lg81xx: nessuna immagine: il download non è arrivato a metà (con --baud 38400 si vede)\n");
    QApplication::exit(1);
  });
  poll->start(20);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setApplicationName(QStringLiteral("lg81xx"));
  QCoreApplication::setApplicationVersion(QStringLiteral(LG81XX_VERSION));
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (answered_on_terminal(arguments)) {
    const QCoreApplication terminal(argc, argv);
    parse_options(QCoreApplication::arguments());  // prints and exits
    return 2;
  }

  QApplication app(argc, argv);
  // The window's title names the program once: no display name for the platform to add.
  QGuiApplication::setDesktopFileName(QStringLiteral("lg81xx"));
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
      demo = std::make_unique<DemoPhone>(from_qt(options.model), storage, options.baud);
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
  if (remembered) remembered->restore_window(window, window.tabs());

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
      if (options.download_entry) {
        controller.run_job(
            [folder = from_qt(*options.download_folder), entry = from_qt(*options.download_entry)](WindowModel& m) {
              const auto& folders = m.folders();
              const auto at = std::find(folders.begin(), folders.end(), folder);
              if (at == folders.end()) return;
              m.select_folder(static_cast<int>(at - folders.begin()));
              if (m.open_folder() != JobResult::ok) return;
              const auto& entries = m.entries();
              m.select_entry(static_cast<int>(std::find(entries.begin(), entries.end(), entry) - entries.begin()));
              m.download_named(folder, entry);
            });
        window.show_cancel(true);
      }
    }
    if (options.screenshot) {
      window.tabs().setCurrentIndex(options.tab - 1);
      if (options.download_entry) {
        screenshot_half_way(window, controller, *options.screenshot);
        return;
      }
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
  const int status = QApplication::exec();
  if (remembered) remembered->keep_window(window, window.tabs());
  return status;
}
