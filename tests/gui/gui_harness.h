#pragma once
// The window and its controller for the window's tests: the in-process virtual phone on a
// virtual clock answers every exchange at once; dialogs and message boxes are recorded,
// never shown.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <optional>

#include "main_window.h"
#include "phone_port.h"
#include "platform/files.h"
#include "platform/zip/zip_archiver.h"
#include "progress_label.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"
#include "virtual_phone.h"
#include "window_controller.h"

namespace lg81xx::gui::testing {

using lg81xx::testing::read_file;
using lg81xx::testing::RecordingUi;
using lg81xx::testing::TempDir;
using lg81xx::testing::write_file;

inline QStringList items(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

struct GuiHarness {
  explicit GuiHarness(const std::string& model = "LG U8130")
      : phone(sim::PhoneOptions{model, "354321098765432", storage.path(), 0}) {
    write_file(home / "LG81XX.ini", "MIDP=1\r\n");
    controller = std::make_unique<WindowController>(
        window, ui,
        [this] {
          return Backend{std::make_unique<sim::PhonePort>(phone), std::make_unique<VirtualClock>(),
                         std::make_unique<ZipArchiver>(), std::make_unique<LocalFiles>()};
        },
        home.path());
    window.show();
  }
  ~GuiHarness() { controller.reset(); }

  StartResult load() {
    std::optional<StartResult> result;
    controller->load([&](StartResult r) { result = r; });
    if (!QTest::qWaitFor([&] { return result.has_value(); }, 10000)) qWarning("the start-up did not finish");
    return result.value_or(StartResult::fatal);
  }
  void wait_idle() {
    if (!QTest::qWaitFor([&] { return !controller->job_running(); }, 20000)) qWarning("job did not finish");
  }
  template <typename W = QWidget>
  W* find(const char* name) {
    auto* w = window.findChild<W*>(QLatin1String(name));
    if (!w) qWarning("no widget named %s", name);
    return w;
  }
  // Reads the model on its own thread, after every queued edit reached it.
  template <typename F>
  auto read_model(F read) {
    decltype(read(std::declval<WindowModel&>())) value{};
    controller->run_job([&](WindowModel& form) { value = read(form); });
    wait_idle();
    return value;
  }
  void set_combo_text(const char* combo, const QString& text) {
    auto* box = find<QComboBox>(combo);
    if (!box->isEditable()) {  // a drop-down list: the item is chosen, if there is one
      box->setCurrentIndex(box->findText(text));
      return;
    }
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
  }
  // Lists `folder` as chosen in List1.
  void open_folder(const QString& folder) {
    auto* folders = find<QListWidget>("List1");
    folders->setCurrentRow(static_cast<int>(items(folders).indexOf(folder)));
    controller->run_job([](WindowModel& m) { m.open_folder(); });
    wait_idle();
  }
  void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

  TempDir home;
  TempDir storage;
  sim::VirtualPhone phone;
  RecordingUi ui;
  MainWindow window;
  std::unique_ptr<WindowController> controller;
};

inline QString text_of(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
  if (auto* p = dynamic_cast<ProgressLabel*>(w)) return p->text();
  return QStringLiteral("<no text>");
}

inline void connect_through_widgets(GuiHarness& h) {
  QCOMPARE(h.load(), StartResult::ok);
  h.set_combo_text("Combo1", "LG U8130");
  h.set_combo_text("Combo2", "/dev/virtual-phone");
  h.click("Command1");
  h.wait_idle();
}

}  // namespace lg81xx::gui::testing
