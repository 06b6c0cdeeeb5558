#pragma once
// The device editor: the devices of each controller with their logic lists
// (outputs switched in order, each after its delay), and the download of a
// controller's logic list over the link the user picks.
//
// The tree holds no record indexes: a controller node's record is its
// position, the device node at position k under controller node c is the
// k-th of DevicesOf(c), and an entry node at position k is its device's k-th
// entry. Only the output nodes of tvDev keep their output's list position,
// since outputs do not change while the editor is open.
#include <QIcon>
#include <array>
#include <memory>

#include "controller_comm/client/link_services.h"
#include "controller_comm/client/plc_api.h"
#include "controller_editor/model/logic_download.h"
#include "platform/ui/form.h"
#include "platform/ui/widget_host.h"

class QTreeWidgetItem;

namespace ui {
class Button;
class Edit;
class Label;
class Panel;
class StatusBar;
class ToolBar;
class ToolButton;
}  // namespace ui

class TDeviceForm : public ui::Form {
  Q_OBJECT
 public:
  // On a call interface of the services' making, with their link settings.
  TDeviceForm(ui::Component *owner, const tarnex_client::LinkServices &services);
  ~TDeviceForm() override;

  // --- handlers ---
  void tvLogicChange(QTreeWidgetItem *node);
  void sbnAddLogicClick();
  void sbnDeleteLogicClick();
  void sbnMoveUpClick();
  void sbnMoveDownClick();
  void sbnAddDevClick();
  void tvDevDblClick(QTreeWidgetItem *node);
  void sbnDeleteDevClick();
  void cmbNameChange(const QString &text);
  void eDelayChange(const QString &text);
  void sbnSaveToClick();

  // The download's state (LinkHandle, Busy, the status text).
  const selkan::LogicDownload &download() const { return download_; }
  bool Updating = false;
  int ControllerInView = -1;

  // --- controls ---
  ui::ToolBar *tlbM = nullptr;
  ui::ToolButton *sbnAddLogic = nullptr;
  ui::ToolButton *sbnDeleteLogic = nullptr;
  ui::ToolButton *sbnMoveUp = nullptr;
  ui::ToolButton *sbnMoveDown = nullptr;
  ui::ToolButton *sbnSaveTo = nullptr;
  ui::TreeView *tvLogic = nullptr;
  ui::Panel *pnlDev = nullptr;
  ui::TreeView *tvDev = nullptr;
  ui::Panel *pnlBtn = nullptr;
  ui::Button *sbnAddDev = nullptr;
  ui::Button *sbnDeleteDev = nullptr;
  ui::Panel *pnlM = nullptr;
  ui::Panel *pnlL1 = nullptr;
  ui::Label *lblName = nullptr;
  ui::ComboBox *cmbName = nullptr;
  ui::Panel *pnlL2 = nullptr;
  ui::Label *lblDelay = nullptr;
  ui::Edit *eDelay = nullptr;
  ui::Label *lblDelayUnit = nullptr;
  ui::StatusBar *stbM = nullptr;

 protected:
  LRESULT windowMessage(const platform::WindowMessage &message) override;

 private:
  // What a node of tvLogic stands for.
  struct LogicNode {
    enum class Kind { None, Controller, Device, Entry } kind = Kind::None;
    int ctrl = -1;   // controller position
    int device = -1;  // device list position (Device and Entry), -1 when gone
    int entry = -1;   // entry position (Entry)
  };

  void build();
  void buildLogicTree();
  void buildOutputTree(int ctrl);
  LogicNode nodeOf(QTreeWidgetItem *node) const;
  QTreeWidgetItem *currentLogicNode() const;
  // A node with its picture (a TreeImage of the source).
  QTreeWidgetItem *newNode(const QString &text, int image) const;
  QTreeWidgetItem *addDeviceNode(QTreeWidgetItem *controller, int device);
  QTreeWidgetItem *addEntryNode(QTreeWidgetItem *device, uint32_t entry);
  // Selects node without the change handler, then runs it once.
  void reselect(QTreeWidgetItem *node);
  // Deletes node and selects what the tree chose in its place.
  void deleteNode(QTreeWidgetItem *node);
  // Moves a device or entry node by one place (-1 up, +1 down).
  void moveNode(int delta);
  void showStatus();

  std::unique_ptr<tarnex_client::IPlcApi> api_;
  tarnex_client::PlcLinkSettings link_;
  selkan::LogicDownload download_;
  // One icon per picture, shared by every node: an icon of its own per node
  // would load its pictures again for each of thousands of nodes.
  std::array<QIcon, 3> treeIcons_;
};
