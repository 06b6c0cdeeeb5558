// The project file reader on arbitrary bytes: it refuses or reads, and what
// it reads writes back stably. Byte 0 picks the mode: even, the rest is the
// file; odd, the rest is followed by the zeroed blocks, so the list section
// alone can make a valid file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "project_file.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> file(data + 1, data + size);
  if (data[0] & 1) file.resize(file.size() + selkan::kBlocksSize, 0);

  size_t offset = SIZE_MAX;
  auto read = selkan::ReadProject(file, "fuzz.plc", &offset);
  if (!read.ok()) {
    check(offset <= file.size());
    return 0;
  }
  const std::vector<uint8_t> first = selkan::WriteProject(read.value());
  auto again = selkan::ReadProject(first);
  check(again.ok());
  check(again.value() == read.value());
  check(selkan::WriteProject(again.value()) == first);

  // Whatever references the file breaks, the model's operations cope.
  selkan::Project &p = read.value();
  (void)selkan::FindReferenceProblems(p);
  (void)selkan::NextDeviceId(p, 0);
  selkan::RemoveEntry(p, 0, 0);
  selkan::RemoveOutput(p, 0);
  selkan::RemoveDevice(p, 0);
  selkan::RemoveController(p, 0);
  (void)selkan::AddEntry(p, 0, 0);
  return 0;
}
