#include "controller_editor/forms/output_form.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <string>

#include "controller_editor/model/editor_globals.h"
#include "controller_editor/model/name_text.h"
#include "controller_editor/model/output_editing.h"
#include "platform/cp936.h"
#include "platform/ui/message_box.h"

namespace {

constexpr int kAddresses = 32;  // "00".."31"
const QString kPrompt = QStringLiteral("提示");

QString Text(const std::string &bytes) { return QString::fromStdString(cp936::ToUtf8(bytes)); }
QString Utf8(const char *text) { return QString::fromUtf8(text); }

selkan::Project &Project() { return selkan::Global().project; }

QIcon NodeIcon(bool root) {
  return QApplication::style()->standardIcon(root ? QStyle::SP_DriveNetIcon : QStyle::SP_ComputerIcon);
}

QTreeWidgetItem *NewNode(const QString &text) {
  auto *node = new QTreeWidgetItem(QStringList{text});
  node->setIcon(0, NodeIcon(false));
  return node;
}

ui::Label *NewLabel(ui::Component *owner, ui::Control *parent, const QString &caption, int left) {
  auto *label = new ui::Label(owner);
  label->setParentControl(parent);
  label->setCaption(caption);
  label->setBounds(left, 12, label->width(), label->height());
  return label;
}

ui::ComboBox *NewCombo(ui::Component *owner, ui::Control *parent, const QString &name, int left, int width) {
  auto *combo = new ui::ComboBox(owner);
  combo->setName(name);
  combo->setParentControl(parent);
  combo->setBounds(left, 8, width, 24);
  return combo;
}

}  // namespace

TOutputForm::TOutputForm(ui::Component *owner) : ui::Form(owner) {
  build();
  FormCreate();
  doCreate();
}

TOutputForm::~TOutputForm() { beginDestroy(); }

void TOutputForm::build() {
  ui::LoadingGuard loading(*this);
  setName(QStringLiteral("OutputForm"));
  setCaption(QStringLiteral("输出管理"));
  setBorderStyle(ui::BorderStyle::Sizeable);

  tlbM = new ui::ToolBar(this);
  tlbM->setName(QStringLiteral("tlbM"));
  tlbM->setParentControl(this);
  tlbM->setAlign(ui::Align::Top);
  tlbM->setShowCaptions(true);
  tlbM->setFlat(true);
  tlbM->setButtonSize(52, 44);
  tlbM->setHeight(48);

  auto toolButton = [this](const QString &name, const QString &caption) {
    auto *b = new ui::ToolButton(this);
    b->setName(name);
    b->setParentControl(tlbM);
    b->setCaption(caption);
    return b;
  };
  sbnAdd = toolButton(QStringLiteral("sbnAdd"), QStringLiteral("添加"));
  sbnDelete = toolButton(QStringLiteral("sbnDelete"), QStringLiteral("删除"));
  sbnAdd->OnClick = [this](ui::Control *) { sbnAddClick(); };
  sbnDelete->OnClick = [this](ui::Control *) { sbnDeleteClick(); };

  pnlM = new ui::Panel(this);
  pnlM->setName(QStringLiteral("pnlM"));
  pnlM->setParentControl(this);
  pnlM->setAlign(ui::Align::Bottom);
  pnlM->setHeight(42);

  // The two alternative panels fill pnlM; one at a time is shown.
  auto alternative = [this](const QString &name) {
    auto *panel = new ui::Panel(this);
    panel->setName(name);
    panel->setParentControl(pnlM);
    panel->setPlain();
    panel->setAlign(ui::Align::Client);
    return panel;
  };
  pnlPLC = alternative(QStringLiteral("pnlPLC"));
  lblPLCName = NewLabel(this, pnlPLC, QStringLiteral("PLC名称"), 8);
  cmbPLCName = NewCombo(this, pnlPLC, QStringLiteral("cmbPLCName"), 64, 150);
  cmbPLCName->widget()->setEditable(true);
  cmbPLCName->widget()->setInsertPolicy(QComboBox::NoInsert);
  lblAddress = NewLabel(this, pnlPLC, QStringLiteral("PLC地址"), 228);
  cmbAddress = NewCombo(this, pnlPLC, QStringLiteral("cmbAddress"), 284, 64);

  pnlDev = alternative(QStringLiteral("pnlDev"));
  lblOutput = NewLabel(this, pnlDev, QStringLiteral("输出通道地址"), 8);
  cmbOutput = NewCombo(this, pnlDev, QStringLiteral("cmbOutput"), 96, 64);

  tvDev = new ui::TreeView(this);
  tvDev->setName(QStringLiteral("tvDev"));
  tvDev->setParentControl(this);
  tvDev->setAlign(ui::Align::Client);
  tvDev->widget()->setHeaderHidden(true);
  tvDev->widget()->setColumnCount(1);

  // User changes only: code that sets these boxes sends none of the signals.
  QComboBox *name = cmbPLCName->widget();
  connect(name->lineEdit(), &QLineEdit::textEdited, this, [this](const QString &t) { ePLCNameChange(t); });
  connect(name, &QComboBox::textActivated, this, [this](const QString &t) { ePLCNameChange(t); });
  connect(cmbAddress->widget(), &QComboBox::activated, this, [this](int i) { cmbAddressChange(i); });
  connect(cmbOutput->widget(), &QComboBox::activated, this, [this](int i) { cmbOutputChange(i); });
  connect(tvDev->widget(), &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem *current, QTreeWidgetItem *) {
            // The tree may still speak while the form's controls are freed.
            if (!isDying()) tvDevChange(current);
          });
}

void TOutputForm::FormCreate() {
  setBounds(left(), top(), 400, 320);
  centerOnScreen();
  pnlPLC->setVisible(false);
  pnlDev->setVisible(false);
  sbnDelete->setEnabled(false);

  for (int i = 0; i < kAddresses; ++i) cmbAddress->widget()->addItem(QString::asprintf("%02d", i));
  for (int n = 0; n < selkan::kOutputsPerController; ++n)
    cmbOutput->widget()->addItem(Text(selkan::OutputDefaultName(n)));

  QTreeWidget *tree = tvDev->widget();
  const QSignalBlocker quiet(tree);
  auto *root = new QTreeWidgetItem(QStringList{QStringLiteral("PLC单元")});
  root->setIcon(0, NodeIcon(true));
  tree->addTopLevelItem(root);
  const int32_t controllers = Project().PLCCtrl.Count();
  for (int32_t c = 0; c < controllers; ++c) addControllerNode(c);
  root->setExpanded(true);
  if (controllers > 0) select(root->child(0));
}

QTreeWidgetItem *TOutputForm::rootNode() const { return tvDev->widget()->topLevelItem(0); }

TOutputForm::NodeInfo TOutputForm::infoOf(QTreeWidgetItem *node) const {
  NodeInfo info;
  QTreeWidgetItem *root = rootNode();
  if (node == nullptr || root == nullptr) return info;
  if (node == root) {
    info.kind = NodeKind::Root;
  } else if (node->parent() == root) {
    info.kind = NodeKind::Controller;
    info.controllerNode = node;
    info.ctrl = root->indexOfChild(node);
  } else if (node->parent() != nullptr && node->parent()->parent() == root) {
    info.kind = NodeKind::Output;
    info.controllerNode = node->parent();
    info.ctrl = root->indexOfChild(node->parent());
    info.row = node->parent()->indexOfChild(node);
  }
  return info;
}

TOutputForm::NodeInfo TOutputForm::selected() const { return infoOf(tvDev->widget()->currentItem()); }

QTreeWidgetItem *TOutputForm::addControllerNode(int32_t ctrl) {
  QTreeWidgetItem *node = NewNode(Text(Project().PLCCtrl[ctrl].Name));
  rootNode()->addChild(node);
  fillOutputs(node, ctrl);
  return node;
}

void TOutputForm::fillOutputs(QTreeWidgetItem *controllerNode, int32_t ctrl) {
  const QSignalBlocker quiet(tvDev->widget());
  qDeleteAll(controllerNode->takeChildren());
  const selkan::Project &p = Project();
  for (int32_t q : selkan::OutputsOf(p, ctrl)) controllerNode->addChild(NewNode(Text(p.OutputCtrl[q].Name)));
}

void TOutputForm::select(QTreeWidgetItem *node) {
  {
    const QSignalBlocker quiet(tvDev->widget());
    tvDev->widget()->setCurrentItem(node);
  }
  tvDevChange(node);
}

void TOutputForm::showOutputNumber(int32_t number) {
  Updating = true;
  const bool shown = number >= 0 && number < selkan::kOutputsPerController;
  cmbOutput->widget()->setCurrentIndex(shown ? number : -1);
  Updating = false;
}

void TOutputForm::tvDevChange(QTreeWidgetItem *node) {
  const NodeInfo info = infoOf(node);
  const selkan::Project &p = Project();
  switch (info.kind) {
    case NodeKind::Controller: {
      const selkan::TPLCParm &c = p.PLCCtrl[info.ctrl];
      cmbPLCName->widget()->setEditText(node->text(0));
      // An address the list has no item for shows none and stays as stored.
      cmbAddress->widget()->setCurrentIndex(c.Addr < kAddresses ? c.Addr : -1);
      pnlPLC->setVisible(true);
      pnlDev->setVisible(false);
      sbnDelete->setEnabled(true);
      break;
    }
    case NodeKind::Output: {
      const int32_t q = selkan::OutputAtRow(p, info.ctrl, info.row);
      showOutputNumber(q >= 0 ? p.OutputCtrl[q].Output : -1);
      pnlPLC->setVisible(false);
      pnlDev->setVisible(true);
      sbnDelete->setEnabled(true);
      break;
    }
    case NodeKind::Root:
    case NodeKind::None:
      sbnDelete->setEnabled(false);
      pnlPLC->setVisible(false);
      pnlDev->setVisible(false);
      break;
  }
  if (node != nullptr) node->setExpanded(true);
}

void TOutputForm::sbnAddClick() {
  const NodeInfo info = selected();
  selkan::Project &p = Project();
  QTreeWidgetItem *root = rootNode();
  if (info.kind == NodeKind::None) return;
  if (info.kind == NodeKind::Root) {
    if (!selkan::AddController(p)) {
      ui::messageBox(Utf8(selkan::kControllersFullText), kPrompt, ui::MB_OK);
      return;
    }
    QTreeWidgetItem *node = addControllerNode(p.PLCCtrl.Count() - 1);
    root->setExpanded(true);
    select(node);
    return;
  }
  if (!selkan::CanAddOutput(p, info.ctrl)) {
    ui::messageBox(Utf8(selkan::kOutputsFullText), kPrompt, ui::MB_OK);
    return;
  }
  const int32_t q = selkan::AddOutput(p, info.ctrl);
  if (q < 0) return;
  QTreeWidgetItem *node = NewNode(Text(p.OutputCtrl[q].Name));
  info.controllerNode->insertChild(selkan::RowOfOutput(p, q), node);
  root->setExpanded(true);
  info.controllerNode->setExpanded(true);
  select(node);
}

void TOutputForm::sbnDeleteClick() {
  const NodeInfo info = selected();
  selkan::Project &p = Project();
  QTreeWidgetItem *root = rootNode();
  if (info.kind == NodeKind::Output) {
    const int32_t q = selkan::OutputAtRow(p, info.ctrl, info.row);
    if (q < 0) return;
    selkan::RemoveOutputByKey(p, info.ctrl, p.OutputCtrl[q].Output);
    fillOutputs(info.controllerNode, info.ctrl);
    const int32_t next = selkan::RowAfterRemoval(info.row, info.controllerNode->childCount());
    select(next >= 0 ? info.controllerNode->child(next) : info.controllerNode);
  } else if (info.kind == NodeKind::Controller) {
    selkan::RemoveController(p, info.ctrl);
    {
      const QSignalBlocker quiet(tvDev->widget());
      delete root->takeChild(info.ctrl);
    }
    const int32_t next = selkan::RowAfterRemoval(info.ctrl, root->childCount());
    select(next >= 0 ? root->child(next) : root);
  }
}

void TOutputForm::ePLCNameChange(const QString &text) {
  const NodeInfo info = selected();
  if (info.kind != NodeKind::Controller) return;
  selkan::Project &p = Project();
  const auto name = selkan::ToProjectName(text.toStdString());
  if (!name.ok()) {
    ui::messageBox(QString::fromStdString(name.error().message), kPrompt, ui::MB_OK);
    cmbPLCName->widget()->setEditText(Text(p.PLCCtrl[info.ctrl].Name));
    return;
  }
  p.PLCCtrl.SetName(info.ctrl, name.value());
  info.controllerNode->setText(0, Text(p.PLCCtrl[info.ctrl].Name));
}

void TOutputForm::cmbAddressChange(int index) {
  const NodeInfo info = selected();
  if (info.kind != NodeKind::Controller || index < 0 || index >= kAddresses) return;
  Project().PLCCtrl.SetAddress(info.ctrl, static_cast<uint8_t>(index));
}

void TOutputForm::cmbOutputChange(int index) {
  if (Updating) return;
  const NodeInfo info = selected();
  if (info.kind != NodeKind::Output) return;
  selkan::Project &p = Project();
  const int32_t q = selkan::OutputAtRow(p, info.ctrl, info.row);
  if (q < 0) return;
  const int32_t before = p.OutputCtrl[q].Output;
  switch (selkan::RenumberOutput(p, q, index)) {
    case selkan::Renumber::Unchanged:
    case selkan::Renumber::Refused:
      return;
    case selkan::Renumber::NumberTaken:
      ui::messageBox(Utf8(selkan::kOutputNumberTakenText), kPrompt, ui::MB_OK);
      showOutputNumber(before);
      return;
    case selkan::Renumber::Renumbered:
      break;
  }
  // Move the node to its new row. Taking a node out drops the tree's
  // current item, so the move happens unheard and the node is made current
  // again.
  QTreeWidgetItem *parent = info.controllerNode;
  QTreeWidgetItem *node = parent->child(info.row);
  {
    const QSignalBlocker quiet(tvDev->widget());
    parent->takeChild(info.row);
    node->setText(0, Text(p.OutputCtrl[q].Name));
    parent->insertChild(selkan::RowOfOutput(p, q), node);
  }
  select(node);
}
