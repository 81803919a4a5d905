#pragma once
// Everything WindowModel needs besides the window: port, clock, archiver, local files. Built on
// the worker thread, which then owns it (a QSerialPort belongs to the thread that made it).
#include <functional>
#include <memory>

#include "platform/archiver.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/serial_port.h"

namespace lg81xx::gui {

struct Backend {
  std::unique_ptr<SerialPort> port;
  std::unique_ptr<Clock> clock;
  std::unique_ptr<Archiver> archiver;
  std::unique_ptr<Files> files;
};

using BackendFactory = std::function<Backend()>;

// The real serial port, the steady clock, libzip and the local disk.
Backend real_backend();

}  // namespace lg81xx::gui
