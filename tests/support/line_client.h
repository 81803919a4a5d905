#pragma once
// A client's end of a serial line for tests: opens a device (the virtual phone's
// pseudo-terminal) raw, writes requests and reads what comes back, waiting only for what
// it looks for and only so long.
#include <functional>
#include <string>

#include "base/bytes.h"

namespace lg81xx::testing {

class LineClient {
 public:
  // Throws std::runtime_error when the device does not open.
  explicit LineClient(const std::string& device);
  ~LineClient() { close(); }
  LineClient(const LineClient&) = delete;
  LineClient& operator=(const LineClient&) = delete;

  void write(const Bytes& bytes);
  // Everything read until `done` holds for it, or `timeout_ms` passed.
  Bytes read_until(const std::function<bool(const Bytes&)>& done, int timeout_ms = 5000);
  void close();

 private:
  int fd_ = -1;
};

// Asks `condition` until it holds (true) or `timeout_ms` passed (false).
bool eventually(const std::function<bool()>& condition, int timeout_ms = 10000);

}  // namespace lg81xx::testing
