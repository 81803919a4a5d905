#include <QApplication>
#include <QTest>

#include "gui_test_registry.h"

namespace lg81xx::gui::testing {

std::vector<TestFactory>& test_registry() {
  static std::vector<TestFactory> tests;
  return tests;
}

}  // namespace lg81xx::gui::testing

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("lg81xx-gui-tests"));
  int failed = 0;
  for (const auto& make : lg81xx::gui::testing::test_registry()) {
    const auto test = make();
    failed += QTest::qExec(test.get(), argc, argv);
  }
  return failed == 0 ? 0 : 1;
}
