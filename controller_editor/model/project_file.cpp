#include "project_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "file_io.h"

namespace selkan {
namespace {

// Room reserved for a list before its records are read. A count is checked
// only against the bytes left, and a record takes more memory than file
// bytes, so a crafted count reserves no more than this; the list grows
// past it as records really parse.
size_t ReserveFor(int32_t count) { return std::min<size_t>(static_cast<size_t>(count), 4096); }

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
    le::PutU32(b, static_cast<uint32_t>(v));
    out_.insert(out_.end(), b, b + 4);
  }
  void u32(uint32_t v) { i32(static_cast<int32_t>(v)); }
  void bytes(std::span<const uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
  // Length (16 bits), the text, a terminating 0. Names are cut where they
  // are set; the cut here only keeps the length honest.
  void name(const std::string &text) {
    if (text.size() > kMaxNameBytes) return name(ClampName(text));
    uint8_t len[2];
    le::PutU16(len, static_cast<uint16_t>(text.size()));
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
  explicit Reader(std::span<const uint8_t> b) : b_(b) {}

  size_t pos() const { return pos_; }
  size_t left() const { return b_.size() - pos_; }
  bool has(uint64_t n) const { return n <= left(); }

  // Each read checks its bytes first; false leaves pos() at the field.
  bool i32(int32_t &v) {
    if (!has(4)) return false;
    v = static_cast<int32_t>(le::GetU32(b_.data() + pos_));
    pos_ += 4;
    return true;
  }
  bool u32(uint32_t &v) {
    int32_t s;
    if (!i32(s)) return false;
    v = static_cast<uint32_t>(s);
    return true;
  }
  bool name(std::string &text) {
    if (!has(2)) return false;
    const size_t len = le::GetU16(b_.data() + pos_);
    if (!has(2 + uint64_t{len} + 1)) return false;
    const char *p = reinterpret_cast<const char *>(b_.data() + pos_ + 2);
    const void *nul = std::memchr(p, 0, len);
    text.assign(p, nul ? static_cast<size_t>(static_cast<const char *>(nul) - p) : len);
    pos_ += 2 + len + 1;
    return true;
  }
  std::span<const uint8_t> take(size_t n) {
    auto s = b_.subspan(pos_, n);
    pos_ += n;
    return s;
  }
  // A count at pos(): non-negative, and that many records of at least
  // minRecord bytes must fit in what follows it.
  bool count(int32_t &n, uint64_t minRecord) {
    const size_t at = pos_;
    if (!i32(n)) return false;
    if (n < 0 || static_cast<uint64_t>(n) * minRecord > left()) {
      pos_ = at;
      return false;
    }
    return true;
  }

 private:
  std::span<const uint8_t> b_;
  size_t pos_ = 0;
};

platform::Error notAProject(const std::string &fileName, size_t offset) {
  return platform::Error{0, "\"" + fileName + "\" 不是有效的工程文件（第 " + std::to_string(offset) + " 字节处出错）。"};
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
  Reader r(bytes);
  auto fail = [&](size_t offset) {
    if (errorOffset) *errorOffset = offset;
    return notAProject(fileName, offset);
  };

  // The lists go into locals first: the region is allocated only once they
  // have parsed.
  TPLCCtrl controllers;
  TOutputCtrl outputs;
  TDeviceCtrl devices;

  int32_t count = 0;
  if (!r.count(count, kMinController)) return fail(r.pos());
  controllers.Reserve(ReserveFor(count));
  for (int32_t i = 0; i < count; ++i) {
    TPLCParm c;
    if (!r.name(c.Name)) return fail(r.pos());
    if (!r.has(4)) return fail(r.pos());
    auto addr = r.take(4);
    c.Addr = addr[0];
    std::copy(addr.begin() + 1, addr.end(), c.Reserved.begin());
    controllers.Add(c);
  }

  if (!r.count(count, kMinOutput)) return fail(r.pos());
  outputs.Reserve(ReserveFor(count));
  for (int32_t i = 0; i < count; ++i) {
    TOutputParm o;
    if (!r.name(o.Name)) return fail(r.pos());
    if (!r.i32(o.PLC_ID) || !r.i32(o.LC_ID) || !r.i32(o.Output)) return fail(r.pos());
    outputs.Add(o, o.PLC_ID);
  }

  if (!r.count(count, kMinDevice)) return fail(r.pos());
  devices.Reserve(ReserveFor(count));
  for (int32_t i = 0; i < count; ++i) {
    int32_t plcId = 0;
    int32_t id = 0;
    std::string name;
    if (!r.i32(plcId) || !r.i32(id)) return fail(r.pos());
    if (!r.name(name)) return fail(r.pos());
    devices.Add(name, plcId, id);
    int32_t entries = 0;
    if (!r.count(entries, 4)) return fail(r.pos());
    for (int32_t k = 0; k < entries; ++k) {
      uint32_t e = 0;
      r.u32(e);  // fits: the count was checked against the bytes left
      devices.AddEntry(i, e);
    }
  }

  if (!r.has(kBlocksSize)) return fail(r.pos());
  Project project;
  project.PLCCtrl = std::move(controllers);
  project.OutputCtrl = std::move(outputs);
  project.DeviceCtrl = std::move(devices);
  project.Reserved.Assign(r.take(ReservedBlock::kSize).first<ReservedBlock::kSize>());
  project.Status.Assign(r.take(StatusRegion::kSize));
  return project;
}

platform::Result<void> SaveProjectFile(const Project &project, const std::string &path) {
  return platform::WriteFileAtomically(path, WriteProject(project));
}

platform::Result<Project> LoadProjectFile(const std::string &path) {
  auto bytes = platform::ReadWholeFile(path, kMaxProjectFileBytes);
  if (!bytes.ok()) return bytes.error();
  return ReadProject(bytes.value(), path);
}

bool IsProjectModified(const Project &project, const std::string &fileName) {
  if (fileName.empty()) return true;
  auto bytes = platform::ReadWholeFile(fileName, kMaxProjectFileBytes);
  if (!bytes.ok()) return true;
  return bytes.value() != WriteProject(project);
}

}  // namespace selkan
