#pragma once
// Whole-file reads, atomic whole-file writes and the case-insensitive lookup
// of configuration files. Paths are byte strings as the file system has them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "result.h"

namespace platform {

// Reads a regular file whole. A path that is not a regular file (directory,
// FIFO, device) or a file larger than maxBytes is refused before anything is
// read. Errors read "无法读取文件 "<path>"：<reason>"; code holds the errno.
Result<std::vector<uint8_t>> ReadWholeFile(const std::string &path, size_t maxBytes);

// Replaces the file at path (the target of a symbolic link) with bytes: a
// temporary file in the same directory is written, synced and renamed over
// the target, so readers see either the old or the new contents. The target
// keeps its permission bits; a new file gets 0666 less the umask.
// Errors read "无法写入文件 "<path>"：<reason>".
Result<void> WriteFileAtomically(const std::string &path, std::span<const uint8_t> bytes);
Result<void> WriteFileAtomically(const std::string &path, std::string_view bytes);

// Test seam: while set, WriteFileAtomically fails after the temporary file is
// written and before it replaces the target.
void SetAtomicWriteFaultForTesting(bool fail);

// dir joined with name ("dir/name"; dir may end with '/').
std::string JoinPath(const std::string &dir, const std::string &name);

// The path of the file called name in dir: the exact name when that is a
// regular file (or a link to one), else the entry whose name matches ignoring
// ASCII case (the smallest such name in byte order when several do).
std::optional<std::string> FindFileIgnoreCase(const std::string &dir, const std::string &name);

// The file found by FindFileIgnoreCase, or dir/name when there is none.
std::string ResolveConfigFile(const std::string &dir, const std::string &name);

}  // namespace platform
