#include "controller_editor/forms/debug_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

#include "controller_editor/model/editor_globals.h"
#include "controller_editor/model/ip_text.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"

namespace {

using selkan::DebugConsoleLogic;

QString Text(const std::string &utf8) { return QString::fromStdString(utf8); }
std::string Utf8(const QString &text) { return text.toStdString(); }

template <class Texts>
QStringList Items(const Texts &texts) {
  QStringList items;
  for (const std::string &text : texts) items.push_back(Text(text));
  return items;
}

QString Lines(const std::vector<std::string> &lines) { return Items(lines).join(QLatin1Char('\n')); }

// "00".."255" or "01".."64": two digits at least.
QStringList Numbers(int first, int last) {
  QStringList items;
  for (int n = first; n <= last; ++n) items.push_back(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
  return items;
}

template <class C>
C *Place(ui::Component *owner, ui::Control *parent, int left, int top, int width, int height) {
  auto *control = new C(owner);
  control->setParentControl(parent);
  control->setBounds(left, top, width, height);
  return control;
}

// A masked edit's text as shown, with the blank character read as a space.
QString Shown(const ui::Edit &edit) {
  QString text = edit.lineEdit()->displayText();
  text.replace(QLatin1Char('_'), QLatin1Char(' '));
  return text;
}

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 640;
constexpr int kGridColumnWidth = 54;
constexpr int kGridRowHeight = 18;

}  // namespace

TDebugForm::TDebugForm(ui::Component *owner, const tarnex_client::LinkServices &services)
    : ui::Form(owner), api_(services.makeApi()), link_(services.link) {
  FormCreate();
}

TDebugForm::~TDebugForm() {
  beginDestroy();
  if (DebugForm == this) DebugForm = nullptr;
  // Notices still on their way are dropped with the handle, and a worker
  // still sending then gets 0 at once; only then the library closes every
  // link. Nothing here waits for the worker.
  destroyHandle();
  api_->cleanup();
}

void TDebugForm::FormCreate() {
  logic_ = std::make_unique<DebugConsoleLogic>(*api_, link_);
  build();
  centerOnScreen();
  const selkan::EditorGlobals &g = selkan::Global();
  if (g.LinkIsNetwork) {
    rbNetwork->setChecked(true);
  } else {
    rbComm->setChecked(true);
  }
  // A port outside the list selects nothing; opening it then fails.
  cmbComm->widget()->setCurrentIndex(g.LinkPort >= 1 && g.LinkPort <= cmbComm->widget()->count() ? g.LinkPort - 1
                                                                                                  : -1);
  eIP->setText(QStringLiteral("192.168.0.254"));
  mmTimer->widget()->clear();
  logic_->start(handle());
}

void TDebugForm::build() {
  ui::LoadingGuard loading(*this);
  setName(QStringLiteral("DebugForm"));
  setCaption(QStringLiteral("PLC调试"));
  setClientWidth(kClientWidth);
  setClientHeight(kClientHeight);

  auto label = [this](ui::Control *parent, const QString &caption, int left, int top, int width) {
    auto *l = Place<ui::Label>(this, parent, left, top, width, 16);
    l->setTransparent(true);
    l->setCaption(caption);
    return l;
  };
  auto button = [this](ui::Control *parent, const QString &caption, int left, int top, int width,
                       void (TDebugForm::*handler)()) {
    auto *b = Place<ui::Button>(this, parent, left, top, width, 25);
    b->setCaption(caption);
    b->OnClick = [this, handler](ui::Control *) { (this->*handler)(); };
    return b;
  };
  auto edit = [this](ui::Control *parent, const QString &text, int left, int top, int width) {
    auto *e = Place<ui::Edit>(this, parent, left, top, width, 22);
    e->setText(text);
    return e;
  };
  auto masked = [&](const QString &mask, const QString &text, int left, int top) {
    auto *e = edit(this, QString(), left, top, 140);
    e->lineEdit()->setInputMask(mask);
    e->setText(text);
    return e;
  };
  auto radioGroup = [this](const QString &caption, const QStringList &items, int left) {
    auto *g = Place<ui::RadioGroup>(this, this, left, 156, 150, 150);
    g->setCaption(caption);
    g->setColumns(2);
    g->setItems(items);
    g->setItemIndex(0);
    return g;
  };
  const selkan::DebugConsoleTexts &texts = logic_->texts();

  lblPLC = label(this, QStringLiteral("PLC地址"), 8, 12, 56);
  cmbPLC = Place<ui::ComboBox>(this, this, 68, 8, 80, 22);
  cmbPLC->widget()->setEditable(true);
  cmbPLC->widget()->addItems(Numbers(0, 255));
  cmbPLC->widget()->setCurrentIndex(0);

  gbM = Place<ui::GroupBox>(this, this, 8, 36, 540, 82);
  gbM->setCaption(QStringLiteral("通讯方式"));
  rbComm = Place<ui::RadioButton>(this, gbM, 12, 22, 90, 20);
  rbComm->setCaption(QStringLiteral("串口方式"));
  rbNetwork = Place<ui::RadioButton>(this, gbM, 12, 50, 90, 20);
  rbNetwork->setCaption(QStringLiteral("网络方式"));
  // Each button sits in its own host, so the pair is made exclusive here.
  linkKind_ = new QButtonGroup(this);
  linkKind_->setExclusive(true);
  linkKind_->addButton(rbComm->widget());
  linkKind_->addButton(rbNetwork->widget());
  lblComm = label(gbM, QStringLiteral("端口号"), 112, 25, 48);
  cmbComm = Place<ui::ComboBox>(this, gbM, 162, 21, 60, 22);
  cmbComm->widget()->addItems(Numbers(1, 64));
  lblIP = label(gbM, QStringLiteral("远程IP地址"), 112, 53, 70);
  eIP = edit(gbM, QString(), 184, 49, 130);
  sbnOpenComm = button(gbM, QStringLiteral("打开"), 330, 20, 70, &TDebugForm::sbnOpenCommClick);
  sbnCloseComm = button(gbM, QStringLiteral("关闭"), 330, 48, 70, &TDebugForm::sbnCloseCommClick);

  lblReg = label(this, QStringLiteral("寄存器"), 8, 128, 48);
  eReg = edit(this, QStringLiteral("128"), 58, 124, 60);
  lblValue = label(this, QStringLiteral("数值"), 128, 128, 32);
  eValue = edit(this, Text(texts.value), 162, 124, 70);
  sbnRead = button(this, QStringLiteral("读出"), 242, 122, 60, &TDebugForm::sbnReadClick);
  sbnWrite = button(this, QStringLiteral("写入"), 306, 122, 60, &TDebugForm::sbnWriteClick);
  sbnWrite2 = button(this, QStringLiteral("写入2"), 370, 122, 60, &TDebugForm::sbnWrite2Click);

  rgDO = radioGroup(QStringLiteral("DO"), Items(texts.outputs), 8);
  sbnO1 = button(this, QStringLiteral("开"), 8, 312, 72, &TDebugForm::sbnO1Click);
  sbnO2 = button(this, QStringLiteral("关"), 86, 312, 72, &TDebugForm::sbnO2Click);
  sbnReadO = button(this, QStringLiteral("读取输出状态"), 8, 342, 150, &TDebugForm::sbnReadOClick);

  rgDI = radioGroup(QStringLiteral("DI"), Items(texts.inputs), 166);
  sbnI1 = button(this, QStringLiteral("开"), 166, 312, 72, &TDebugForm::sbnI1Click);
  sbnI2 = button(this, QStringLiteral("关"), 244, 312, 72, &TDebugForm::sbnI2Click);
  sbnReadI = button(this, QStringLiteral("读取输入状态"), 166, 342, 150, &TDebugForm::sbnReadIClick);
  chbForce = Place<ui::CheckBox>(this, this, 166, 372, 80, 20);
  chbForce->setCaption(QStringLiteral("强制"));
  // Only the operator's click writes the flag; a decoded reply sets it
  // without a signal.
  connect(chbForce->widget(), &QCheckBox::clicked, this, [this] { chbForceClick(); });

  sg = Place<ui::StringGrid>(this, this, 324, 156, 3 * (kGridColumnWidth + 1) + 4, 11 * (kGridRowHeight + 1) + 4);
  sg->setColCount(3);
  sg->setRowCount(11);
  sg->setFixedRows(1);
  sg->setFixedCols(0);
  sg->setLeftCol(0);
  sg->setTopRow(1);
  for (int c = 0; c < 3; ++c) sg->setColWidth(c, kGridColumnWidth);
  sg->setDefaultRowHeight(kGridRowHeight);
  sg->setCell(0, 0, QStringLiteral("逻辑编号"));
  sg->setCell(1, 0, QStringLiteral("输出DO"));
  sg->setCell(2, 0, QStringLiteral("延时"));
  sbnReadLogic = button(this, QStringLiteral("读取逻辑"), 324, 372, 120, &TDebugForm::sbnReadLogicClick);

  mmTimer = Place<ui::Memo>(this, this, 520, 156, 272, 210);
  mmTimer->widget()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  sbnReadTimer = button(this, QStringLiteral("读取定时设置"), 520, 372, 120, &TDebugForm::sbnReadTimerClick);

  mmAin = Place<ui::Memo>(this, this, 8, 410, 308, 170);
  sbnReadAin = button(this, QStringLiteral("读取模拟量"), 8, 586, 120, &TDebugForm::sbnReadAinClick);

  lblMAC = label(this, QStringLiteral("MAC地址"), 324, 414, 56);
  meMAC = masked(QStringLiteral("hh.hh.hh.hh.hh.hh;_"), Text(texts.network.mac), 384, 410);
  lblMIP = label(this, QStringLiteral("IP地址"), 324, 442, 56);
  meIP = masked(QStringLiteral("000.000.000.000;_"), Text(texts.network.ip), 384, 438);
  lblPort = label(this, QStringLiteral("端口"), 324, 470, 56);
  mePort = edit(this, Text(texts.network.port), 384, 466, 80);
  sbnConnRead = button(this, QStringLiteral("读出"), 540, 410, 80, &TDebugForm::sbnConnReadClick);
  sbnConnWrite = button(this, QStringLiteral("写入"), 540, 438, 80, &TDebugForm::sbnConnWriteClick);
  sbnRestore = button(this, QStringLiteral("恢复出厂设置"), 540, 500, 120, &TDebugForm::sbnRestoreClick);
  sbnExcmd = button(this, QStringLiteral("测试命令"), 670, 500, 100, &TDebugForm::sbnExcmdClick);
  sbnExcmd->setVisible(false);

  stbM = new ui::StatusBar(this);
  stbM->setParentControl(this);
  stbM->setAlign(ui::Align::Bottom);
  stbM->addPanel(ui::StatusPanel{kClientWidth, QString(), false});
}

LRESULT TDebugForm::windowMessage(const platform::WindowMessage &message) {
  if (message.message == tarnex_client::kPlcNoticeMessage) {
    if (isDying()) return 0;
    const tarnex_client::PlcNotice notice = tarnex_client::DecodePlcNotice(message.wParam);
    HandleCommResult(notice.function, notice.result);
    return 0;
  }
  return ui::Form::windowMessage(message);
}

void TDebugForm::HandleCommResult(uint16_t function, uint16_t result) {
  logic_->handleNotice(function, result);
  showTexts(logic_->decodedKind());
}

template <typename Operation>
void TDebugForm::run(Operation operation) {
  logic_->setController(Utf8(cmbPLC->widget()->currentText()));
  const std::string host = Utf8(eIP->text());
  // Over the network a frame goes only to an address typed in full.
  if (logic_->linkHandle() != -1 && logic_->networkLink() && !selkan::IsDottedQuad(host)) {
    ui::messageBox(QString::fromUtf8(selkan::kBadRemoteIpText), QStringLiteral("提示"), ui::MB_OK);
    return;
  }
  logic_->setHost(host);
  logic_->setControllerPort(selkan::Global().LinkUdpPort);
  switch (operation()) {
    case Outcome::NoLink:
      ui::messageBox(QStringLiteral("请先打开设备"), QStringLiteral("提示"), ui::MB_OK);
      return;
    case Outcome::Refused: {
      // Bad input is reported as the framework reports an error.
      const ui::Application *app = ui::Application::instance();
      ui::messageBox(Text(logic_->message()), app != nullptr ? app->title() : QStringLiteral("PLC"),
                     ui::MB_OK | ui::MB_ICONERROR);
      return;
    }
    case Outcome::Sent:
    case Outcome::Busy:
      break;
  }
  showTexts(DebugConsoleLogic::Write);
}

void TDebugForm::showTexts(int32_t decodedKind) {
  const selkan::DebugConsoleTexts &texts = logic_->texts();
  stbM->setPanelText(0, Text(texts.status));
  for (size_t i = 0; i < texts.outputs.size(); ++i) rgDO->setItem(static_cast<int>(i), Text(texts.outputs[i]));
  for (size_t i = 0; i < texts.inputs.size(); ++i) rgDI->setItem(static_cast<int>(i), Text(texts.inputs[i]));
  chbForce->setChecked(texts.force);
  switch (decodedKind) {
    case DebugConsoleLogic::OneRegister:
      eValue->setText(Text(texts.value));
      break;
    case DebugConsoleLogic::Logic:
      for (size_t row = 0; row < texts.logic.size(); ++row) {
        for (size_t col = 0; col < texts.logic[row].size(); ++col) {
          sg->setCell(static_cast<int>(col), static_cast<int>(row) + 1, Text(texts.logic[row][col]));
        }
      }
      break;
    case DebugConsoleLogic::TimerPlan:
      mmTimer->widget()->setPlainText(Lines(texts.timer));
      break;
    case DebugConsoleLogic::Network:
      meMAC->setText(Text(texts.network.mac));
      meIP->setText(Text(texts.network.ip));
      mePort->setText(Text(texts.network.port));
      break;
    case DebugConsoleLogic::Analogue:
      mmAin->widget()->setPlainText(Lines(texts.analogue));
      break;
    default:
      break;
  }
}

QString TDebugForm::macText() const { return Shown(*meMAC); }
QString TDebugForm::ipText() const { return Shown(*meIP); }

void TDebugForm::sbnOpenCommClick() {
  logic_->open(!rbComm->checked(), cmbComm->widget()->currentIndex());
  showTexts(DebugConsoleLogic::Write);
}

void TDebugForm::sbnCloseCommClick() {
  logic_->close();
  showTexts(DebugConsoleLogic::Write);
}

void TDebugForm::sbnReadClick() {
  run([this] { return logic_->readRegister(Utf8(eReg->text())); });
}
void TDebugForm::sbnWriteClick() {
  run([this] { return logic_->writeInputRegister(rgDI->itemIndex(), Utf8(eValue->text())); });
}
void TDebugForm::sbnWrite2Click() {
  run([this] { return logic_->writeRegister(Utf8(eReg->text()), Utf8(eValue->text())); });
}
void TDebugForm::sbnO1Click() {
  run([this] { return logic_->switchOutput(rgDO->itemIndex(), true); });
}
void TDebugForm::sbnO2Click() {
  run([this] { return logic_->switchOutput(rgDO->itemIndex(), false); });
}
void TDebugForm::sbnI1Click() {
  run([this] { return logic_->switchInput(rgDI->itemIndex(), true); });
}
void TDebugForm::sbnI2Click() {
  run([this] { return logic_->switchInput(rgDI->itemIndex(), false); });
}
void TDebugForm::chbForceClick() {
  run([this] { return logic_->forceClicked(chbForce->checked()); });
  // A click that wrote nothing leaves the flag as the controller has it.
  chbForce->setChecked(logic_->texts().force);
}
void TDebugForm::sbnReadLogicClick() {
  run([this] { return logic_->readLogic(); });
}
void TDebugForm::sbnReadTimerClick() {
  run([this] { return logic_->readTimerPlan(); });
}
void TDebugForm::sbnConnReadClick() {
  run([this] { return logic_->readNetwork(); });
}
void TDebugForm::sbnConnWriteClick() {
  run([this] { return logic_->writeNetwork(Utf8(macText()), Utf8(ipText()), Utf8(mePort->text())); });
}
void TDebugForm::sbnRestoreClick() {
  run([this] { return logic_->restoreFactorySettings(); });
}
void TDebugForm::sbnReadOClick() {
  run([this] { return logic_->readOutputs(); });
}
void TDebugForm::sbnReadIClick() {
  run([this] { return logic_->readInputs(); });
}
void TDebugForm::sbnReadAinClick() {
  run([this] { return logic_->readAnalogue(); });
}
void TDebugForm::sbnExcmdClick() {}

TDebugForm *DebugForm = nullptr;
