#pragma once
// The window and its controller over the in-process virtual phone on a virtual clock:
// every exchange answers at once, dialogs and message boxes are recorded, never shown.
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <memory>

#include "form_controller.h"
#include "main_window.h"
#include "phone_port.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"
#include "virtual_phone.h"

namespace lg81xx::gui::testing {

using lg81xx::testing::RecordingUi;
using lg81xx::testing::TempDir;

class GuiHarness {
 public:
  // `ini` is the content of LG81XX.ini in a fresh program folder (nothing: no file).
  explicit GuiHarness(std::optional<std::string> ini = "MIDP=1\r\n", std::string model = "LG U8130");
  ~GuiHarness();

  // The start-up, then waits until its state is on screen.
  StartResult load();
  // Waits until no job runs.
  void wait_idle();

  template <typename W = QWidget>
  W* find(const char* name) {
    auto* w = window.findChild<W*>(QLatin1String(name));
    if (!w) qWarning("no widget named %s", name);
    return w;
  }
  // Lets every queued edit reach the model.
  void sync() {
    controller->run_job([](Form1&) {});
    wait_idle();
  }
  // Reads the model on its own thread, between jobs.
  template <typename F>
  auto read_model(F read) {
    decltype(read(std::declval<Form1&>())) value{};
    controller->run_job([&](Form1& form) { value = read(form); });
    wait_idle();
    return value;
  }
  void set_combo_text(const char* combo, const QString& text);
  void click(const char* button);

  TempDir home;
  TempDir storage;
  std::unique_ptr<sim::VirtualPhone> phone;
  RecordingUi ui;
  MainWindow window;
  std::unique_ptr<FormController> controller;
};

}  // namespace lg81xx::gui::testing
