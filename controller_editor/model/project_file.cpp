#include "controller_editor/model/project_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "controller_editor/model/byte_source.h"
#include "platform/byte_order.h"
#include "platform/file_io.h"

namespace selkan {
namespace {

// Smallest record of each list: a name is at least its length and its
// terminator (3 bytes).
constexpr uint64_t kMinController = 3 + 4;
constexpr uint64_t kMinOutput = 3 + 12;
constexpr uint64_t kMinDevice = 8 + 3 + 4;

class Writer {
 public:
  explicit Writer(size_t expected) { out_.reserve(expected); }

  void u8(uint8_t v) { out_.push_back(v); }
  void i32(int32_t v) {
    uint8_t b[4];
    platform::le::PutU32(b, static_cast<uint32_t>(v));
    out_.insert(out_.end(), b, b + 4);
  }
  void u32(uint32_t v) { i32(static_cast<int32_t>(v)); }
  void bytes(std::span<const uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
  // Length (16 bits), the text, a terminating 0. Names are cut where they
  // are set; the cut here only keeps the length honest.
  void name(const std::string &text) {
    if (text.size() > kMaxNameBytes) return name(ClampName(text));
    uint8_t len[2];
    platform::le::PutU16(len, static_cast<uint16_t>(text.size()));
    out_.insert(out_.end(), len, len + 2);
    out_.insert(out_.end(), text.begin(), text.end());
    out_.push_back(0);
  }
  std::vector<uint8_t> take() { return std::move(out_); }

 private:
  std::vector<uint8_t> out_;
};

class Reader {
 public:
  explicit Reader(ByteSource &source) : source_(source) {}

  uint64_t pos() const { return pos_; }
  uint64_t left() const { return source_.size() - pos_; }
  bool has(uint64_t n) const { return n <= left(); }

  // Each read checks its bytes first; false leaves pos() at the field.
  bool i32(int32_t &v) {
    uint8_t b[4];
    if (!bytes(b)) return false;
    v = static_cast<int32_t>(platform::le::GetU32(b));
    return true;
  }
  bool u32(uint32_t &v) {
    int32_t s;
    if (!i32(s)) return false;
    v = static_cast<uint32_t>(s);
    return true;
  }
  bool name(std::string &text) {
    uint8_t b[2];
    if (!has(2) || !source_.copy(pos_, b, 2)) return false;
    const size_t len = platform::le::GetU16(b);
    if (!has(2 + uint64_t{len} + 1)) return false;
    text.resize(len + 1);
    if (!source_.copy(pos_ + 2, reinterpret_cast<uint8_t *>(text.data()), len + 1)) return false;
    text.resize(std::min(text.find('\0'), len));
    pos_ += 2 + len + 1;
    return true;
  }
  bool bytes(std::span<uint8_t> out) {
    if (!has(out.size()) || !source_.copy(pos_, out.data(), out.size())) return false;
    pos_ += out.size();
    return true;
  }
  // The next n bytes, in place where the source allows (see ByteSource::view).
  std::optional<std::span<const uint8_t>> view(size_t n, std::vector<uint8_t> &scratch) {
    if (!has(n)) return std::nullopt;
    auto bytes = source_.view(pos_, n, scratch);
    if (bytes) pos_ += n;
    return bytes;
  }
  // A count at pos(): non-negative, and that many records of at least
  // minRecord bytes must fit in what follows it.
  bool count(int32_t &n, uint64_t minRecord) {
    const uint64_t at = pos_;
    if (!i32(n)) return false;
    if (n < 0 || static_cast<uint64_t>(n) * minRecord > left()) {
      pos_ = at;
      return false;
    }
    return true;
  }

 private:
  ByteSource &source_;
  uint64_t pos_ = 0;
};

platform::Error notAProject(const std::string &fileName, const std::string &why) {
  return platform::Error{0, "\"" + fileName + "\" 不是有效的工程文件（" + why + "）。"};
}

// The project in source; fileName and errorOffset as ReadProject's.
platform::Result<Project> readFrom(ByteSource &source, const std::string &fileName, size_t *errorOffset) {
  Reader r(source);
  auto fail = [&](uint64_t offset) {
    if (errorOffset) *errorOffset = static_cast<size_t>(offset);
    if (source.error) return *source.error;
    return notAProject(fileName, "第 " + std::to_string(offset) + " 字节处出错");
  };
  // A count that fits the file but not the editor; offset is the count's.
  auto tooMany = [&](const std::string &list, int32_t count, int32_t limit) {
    const uint64_t offset = r.pos() - 4;
    if (errorOffset) *errorOffset = static_cast<size_t>(offset);
    return notAProject(fileName, list + "数量 " + std::to_string(count) + " 超过上限 " + std::to_string(limit));
  };

  // The lists go into locals first: the region is allocated only once they
  // have parsed.
  TPLCCtrl controllers;
  TOutputCtrl outputs;
  TDeviceCtrl devices;

  int32_t count = 0;
  if (!r.count(count, kMinController)) return fail(r.pos());
  if (count > kMaxControllers) return tooMany("PLC单元", count, kMaxControllers);
  controllers.Reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    TPLCParm c;
    if (!r.name(c.Name)) return fail(r.pos());
    std::array<uint8_t, 4> addr;
    if (!r.bytes(addr)) return fail(r.pos());
    c.Addr = addr[0];
    std::copy(addr.begin() + 1, addr.end(), c.Reserved.begin());
    controllers.Add(c);
  }

  if (!r.count(count, kMinOutput)) return fail(r.pos());
  if (count > kMaxOutputs) return tooMany("输出", count, kMaxOutputs);
  outputs.Reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    TOutputParm o;
    if (!r.name(o.Name)) return fail(r.pos());
    if (!r.i32(o.PLC_ID) || !r.i32(o.LC_ID) || !r.i32(o.Output)) return fail(r.pos());
    outputs.Add(o, o.PLC_ID);
  }

  if (!r.count(count, kMinDevice)) return fail(r.pos());
  if (count > kMaxDevices) return tooMany("设备", count, kMaxDevices);
  devices.Reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    int32_t plcId = 0;
    int32_t id = 0;
    std::string name;
    if (!r.i32(plcId) || !r.i32(id)) return fail(r.pos());
    if (!r.name(name)) return fail(r.pos());
    devices.Add(name, plcId, id);
    int32_t entries = 0;
    if (!r.count(entries, 4)) return fail(r.pos());
    if (entries > kMaxEntriesPerDevice) {
      return tooMany("第 " + std::to_string(int64_t{i} + 1) + " 个设备的逻辑项", entries, kMaxEntriesPerDevice);
    }
    for (int32_t k = 0; k < entries; ++k) {
      uint32_t e = 0;
      if (!r.u32(e)) return fail(r.pos());
      devices.AddEntry(i, e);
    }
  }

  std::array<uint8_t, ReservedBlock::kSize> reserved;
  if (!r.has(kBlocksSize) || !r.bytes(reserved)) return fail(r.pos());
  std::vector<uint8_t> scratch;
  const auto region = r.view(StatusRegion::kSize, scratch);
  if (!region) return fail(r.pos());
  Project project;
  project.PLCCtrl = std::move(controllers);
  project.OutputCtrl = std::move(outputs);
  project.DeviceCtrl = std::move(devices);
  project.Reserved.Assign(reserved);
  project.Status.Assign(*region);
  return project;
}

}  // namespace

std::vector<uint8_t> WriteProject(const Project &project) {
  Writer w(kEmptyProjectSize + 64 * static_cast<size_t>(project.PLCCtrl.Count() + project.OutputCtrl.Count() +
                                                         project.DeviceCtrl.Count()));
  w.i32(project.PLCCtrl.Count());
  for (const TPLCParm &c : project.PLCCtrl.Items()) {
    w.name(c.Name);
    w.u8(c.Addr);
    w.bytes(c.Reserved);
  }
  w.i32(project.OutputCtrl.Count());
  for (const TOutputParm &o : project.OutputCtrl.Items()) {
    w.name(o.Name);
    w.i32(o.PLC_ID);
    w.i32(o.LC_ID);
    w.i32(o.Output);
  }
  w.i32(project.DeviceCtrl.Count());
  for (const TDeviceParm &d : project.DeviceCtrl.Items()) {
    w.i32(d.PLC_ID);
    w.i32(d.ID);
    w.name(d.Name);
    w.i32(d.EntryCount());
    for (uint32_t e : d.Entries) w.u32(e);
  }
  w.bytes(project.Reserved.Bytes());
  w.bytes(project.Status.Bytes());
  return w.take();
}

platform::Result<Project> ReadProject(std::span<const uint8_t> bytes, const std::string &fileName,
                                      size_t *errorOffset) {
  SpanSource source(bytes);
  return readFrom(source, fileName, errorOffset);
}

platform::Result<void> SaveProjectFile(const Project &project, const std::string &path) {
  return platform::WriteFileAtomically(path, WriteProject(project));
}

platform::Result<Project> LoadProjectFile(const std::string &path) {
  auto file = platform::FileReader::Open(path, kMaxProjectFileBytes);
  if (!file.ok()) return file.error();
  FileSource source(std::move(file).value());
  return readFrom(source, path, nullptr);
}

bool IsProjectModified(const Project &project, const std::string &fileName) {
  if (fileName.empty()) return true;
  auto bytes = platform::ReadWholeFile(fileName, kMaxProjectFileBytes);
  if (!bytes.ok()) return true;
  return bytes.value() != WriteProject(project);
}

}  // namespace selkan
