#pragma once
// The window's command line: lg81xx [--home DIR] [--demo [--model M] [--storage DIR] [--baud N]
//                                    [--connect [--download FOLDER/ENTRY]]] [--screenshot FILE.png [--tab N]]
#include <QString>
#include <QStringList>
#include <optional>

namespace lg81xx::gui {

struct AppOptions {
  std::optional<QString> home;
  bool demo = false;
  QString model = QStringLiteral("LG U8130");
  std::optional<QString> storage;
  int baud = 0;          // with demo: the virtual phone's line paced to so many baud; 0: as fast as it goes
  bool connect = false;  // with demo: connect at once (and open the first folder on tab 3)
  // With connect: this entry of this folder downloaded at once; with a screenshot, the
  // picture is taken half way through and the download stopped.
  std::optional<QString> download_folder;
  std::optional<QString> download_entry;
  std::optional<QString> screenshot;
  int tab = 1;  // 1 .. 3
};

// True when the command line is answered on the terminal alone: --help, --version, or a
// mistake. No window system is needed for it: parse_options() then prints and exits.
bool answered_on_terminal(const QStringList& arguments);

// Parses the arguments (the first one is the program); on a bad command line prints the
// reason and the usage and exits, as command-line programs do.
AppOptions parse_options(const QStringList& arguments);

}  // namespace lg81xx::gui
