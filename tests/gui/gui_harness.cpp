#include "gui_harness.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "platform/files.h"
#include "platform/zip/zip_archiver.h"

namespace lg81xx::gui::testing {

GuiHarness::GuiHarness(std::optional<std::string> ini, std::string model) {
  if (ini) lg81xx::testing::write_file(home / "LG81XX.ini", *ini);
  sim::PhoneOptions options;
  options.model = std::move(model);
  options.storage = storage.path();
  phone = std::make_unique<sim::VirtualPhone>(options);
  auto* phone_ptr = phone.get();
  controller = std::make_unique<FormController>(
      window, ui,
      [phone_ptr] {
        Backend b;
        b.port = std::make_unique<sim::PhonePort>(*phone_ptr);
        b.clock = std::make_unique<VirtualClock>();
        b.archiver = std::make_unique<ZipArchiver>();
        b.files = std::make_unique<LocalFiles>();
        return b;
      },
      home.path());
  window.show();
}

GuiHarness::~GuiHarness() { controller.reset(); }

StartResult GuiHarness::load() {
  StartResult result = StartResult::fatal;
  bool done = false;
  controller->load([&](StartResult r) {
    result = r;
    done = true;
  });
  if (!QTest::qWaitFor([&] { return done; }, 10000)) qWarning("the start-up did not finish");
  return result;
}

void GuiHarness::wait_idle() {
  if (!QTest::qWaitFor([&] { return !controller->job_running(); }, 20000)) qWarning("job did not finish");
}

void GuiHarness::set_combo_text(const char* combo, const QString& text) {
  auto* box = find<QComboBox>(combo);
  if (!box->isEditable()) {  // a drop-down list: the item is chosen, if there is one
    box->setCurrentIndex(box->findText(text));
    return;
  }
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), text);
}

void GuiHarness::click(const char* button) {
  QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
}

}  // namespace lg81xx::gui::testing
