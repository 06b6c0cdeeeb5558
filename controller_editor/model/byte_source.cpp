#include "controller_editor/model/byte_source.h"

#include <algorithm>
#include <cstring>

namespace selkan {

std::optional<std::span<const uint8_t>> ByteSource::view(uint64_t offset, size_t n, std::vector<uint8_t> &scratch) {
  scratch.resize(n);
  if (!copy(offset, scratch.data(), n)) return std::nullopt;
  return std::span<const uint8_t>(scratch);
}

bool SpanSource::copy(uint64_t offset, uint8_t *out, size_t n) {
  if (n != 0) std::memcpy(out, bytes_.data() + offset, n);
  return true;
}

std::optional<std::span<const uint8_t>> SpanSource::view(uint64_t offset, size_t n, std::vector<uint8_t> &) {
  return bytes_.subspan(static_cast<size_t>(offset), n);
}

bool FileSource::copy(uint64_t offset, uint8_t *out, size_t n) {
  while (n > 0) {
    size_t part = 0;
    if (offset >= windowAt_ && offset - windowAt_ < window_.size()) {
      const size_t at = static_cast<size_t>(offset - windowAt_);
      part = std::min(n, window_.size() - at);
      std::memcpy(out, window_.data() + at, part);
    } else if (n >= kWindow) {
      // A piece larger than the window goes straight to its place.
      if (!readAt(offset, {out, n}, part)) return false;
    } else {
      windowAt_ = offset;
      window_.resize(kWindow);
      size_t got = 0;
      const bool ok = readAt(offset, window_, got);
      window_.resize(got);
      if (!ok) return false;
      continue;
    }
    offset += part;
    out += part;
    n -= part;
  }
  return true;
}

bool FileSource::readAt(uint64_t offset, std::span<uint8_t> into, size_t &got) {
  auto read = file_.ReadAt(offset, into);
  if (!read.ok()) {
    error = read.error();
    return false;
  }
  got = read.value();
  return got > 0;
}

}  // namespace selkan
