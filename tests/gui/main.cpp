#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

namespace lg81xx::gui::testing {
int run_window_tests(int argc, char** argv);
int run_dialogs_tests(int argc, char** argv);
int run_endings_tests(int argc, char** argv);
int run_desktop_tests(int argc, char** argv);
}  // namespace lg81xx::gui::testing

int main(int argc, char** argv) {
  // The user's data folder, where a replaced sound keeps the phone's own: the tests' own.
  const QTemporaryDir data;
  setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("lg81xx-gui-tests"));
  using namespace lg81xx::gui::testing;
  const int window_failures = run_window_tests(argc, argv);
  const int endings_failures = run_endings_tests(argc, argv);
  const int desktop_failures = run_desktop_tests(argc, argv);
  return window_failures + endings_failures + desktop_failures + run_dialogs_tests(argc, argv) == 0 ? 0 : 1;
}
