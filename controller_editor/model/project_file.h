#pragma once
// The .plc project file: the three lists, then the reserved block and the
// status region, little-endian, with no header. A file from the earlier
// Windows tools reads and writes back byte for byte.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "controller_editor/model/project.h"
#include "platform/result.h"

namespace selkan {

// Counts of an empty project (12 bytes), the reserved block and the region.
inline constexpr size_t kEmptyProjectSize = 854316;
// What must follow the lists: the reserved block and the status region.
inline constexpr size_t kBlocksSize = ReservedBlock::kSize + StatusRegion::kSize;
inline constexpr size_t kMaxProjectFileBytes = 64u << 20;

std::vector<uint8_t> WriteProject(const Project &project);

// Checks the structure (counts and lengths against the bytes there are) and
// each list's count against what the editor holds (kMaxControllers,
// kMaxOutputs, kMaxDevices, kMaxEntriesPerDevice); references are the
// model's business. Bytes after the status region are ignored. An error
// reads "<fileName>" 不是有效的工程文件（第 N 字节处出错）。 with the offset of
// the field that does not fit, or "<fileName>" 不是有效的工程文件（<list>数量
// <count> 超过上限 <limit>）。 for a count past its limit, the list being
// PLC单元, 输出, 设备 or 第 <n> 个设备的逻辑项; *errorOffset gets the offset of
// the field or the count.
platform::Result<Project> ReadProject(std::span<const uint8_t> bytes, const std::string &fileName = {},
                                      size_t *errorOffset = nullptr);

// Written atomically: the old file stays whole when anything fails.
platform::Result<void> SaveProjectFile(const Project &project, const std::string &path);
// Regular files of at most kMaxProjectFileBytes only, read front to back as
// they parse: a file refused early is neither read nor held whole.
platform::Result<Project> LoadProjectFile(const std::string &path);

// True unless fileName names a readable file holding exactly the bytes the
// project would be saved as; with no file name, or an unreadable file, the
// project counts as modified.
bool IsProjectModified(const Project &project, const std::string &fileName);

}  // namespace selkan
