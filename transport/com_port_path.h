#pragma once
// Resolves a COM port number to a device path.
//
// COM n (1..256) is the entry "COMn" in the executable's directory when one
// exists (usually a symlink to a real device or, in tests, to a pty; a
// dangling link still counts, so an unplugged adapter fails the open instead
// of reaching another port). The exact name wins; otherwise the entry whose
// name matches ignoring ASCII case, the smallest in byte order. Without an
// entry, COM n is /dev/ttyS<n-1>.
#include <optional>
#include <string>

namespace transport {

inline constexpr int kMinComPort = 1;
inline constexpr int kMaxComPort = 256;

// The device path for COM n; nullopt for n outside 1..256.
std::optional<std::string> ComPortPath(int n);

}  // namespace transport
