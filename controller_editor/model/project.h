#pragma once
// A controller project: the three lists and the two fixed blocks, and the
// operations that keep references right across the lists. The raw list
// operations (project_lists.h) change one list only; everything that removes
// or assigns records goes through the functions below, so every remaining
// device, entry, output and status block keeps pointing at the same
// controller and output.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controller_editor/model/project_lists.h"
#include "controller_editor/model/status_region.h"

namespace selkan {

// The most each list holds. The editors add no more, and a project file
// that claims more is refused.
//
// Controllers the status region has blocks for.
inline constexpr int32_t kMaxControllers = StatusRegion::kBlocks;
// Outputs per controller, numbered 0..9.
inline constexpr int32_t kOutputsPerController = 10;
inline constexpr int32_t kMaxOutputs = kMaxControllers * kOutputsPerController;
// Sixteen devices per controller, the device numbers 0..15 a logic word
// carries.
inline constexpr int32_t kMaxDevices = kMaxControllers * 16;
// A logic list names each output of its controller once at most.
inline constexpr int32_t kMaxEntriesPerDevice = kOutputsPerController;

struct Project {
  TPLCCtrl PLCCtrl;
  TOutputCtrl OutputCtrl;
  TDeviceCtrl DeviceCtrl;
  ReservedBlock Reserved;
  StatusRegion Status;

  // New: the lists start over (NameCounter back at 1); both blocks are kept.
  void ResetLists();

  bool operator==(const Project &) const = default;
};

// --- removals and assignments that keep references ------------------------------

// Removes output q: entries naming q are dropped, entries naming a later
// output follow it down one position (their delay kept).
void RemoveOutput(Project &p, int32_t q);
// RemoveOutput of the first output of controller ctrl numbered n, if any.
void RemoveOutputByKey(Project &p, int32_t ctrl, int32_t n);
// Removes device i; the outputs it used are free again (LC_ID -1).
void RemoveDevice(Project &p, int32_t i);
// Removes entry k of device row; its output is free again.
void RemoveEntry(Project &p, int32_t row, int32_t k);
// Appends output outputPos to device row's logic list with the delay of a new
// entry and marks the output as the device's. Refused (false) for a missing
// device or output, an output already in a logic list or one of another
// controller, and for a device with kMaxEntriesPerDevice entries.
bool AddEntry(Project &p, int32_t row, int32_t outputPos);
// Removes controller at position pos with its outputs, devices and status
// block; later controllers' records and blocks follow them down.
void RemoveController(Project &p, int32_t pos);

// --- additions the editor windows make ----------------------------------------------

// Appends a controller "PLC" with address 0; false when the project already
// has kMaxControllers.
bool AddController(Project &p);
// Appends output number LowestFreeOutputNumber(ctrl) to controller ctrl and
// returns its position; -1 for a missing controller, when all ten exist or
// when the project has kMaxOutputs.
int32_t AddOutput(Project &p, int32_t ctrl);
// Appends a device "设备<NameCounter>" with ID NextDeviceId(ctrl) to
// controller ctrl and returns its position; -1 for a missing controller or
// when the project has kMaxDevices.
int32_t AddDevice(Project &p, int32_t ctrl);

// --- queries for the windows ----------------------------------------------------

// Positions of controller ctrl's outputs, by ascending Output (list order
// among equal numbers).
std::vector<int32_t> OutputsOf(const Project &p, int32_t ctrl);
// Positions of controller ctrl's devices, in list order.
std::vector<int32_t> DevicesOf(const Project &p, int32_t ctrl);
// The lowest output number 0..9 controller ctrl does not use yet.
std::optional<int32_t> LowestFreeOutputNumber(const Project &p, int32_t ctrl);
// True when an output of ctrl other than the one at exceptPos has number n.
bool IsOutputNumberUsed(const Project &p, int32_t ctrl, int32_t n, int32_t exceptPos = -1);
// The lowest n >= 0 that is neither the ID of a device of ctrl nor the LC_ID
// of one of its outputs.
int32_t NextDeviceId(const Project &p, int32_t ctrl);
bool CanAddController(const Project &p);
// True when an entry of any device names output position index.
bool IsOutputAssigned(const Project &p, int32_t index);

// Broken references, one text each; empty for a consistent project. Loading
// accepts projects that have them; the model copes.
std::vector<std::string> FindReferenceProblems(const Project &p);

}  // namespace selkan
