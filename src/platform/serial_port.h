#pragma once
// What the system needs of a serial port: 115200 baud, 8 data bits, no parity, 1 stop
// bit, no flow control; every byte value passes unchanged both ways.
#include <string>

#include "base/bytes.h"

namespace lg81xx {

// Why a port did not open, as far as the system can tell.
enum class PortFailure {
  not_found,  // no such device
  in_use,     // another program holds it
  denied,     // this user may not open it
  other,
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens `device` with the line settings above. On failure returns false, the port stays
  // closed and `error_text()` says why.
  virtual bool open(const std::string& device) = 0;
  // A frame written just before closing is still transmitted.
  virtual void close() = 0;
  virtual bool is_open() const = 0;
  // Queues one whole frame for sending. False when the port is closed or the write
  // failed; a lost link (hang-up) closes the port.
  virtual bool write(const Bytes& frame) = 0;
  // Everything received since the previous read, in arrival order, possibly empty.
  // Never waits. A lost link closes the port.
  virtual Bytes read_available() = 0;
  virtual std::string error_text() const = 0;
  // Why the last open() failed.
  virtual PortFailure open_failure() const { return PortFailure::other; }
};

}  // namespace lg81xx
