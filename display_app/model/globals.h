#pragma once
// Process-wide values shared by the main window, the video processor panel
// and the temperature trace. Touched only from the window thread.
#include <cstdint>
#include <string>

namespace morvit {

// The screen link record handed to the screen command library.
struct TCommunicationParm {
  uint8_t Transport = 0;  // 0 serial link, 1 UDP
  int32_t Port = 0;       // serial port number; its low 16 bits are passed
  std::string Host;       // host address, raw code page 936 bytes
  uint16_t UdpPort = 0;
};

inline constexpr int kTemperatureRingSize = 10;

// Nothing writes it: every screen command goes out over serial port 0.
extern TCommunicationParm CommParm;
// Item index of the main window's screen list, -1 when none is selected.
extern int32_t SelectedScreen;
// The temperature trace's last ten samples (degrees Celsius).
extern double TemperatureRing[kTemperatureRingSize];
// The value the temperature trace samples.
extern double CurrentTemperature;

}  // namespace morvit
