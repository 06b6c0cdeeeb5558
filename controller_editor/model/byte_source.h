#pragma once
// Bytes read front to back, from memory or from a file, for the project
// file reader: a file is read through a small window, so a reader that
// refuses a file early has neither read nor held the rest of it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "platform/file_io.h"
#include "platform/result.h"

namespace selkan {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t size() const = 0;
  // Copies the n bytes at offset (offset + n <= size()) to out; false when
  // they could not be read.
  virtual bool copy(uint64_t offset, uint8_t *out, size_t n) = 0;
  // The n bytes at offset as copy() gives them: in place when the source
  // holds them in memory, else in scratch.
  virtual std::optional<std::span<const uint8_t>> view(uint64_t offset, size_t n, std::vector<uint8_t> &scratch);

  // Why a copy failed, when the system said why.
  std::optional<platform::Error> error;
};

class SpanSource final : public ByteSource {
 public:
  explicit SpanSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  uint64_t size() const override { return bytes_.size(); }
  bool copy(uint64_t offset, uint8_t *out, size_t n) override;
  std::optional<std::span<const uint8_t>> view(uint64_t offset, size_t n, std::vector<uint8_t> &scratch) override;

 private:
  std::span<const uint8_t> bytes_;
};

class FileSource final : public ByteSource {
 public:
  static constexpr size_t kWindow = 64 * 1024;

  explicit FileSource(platform::FileReader file) : file_(std::move(file)) {}
  // The size the file had when it was opened. A file that has become
  // shorter since fails the copy that reaches past its new end.
  uint64_t size() const override { return file_.size(); }
  bool copy(uint64_t offset, uint8_t *out, size_t n) override;

 private:
  // False on an error, or when nothing is left to read at offset.
  bool readAt(uint64_t offset, std::span<uint8_t> into, size_t &got);

  platform::FileReader file_;
  std::vector<uint8_t> window_;  // the bytes at windowAt_
  uint64_t windowAt_ = 0;
};

}  // namespace selkan
