#include "about_box.h"

#include <initializer_list>
#include <string>

#include "jobs/recorded_sessions.h"

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
  // Where a session that went wrong can be found again.
  const auto sessions = sessions_folder();
  text.append("\n\nLe ultime " + std::to_string(kSessionsKept) + " sessioni con il telefono sono registrate in " +
              (sessions.empty() ? std::string("(nessuna cartella: HOME non definita)") : sessions.string()) + ".");
  return text;
}

}  // namespace lg81xx::gui
