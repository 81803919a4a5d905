#include "app_options.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>

namespace lg81xx::gui {
namespace {

struct Parser {
  Parser() {
    parser.setApplicationDescription(QStringLiteral("Gestione dei telefoni LG U8110/U8120/U8130/U8138"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({home, demo, model, storage, baud, connect, download, screenshot, tab});
  }

  // Why the options cannot be used as given; nothing when they can.
  std::optional<QString> problem() const {
    if (parser.isSet(connect) && !parser.isSet(demo)) return QStringLiteral("--connect vale solo con --demo");
    if (parser.isSet(baud) && !parser.isSet(demo)) return QStringLiteral("--baud vale solo con --demo");
    if (parser.isSet(download) && !parser.isSet(connect))
      return QStringLiteral("--download vale solo con --demo --connect");
    if (parser.isSet(download) && !parser.value(download).contains(QLatin1Char('/')))
      return QStringLiteral("--download: CARTELLA/FILE, per esempio Images/lago.jpg");
    bool number = false;
    const int n = parser.value(tab).toInt(&number);
    if (!number || n < 1 || n > 3) return QStringLiteral("--tab: 1, 2 o 3");
    const int rate = parser.value(baud).toInt(&number);
    if (!number || rate < 0) return QStringLiteral("--baud: un numero di baud, per esempio 38400");
    return std::nullopt;
  }

  QCommandLineParser parser;
  const QCommandLineOption home{QStringLiteral("home"), QStringLiteral("Cartella del programma (LG81XX.ini)."),
                                QStringLiteral("DIR")};
  const QCommandLineOption demo{QStringLiteral("demo"), QStringLiteral("Prova con il telefono virtuale.")};
  const QCommandLineOption model{QStringLiteral("model"), QStringLiteral("Modello del telefono virtuale."),
                                 QStringLiteral("M"), QStringLiteral("LG U8130")};
  const QCommandLineOption storage{QStringLiteral("storage"),
                                   QStringLiteral("Cartella con i file del telefono virtuale."), QStringLiteral("DIR")};
  const QCommandLineOption baud{QStringLiteral("baud"),
                                QStringLiteral("Con --demo: velocità della linea del telefono virtuale in baud "
                                               "(per esempio 38400, per vedere un trasferimento)."),
                                QStringLiteral("N"), QStringLiteral("0")};
  const QCommandLineOption connect{QStringLiteral("connect"),
                                   QStringLiteral("Con --demo: si connette subito al telefono virtuale (e nella "
                                                  "scheda 3 apre la sua prima cartella).")};
  const QCommandLineOption download{
      QStringLiteral("download"),
      QStringLiteral("Con --demo --connect: scarica subito il file CARTELLA/FILE; con --screenshot l'immagine "
                     "mostra il trasferimento a metà, che poi viene annullato."),
      QStringLiteral("CARTELLA/FILE")};
  const QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                      QStringLiteral("Salva l'immagine della finestra in FILE ed esce."),
                                      QStringLiteral("FILE.png")};
  const QCommandLineOption tab{QStringLiteral("tab"), QStringLiteral("Scheda mostrata nell'immagine (1-3)."),
                               QStringLiteral("N"), QStringLiteral("1")};
};

}  // namespace

bool answered_on_terminal(const QStringList& arguments) {
  Parser p;
  if (!p.parser.parse(arguments)) return true;
  for (const char* text_only : {"help", "help-all", "version"})
    if (p.parser.isSet(QLatin1String(text_only))) return true;
  return p.problem().has_value();
}

AppOptions parse_options(const QStringList& arguments) {
  Parser p;
  p.parser.process(arguments);
  if (const auto problem = p.problem()) {
    std::fprintf(stderr, "lg81xx: %s\n\n%s", qPrintable(*problem), qPrintable(p.parser.helpText()));
    std::exit(2);
  }

  const QCommandLineParser& parser = p.parser;
  AppOptions options;
  if (parser.isSet(p.home)) options.home = parser.value(p.home);
  options.demo = parser.isSet(p.demo);
  options.model = parser.value(p.model);
  if (parser.isSet(p.storage)) options.storage = parser.value(p.storage);
  options.baud = parser.value(p.baud).toInt();
  options.connect = parser.isSet(p.connect);
  if (parser.isSet(p.download)) {
    const QString download = parser.value(p.download);
    const auto slash = download.indexOf(QLatin1Char('/'));
    options.download_folder = download.left(slash);
    options.download_entry = download.mid(slash + 1);
  }
  if (parser.isSet(p.screenshot)) options.screenshot = parser.value(p.screenshot);
  options.tab = parser.value(p.tab).toInt();
  return options;
}

}  // namespace lg81xx::gui
