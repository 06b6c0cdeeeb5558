#include "controller_editor/model/output_editing.h"

#include <algorithm>
#include <vector>

namespace selkan {

int32_t OutputAtRow(const Project &p, int32_t ctrl, int32_t row) {
  const std::vector<int32_t> rows = OutputsOf(p, ctrl);
  if (row < 0 || row >= static_cast<int32_t>(rows.size())) return -1;
  return rows[static_cast<size_t>(row)];
}

int32_t RowOfOutput(const Project &p, int32_t outputPos) {
  if (outputPos < 0 || outputPos >= p.OutputCtrl.Count()) return -1;
  const std::vector<int32_t> rows = OutputsOf(p, p.OutputCtrl[outputPos].PLC_ID);
  const auto it = std::find(rows.begin(), rows.end(), outputPos);
  return it == rows.end() ? -1 : static_cast<int32_t>(it - rows.begin());
}

bool CanAddOutput(const Project &p, int32_t ctrl) {
  if (ctrl < 0 || ctrl >= p.PLCCtrl.Count()) return false;
  if (static_cast<int32_t>(OutputsOf(p, ctrl).size()) >= kOutputsPerController) return false;
  return LowestFreeOutputNumber(p, ctrl).has_value();
}

Renumber RenumberOutput(Project &p, int32_t outputPos, int32_t n) {
  if (outputPos < 0 || outputPos >= p.OutputCtrl.Count() || n < 0 || n >= kOutputsPerController)
    return Renumber::Refused;
  const TOutputParm &o = p.OutputCtrl[outputPos];
  if (o.Output == n) return Renumber::Unchanged;
  if (IsOutputNumberUsed(p, o.PLC_ID, n, outputPos)) return Renumber::NumberTaken;
  p.OutputCtrl.SetName(outputPos, OutputDefaultName(n));
  p.OutputCtrl.SetOutput(outputPos, n);
  return Renumber::Renumbered;
}

int32_t RowAfterRemoval(int32_t removedRow, int32_t rowsLeft) {
  if (rowsLeft <= 0) return -1;
  return std::clamp(removedRow, 0, rowsLeft - 1);
}

}  // namespace selkan
