#pragma once
// The window's command line: lg81xx [--home DIR] [--demo [--model M] [--storage DIR] [--connect]]
//                                    [--screenshot FILE.png [--tab N]]
#include <QString>
#include <QStringList>
#include <optional>

namespace lg81xx::gui {

struct AppOptions {
  std::optional<QString> home;
  bool demo = false;
  QString model = QStringLiteral("LG U8130");
  std::optional<QString> storage;
  bool connect = false;  // with demo: connect at once (and open the first folder on tab 3)
  std::optional<QString> screenshot;
  int tab = 1;  // 1 .. 3
};

// Parses the arguments (the first one is the program); on a bad command line prints the
// reason and the usage and exits, as command-line programs do.
AppOptions parse_options(const QStringList& arguments);

}  // namespace lg81xx::gui
