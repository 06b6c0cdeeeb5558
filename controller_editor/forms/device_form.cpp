#include "controller_editor/forms/device_form.h"

#include <QApplication>
#include <QIntValidator>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <vector>

#include "controller_editor/forms/conn_form.h"
#include "controller_editor/model/editor_globals.h"
#include "controller_editor/model/name_text.h"
#include "controller_editor/model/project.h"
#include "platform/cp936.h"
#include "platform/number_text.h"
#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/label.h"
#include "platform/ui/message_box.h"
#include "platform/ui/panel.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/tool_bar.h"
#include "platform/ui/widget_host.h"

namespace {

constexpr int kOutputPosRole = Qt::UserRole;
constexpr int kMaxDelayTyped = 255;

// The tree pictures: 0 a controller or output list, 1 an output, 2 a device.
enum TreeImage { kImageList = 0, kImageOutput = 1, kImageDevice = 2 };

QString Text(const std::string &bytes) { return QString::fromStdString(cp936::ToUtf8(bytes)); }

QIcon TreeIcon(TreeImage image) {
  QStyle *style = QApplication::style();
  switch (image) {
    case kImageList: return style->standardIcon(QStyle::SP_DirIcon);
    case kImageOutput: return style->standardIcon(QStyle::SP_FileIcon);
    case kImageDevice: return style->standardIcon(QStyle::SP_ComputerIcon);
  }
  return {};
}

QString ControllerText(const selkan::Project &p, int ctrl) {
  return Text(p.PLCCtrl[ctrl].Name) + QStringLiteral("单元");
}

// An entry shows its output's name, or "?" for an output the list lacks.
QString EntryText(const selkan::Project &p, uint32_t entry) {
  const int pos = selkan::EntryOutput(entry);
  return pos < p.OutputCtrl.Count() ? Text(p.OutputCtrl[pos].Name) : QStringLiteral("?");
}

// Whole numbers in bottom..top only. The plain validator lets a number with
// as many digits as top through as unfinished ("300" under 255), so the
// box would hold a value it cannot take.
class RangeValidator : public QIntValidator {
 public:
  RangeValidator(int bottom, int top, QObject *parent) : QIntValidator(bottom, top, parent) {}

  State validate(QString &input, int &pos) const override {
    const State state = QIntValidator::validate(input, pos);
    if (state != Intermediate) return state;
    bool ok = false;
    const int value = input.toInt(&ok);
    return ok && (value < bottom() || value > top()) ? Invalid : state;
  }
};

void ShowBox(const QString &text) { ui::messageBox(text, QStringLiteral("提示"), ui::MB_OK); }

selkan::Project &CurrentProject() { return selkan::Global().project; }

}  // namespace

TDeviceForm::TDeviceForm(ui::Component *owner, const tarnex_client::LinkServices &services)
    : ui::Form(owner),
      api_(services.makeApi()),
      link_(services.link),
      download_(*api_, link_) {
  build();
}

TDeviceForm::~TDeviceForm() {
  beginDestroy();
  // Notices still on their way go with the handle (the library's worker then
  // gets 0 at once); only then are the library's links closed. Nothing here
  // waits for a send still running.
  destroyHandle();
  api_->cleanup();
}

// --- building --------------------------------------------------------------------

void TDeviceForm::build() {
  for (TreeImage image : {kImageList, kImageOutput, kImageDevice}) treeIcons_[image] = TreeIcon(image);
  setName(QStringLiteral("DeviceForm"));
  setCaption(QStringLiteral("设备管理"));
  {
    ui::LoadingGuard loading(*this);
    setBounds(0, 0, 640, 480);

    tlbM = new ui::ToolBar(this);
    tlbM->setName(QStringLiteral("tlbM"));
    tlbM->setParentControl(this);
    tlbM->setAlign(ui::Align::Top);
    tlbM->setShowCaptions(true);
    tlbM->setFlat(true);
    tlbM->setButtonSize(48, 24);
    tlbM->setHeight(28);
    const auto tool = [this](const QString &name, const QString &caption, void (TDeviceForm::*handler)()) {
      auto *button = new ui::ToolButton(this);
      button->setName(name);
      button->setCaption(caption);
      button->setParentControl(tlbM);
      button->OnClick = [this, handler](ui::Control *) { (this->*handler)(); };
      return button;
    };
    sbnAddLogic = tool(QStringLiteral("sbnAddLogic"), QStringLiteral("添加"), &TDeviceForm::sbnAddLogicClick);
    sbnDeleteLogic = tool(QStringLiteral("sbnDeleteLogic"), QStringLiteral("删除"), &TDeviceForm::sbnDeleteLogicClick);
    sbnMoveUp = tool(QStringLiteral("sbnMoveUp"), QStringLiteral("上移"), &TDeviceForm::sbnMoveUpClick);
    sbnMoveDown = tool(QStringLiteral("sbnMoveDown"), QStringLiteral("下移"), &TDeviceForm::sbnMoveDownClick);
    auto *divider = new ui::ToolButton(this);
    divider->setStyle(ui::ToolButtonStyle::Divider);
    divider->setParentControl(tlbM);
    sbnSaveTo = tool(QStringLiteral("sbnSaveTo"), QStringLiteral("下载"), &TDeviceForm::sbnSaveToClick);

    stbM = new ui::StatusBar(this);
    stbM->setName(QStringLiteral("stbM"));
    stbM->setParentControl(this);
    stbM->setAlign(ui::Align::Bottom);
    stbM->addPanel(ui::StatusPanel{600, QString(), false});

    pnlM = new ui::Panel(this);
    pnlM->setName(QStringLiteral("pnlM"));
    pnlM->setParentControl(this);
    pnlM->setAlign(ui::Align::Bottom);
    pnlM->setHeight(40);

    pnlL1 = new ui::Panel(this);
    pnlL1->setName(QStringLiteral("pnlL1"));
    pnlL1->setParentControl(pnlM);
    pnlL1->setPlain();
    pnlL1->setAlign(ui::Align::Client);
    lblName = new ui::Label(this);
    lblName->setParentControl(pnlL1);
    lblName->setCaption(QStringLiteral("设备名称"));
    lblName->setLeft(12);
    lblName->setTop(12);
    cmbName = new ui::ComboBox(this);
    cmbName->setName(QStringLiteral("cmbName"));
    cmbName->setParentControl(pnlL1);
    cmbName->setBounds(80, 8, 200, 22);
    cmbName->widget()->setEditable(true);
    cmbName->widget()->setInsertPolicy(QComboBox::NoInsert);
    cmbName->widget()->addItems({QStringLiteral("显示屏"), QStringLiteral("空调"), QStringLiteral("风机"),
                                 QStringLiteral("风扇"), QStringLiteral("电子钟"), QStringLiteral("数码管")});
    connect(cmbName->widget()->lineEdit(), &QLineEdit::textEdited, this, &TDeviceForm::cmbNameChange);
    connect(cmbName->widget(), &QComboBox::textActivated, this, &TDeviceForm::cmbNameChange);

    pnlL2 = new ui::Panel(this);
    pnlL2->setName(QStringLiteral("pnlL2"));
    pnlL2->setParentControl(pnlM);
    pnlL2->setPlain();
    pnlL2->setAlign(ui::Align::Client);
    lblDelay = new ui::Label(this);
    lblDelay->setParentControl(pnlL2);
    lblDelay->setCaption(QStringLiteral("延迟时间"));
    lblDelay->setLeft(12);
    lblDelay->setTop(12);
    eDelay = new ui::Edit(this);
    eDelay->setName(QStringLiteral("eDelay"));
    eDelay->setParentControl(pnlL2);
    eDelay->setBounds(80, 8, 80, 22);
    // Delays are sent in eight bits: nothing above 255 can be typed.
    eDelay->lineEdit()->setValidator(new RangeValidator(0, kMaxDelayTyped, eDelay->lineEdit()));
    connect(eDelay->lineEdit(), &QLineEdit::textEdited, this, &TDeviceForm::eDelayChange);
    lblDelayUnit = new ui::Label(this);
    lblDelayUnit->setParentControl(pnlL2);
    lblDelayUnit->setCaption(QStringLiteral("0.1秒"));
    lblDelayUnit->setLeft(168);
    lblDelayUnit->setTop(12);

    pnlDev = new ui::Panel(this);
    pnlDev->setName(QStringLiteral("pnlDev"));
    pnlDev->setParentControl(this);
    pnlDev->setPlain();
    pnlDev->setAlign(ui::Align::Right);
    pnlDev->setWidth(220);

    pnlBtn = new ui::Panel(this);
    pnlBtn->setName(QStringLiteral("pnlBtn"));
    pnlBtn->setParentControl(pnlDev);
    pnlBtn->setPlain();
    pnlBtn->setAlign(ui::Align::Bottom);
    pnlBtn->setHeight(34);
    const auto button = [this](const QString &name, const QString &caption, int left, void (TDeviceForm::*handler)()) {
      auto *b = new ui::Button(this);
      b->setName(name);
      b->setCaption(caption);
      b->setParentControl(pnlBtn);
      b->setBounds(left, 4, 75, 25);
      b->OnClick = [this, handler](ui::Control *) { (this->*handler)(); };
      return b;
    };
    sbnAddDev = button(QStringLiteral("sbnAddDev"), QStringLiteral("添加"), 24, &TDeviceForm::sbnAddDevClick);
    sbnDeleteDev = button(QStringLiteral("sbnDeleteDev"), QStringLiteral("删除"), 112, &TDeviceForm::sbnDeleteDevClick);

    tvDev = new ui::TreeView(this);
    tvDev->setName(QStringLiteral("tvDev"));
    tvDev->setParentControl(pnlDev);
    tvDev->setAlign(ui::Align::Client);
    tvDev->widget()->setHeaderHidden(true);
    // The trees may still speak while the form's controls are freed.
    connect(tvDev->widget(), &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *node, int) {
      if (!isDying()) tvDevDblClick(node);
    });

    tvLogic = new ui::TreeView(this);
    tvLogic->setName(QStringLiteral("tvLogic"));
    tvLogic->setParentControl(this);
    tvLogic->setAlign(ui::Align::Client);
    tvLogic->widget()->setHeaderHidden(true);
    connect(tvLogic->widget(), &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current, QTreeWidgetItem *) {
              if (!isDying()) tvLogicChange(current);
            });
  }
  centerOnScreen();

  pnlL1->setVisible(false);
  pnlL2->setVisible(false);
  sbnSaveTo->setEnabled(false);
  buildLogicTree();
  if (QTreeWidgetItem *first = tvLogic->widget()->topLevelItem(0)) {
    first->setExpanded(true);
    tvLogic->widget()->setCurrentItem(first);
  }
  api_->startup(tarnex_client::kDirectMode);
  doCreate();
}

void TDeviceForm::buildLogicTree() {
  const selkan::Project &p = CurrentProject();
  QTreeWidget *tree = tvLogic->widget();
  const QSignalBlocker quiet(tree);
  tree->clear();
  for (int c = 0; c < p.PLCCtrl.Count(); ++c) {
    auto *controller = newNode(ControllerText(p, c), kImageList);
    tree->addTopLevelItem(controller);
    // Devices of a controller the list lacks have no node to go under.
    for (int32_t row : selkan::DevicesOf(p, c)) {
      QTreeWidgetItem *device = addDeviceNode(controller, row);
      for (uint32_t entry : p.DeviceCtrl[row].Entries) addEntryNode(device, entry);
    }
  }
}

QTreeWidgetItem *TDeviceForm::newNode(const QString &text, int image) const {
  auto *node = new QTreeWidgetItem(QStringList{text});
  if (image >= 0 && image < static_cast<int>(treeIcons_.size())) node->setIcon(0, treeIcons_[image]);
  return node;
}

QTreeWidgetItem *TDeviceForm::addDeviceNode(QTreeWidgetItem *controller, int device) {
  auto *node = newNode(Text(CurrentProject().DeviceCtrl[device].Name), kImageDevice);
  controller->addChild(node);
  return node;
}

QTreeWidgetItem *TDeviceForm::addEntryNode(QTreeWidgetItem *device, uint32_t entry) {
  auto *node = newNode(EntryText(CurrentProject(), entry), kImageOutput);
  device->addChild(node);
  return node;
}

void TDeviceForm::buildOutputTree(int ctrl) {
  const selkan::Project &p = CurrentProject();
  QTreeWidget *tree = tvDev->widget();
  tree->clear();
  if (ctrl < 0 || ctrl >= p.PLCCtrl.Count()) return;
  auto *root = newNode(ControllerText(p, ctrl) + QStringLiteral("输出口"), kImageList);
  tree->addTopLevelItem(root);
  // By ascending number, as the outputs are wired.
  for (int32_t pos : selkan::OutputsOf(p, ctrl)) {
    auto *node = newNode(Text(p.OutputCtrl[pos].Name), kImageOutput);
    node->setData(0, kOutputPosRole, pos);
    root->addChild(node);
  }
  root->setExpanded(true);
  if (root->childCount() > 0) tree->setCurrentItem(root->child(0));
}

// --- the tree's mapping ------------------------------------------------------------

TDeviceForm::LogicNode TDeviceForm::nodeOf(QTreeWidgetItem *node) const {
  LogicNode n;
  if (node == nullptr) return n;
  QTreeWidgetItem *deviceNode = nullptr;
  QTreeWidgetItem *controllerNode = nullptr;
  if (node->parent() == nullptr) {
    n.kind = LogicNode::Kind::Controller;
    controllerNode = node;
  } else if (node->parent()->parent() == nullptr) {
    n.kind = LogicNode::Kind::Device;
    deviceNode = node;
    controllerNode = node->parent();
  } else {
    n.kind = LogicNode::Kind::Entry;
    deviceNode = node->parent();
    controllerNode = deviceNode->parent();
    n.entry = deviceNode->indexOfChild(node);
  }
  n.ctrl = tvLogic->widget()->indexOfTopLevelItem(controllerNode);
  if (n.ctrl < 0 || n.ctrl >= CurrentProject().PLCCtrl.Count()) return {};
  if (deviceNode != nullptr) {
    const std::vector<int32_t> devices = selkan::DevicesOf(CurrentProject(), n.ctrl);
    const int k = controllerNode->indexOfChild(deviceNode);
    if (k >= 0 && k < static_cast<int>(devices.size())) n.device = devices[static_cast<size_t>(k)];
  }
  if (n.kind == LogicNode::Kind::Entry &&
      (n.device < 0 || n.entry < 0 || n.entry >= CurrentProject().DeviceCtrl[n.device].EntryCount())) {
    n.kind = LogicNode::Kind::None;
  }
  if (n.kind == LogicNode::Kind::Device && n.device < 0) n.kind = LogicNode::Kind::None;
  return n;
}

QTreeWidgetItem *TDeviceForm::currentLogicNode() const { return tvLogic->widget()->currentItem(); }

void TDeviceForm::reselect(QTreeWidgetItem *node) {
  {
    const QSignalBlocker quiet(tvLogic->widget());
    tvLogic->widget()->setCurrentItem(node);
  }
  tvLogicChange(node);
}

void TDeviceForm::deleteNode(QTreeWidgetItem *node) {
  {
    // The tree picks the next current node while the old one is still in
    // place, where the positions do not match the lists any more.
    const QSignalBlocker quiet(tvLogic->widget());
    delete node;
  }
  tvLogicChange(currentLogicNode());
}

// --- handlers --------------------------------------------------------------------

void TDeviceForm::tvLogicChange(QTreeWidgetItem *node) {
  sbnSaveTo->setEnabled(false);
  const LogicNode n = nodeOf(node);
  const selkan::Project &p = CurrentProject();
  switch (n.kind) {
    case LogicNode::Kind::None:
      pnlL1->setVisible(false);
      pnlL2->setVisible(false);
      return;
    case LogicNode::Kind::Controller:
      pnlL1->setVisible(false);
      pnlL2->setVisible(false);
      sbnSaveTo->setEnabled(true);
      break;
    case LogicNode::Kind::Device:
      pnlL1->setVisible(true);
      pnlL2->setVisible(false);
      Updating = true;
      cmbName->widget()->setEditText(node->text(0));
      Updating = false;
      break;
    case LogicNode::Kind::Entry:
      pnlL1->setVisible(false);
      pnlL2->setVisible(true);
      Updating = true;
      eDelay->setText(QString::number(selkan::EntryDelay(p.DeviceCtrl[n.device].Entries[static_cast<size_t>(n.entry)])));
      Updating = false;
      break;
  }
  if (n.ctrl != ControllerInView) {
    ControllerInView = n.ctrl;
    buildOutputTree(n.ctrl);
  }
}

void TDeviceForm::sbnAddLogicClick() {
  QTreeWidgetItem *controller = currentLogicNode();
  const LogicNode n = nodeOf(controller);
  if (n.kind != LogicNode::Kind::Controller) return;
  const int32_t row = selkan::AddDevice(CurrentProject(), n.ctrl);
  if (row < 0) return;
  QTreeWidgetItem *device = addDeviceNode(controller, row);
  controller->setExpanded(true);
  tvLogic->widget()->setCurrentItem(device);
}

void TDeviceForm::sbnDeleteLogicClick() {
  QTreeWidgetItem *node = currentLogicNode();
  const LogicNode n = nodeOf(node);
  if (n.kind != LogicNode::Kind::Device) return;
  selkan::RemoveDevice(CurrentProject(), n.device);
  deleteNode(node);
}

void TDeviceForm::moveNode(int delta) {
  QTreeWidgetItem *node = currentLogicNode();
  const LogicNode n = nodeOf(node);
  if (n.kind != LogicNode::Kind::Device && n.kind != LogicNode::Kind::Entry) return;
  QTreeWidgetItem *parent = node->parent();
  const int from = parent->indexOfChild(node);
  const int to = from + delta;
  if (to < 0 || to >= parent->childCount()) return;

  selkan::Project &p = CurrentProject();
  if (n.kind == LogicNode::Kind::Device) {
    // The neighbour in the tree need not be the neighbour in the list.
    const std::vector<int32_t> devices = selkan::DevicesOf(p, n.ctrl);
    if (to >= static_cast<int>(devices.size())) return;
    p.DeviceCtrl.Swap(devices[static_cast<size_t>(from)], devices[static_cast<size_t>(to)]);
  } else if (delta < 0) {
    p.DeviceCtrl.EntryUp(n.device, n.entry);
  } else {
    p.DeviceCtrl.EntryDown(n.device, n.entry);
  }
  const bool expanded = node->isExpanded();
  {
    // Taking a node out drops its selection and expansion.
    const QSignalBlocker quiet(tvLogic->widget());
    parent->takeChild(from);
    parent->insertChild(to, node);
    node->setExpanded(expanded);
  }
  reselect(node);
}

void TDeviceForm::sbnMoveUpClick() { moveNode(-1); }

void TDeviceForm::sbnMoveDownClick() { moveNode(+1); }

void TDeviceForm::sbnAddDevClick() {
  QTreeWidgetItem *output = tvDev->widget()->currentItem();
  if (output == nullptr || output->parent() == nullptr) return;
  bool ok = false;
  const int outputPos = output->data(0, kOutputPosRole).toInt(&ok);
  selkan::Project &p = CurrentProject();
  if (!ok || outputPos < 0 || outputPos >= p.OutputCtrl.Count()) return;
  if (selkan::IsOutputAssigned(p, outputPos)) {
    ShowBox(QStringLiteral("此DO输出口已经分配，请选择其它输出口"));
    return;
  }
  QTreeWidgetItem *device = currentLogicNode();
  LogicNode n = nodeOf(device);
  if (n.kind == LogicNode::Kind::Entry) {
    device = device->parent();
    n = nodeOf(device);
  }
  if (n.kind != LogicNode::Kind::Device) return;
  if (p.OutputCtrl[outputPos].PLC_ID != n.ctrl) return;
  if (!selkan::AddEntry(p, n.device, outputPos)) return;
  QTreeWidgetItem *entry = addEntryNode(device, p.DeviceCtrl[n.device].Entries.back());
  entry->setText(0, output->text(0));
  device->setExpanded(true);
  tvLogic->widget()->setCurrentItem(entry);
}

void TDeviceForm::tvDevDblClick(QTreeWidgetItem *node) {
  if (node != nullptr && node->parent() != nullptr) sbnAddDevClick();
}

void TDeviceForm::sbnDeleteDevClick() {
  QTreeWidgetItem *node = currentLogicNode();
  const LogicNode n = nodeOf(node);
  if (n.kind != LogicNode::Kind::Entry) return;
  selkan::RemoveEntry(CurrentProject(), n.device, n.entry);
  deleteNode(node);
}

void TDeviceForm::cmbNameChange(const QString &text) {
  if (Updating) return;
  QTreeWidgetItem *node = currentLogicNode();
  const LogicNode n = nodeOf(node);
  if (n.kind != LogicNode::Kind::Device) return;
  selkan::Project &p = CurrentProject();
  const auto name = selkan::ToProjectName(text.toStdString());
  if (!name) {
    ShowBox(QString::fromUtf8(selkan::kUnstorableNameText));
    Updating = true;
    cmbName->widget()->setEditText(Text(p.DeviceCtrl[n.device].Name));
    Updating = false;
    return;
  }
  p.DeviceCtrl.SetName(n.device, name.value());
  node->setText(0, Text(p.DeviceCtrl[n.device].Name));
}

void TDeviceForm::eDelayChange(const QString &text) {
  if (Updating) return;
  const LogicNode n = nodeOf(currentLogicNode());
  if (n.kind != LogicNode::Kind::Entry) return;
  selkan::Project &p = CurrentProject();
  const int32_t old = selkan::EntryDelay(p.DeviceCtrl[n.device].Entries[static_cast<size_t>(n.entry)]);
  p.DeviceCtrl.SetEntryDelay(n.device, n.entry, platform::ParseIntegerOr(text.toStdString(), old));
}

void TDeviceForm::sbnSaveToClick() {
  const LogicNode n = nodeOf(currentLogicNode());
  if (n.kind != LogicNode::Kind::Controller) return;
  selkan::EditorGlobals &g = selkan::Global();
  const selkan::TPLCParm &controller = g.project.PLCCtrl[n.ctrl];

  selkan::LogicLinkChoice choice;
  {
    TConnForm conn(this);
    conn.setNetwork(g.LinkIsNetwork);
    conn.setPortItem(g.LinkPort - 1);
    conn.eIP->setText(QString::fromStdString(g.LinkIP));
    conn.setAddressItem(controller.Addr);
    if (conn.showModal() != ui::mrOk) return;

    g.LinkIsNetwork = !conn.rbComm->checked();
    const int portItem = conn.cmbComm->widget()->currentIndex();
    if (portItem >= 0) g.LinkPort = portItem + 1;
    g.LinkIP = conn.eIP->text().toStdString();
    const int addressItem = conn.cmbAddress->widget()->currentIndex();
    if (addressItem >= 0) choice.address = addressItem;
  }
  choice.network = g.LinkIsNetwork;
  choice.comPort = g.LinkPort;
  choice.host = g.LinkIP;
  choice.hostPort = g.LinkUdpPort;

  // An earlier download still waiting keeps its link: start sends nothing.
  const auto started = download_.start(g.project, n.ctrl, choice, handle());
  showStatus();
  if (!started) ShowBox(QString::fromStdString(started.error().message));
}

LRESULT TDeviceForm::windowMessage(const platform::WindowMessage &message) {
  if (message.message == tarnex_client::kPlcNoticeMessage) {
    if (isDying()) return 0;
    const tarnex_client::PlcNotice notice = tarnex_client::DecodePlcNotice(message.wParam);
    download_.handleNotice(notice.function, notice.result);
    showStatus();
    return 0;
  }
  return ui::Form::windowMessage(message);
}

void TDeviceForm::showStatus() { stbM->setPanelText(0, QString::fromStdString(download_.statusText())); }
