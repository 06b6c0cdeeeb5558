#include "display_app/views/power_management_view.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <memory>
#include <optional>

#include "display_app/dialogs/input_dialog.h"
#include "display_app/dialogs/plc_communication_settings.h"
#include "display_app/dialogs/week_day.h"
#include "display_app/model/plc_config.h"
#include "display_app/views/power_view_parts.h"
#include "display_app/views/status_hint.h"
#include "display_app/views/view_events.h"
#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/message_box.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/frames/kwo_menu.h"

namespace morvit {
namespace {

QString Text(const std::string &utf8) { return QString::fromStdString(utf8); }

constexpr int kMainWidth = 441;
constexpr int kMainHeight = 576;
constexpr int kTitleHeight = 48;

// The strip behind the view's title.
QPixmap TitlePicture() {
  QPixmap picture(kMainWidth, kTitleHeight);
  QPainter p(&picture);
  QLinearGradient gradient(0, 0, 0, kTitleHeight);
  gradient.setColorAt(0, QColor(32, 64, 128));
  gradient.setColorAt(1, QColor(8, 24, 64));
  p.fillRect(picture.rect(), gradient);
  p.fillRect(QRect(0, kTitleHeight - 2, kMainWidth, 2), QColor(96, 160, 224));
  return picture;
}

// A small thermometer beside the temperature buttons.
QPixmap ThermometerPicture(const QColor &liquid) {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QColor(64, 64, 64));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(6, 1, 4, 10), 2, 2);
  p.setBrush(liquid);
  p.drawEllipse(QRectF(4, 9, 8, 6));
  p.fillRect(QRectF(7, 5, 2, 6), liquid);
  return picture;
}

}  // namespace

TfrmPLCManagement::TfrmPLCManagement(ui::Component *owner, const tarnex_client::LinkServices &services)
    : ui::Frame(owner), api_(services.makeApi()) {
  model_ = std::make_unique<PowerManagementModel>(*api_, services.link);
  build();
}

TfrmPLCManagement::~TfrmPLCManagement() {
  beginDestroy();
  notifyViewEvent(ViewEvent::Destroyed, staticMetaObject.className());
  tmrM->stop();
  tFlash->stop();
  // Notices still on their way are dropped with the handle; the library's
  // worker then gets 0 at once.
  destroyHandle();
  model_->setChangeCallback(nullptr);
  model_->shutdownLibrary();
}

void TfrmPLCManagement::build() {
  notifyViewEvent(ViewEvent::Created, staticMetaObject.className());
  setName(QStringLiteral("frmPLCManagement"));
  {
    ui::LoadingGuard loading(*this);
    setAlign(ui::Align::Client);
    setVisible(false);

    pnlMain = new ui::Panel(this);
    pnlMain->setParentControl(this);
    pnlMain->setPlain();
    pnlMain->setColor(platform::RGB(236, 240, 236));
    pnlMain->setBounds(0, 0, kMainWidth, kMainHeight);

    imgTitle = new ui::Image(this);
    imgTitle->setParentControl(pnlMain);
    imgTitle->setBounds(0, 0, kMainWidth, kTitleHeight);
    imgTitle->setPicture(TitlePicture());

    lblTitle = new ui::Label(this);
    lblTitle->setParentControl(pnlMain);
    lblTitle->setTransparent(true);
    ui::Font titleFont;
    titleFont.height = 20;
    titleFont.bold = true;
    titleFont.color = platform::clWhite;
    lblTitle->setParentFont(false);
    lblTitle->setControlFont(titleFont);
    lblTitle->setCaption(QStringLiteral("PLC监控 V2.2"));
    lblTitle->setBounds(16, 12, 200, 24);

    pnlClient = new ui::Panel(this);
    pnlClient->setParentControl(pnlMain);
    pnlClient->setPlain();
    pnlClient->setParentColor(true);
    pnlClient->setBounds(0, kTitleHeight, kMainWidth, kMainHeight - kTitleHeight);

    lblPLC = new ui::Label(this);
    lblPLC->setParentControl(pnlClient);
    lblPLC->setCaption(QStringLiteral("PLC地址"));
    lblPLC->setBounds(12, 15, 56, 16);

    cmbPLC = new kwo::TkwoComboBox(this);
    cmbPLC->setParentControl(pnlClient);
    cmbPLC->setStyle(kwo::TComboBoxStyle::csDropDownList);
    cmbPLC->setBounds(72, 12, 220, 22);
    cmbPLC->OnChange = [this](ui::Control *) { cmbPLCChange(); };

    scbDev = new ui::ScrollBox(this);
    scbDev->setParentControl(pnlClient);
    scbDev->setColor(platform::RGB(24, 24, 24));
    scbDev->setBounds(12, 44, kMainWidth - 24, 72);
    scbDev->setVertRange(0);
    scbDev->setHorzRange(0);

    sgState = new ui::StringGrid(this);
    sgState->setParentControl(pnlClient);
    sgState->setColCount(3);
    sgState->setRowCount(1);
    sgState->setFixedCols(0);
    sgState->setFixedRows(0);
    sgState->setLeftCol(0);
    sgState->setTopRow(0);
    sgState->setDefaultRowHeight(kGridRowHeight);
    for (int c = 0; c < 3; ++c) sgState->setColWidth(c, kGridColumnWidths[static_cast<size_t>(c)]);
    sgState->setDefaultDrawing(false);
    sgState->setScrollBars(ui::GridScrollBars::Vertical);
    sgState->setColor(platform::RGB(224, 252, 224));
    // The three columns and their lines, and room for the scroll bar.
    sgState->setBounds(12, 134, 362, 210);
    sgState->OnDrawCell = [this](ui::StringGrid *, int col, int row, const QRect &rect, const ui::GridDrawState &,
                                 QPainter &painter) { sgStateDrawCell(col, row, rect, painter); };

    chbTimePlan = new kwo::TkwoCheckBox(this);
    chbTimePlan->setParentControl(pnlClient);
    chbTimePlan->setCaption(QStringLiteral("启用定时计划"));
    chbTimePlan->setBounds(12, 357, 130, 18);
    chbTimePlan->OnClick = [this](ui::Control *) { chbTimePlanClick(); };

    auto button = [this](const QString &caption, int left, int top) {
      auto *b = new kwo::TImageButton(this);
      b->setParentControl(pnlClient);
      b->setCaption(caption);
      b->setBounds(left, top, 81, 25);
      return b;
    };
    btnWeekDay = button(QStringLiteral("编辑计划"), 150, 353);
    btnPowerOn = button(QStringLiteral("开启"), 12, 392);
    btnPowerOff = button(QStringLiteral("关闭"), 99, 392);
    btnTimeAdjust = button(QStringLiteral("校时"), 186, 392);
    btnCommunicationSettings = button(QStringLiteral("通讯设置"), 273, 392);
    imgTemLimit = new ui::Image(this);
    imgTemLimit->setParentControl(pnlClient);
    imgTemLimit->setPicture(ThermometerPicture(QColor(0, 96, 192)));
    imgTemLimit->setBounds(12, 436, 16, 16);
    btnTemLimit = button(QStringLiteral("关闭温度"), 32, 432);
    imgTemWarn = new ui::Image(this);
    imgTemWarn->setParentControl(pnlClient);
    imgTemWarn->setPicture(ThermometerPicture(QColor(208, 0, 0)));
    imgTemWarn->setBounds(130, 436, 16, 16);
    btnTemWarn = button(QStringLiteral("报警温度"), 150, 432);
    btnWeekDay->setEnabled(false);

    btnPowerOn->OnClick = [this](ui::Control *) { btnPowerOnClick(); };
    btnPowerOff->OnClick = [this](ui::Control *) { btnPowerOffClick(); };
    btnTimeAdjust->OnClick = [this](ui::Control *) { btnTimeAdjustClick(); };
    btnCommunicationSettings->OnClick = [this](ui::Control *) { btnCommunicationSettingsClick(); };
    btnWeekDay->OnClick = [this](ui::Control *) { btnWeekDayClick(); };
    btnTemLimit->OnClick = [this](ui::Control *) { btnTemLimitClick(); };
    btnTemWarn->OnClick = [this](ui::Control *) { btnTemWarnClick(); };

    stbM = new ui::StatusBar(this);
    stbM->setParentControl(pnlClient);
    stbM->setAlign(ui::Align::Bottom);
    stbM->setHeight(22);
    stbM->setSizeGrip(false);
    for (int width : kStatusPanelWidths) stbM->addPanel(ui::StatusPanel{width, QString(), true});
    stbM->OnDrawPanel = [this](ui::StatusBar *, int panel, QPainter &painter, const QRect &rect) {
      stbMDrawPanel(panel, painter, rect);
    };

    tmrM = new ui::Timer(this);
    tmrM->setEnabled(false);
    tmrM->setInterval(PowerManagementModel::kPollIntervalMs);
    tmrM->OnTimer = [this](ui::Timer *) { model_->tick(); };
    tFlash = new ui::Timer(this);
    tFlash->setEnabled(false);
    tFlash->setInterval(PowerManagementModel::kFlashIntervalMs);
    tFlash->OnTimer = [this](ui::Timer *) { model_->flashTick(); };

    pmItem = new kwo::TkwoPopupMenu(this);
    auto item = [this](const QString &caption) {
      auto *m = new ui::MenuItem(this);
      m->setCaption(caption);
      pmItem->items()->add(m);
      return m;
    };
    mnPowerOn = item(QStringLiteral("Power On"));
    mnPowerOff = item(QStringLiteral("Power Off"));
    item(QStringLiteral("-"));
    mnRename = item(QStringLiteral("Rename"));
    mnPowerOn->OnClick = [this](ui::MenuItem *) { btnPowerOnClick(); };
    mnPowerOff->OnClick = [this](ui::MenuItem *) { btnPowerOffClick(); };
    mnRename->OnClick = [this](ui::MenuItem *) { mnRenameClick(); };
  }

  model_->setChangeCallback([this](uint32_t bits) { modelChanged(bits); });
  model_->setNotifyWindow(handle());
  model_->startLibrary();
  updateControls();
  FrameResize();
}

// --- life and layout -----------------------------------------------------------

void TfrmPLCManagement::LoadControllers() {
  if (model_->controllersLoaded()) return;
  const auto loaded = model_->loadControllers(UserIniPath());
  if (!loaded.ok()) report(CommandResult{CommandResult::Status::Failed, loaded.error().message});
}

LRESULT TfrmPLCManagement::windowMessage(const platform::WindowMessage &message) {
  if (message.message == tarnex_client::kPlcNoticeMessage) {
    if (isDying()) return 0;
    const tarnex_client::PlcNotice notice = tarnex_client::DecodePlcNotice(message.wParam);
    model_->handleNotice(notice.function, notice.result);
    return 0;
  }
  return ui::Frame::windowMessage(message);
}

void TfrmPLCManagement::resized() {
  ui::Frame::resized();
  FrameResize();
}

void TfrmPLCManagement::FrameResize() {
  if (pnlMain == nullptr) return;
  const QRect client = clientRect();
  const int left = client.width() > pnlMain->width() ? (client.width() - pnlMain->width()) / 2 : 0;
  const int top = client.height() > pnlMain->height() ? (client.height() - pnlMain->height()) / 2 : 0;
  pnlMain->setBounds(left, top, pnlMain->width(), pnlMain->height());
}

// --- what the model changed ------------------------------------------------------

void TfrmPLCManagement::modelChanged(uint32_t bits) {
  if (isDying()) return;
  if (bits & kChangeControllers) {
    const auto lines = model_->controllerLines();
    if (cmbPLC->count() != static_cast<int>(lines.size())) {
      QStringList strings;
      for (const std::string &line : lines) strings << Text(line);
      cmbPLC->setItems(strings);
    }
    if (cmbPLC->itemIndex() != model_->selectedController()) cmbPLC->setItemIndex(model_->selectedController());
  }
  if (bits & kChangeDevices) {
    std::vector<int32_t> devices;
    for (const TDevParm &d : model_->devices()) devices.push_back(d.PositionInFile);
    if (devices != panelDevices_) {
      rebuildPanels();
    } else {
      layoutPanels();
    }
  }
  if (bits & (kChangeOutputs | kChangeDevices)) {
    for (TMyPanel *panel : panels_) panel->update();
  }
  if (bits & kChangeStatusBar) {
    for (int i = 0; i < kStatusPanelCount; ++i) stbM->setPanelText(i, Text(model_->statusText(i)));
    UpdateOverflowHint(*stbM, ui::toQFont(stbM->controlFont()));
    stbM->update();
  }
  if (bits & kChangeGrid) updateGrid();
  if (bits & kChangePlan) chbTimePlan->setChecked(model_->timePlanChecked());
  if (bits & kChangeControls) updateControls();
  if (bits & kChangeTimers) updateTimers();
}

void TfrmPLCManagement::rebuildPanels() {
  for (TMyPanel *panel : std::exchange(panels_, {})) delete panel;
  panelDevices_.clear();
  const TDevParmArray &devices = model_->devices();
  for (size_t i = 0; i < devices.size(); ++i) {
    auto *panel = new TMyPanel(this, [this](TMyPanel &p, QPainter &painter) { PaintDevicePanel(p, painter); });
    panel->setParentControl(scbDev);
    panel->setBorderWidth(0);
    panel->setBevelInner(ui::Bevel::Lowered);
    panel->setBevelOuter(ui::Bevel::Raised);
    panel->setColor(platform::RGB(0, 32, 0));
    ui::Font font = controlFont();
    font.color = platform::RGB(192, 0, 192);
    panel->setParentFont(false);
    panel->setControlFont(font);
    panel->setTag(static_cast<intptr_t>(i));
    panel->setPopupMenu(pmItem);
    panel->OnMouseDown = [this, panel](ui::Control *, ui::MouseButton, ui::ShiftState, int, int) {
      DevMouseDown(panel);
    };
    panels_.push_back(panel);
    panelDevices_.push_back(devices[i].PositionInFile);
  }
  scbDev->setHorzPosition(0);
  layoutPanels();
}

void TfrmPLCManagement::layoutPanels() {
  const TDevParmArray &devices = model_->devices();
  std::vector<int> captionWidths;
  for (size_t i = 0; i < panels_.size() && i < devices.size(); ++i) {
    TMyPanel *panel = panels_[i];
    panel->setCaption(Text(devices[i].Name));
    panel->setBevelWidth(model_->bevelWidth(static_cast<int32_t>(i)));
    captionWidths.push_back(QFontMetrics(ui::toQFont(panel->controlFont())).horizontalAdvance(panel->caption()));
  }
  const PanelLayout layout = LayoutDevicePanels(captionWidths, scbDev->clientRect().width());
  scbDev->setHeight(layout.boxHeight);
  scbDev->setHorzRange(layout.contentWidth);
  scbDev->setVertRange(0);
  const int shift = scbDev->horzPosition();
  for (size_t i = 0; i < captionWidths.size(); ++i) {
    panels_[i]->setBounds(layout.lefts[i] - shift, kPanelTop, layout.widths[i], kPanelHeight);
  }
}

void TfrmPLCManagement::PaintDevicePanel(TMyPanel &panel, QPainter &painter) {
  const auto device = static_cast<int32_t>(panel.tag());
  if (device < 0 || static_cast<size_t>(device) >= model_->devices().size()) return;
  const int bevel = panel.bevelWidth();
  const QSize size(std::max(0, panel.width() - 4 * bevel), std::max(0, panel.height() - 4 * bevel));
  if (size.isEmpty()) return;
  QPixmap &picture = panel.picture();
  if (picture.size() != size) picture = QPixmap(size);
  DrawDevicePicture(picture, model_->deviceCells(device, size.width()), panel.caption(),
                    ui::toQFont(panel.controlFont()), ui::toQColor(panel.controlFont().color));
  painter.drawPixmap(2 * bevel, 2 * bevel, picture);
}

void TfrmPLCManagement::stbMDrawPanel(int panel, QPainter &painter, const QRect &rect) {
  painter.setFont(ui::toQFont(stbM->controlFont()));
  DrawStatusPanel(painter, rect, panel, Text(model_->statusText(panel)), model_->statusAlert(panel),
                  ui::toQColor(stbM->controlFont().color));
}

void TfrmPLCManagement::sgStateDrawCell(int col, int row, const QRect &rect, QPainter &painter) {
  painter.setFont(ui::toQFont(sgState->controlFont()));
  DrawGridCell(painter, rect, col, row, sgState->cell(col, row), model_->gridCell(row));
}

void TfrmPLCManagement::updateGrid() {
  const int rows = std::max(1, model_->gridRowCount());
  if (sgState->rowCount() != rows) sgState->setRowCount(rows);
  for (int row = 0; row < rows; ++row) {
    for (int col = 1; col <= 2; ++col) {
      const QString text = Text(model_->gridText(row, col));
      if (sgState->cell(col, row) != text) sgState->setCell(col, row, text);
    }
  }
  sgState->update();
}

void TfrmPLCManagement::updateControls() {
  using morvit::Control;
  const std::pair<ui::Control *, Control> buttons[] = {
      {btnPowerOn, Control::PowerOn},   {btnPowerOff, Control::PowerOff}, {btnTimeAdjust, Control::TimeAdjust},
      {btnTemLimit, Control::TemLimit}, {btnTemWarn, Control::TemWarn},   {chbTimePlan, Control::TimePlan},
      {btnWeekDay, Control::WeekDay},
  };
  for (const auto &[control, which] : buttons) control->setEnabled(model_->enabled(which));
  mnPowerOn->setEnabled(model_->enabled(Control::MenuPowerOn));
  mnPowerOff->setEnabled(model_->enabled(Control::MenuPowerOff));
  btnTemWarn->setVisible(model_->alarmTemperatureVisible());
  imgTemWarn->setVisible(model_->alarmTemperatureVisible());
  btnTemLimit->setVisible(model_->shutdownLimitVisible());
  imgTemLimit->setVisible(model_->shutdownLimitVisible());
}

void TfrmPLCManagement::updateTimers() {
  tmrM->setEnabled(model_->pollTimerRunning());
  tFlash->setEnabled(model_->flashTimerRunning());
}

void TfrmPLCManagement::report(const CommandResult &result) {
  if (result.status != CommandResult::Status::Refused && result.status != CommandResult::Status::Failed) return;
  if (result.message.empty()) return;
  const ui::Application *app = ui::Application::instance();
  ui::messageBox(Text(result.message), app != nullptr ? app->title() : QString(), ui::MB_OK);
}

// --- commands ----------------------------------------------------------------------

void TfrmPLCManagement::cmbPLCChange() { model_->selectController(cmbPLC->itemIndex()); }

void TfrmPLCManagement::DevMouseDown(TMyPanel *panel) {
  if (panel == nullptr) return;
  model_->selectDevice(static_cast<int32_t>(panel->tag()));
  for (TMyPanel *p : panels_) p->update();
}

void TfrmPLCManagement::btnPowerOnClick() { report(model_->powerOn()); }

void TfrmPLCManagement::btnPowerOffClick() { report(model_->powerOff()); }

void TfrmPLCManagement::btnTimeAdjustClick() { report(model_->setClock()); }

void TfrmPLCManagement::chbTimePlanClick() { report(model_->timePlanClick(chbTimePlan->checked())); }

template <typename Make, typename Read>
std::optional<bool> TfrmPLCManagement::runDialog(Make make, Read read) {
  QPointer<TfrmPLCManagement> self(this);
  bool ok = false;
  {
    const auto dialog = make();
    ok = dialog->showModal() == ui::mrOk;
    read(*dialog);
  }
  // The view may have gone while the dialog was open.
  if (self.isNull() || isDying()) return std::nullopt;
  return ok;
}

void TfrmPLCManagement::btnWeekDayClick() {
  WeekPlan plan;
  const auto ok = runDialog(
      [this] {
        auto dialog = std::make_unique<TfrmWeekDay>(nullptr);
        dialog->fill(model_->weekPlan());
        return dialog;
      },
      [&plan](TfrmWeekDay &dialog) { plan = dialog.plan(); });
  if (ok.value_or(false)) report(model_->sendWeekPlan(plan));
}

std::optional<std::string> TfrmPLCManagement::askInput(const InputRequest &request, bool selectAll) {
  QString text;
  const auto ok = runDialog(
      [&] {
        auto dialog = std::make_unique<TfrmInput>(nullptr);
        dialog->prepare(Text(request.label), Text(request.preset), selectAll);
        return dialog;
      },
      [&text](TfrmInput &dialog) { text = dialog.text(); });
  if (!ok.value_or(false)) return std::nullopt;
  return text.toStdString();
}

void TfrmPLCManagement::btnTemLimitClick() {
  if (model_->selectedDevice() < 0) return;
  if (const auto text = askInput(model_->shutdownLimitInput())) report(model_->setShutdownLimit(*text));
}

void TfrmPLCManagement::btnTemWarnClick() {
  if (const auto text = askInput(model_->alarmTemperatureInput())) report(model_->setAlarmTemperature(*text));
}

void TfrmPLCManagement::mnRenameClick() {
  if (model_->selectedDevice() < 0) return;
  if (const auto text = askInput(model_->renameInput(), true)) report(model_->renameDevice(*text));
}

void TfrmPLCManagement::btnCommunicationSettingsClick() {
  TPlcParmArray edited;
  const auto ok = runDialog(
      [this] {
        return std::make_unique<TfrmPLCCommunicationSettings>(nullptr, model_->controllers(),
                                                              model_->selectedController());
      },
      [&edited](TfrmPLCCommunicationSettings &dialog) { edited = dialog.controllers(); });
  if (!ok) return;
  if (*ok) {
    report(model_->applyLinkSettings(edited));
  } else {
    model_->cancelLinkSettings();
  }
}

}  // namespace morvit
