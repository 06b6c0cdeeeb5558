#pragma once
// The editor of the project's controllers and their switched outputs. The
// tree holds a root, one node per controller in list order and under each
// its outputs by ascending number; a node is known by where it is, never by
// anything stored in it. Every change goes to the project at once.
#include <cstdint>

#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "platform/ui/tool_bar.h"
#include "platform/ui/widget_host.h"

class QTreeWidgetItem;

class TOutputForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TOutputForm(ui::Component *owner);
  ~TOutputForm() override;

  ui::ToolBar *tlbM = nullptr;
  ui::ToolButton *sbnAdd = nullptr;
  ui::ToolButton *sbnDelete = nullptr;
  ui::TreeView *tvDev = nullptr;
  ui::Panel *pnlM = nullptr;
  ui::Panel *pnlPLC = nullptr;
  ui::Label *lblPLCName = nullptr;
  ui::ComboBox *cmbPLCName = nullptr;
  ui::Label *lblAddress = nullptr;
  ui::ComboBox *cmbAddress = nullptr;
  ui::Panel *pnlDev = nullptr;
  ui::Label *lblOutput = nullptr;
  ui::ComboBox *cmbOutput = nullptr;

  // True while cmbOutput is set from the selected node.
  bool Updating = false;

  // The root node "PLC单元".
  QTreeWidgetItem *rootNode() const;

  void tvDevChange(QTreeWidgetItem *node);
  void sbnAddClick();
  void sbnDeleteClick();
  void ePLCNameChange(const QString &text);
  void cmbAddressChange(int index);
  void cmbOutputChange(int index);

 private:
  enum class NodeKind { None, Root, Controller, Output };
  struct NodeInfo {
    NodeKind kind = NodeKind::None;
    QTreeWidgetItem *controllerNode = nullptr;
    int32_t ctrl = -1;  // the controller's list position
    int32_t row = -1;   // an output node's row under its controller
  };

  void build();
  void FormCreate();
  NodeInfo infoOf(QTreeWidgetItem *node) const;
  NodeInfo selected() const;
  QTreeWidgetItem *addControllerNode(int32_t ctrl);
  // Puts controller node's children back in step with the project.
  void fillOutputs(QTreeWidgetItem *controllerNode, int32_t ctrl);
  // Makes node current without the tree's own signal, then runs the change
  // handler once, as a selection by code does.
  void select(QTreeWidgetItem *node);
  void showOutputNumber(int32_t number);
};
