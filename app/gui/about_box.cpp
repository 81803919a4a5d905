#include "about_box.h"

#include <initializer_list>

namespace lg81xx::gui {

std::string about_text() {
  std::string text;
  for (const char* line : {
           "lg81xx " LG81XX_VERSION,
           "Gestione dei telefoni LG U8110, U8120, U8130 e U8138 tramite la porta seriale: applicazioni Java, "
           "suoni di sistema e file.",
           "Licenza: GNU General Public License, versione 3 o successiva (GPL-3.0-or-later).",
           "Questo programma è software libero e viene fornito senza alcuna garanzia.",
       })
    text.append(text.empty() ? "" : "\n\n").append(line);
  return text;
}

}  // namespace lg81xx::gui
