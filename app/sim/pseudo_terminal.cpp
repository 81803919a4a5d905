#include "pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace lg81xx::sim {
namespace {

std::runtime_error system_error(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
  phone_end_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (phone_end_ < 0) throw system_error("posix_openpt");
  const char* name = nullptr;
  if (grantpt(phone_end_) != 0 || unlockpt(phone_end_) != 0 || (name = ptsname(phone_end_)) == nullptr) {
    const auto error = system_error("grantpt/unlockpt/ptsname");
    close();
    throw error;
  }
  device_path_ = name;
  client_end_ = ::open(device_path_.c_str(), O_RDWR | O_NOCTTY);
  if (client_end_ < 0) {
    const auto error = system_error("open " + device_path_);
    close();
    throw error;
  }
  // A new terminal echoes and translates line ends: binary frames need raw mode.
  termios tio{};
  tcgetattr(client_end_, &tio);
  cfmakeraw(&tio);
  tcsetattr(client_end_, TCSANOW, &tio);
  fcntl(phone_end_, F_SETFL, fcntl(phone_end_, F_GETFL) | O_NONBLOCK);
}

void PseudoTerminal::release_client_end() {
  if (client_end_ >= 0) ::close(client_end_);
  client_end_ = -1;
}

void PseudoTerminal::close() {
  release_client_end();
  if (phone_end_ >= 0) ::close(phone_end_);
  phone_end_ = -1;
}

}  // namespace lg81xx::sim
