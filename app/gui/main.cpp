#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label("lg81xx: la finestra non è ancora pronta (not yet)");
  label.show();
  return app.exec();
}
