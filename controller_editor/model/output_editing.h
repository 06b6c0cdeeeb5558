#pragma once
// The rules of the output editor that need no window. Its tree shows, under
// each controller, the controller's outputs in OutputsOf order (ascending
// number), so an output node is known by its controller and its row.
#include <cstdint>

#include "controller_editor/model/project.h"

namespace selkan {

inline constexpr const char *kControllersFullText = "PLC单元数量已达上限（256个）。";
inline constexpr const char *kOutputsFullText = "所有输出通道已经添加";
inline constexpr const char *kOutputNumberTakenText = "此输出通道已经添加";

// The output shown at row of controller ctrl's outputs, or -1.
int32_t OutputAtRow(const Project &p, int32_t ctrl, int32_t row);
// The row output outputPos shows at under its controller, or -1.
int32_t RowOfOutput(const Project &p, int32_t outputPos);

// True when controller ctrl exists, shows fewer than ten outputs and has a
// free output number.
bool CanAddOutput(const Project &p, int32_t ctrl);

enum class Renumber { Unchanged, NumberTaken, Renumbered, Refused };
// Gives output outputPos the number n (0..9) and the name that goes with
// it. Unchanged when it has n already; NumberTaken when another output of
// its controller has n; Refused for a missing output or n outside 0..9.
Renumber RenumberOutput(Project &p, int32_t outputPos, int32_t n);

// The row to select after the row removed from rows siblings (rows counts
// the ones left): the same row, the last one, or -1 for none left.
int32_t RowAfterRemoval(int32_t removedRow, int32_t rowsLeft);

}  // namespace selkan
