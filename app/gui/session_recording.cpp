#include "session_recording.h"

#include <QCoreApplication>
#include <QStringList>

#include "link/session_frames.h"
#include "link/trace_format.h"

namespace lg81xx::gui {

std::unique_ptr<SessionRecorder> window_recorder() {
  std::vector<std::string> arguments;
  const QStringList given = QCoreApplication::arguments();
  for (qsizetype i = 1; i < given.size(); ++i) arguments.push_back(given[i].toStdString());
  return std::make_unique<SessionRecorder>(sessions_folder(), "lg81xx",
                                           trace_heading("lg81xx " LG81XX_VERSION, arguments),
                                           [](const std::string& why) { qWarning("lg81xx: %s", why.c_str()); });
}

void record_sessions(Link& link, const Clock& clock, SessionRecorder& recorder) {
  // A connect begins with the IMEI's question.
  link.set_trace([&recorder, &clock, imei = make_session_frames().imei_query_frame, start = clock.now_ms()](
                     Direction direction, std::string_view bytes) mutable {
    if (direction == Direction::sent && bytes == imei) {
      recorder.next_session();
      start = clock.now_ms();
    }
    recorder.frame(clock.now_ms() - start, direction, bytes);
  });
}

}  // namespace lg81xx::gui
