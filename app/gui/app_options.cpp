#include "app_options.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>

namespace lg81xx::gui {

AppOptions parse_options(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Gestione dei telefoni LG U8110/U8120/U8130/U8138"));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption home(QStringLiteral("home"), QStringLiteral("Cartella del programma (LG81XX.ini)."),
                                QStringLiteral("DIR"));
  const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Prova con il telefono virtuale."));
  const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("Modello del telefono virtuale."),
                                 QStringLiteral("M"), QStringLiteral("LG U8130"));
  const QCommandLineOption storage(QStringLiteral("storage"),
                                   QStringLiteral("Cartella con i file del telefono virtuale."), QStringLiteral("DIR"));
  const QCommandLineOption connect(QStringLiteral("connect"),
                                   QStringLiteral("Con --demo: si connette subito al telefono virtuale (e nella "
                                                  "scheda 3 apre la sua prima cartella)."));
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Salva l'immagine della finestra in FILE ed esce."),
                                      QStringLiteral("FILE.png"));
  const QCommandLineOption tab(QStringLiteral("tab"), QStringLiteral("Scheda mostrata nell'immagine (1-3)."),
                               QStringLiteral("N"), QStringLiteral("1"));
  parser.addOptions({home, demo, model, storage, connect, screenshot, tab});
  parser.process(arguments);

  AppOptions options;
  if (parser.isSet(home)) options.home = parser.value(home);
  options.demo = parser.isSet(demo);
  options.model = parser.value(model);
  if (parser.isSet(storage)) options.storage = parser.value(storage);
  options.connect = parser.isSet(connect);
  if (options.connect && !options.demo) {
    std::fprintf(stderr, "lg81xx: --connect vale solo con --demo\n\n%s", qPrintable(parser.helpText()));
    std::exit(2);
  }
  if (parser.isSet(screenshot)) options.screenshot = parser.value(screenshot);
  bool number = false;
  options.tab = parser.value(tab).toInt(&number);
  if (!number || options.tab < 1 || options.tab > 3) {
    std::fprintf(stderr, "lg81xx: --tab: 1, 2 o 3\n\n%s", qPrintable(parser.helpText()));
    std::exit(2);
  }
  return options;
}

}  // namespace lg81xx::gui
