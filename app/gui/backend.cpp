#include "backend.h"

#include "platform/qt/qt_serial_port.h"
#include "platform/zip/zip_archiver.h"

namespace lg81xx::gui {

Backend real_backend() {
  Backend b;
  b.port = std::make_unique<QtSerialPort>();
  b.clock = std::make_unique<SteadyClock>();
  b.archiver = std::make_unique<ZipArchiver>();
  b.files = std::make_unique<LocalFiles>();
  return b;
}

}  // namespace lg81xx::gui
