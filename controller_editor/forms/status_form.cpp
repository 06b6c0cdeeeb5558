#include "controller_editor/forms/status_form.h"

#include <QComboBox>
#include <QListWidget>
#include <string>

#include "controller_editor/model/editor_globals.h"
#include "controller_editor/model/name_text.h"
#include "controller_editor/model/status_editing.h"
#include "platform/cp936.h"
#include "platform/ui/message_box.h"

namespace {

const QString kPrompt = QStringLiteral("提示");

QString Text(const std::string &bytes) { return QString::fromStdString(cp936::ToUtf8(bytes)); }
QString Utf8(const char *text) { return QString::fromUtf8(text); }
QString Numbered(const char *prefix, int32_t n) { return QString::fromLatin1(prefix) + QString::number(n); }

selkan::Project &Project() { return selkan::Global().project; }

// Positions on a tab: the row of each field and the column of its box.
constexpr int kBoxLeft = 92;
constexpr int kNameRow = 12;
constexpr int kChannelRow = 44;
constexpr int kPrecisionRow = 76;
constexpr int kScalingRow = 108;
constexpr int kAddRow = 176;

}  // namespace

TfrmPLCStatus::TfrmPLCStatus(ui::Component *owner) : ui::Form(owner) {
  build();
  FormCreate();
  doCreate();
}

TfrmPLCStatus::~TfrmPLCStatus() { beginDestroy(); }

void TfrmPLCStatus::build() {
  ui::LoadingGuard loading(*this);
  setName(QStringLiteral("frmPLCStatus"));
  setCaption(QStringLiteral("检测状态管理"));
  setBorderStyle(ui::BorderStyle::Dialog);
  setBounds(0, 0, 724, 372);

  auto label = [this](ui::Control *parent, const QString &caption, int left, int top) {
    auto *l = new ui::Label(this);
    l->setParentControl(parent);
    l->setCaption(caption);
    l->setBounds(left, top, l->width(), l->height());
    return l;
  };
  auto button = [this](const QString &name, const QString &caption, int left, int top) {
    auto *b = new ui::Button(this);
    b->setName(name);
    b->setParentControl(this);
    b->setCaption(caption);
    b->setBounds(left, top, 60, 26);
    return b;
  };

  lblPLC = label(this, QStringLiteral("PLC"), 12, 15);
  cmbPLC = new ui::ComboBox(this);
  cmbPLC->setName(QStringLiteral("cmbPLC"));
  cmbPLC->setParentControl(this);
  cmbPLC->setBounds(48, 11, 212, 24);
  lblStatus = label(this, QStringLiteral("状态列表"), 12, 44);
  lbStatus = new ui::ListBox(this);
  lbStatus->setName(QStringLiteral("lbStatus"));
  lbStatus->setParentControl(this);
  lbStatus->setBounds(12, 62, 248, 236);

  btnDelete = button(QStringLiteral("btnDelete"), QStringLiteral("删除"), 12, 306);
  btnMoveup = button(QStringLiteral("btnMoveup"), QStringLiteral("上移"), 76, 306);
  btnMovedown = button(QStringLiteral("btnMovedown"), QStringLiteral("下移"), 140, 306);
  btnClose = button(QStringLiteral("btnClose"), QStringLiteral("关闭"), 640, 306);
  btnClose->setCancel(true);
  btnDelete->OnClick = [this](ui::Control *) { btnDeleteClick(); };
  btnMoveup->OnClick = [this](ui::Control *) { btnMoveupClick(); };
  btnMovedown->OnClick = [this](ui::Control *) { btnMovedownClick(); };
  btnClose->OnClick = [this](ui::Control *) { btnCloseClick(); };

  PageControl1 = new ui::PageControl(this);
  PageControl1->setName(QStringLiteral("PageControl1"));
  PageControl1->setParentControl(this);
  PageControl1->setBounds(272, 11, 428, 287);
  for (size_t t = 0; t < selkan::StatusTabs().size(); ++t) buildTab(t);
  PageControl1->setActivePageIndex(0);

  connect(cmbPLC->widget(), &QComboBox::activated, this, [this](int) { cmbPLCChange(); });
}

void TfrmPLCStatus::buildTab(size_t t) {
  const selkan::StatusTab &tab = selkan::StatusTabs()[t];
  const int32_t type = tab.type;
  const auto k = static_cast<size_t>(type);
  tabTypes_.push_back(type);

  ui::TabSheet *sheet = PageControl1->addPage(Utf8(tab.caption));
  sheet->setName(Numbered("TabSheet", type));
  TabSheet[k] = sheet;

  auto label = [this, sheet](const QString &caption, int left, int top) {
    auto *l = new ui::Label(this);
    l->setParentControl(sheet);
    l->setCaption(caption);
    l->setBounds(left, top + 3, l->width(), l->height());
    return l;
  };
  auto edit = [this, sheet](const QString &name, const QString &text, int left, int top, int width) {
    auto *e = new ui::Edit(this);
    e->setName(name);
    e->setParentControl(sheet);
    e->setText(text);
    e->setBounds(left, top, width, 22);
    return e;
  };
  auto list = [this, sheet](const QString &name, const QStringList &items, int top) {
    auto *c = new ui::ComboBox(this);
    c->setName(name);
    c->setParentControl(sheet);
    c->widget()->addItems(items);
    c->widget()->setCurrentIndex(0);
    c->setBounds(kBoxLeft, top, 96, 24);
    return c;
  };

  label(QStringLiteral("状态显示名称"), 8, kNameRow);
  edtName[k] = edit(Numbered("edtName", type), Utf8(tab.defaultName), kBoxLeft, kNameRow, 170);
  if (tab.channels > 0) {
    label(QStringLiteral("通道"), 8, kChannelRow);
    QStringList channels;
    for (int32_t i = 0; i < tab.channels; ++i) channels << QString::number(tab.firstChannel + i);
    cmbID[k] = list(Numbered("cmbID", type), channels, kChannelRow);
  }
  if (tab.precision) {
    label(QStringLiteral("精度"), 8, kPrecisionRow);
    cmbPrecision[k] = list(Numbered("cmbPrecision", type),
                           {QStringLiteral("0位"), QStringLiteral("1位"), QStringLiteral("2位")}, kPrecisionRow);
  }
  if (tab.scaling) {
    label(QStringLiteral("公式"), 8, kScalingRow);
    // stParm1 "+ ( X - " stParm2 ") / " stParm3, left to right.
    const int top = kScalingRow + 28;
    const QString between[] = {QStringLiteral("+ ( X - "), QStringLiteral(") / ")};
    int x = 8;
    for (size_t i = 0; i < 3; ++i) {
      edtParm[k][i] = edit(Numbered("edtParm", type * 10 + static_cast<int32_t>(i) + 1), Utf8(tab.scalingPreset[i]), x,
                           top, 52);
      x += 56;
      if (i < 2) x += label(between[i], x, top)->width() + 4;
    }
  }
  auto *add = new ui::Button(this);
  add->setName(Numbered("btnAdd", type));
  add->setParentControl(sheet);
  add->setCaption(QStringLiteral("添加"));
  add->setBounds(8, kAddRow, 75, 26);
  add->OnClick = [this, type](ui::Control *) { btnAddClick(type); };
  btnAdd[k] = add;
}

void TfrmPLCStatus::FormCreate() {
  centerOnScreen();
  const selkan::TPLCCtrl &controllers = Project().PLCCtrl;
  QComboBox *plc = cmbPLC->widget();
  for (int32_t c = 0; c < controllers.Count(); ++c)
    plc->addItem(QStringLiteral("%1(%2)").arg(Text(controllers[c].Name)).arg(controllers[c].Addr));
  plc->setCurrentIndex(controllers.Count() > 0 ? 0 : -1);
  RefreshList();
}

int32_t TfrmPLCStatus::chosenController() const {
  const int32_t c = cmbPLC->widget()->currentIndex();
  return c >= 0 && c < Project().PLCCtrl.Count() ? c : -1;
}

void TfrmPLCStatus::RefreshList() {
  QListWidget *lines = lbStatus->widget();
  lines->clear();
  const int32_t c = chosenController();
  // A controller past the status region has no block: nothing to list.
  if (c < 0 || c >= selkan::StatusRegion::kBlocks) return;
  const selkan::StatusRegion &region = Project().Status;
  for (int32_t j = 0; j < region.Count(c); ++j) lines->addItem(Text(selkan::StatusLine(region.Item(c, j))));
}

void TfrmPLCStatus::cmbPLCChange() { RefreshList(); }

void TfrmPLCStatus::btnAddClick(int32_t type) {
  const int32_t c = chosenController();
  if (c < 0 || type <= 0 || type >= kKinds) return;
  const selkan::StatusTab *tab = nullptr;
  for (const selkan::StatusTab &t : selkan::StatusTabs()) {
    if (t.type == type) tab = &t;
  }
  if (tab == nullptr) return;

  const auto k = static_cast<size_t>(type);
  const auto name = selkan::ToProjectName(edtName[k]->text().toStdString());
  if (!name.ok()) {
    ui::messageBox(QString::fromStdString(name.error().message), kPrompt, ui::MB_OK);
    return;
  }
  selkan::StatusInput input;
  input.name = name.value();
  if (cmbID[k] != nullptr) input.channelIndex = cmbID[k]->widget()->currentIndex();
  if (cmbPrecision[k] != nullptr) input.precisionIndex = cmbPrecision[k]->widget()->currentIndex();
  for (size_t i = 0; i < 3; ++i) {
    if (edtParm[k][i] != nullptr) input.scaling[i] = edtParm[k][i]->text().toStdString();
  }
  const auto added = selkan::AddStatusItem(Project(), c, *tab, input);
  if (!added.ok()) {
    if (!added.error().message.empty()) ui::messageBox(QString::fromStdString(added.error().message), kPrompt, ui::MB_OK);
    return;
  }
  RefreshList();
}

void TfrmPLCStatus::btnDeleteClick() {
  const int32_t c = chosenController();
  const int32_t j = lbStatus->widget()->currentRow();
  if (c < 0 || j < 0) return;
  Project().Status.DeleteItem(c, j);
  RefreshList();
}

void TfrmPLCStatus::moveLine(int32_t from, int32_t to) {
  const int32_t c = chosenController();
  if (c < 0 || c >= selkan::StatusRegion::kBlocks) return;
  const int32_t count = Project().Status.Count(c);
  if (from < 0 || from >= count || to < 0 || to >= count) return;
  Project().Status.SwapItems(c, from, to);
  RefreshList();
  lbStatus->widget()->setCurrentRow(to);
}

void TfrmPLCStatus::btnMoveupClick() {
  const int32_t j = lbStatus->widget()->currentRow();
  moveLine(j, j - 1);
}

void TfrmPLCStatus::btnMovedownClick() {
  const int32_t j = lbStatus->widget()->currentRow();
  moveLine(j, j + 1);
}

void TfrmPLCStatus::btnCloseClick() { close(); }
