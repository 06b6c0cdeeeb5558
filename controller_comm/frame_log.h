#pragma once
// The frame log: each send replaces a file in the executable's directory
// with exactly the frame text it is about to put on the link, ':' .. CR LF.
// plc_comm.txt for serial links, plc_udp.txt for UDP links. The file is
// replaced through a rename but never synced to the disk.
#include <string_view>

namespace tarnex {

inline constexpr char kSerialFrameLog[] = "plc_comm.txt";
inline constexpr char kUdpFrameLog[] = "plc_udp.txt";

// Writes text as the whole content of the log file called name (an existing
// file of that name in any letter case is reused). Failures are ignored: the
// directory may be read-only.
void LogFrame(const char *name, std::string_view text) noexcept;

}  // namespace tarnex
