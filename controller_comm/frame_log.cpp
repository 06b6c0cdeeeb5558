#include "frame_log.h"

#include <string>

#include "app_dir.h"
#include "file_io.h"

namespace tarnex {

void LogFrame(const char *name, std::string_view text) noexcept {
  try {
    const std::string dir = platform::ExecutableDir();
    if (dir.empty()) return;
    // Replaced whole, so a reader never sees part of a frame, but never
    // synced: it is rewritten before every send. The result is ignored on
    // purpose: logging never stops a send.
    (void)platform::WriteFileAtomically(platform::ResolveConfigFile(dir, name), text,
                                        platform::Durability::Unsynced);
  } catch (...) {
  }
}

}  // namespace tarnex
