#include "platform/qt/qt_serial_port.h"

#include <QSerialPortInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace lg81xx {
namespace {

bool is_link_failure(QSerialPort::SerialPortError e) {
  return e == QSerialPort::ResourceError || e == QSerialPort::ReadError || e == QSerialPort::WriteError ||
         e == QSerialPort::PermissionError;
}

PortFailure failure_of(QSerialPort::SerialPortError error, const std::string& device) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError: return PortFailure::not_found;
    case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
      // Qt says "permission" for a port that another program holds (its lock file, or an
      // exclusive open) as well as for one this user may not open: only the device's
      // rights tell them apart.
      return ::access(device.c_str(), R_OK | W_OK) == 0 ? PortFailure::in_use : PortFailure::denied;
#else
      return PortFailure::in_use;  // access is denied to a port that another program has open
#endif
    default: return PortFailure::other;
  }
}

#ifdef Q_OS_UNIX
// Where Qt looks for a port: a name without a folder is a device under /dev.
std::string system_location(const std::string& device) {
  if (device.starts_with('/') || device.starts_with("./") || device.starts_with("../")) return device;
  return "/dev/" + device;
}
#endif

}  // namespace

bool QtSerialPort::open(const std::string& device) {
  if (port_.isOpen()) close();
  error_.clear();
#ifdef Q_OS_UNIX
  // Another program holds the device, not a path: the lock is taken on the device itself
  // before Qt opens it, so nothing of the line is touched when it is not ours.
  if (const auto failure = lock_.acquire(system_location(device))) {
    error_ = lock_.error_text();
    failure_ = *failure;
    return false;
  }
#endif
  port_.setPortName(QString::fromStdString(device));
  if (!port_.open(QIODevice::ReadWrite)) {
    error_ = port_.errorString().toStdString();
    failure_ = failure_of(port_.error(), device);
    port_.clearError();
    release_device();
    return false;
  }
#ifdef Q_OS_UNIX
  make_exclusive(static_cast<int>(port_.handle()));  // where the system offers it; root passes over it
#endif
  const bool configured = port_.setBaudRate(QSerialPort::Baud115200) && port_.setDataBits(QSerialPort::Data8) &&
                          port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                          port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!configured) {
    error_ = port_.errorString().toStdString();
    failure_ = PortFailure::other;
    port_.close();
    release_device();
    return false;
  }
  port_.clear();  // nothing left over from an earlier user of the line
  return true;
}

void QtSerialPort::close() {
  if (port_.isOpen()) {
    if (port_.bytesToWrite() > 0) port_.waitForBytesWritten(1000);
    port_.close();
  }
  release_device();
}

void QtSerialPort::release_device() {
#ifdef Q_OS_UNIX
  lock_.release();
#endif
}

bool QtSerialPort::is_open() const { return port_.isOpen(); }

bool QtSerialPort::write(const Bytes& frame) {
  if (!port_.isOpen()) return false;
  const qint64 written = port_.write(frame.data(), static_cast<qint64>(frame.size()));
  if (written != static_cast<qint64>(frame.size())) {
    lose_link();
    return false;
  }
  // Without an event loop nothing leaves the buffer until we ask for it.
  while (port_.bytesToWrite() > 0) {
    if (!port_.waitForBytesWritten(2000)) {
      if (is_link_failure(port_.error())) lose_link();
      port_.clearError();
      return port_.bytesToWrite() == 0;
    }
  }
  return true;
}

Bytes QtSerialPort::read_available() {
  if (!port_.isOpen()) return {};
  // A zero wait lets the driver hand over what it has; a hang-up shows as an error here.
  port_.waitForReadyRead(0);
  const auto error = port_.error();
  if (is_link_failure(error)) {
    const QByteArray rest = port_.readAll();
    lose_link();
    return Bytes(rest.constData(), static_cast<std::size_t>(rest.size()));
  }
  port_.clearError();
  const QByteArray data = port_.readAll();
  return Bytes(data.constData(), static_cast<std::size_t>(data.size()));
}

void QtSerialPort::lose_link() {
  error_ = port_.errorString().toStdString();
  port_.clearError();
  port_.close();
  release_device();
}

std::vector<PortInfo> available_ports() {
  std::vector<PortInfo> ports;
  for (const auto& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
    const QString device = info.portName();
#else
    const QString device = info.systemLocation();
#endif
    QString description = info.description();
    if (!info.manufacturer().isEmpty()) description += " (" + info.manufacturer() + ")";
    std::optional<std::uint16_t> vendor;
    if (info.hasVendorIdentifier()) vendor = info.vendorIdentifier();
    ports.push_back({device.toStdString(), description.toStdString(), vendor});
  }
  return ports;
}

}  // namespace lg81xx
