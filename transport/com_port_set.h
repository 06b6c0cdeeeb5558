#pragma once
// The serial ports of one library, addressed by COM port number 1..256.
// Thread-safe: the set's own lock covers only its table, never I/O.
#include <array>
#include <cstddef>
#include <memory>
#include <mutex>

#include "transport/com_port_path.h"
#include "transport/serial_port.h"

namespace transport {

class CComPortSet {
 public:
  CComPortSet() = default;
  ~CComPortSet();  // closes every open port
  CComPortSet(const CComPortSet &) = delete;
  CComPortSet &operator=(const CComPortSet &) = delete;

  // Opens COM n at the given rate and returns n, or -1: n outside 1..256, n
  // already open in this set (the open port stays as it was), or the device
  // cannot be opened as a serial port at that rate.
  int Open(int n, int baud);

  // Closes COM n if open; other numbers are ignored.
  void Close(int n);
  void CloseAll();

  bool isOpen(int n) const;

  // The open port COM n, to read and write it and for a worker to hold; it
  // stays valid after Close(n) as a closed port. nullptr when COM n is not
  // open.
  std::shared_ptr<SerialPort> acquire(int n) const;

 private:
  static bool inRange(int n) { return n >= kMinComPort && n <= kMaxComPort; }

  mutable std::mutex mutex_;
  std::array<std::shared_ptr<SerialPort>, kMaxComPort> ports_;
};

}  // namespace transport
