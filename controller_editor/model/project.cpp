#include "controller_editor/model/project.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "platform/number_text.h"

namespace selkan {
namespace {

std::string num(int64_t v) { return platform::FormatInteger(v); }

bool validOutput(const Project &p, int32_t q) { return q >= 0 && q < p.OutputCtrl.Count(); }

}  // namespace

void Project::ResetLists() {
  PLCCtrl = TPLCCtrl();
  OutputCtrl = TOutputCtrl();
  DeviceCtrl = TDeviceCtrl();
}

// --- removals and assignments ---------------------------------------------------------

void RemoveOutput(Project &p, int32_t q) {
  if (!validOutput(p, q)) return;
  for (int32_t row = 0; row < p.DeviceCtrl.Count(); ++row) {
    for (int32_t k = p.DeviceCtrl[row].EntryCount() - 1; k >= 0; --k) {
      const uint32_t e = p.DeviceCtrl[row].Entries[static_cast<size_t>(k)];
      const int32_t out = EntryOutput(e);
      if (out == q) {
        p.DeviceCtrl.DeleteEntry(row, k);
      } else if (out > q) {
        p.DeviceCtrl.SetEntry(row, k, MakeEntry(static_cast<uint16_t>(out - 1), EntryDelay(e)));
      }
    }
  }
  p.OutputCtrl.Delete(q);
}

void RemoveOutputByKey(Project &p, int32_t ctrl, int32_t n) {
  for (int32_t q = 0; q < p.OutputCtrl.Count(); ++q) {
    if (p.OutputCtrl[q].PLC_ID == ctrl && p.OutputCtrl[q].Output == n) {
      RemoveOutput(p, q);
      return;
    }
  }
}

void RemoveDevice(Project &p, int32_t i) {
  if (i < 0 || i >= p.DeviceCtrl.Count()) return;
  const TDeviceParm &d = p.DeviceCtrl[i];
  for (uint32_t e : d.Entries) p.OutputCtrl.SetLcId(EntryOutput(e), -1);

  // An output may still carry the device's ID without an entry (an older
  // file); it is free too, unless another device of the controller has the
  // same ID and so still owns it.
  bool idKept = false;
  for (int32_t j = 0; j < p.DeviceCtrl.Count(); ++j) {
    if (j != i && p.DeviceCtrl[j].PLC_ID == d.PLC_ID && p.DeviceCtrl[j].ID == d.ID) idKept = true;
  }
  if (!idKept) {
    for (int32_t q = 0; q < p.OutputCtrl.Count(); ++q) {
      if (p.OutputCtrl[q].PLC_ID == d.PLC_ID && p.OutputCtrl[q].LC_ID == d.ID) p.OutputCtrl.SetLcId(q, -1);
    }
  }
  p.DeviceCtrl.Delete(i);
}

void RemoveEntry(Project &p, int32_t row, int32_t k) {
  if (row < 0 || row >= p.DeviceCtrl.Count() || k < 0 || k >= p.DeviceCtrl[row].EntryCount()) return;
  p.OutputCtrl.SetLcId(EntryOutput(p.DeviceCtrl[row].Entries[static_cast<size_t>(k)]), -1);
  p.DeviceCtrl.DeleteEntry(row, k);
}

bool AddEntry(Project &p, int32_t row, int32_t outputPos) {
  if (row < 0 || row >= p.DeviceCtrl.Count()) return false;
  // An entry holds the position in 16 bits.
  if (!validOutput(p, outputPos) || outputPos > 0xFFFF) return false;
  if (IsOutputAssigned(p, outputPos)) return false;
  const TDeviceParm &d = p.DeviceCtrl[row];
  if (p.OutputCtrl[outputPos].PLC_ID != d.PLC_ID) return false;
  // A controller has ten outputs, so only a damaged file's device gets here.
  if (d.EntryCount() >= kMaxEntriesPerDevice) return false;
  p.OutputCtrl.SetLcId(outputPos, d.ID);
  p.DeviceCtrl.AddEntry(row, MakeEntry(static_cast<uint16_t>(outputPos), kNewEntryDelay));
  return true;
}

void RemoveController(Project &p, int32_t pos) {
  if (pos < 0 || pos >= p.PLCCtrl.Count()) return;
  for (int32_t q = p.OutputCtrl.Count() - 1; q >= 0; --q) {
    if (p.OutputCtrl[q].PLC_ID == pos) RemoveOutput(p, q);
  }
  for (int32_t i = p.DeviceCtrl.Count() - 1; i >= 0; --i) {
    if (p.DeviceCtrl[i].PLC_ID == pos) RemoveDevice(p, i);
  }
  for (int32_t q = 0; q < p.OutputCtrl.Count(); ++q) {
    if (p.OutputCtrl[q].PLC_ID > pos) p.OutputCtrl.SetPlcId(q, p.OutputCtrl[q].PLC_ID - 1);
  }
  for (int32_t i = 0; i < p.DeviceCtrl.Count(); ++i) {
    if (p.DeviceCtrl[i].PLC_ID > pos) p.DeviceCtrl.SetPlcId(i, p.DeviceCtrl[i].PLC_ID - 1);
  }
  p.PLCCtrl.Delete(pos);
  if (pos < StatusRegion::kBlocks) p.Status.RemoveBlock(pos);
}

// --- additions ------------------------------------------------------------------------

bool AddController(Project &p) {
  if (!CanAddController(p)) return false;
  TPLCParm c;
  c.Name = "PLC";
  c.Addr = 0;
  p.PLCCtrl.Add(c);
  return true;
}

int32_t AddOutput(Project &p, int32_t ctrl) {
  if (ctrl < 0 || ctrl >= p.PLCCtrl.Count()) return -1;
  // Ten per controller fill it exactly: only outputs of controllers that do
  // not exist (a damaged file's) can leave no room.
  if (p.OutputCtrl.Count() >= kMaxOutputs) return -1;
  const auto n = LowestFreeOutputNumber(p, ctrl);
  if (!n) return -1;
  TOutputParm o;
  o.Name = OutputDefaultName(*n);
  o.LC_ID = -1;
  o.Output = *n;
  p.OutputCtrl.Add(o, ctrl);
  return p.OutputCtrl.Count() - 1;
}

int32_t AddDevice(Project &p, int32_t ctrl) {
  if (ctrl < 0 || ctrl >= p.PLCCtrl.Count()) return -1;
  if (p.DeviceCtrl.Count() >= kMaxDevices) return -1;
  const int32_t id = NextDeviceId(p, ctrl);
  p.DeviceCtrl.Add(DeviceDefaultName(p.DeviceCtrl.NameCounter()), ctrl, id);
  return p.DeviceCtrl.Count() - 1;
}

// --- queries ----------------------------------------------------------------------------

std::vector<int32_t> OutputsOf(const Project &p, int32_t ctrl) {
  std::vector<int32_t> out;
  for (int32_t q = 0; q < p.OutputCtrl.Count(); ++q) {
    if (p.OutputCtrl[q].PLC_ID == ctrl) out.push_back(q);
  }
  std::stable_sort(out.begin(), out.end(),
                   [&p](int32_t a, int32_t b) { return p.OutputCtrl[a].Output < p.OutputCtrl[b].Output; });
  return out;
}

std::vector<int32_t> DevicesOf(const Project &p, int32_t ctrl) {
  std::vector<int32_t> out;
  for (int32_t i = 0; i < p.DeviceCtrl.Count(); ++i) {
    if (p.DeviceCtrl[i].PLC_ID == ctrl) out.push_back(i);
  }
  return out;
}

std::optional<int32_t> LowestFreeOutputNumber(const Project &p, int32_t ctrl) {
  for (int32_t n = 0; n < kOutputsPerController; ++n) {
    if (!IsOutputNumberUsed(p, ctrl, n)) return n;
  }
  return std::nullopt;
}

bool IsOutputNumberUsed(const Project &p, int32_t ctrl, int32_t n, int32_t exceptPos) {
  for (int32_t q = 0; q < p.OutputCtrl.Count(); ++q) {
    if (q != exceptPos && p.OutputCtrl[q].PLC_ID == ctrl && p.OutputCtrl[q].Output == n) return true;
  }
  return false;
}

int32_t NextDeviceId(const Project &p, int32_t ctrl) {
  std::set<int32_t> used;
  for (const TDeviceParm &d : p.DeviceCtrl.Items()) {
    if (d.PLC_ID == ctrl) used.insert(d.ID);
  }
  for (const TOutputParm &o : p.OutputCtrl.Items()) {
    if (o.PLC_ID == ctrl) used.insert(o.LC_ID);
  }
  int32_t n = 0;
  while (used.count(n)) ++n;
  return n;
}

bool CanAddController(const Project &p) { return p.PLCCtrl.Count() < kMaxControllers; }

bool IsOutputAssigned(const Project &p, int32_t index) {
  if (index < 0 || index > 0xFFFF) return false;
  for (const TDeviceParm &d : p.DeviceCtrl.Items()) {
    for (uint32_t e : d.Entries) {
      if (EntryOutput(e) == index) return true;
    }
  }
  return false;
}

std::vector<std::string> FindReferenceProblems(const Project &p) {
  std::vector<std::string> problems;
  const int32_t controllers = p.PLCCtrl.Count();
  auto inRange = [controllers](int32_t id) { return id >= 0 && id < controllers; };

  std::map<std::pair<int32_t, int32_t>, int32_t> outputNumbers;  // (controller, Output) -> uses
  for (int32_t q = 0; q < p.OutputCtrl.Count(); ++q) {
    const TOutputParm &o = p.OutputCtrl[q];
    if (!inRange(o.PLC_ID)) problems.push_back("输出 " + num(q) + " 的 PLC_ID " + num(o.PLC_ID) + " 超出范围");
    if (o.Output < 0 || o.Output >= kOutputsPerController)
      problems.push_back("输出 " + num(q) + " 的通道号 " + num(o.Output) + " 超出 0..9");
    if (++outputNumbers[{o.PLC_ID, o.Output}] == 2)
      problems.push_back("PLC " + num(o.PLC_ID) + " 的输出通道 " + num(o.Output) + " 重复");
  }

  std::map<std::pair<int32_t, int32_t>, int32_t> deviceIds;  // (controller, ID) -> devices
  for (int32_t i = 0; i < p.DeviceCtrl.Count(); ++i) {
    const TDeviceParm &d = p.DeviceCtrl[i];
    if (!inRange(d.PLC_ID)) problems.push_back("设备 " + num(i) + " 的 PLC_ID " + num(d.PLC_ID) + " 超出范围");
    if (++deviceIds[{d.PLC_ID, d.ID}] == 2)
      problems.push_back("PLC " + num(d.PLC_ID) + " 的设备 ID " + num(d.ID) + " 重复");
    for (int32_t k = 0; k < d.EntryCount(); ++k) {
      const int32_t out = EntryOutput(d.Entries[static_cast<size_t>(k)]);
      if (!validOutput(p, out)) {
        problems.push_back("设备 " + num(i) + " 的第 " + num(k) + " 项指向不存在的输出 " + num(out));
      } else if (p.OutputCtrl[out].PLC_ID != d.PLC_ID) {
        problems.push_back("设备 " + num(i) + " 的第 " + num(k) + " 项指向其他 PLC 的输出 " + num(out));
      }
    }
  }

  for (int32_t q = 0; q < p.OutputCtrl.Count(); ++q) {
    const TOutputParm &o = p.OutputCtrl[q];
    if (o.LC_ID != -1 && !deviceIds.count({o.PLC_ID, o.LC_ID}))
      problems.push_back("输出 " + num(q) + " 的 LC_ID " + num(o.LC_ID) + " 不对应本 PLC 的任何设备");
  }

  for (int32_t n = 0; n < StatusRegion::kBlocks; ++n) {
    const int32_t raw = p.Status.RawCount(n);
    if (raw < 0 || raw > StatusRegion::kItems)
      problems.push_back("状态块 " + num(n) + " 的数量 " + num(raw) + " 超出 0..32");
  }
  return problems;
}

}  // namespace selkan
