#include "controller_editor/model/project_lists.h"

#include <utility>

#include "platform/cp936.h"
#include "platform/number_text.h"

namespace selkan {

std::string ClampName(std::string_view name) { return cp936::TruncateToBytes(name, kMaxNameBytes); }

std::string DeviceDefaultName(int32_t counter) {
  return std::string("\xC9\xE8\xB1\xB8") + platform::FormatInteger(counter);  // 设备
}

std::string OutputDefaultName(int32_t number) {
  std::string digits = platform::FormatInteger(int64_t{number} + 1);
  if (digits.size() < 2) digits.insert(0, 1, '0');
  return digits;
}

// --- TPLCCtrl ---------------------------------------------------------------

void TPLCCtrl::Add(const TPLCParm &record) {
  TPLCParm copy = record;
  copy.Name = ClampName(copy.Name);
  items_.push_back(std::move(copy));
}

void TPLCCtrl::Delete(int32_t i) {
  if (valid(i)) items_.erase(items_.begin() + i);
}

void TPLCCtrl::SetName(int32_t i, std::string_view text) {
  if (valid(i)) items_[static_cast<size_t>(i)].Name = ClampName(text);
}

void TPLCCtrl::SetAddress(int32_t i, uint8_t addr) {
  if (valid(i)) items_[static_cast<size_t>(i)].Addr = addr;
}

// --- TOutputCtrl --------------------------------------------------------------

void TOutputCtrl::Add(const TOutputParm &record, int32_t controller) {
  TOutputParm copy = record;
  copy.Name = ClampName(copy.Name);
  copy.PLC_ID = controller;
  copy.Index = Count();
  items_.push_back(std::move(copy));
}

void TOutputCtrl::Delete(int32_t i) {
  if (!valid(i)) return;
  items_.erase(items_.begin() + i);
  for (size_t k = static_cast<size_t>(i); k < items_.size(); ++k) items_[k].Index = static_cast<int32_t>(k);
}

void TOutputCtrl::DeleteByKey(int32_t controller, int32_t number) {
  for (int32_t i = 0; i < Count(); ++i) {
    const TOutputParm &o = items_[static_cast<size_t>(i)];
    if (o.PLC_ID == controller && o.Output == number) {
      Delete(i);
      return;
    }
  }
}

void TOutputCtrl::SetName(int32_t i, std::string_view text) {
  if (valid(i)) items_[static_cast<size_t>(i)].Name = ClampName(text);
}

void TOutputCtrl::SetOutput(int32_t i, int32_t number) {
  if (valid(i)) items_[static_cast<size_t>(i)].Output = static_cast<int32_t>(static_cast<uint32_t>(number) & 0xFFFFu);
}

void TOutputCtrl::SetLcId(int32_t i, int32_t deviceId) {
  if (valid(i)) items_[static_cast<size_t>(i)].LC_ID = deviceId;
}

void TOutputCtrl::SetPlcId(int32_t i, int32_t controller) {
  if (valid(i)) items_[static_cast<size_t>(i)].PLC_ID = controller;
}

// --- TDeviceCtrl ----------------------------------------------------------------

void TDeviceCtrl::Add(std::string_view name, int32_t controller, int32_t id) {
  TDeviceParm d;
  d.Name = ClampName(name);
  d.PLC_ID = controller;
  d.ID = id;
  items_.push_back(std::move(d));
  ++nameCounter_;
}

void TDeviceCtrl::Delete(int32_t i) {
  if (valid(i)) items_.erase(items_.begin() + i);
}

void TDeviceCtrl::AddEntry(int32_t row, uint32_t entry) {
  if (valid(row)) items_[static_cast<size_t>(row)].Entries.push_back(entry);
}

void TDeviceCtrl::DeleteEntry(int32_t row, int32_t k) {
  if (!validEntry(row, k)) return;
  auto &entries = items_[static_cast<size_t>(row)].Entries;
  entries.erase(entries.begin() + k);
}

void TDeviceCtrl::SetEntry(int32_t row, int32_t k, uint32_t entry) {
  if (validEntry(row, k)) items_[static_cast<size_t>(row)].Entries[static_cast<size_t>(k)] = entry;
}

void TDeviceCtrl::SetEntryDelay(int32_t row, int32_t k, int32_t delay) {
  if (!validEntry(row, k)) return;
  uint32_t &e = items_[static_cast<size_t>(row)].Entries[static_cast<size_t>(k)];
  e = MakeEntry(EntryOutput(e), static_cast<uint16_t>(static_cast<uint32_t>(delay) & 0xFFFFu));
}

void TDeviceCtrl::SetName(int32_t i, std::string_view text) {
  if (valid(i)) items_[static_cast<size_t>(i)].Name = ClampName(text);
}

void TDeviceCtrl::SetPlcId(int32_t i, int32_t controller) {
  if (valid(i)) items_[static_cast<size_t>(i)].PLC_ID = controller;
}

void TDeviceCtrl::MoveUp(int32_t i) {
  if (i > 0 && i < Count()) std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(i - 1)]);
}

void TDeviceCtrl::MoveDown(int32_t i) {
  if (i >= 0 && i < Count() - 1) std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(i + 1)]);
}

void TDeviceCtrl::Swap(int32_t i, int32_t j) {
  if (valid(i) && valid(j)) std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]);
}

void TDeviceCtrl::EntryUp(int32_t row, int32_t k) {
  if (!valid(row)) return;
  auto &entries = items_[static_cast<size_t>(row)].Entries;
  if (k > 0 && k < static_cast<int32_t>(entries.size())) std::swap(entries[static_cast<size_t>(k)], entries[static_cast<size_t>(k - 1)]);
}

void TDeviceCtrl::EntryDown(int32_t row, int32_t k) {
  if (!valid(row)) return;
  auto &entries = items_[static_cast<size_t>(row)].Entries;
  if (k >= 0 && k < static_cast<int32_t>(entries.size()) - 1)
    std::swap(entries[static_cast<size_t>(k)], entries[static_cast<size_t>(k + 1)]);
}

}  // namespace selkan
