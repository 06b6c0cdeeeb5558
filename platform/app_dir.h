#pragma once
// The directory the running executable lives in: configuration, log files and
// COM port links are looked up there. Tests redirect it with
// SetExecutableDirForTests; the override lives in the shared platform
// library so every library in the process sees the same value.
#include <string>

#include "platform_export.h"

namespace platform {

// The executable's directory (from /proc/self/exe), or the test override.
// Empty when neither can be determined.
PLATFORM_SHARED_API std::string ExecutableDir();

// Points ExecutableDir() at another directory; an empty path clears the
// override.
PLATFORM_SHARED_API void SetExecutableDirForTests(const std::string &path);

}  // namespace platform
