#include <QApplication>

namespace lg81xx::gui::testing {
int run_window_tests(int argc, char** argv);
int run_dialogs_tests(int argc, char** argv);
}  // namespace lg81xx::gui::testing

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("lg81xx-gui-tests"));
  using namespace lg81xx::gui::testing;
  const int window_failures = run_window_tests(argc, argv);
  return window_failures + run_dialogs_tests(argc, argv) == 0 ? 0 : 1;
}
