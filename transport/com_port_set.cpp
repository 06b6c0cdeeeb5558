#include "transport/com_port_set.h"

namespace transport {

CComPortSet::~CComPortSet() { CloseAll(); }

int CComPortSet::Open(int n, int baud) {
  if (!inRange(n)) return -1;
  std::lock_guard lock(mutex_);
  // The open link on that number stays as it is.
  if (ports_[n - 1]) return -1;
  const std::optional<std::string> path = ComPortPath(n);
  if (!path) return -1;
  // Opening never blocks (non-blocking open, no carrier wait), so holding the
  // table's lock here keeps two opens of one number apart.
  std::shared_ptr<SerialPort> port = SerialPort::open(*path, baud);
  if (!port) return -1;
  ports_[n - 1] = std::move(port);
  return n;
}

void CComPortSet::Close(int n) {
  if (!inRange(n)) return;
  std::shared_ptr<SerialPort> port;
  {
    std::lock_guard lock(mutex_);
    port.swap(ports_[n - 1]);
  }
  // Outside the lock: close waits for threads still inside a call.
  if (port) port->close();
}

void CComPortSet::CloseAll() {
  std::array<std::shared_ptr<SerialPort>, kMaxComPort> taken;
  {
    std::lock_guard lock(mutex_);
    taken.swap(ports_);
  }
  for (auto &port : taken)
    if (port) port->close();
}

bool CComPortSet::isOpen(int n) const { return acquire(n) != nullptr; }

std::shared_ptr<SerialPort> CComPortSet::acquire(int n) const {
  if (!inRange(n)) return nullptr;
  std::lock_guard lock(mutex_);
  return ports_[n - 1];
}

}  // namespace transport
