// The project file reader on arbitrary bytes: it refuses or reads, a file cut
// short never reads as something else, and what it reads writes back stably.
//
// The input is the list section. The reserved block and the status region
// that must follow it are supplied here, built once, so the fuzzer mutates
// only bytes the reader parses. With PROJECT_FUZZ_WHOLE_FILES set in the
// environment the input is a whole file instead, for replaying project files
// found elsewhere.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "controller_editor/model/project_file.h"
#include "tests/controller_editor/model/test_projects.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// Longer list sections are not tried (libFuzzer's inputs stay far below).
constexpr size_t kMaxListBytes = 1u << 20;

// Room for the lists, then the blocks of the largest project the editor
// makes: every status block in use, so the edits at the end move real items.
// An input's lists are copied to end where the blocks begin; the blocks are
// never copied again, and they end where the allocation does, so a read
// past them is caught.
class ListsBeforeBlocks {
 public:
  ListsBeforeBlocks() : bytes_(kMaxListBytes + selkan::kBlocksSize) {
    const std::vector<uint8_t> largest = selkan::WriteProject(selkan_test::LargestProject());
    std::memcpy(bytes_.data() + kMaxListBytes, largest.data() + (largest.size() - selkan::kBlocksSize),
                selkan::kBlocksSize);
  }

  std::span<const uint8_t> file(std::span<const uint8_t> lists) {
    uint8_t *start = bytes_.data() + (kMaxListBytes - lists.size());
    if (!lists.empty()) std::memcpy(start, lists.data(), lists.size());
    return {start, lists.size() + selkan::kBlocksSize};
  }

 private:
  std::vector<uint8_t> bytes_;
};

// file is read; prefix is a part of it from its start, cut where its own
// buffer ends (so a read past it is caught too).
void checkFile(std::span<const uint8_t> file, std::span<const uint8_t> prefix) {
  size_t offset = SIZE_MAX;
  auto read = selkan::ReadProject(file, "fuzz.plc", &offset);

  // Every check of the reader is one of bytes left: a file cut short is
  // refused, or (cut after its status region) reads the same.
  size_t prefixOffset = SIZE_MAX;
  auto cut = selkan::ReadProject(prefix, "fuzz.plc", &prefixOffset);
  if (cut.ok()) {
    check(read.ok() && cut.value() == read.value());
  } else {
    check(prefixOffset <= prefix.size());
  }

  if (!read.ok()) {
    check(offset <= file.size());
    return;
  }
  // Written back, the file reads the same. When the bytes written are the
  // bytes read, that is the read already done.
  const std::vector<uint8_t> written = selkan::WriteProject(read.value());
  if (!std::equal(written.begin(), written.end(), file.begin(), file.end())) {
    auto again = selkan::ReadProject(written);
    check(again.ok());
    check(again.value() == read.value());
  }

  // Whatever references the file breaks, the model's operations cope.
  selkan::Project &p = read.value();
  (void)selkan::FindReferenceProblems(p);
  (void)selkan::NextDeviceId(p, 0);
  selkan::RemoveEntry(p, 0, 0);
  selkan::RemoveOutput(p, 0);
  selkan::RemoveDevice(p, 0);
  selkan::RemoveController(p, 0);
  (void)selkan::AddEntry(p, 0, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool wholeFiles = std::getenv("PROJECT_FUZZ_WHOLE_FILES") != nullptr;
  const std::span<const uint8_t> input(data, size);
  if (wholeFiles) {
    // The file less its last byte, in a buffer of its own size.
    const std::vector<uint8_t> shorter(input.begin(), input.end() - (input.empty() ? 0 : 1));
    checkFile(input, shorter);
    return 0;
  }
  if (size > kMaxListBytes) return 0;
  static ListsBeforeBlocks buffer;
  // The lists alone are a file that ends where its blocks should begin; the
  // fuzzer's buffer ends there too.
  checkFile(buffer.file(input), input);
  return 0;
}
