#pragma once
// The editor of each controller's status items: the list of the chosen
// controller's block and one tab per item kind, each adding an item of its
// kind. Every change goes to the project's status region at once.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/tab_control.h"
#include "platform/ui/widget_host.h"

class TfrmPLCStatus : public ui::Form {
  Q_OBJECT
 public:
  explicit TfrmPLCStatus(ui::Component *owner);
  ~TfrmPLCStatus() override;

  static constexpr int kKinds = 8;  // controls per item kind, indexed by stType 1..7

  ui::Label *lblPLC = nullptr;
  ui::ComboBox *cmbPLC = nullptr;
  ui::Label *lblStatus = nullptr;
  ui::ListBox *lbStatus = nullptr;
  ui::Button *btnDelete = nullptr;
  ui::Button *btnMoveup = nullptr;
  ui::Button *btnMovedown = nullptr;
  ui::Button *btnClose = nullptr;
  ui::PageControl *PageControl1 = nullptr;
  // Null where a kind has no such field.
  std::array<ui::TabSheet *, kKinds> TabSheet{};
  std::array<ui::Edit *, kKinds> edtName{};
  std::array<ui::Button *, kKinds> btnAdd{};
  std::array<ui::ComboBox *, kKinds> cmbID{};
  std::array<ui::ComboBox *, kKinds> cmbPrecision{};
  std::array<std::array<ui::Edit *, 3>, kKinds> edtParm{};

  // The item kind (stType) of each tab, in the order the tabs are shown.
  const std::vector<int32_t> &tabTypes() const { return tabTypes_; }

  void RefreshList();
  void cmbPLCChange();
  // The Add button of the tab for item kind type.
  void btnAddClick(int32_t type);
  void btnDeleteClick();
  void btnMoveupClick();
  void btnMovedownClick();
  void btnCloseClick();

 private:
  void build();
  void buildTab(size_t tab);
  void FormCreate();
  // The chosen controller's position, or -1.
  int32_t chosenController() const;
  void moveLine(int32_t from, int32_t to);

  std::vector<int32_t> tabTypes_;
};
