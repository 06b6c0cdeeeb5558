#include "display_app/dialogs/auto_detect.h"

#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QShowEvent>
#include <algorithm>
#include <cmath>

#include "display_app/model/unit_mapping.h"
#include "display_app/test_seams.h"
#include "display_app/views/led_panel.h"
#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/image.h"
#include "platform/ui/image_list.h"
#include "platform/ui/label.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/panel.h"
#include "platform/ui/timer.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/kwo_list_box.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/frames/kwo_form.h"

namespace morvit {

TfrmAutoDetect *frmAutoDetect = nullptr;

namespace {

constexpr int kButtonWidth = 73;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kButtonStripHeight = 41;
constexpr int kTitleHeight = 40;
constexpr int kScreenListWidth = 89;
constexpr int kFrameSize = 32;
constexpr int kAnimationFrames = 8;
constexpr int kAnimationInterval = 128;

// The two screens step 1 offers: units, columns, rows.
struct ScreenShape {
  int32_t units;
  int32_t cols;
  int32_t rows;
};
constexpr ScreenShape kScreenShapes[] = {{48, 8, 6}, {24, 6, 4}};

ui::Font titleFont() {
  ui::Font font;
  font.height = 16;
  font.bold = true;
  return font;
}

// One frame of the searching animation: eight dots round a ring, the dot
// at index bright and its two predecessors fading.
QPixmap searchFrame(int index) {
  QPixmap frame(kFrameSize, kFrameSize);
  frame.fill(Qt::transparent);
  QPainter painter(&frame);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  constexpr double kPi = 3.14159265358979323846;
  for (int dot = 0; dot < kAnimationFrames; ++dot) {
    const int age = (index - dot + kAnimationFrames) % kAnimationFrames;
    const int shade = age == 0 ? 255 : age == 1 ? 170 : age == 2 ? 110 : 60;
    painter.setBrush(QColor(0, shade / 2, shade));
    const double angle = 2.0 * kPi * dot / kAnimationFrames;
    const QPointF centre(16.0 + 11.0 * std::sin(angle), 16.0 - 11.0 * std::cos(angle));
    painter.drawEllipse(centre, 3.0, 3.0);
  }
  return frame;
}

// The icon of a screen in the screen list: a small matrix of cells.
QPixmap screenIcon() {
  QPixmap icon(kFrameSize, kFrameSize);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.fillRect(2, 5, 28, 20, QColor(0, 32, 32));
  for (int col = 0; col < 4; ++col) {
    for (int row = 0; row < 3; ++row) painter.fillRect(4 + col * 7, 7 + row * 6, 5, 4, QColor(0, 200, 0));
  }
  painter.fillRect(13, 25, 6, 3, QColor(96, 96, 96));
  painter.fillRect(9, 28, 14, 2, QColor(96, 96, 96));
  return icon;
}

ui::MenuItem *addItem(ui::Component *owner, ui::MenuItem *parent, const QString &name, const QString &caption) {
  auto *item = new ui::MenuItem(owner);
  item->setName(name);
  item->setCaption(caption);
  parent->add(item);
  return item;
}

ui::Label *addTitle(ui::Component *owner, ui::Control *parent, const QString &name, const QString &caption) {
  auto *label = new ui::Label(owner);
  label->setName(name);
  label->setParentControl(parent);
  label->setCaption(caption);
  label->setParentFont(false);
  label->setControlFont(titleFont());
  label->setLayout(ui::TextLayout::Center);
  label->setAlignment(ui::TextAlignment::Center);
  return label;
}

}  // namespace

const QString &TfrmAutoDetect::detectedDeviceName() {
  static const QString name = QStringLiteral("Pellmar Screen1");
  return name;
}

TfrmAutoDetect::TfrmAutoDetect(ui::Component *owner) : ui::Form(owner) {
  {
    ui::LoadingGuard loading(*this);
    setName(QStringLiteral("frmAutoDetect"));
    setCaption(QStringLiteral("Auto Detect"));
    sfrmAutoDetect = new kwo::TkwoForm(this);
    sfrmAutoDetect->setName(QStringLiteral("sfrmAutoDetect"));
    sfrmAutoDetect->setUIStyle(kwo::TkwoUIStyle::BlueGlass);
    sfrmAutoDetect->setRoundCorner(11);
    sfrmAutoDetect->setCaption(QStringLiteral("Auto Detect"));
    // The client size lies inside the frame's ring.
    setClientWidth(1020);
    setClientHeight(724);
    ui::SizeConstraints limits = constraints();
    limits.minWidth = 270;
    limits.minHeight = 50;
    setConstraints(limits);
    buildComponents();
    setWindowState(ui::WindowState::Maximized);
  }
  OnCreate = [this](ui::Form *) { FormCreate(); };
  doCreate();
}

TfrmAutoDetect::~TfrmAutoDetect() {
  beginDestroy();
  FormDestroy();
}

void TfrmAutoDetect::buildComponents() {
  tmrAnimation = new ui::Timer(this);
  tmrAnimation->setName(QStringLiteral("tmrAnimation"));
  tmrAnimation->setEnabled(false);
  tmrAnimation->setInterval(kAnimationInterval);
  tmrAnimation->OnTimer = [this](ui::Timer *sender) { tmrAnimationTimer(sender); };

  imglAnimation = new ui::ImageList(this);
  imglAnimation->setName(QStringLiteral("imglAnimation"));
  imglAnimation->setSize(kFrameSize, kFrameSize);
  for (int i = 0; i < kAnimationFrames; ++i) imglAnimation->add(searchFrame(i));

  imglLedPanels = new ui::ImageList(this);
  imglLedPanels->setName(QStringLiteral("imglLedPanels"));
  imglLedPanels->setSize(kFrameSize, kFrameSize);
  imglLedPanels->add(screenIcon());

  buildMenus();
  // The button strip first, so that the pages fill what is left above it.
  buildButtons();

  pcStep = new kwo::TkwoPageControl(this);
  pcStep->setName(QStringLiteral("pcStep"));
  pcStep->setParentControl(sfrmAutoDetect);
  pcStep->setAlign(ui::Align::Client);
  pcStep->OnChanging = [this](kwo::TkwoTab *sender, bool &allow) { pcStepChanging(sender, allow); };

  auto makePage = [this](const QString &name, const QString &caption) {
    auto *page = new kwo::TkwoTabSheet(this);
    page->setName(name);
    page->setPageControl(pcStep);
    page->setCaption(caption);
    page->setEnabled(false);
    page->OnShow = [this](ui::Control *sender) { tsShow(sender); };
    page->OnResize = [this](ui::Control *sender) { tsResize(sender); };
    return page;
  };
  tsDetecting = makePage(QStringLiteral("tsDetecting"), QStringLiteral("Detecting"));
  tsMapping = makePage(QStringLiteral("tsMapping"), QStringLiteral("Mapping"));
  buildDetectingPage();
  buildMappingPage();
  pcStep->setActivePage(tsDetecting);
}

void TfrmAutoDetect::buildDetectingPage() {
  pnlDetecting = new ui::Panel(this);
  pnlDetecting->setName(QStringLiteral("pnlDetecting"));
  pnlDetecting->setParentControl(tsDetecting);
  pnlDetecting->setBounds(0, 0, 505, 452);

  lblDetecting = addTitle(this, pnlDetecting, QStringLiteral("lblDetecting"),
                          QStringLiteral("Detecting the devices online"));
  lblDetecting->setBounds(16, 12, 473, 28);

  imgAnimation = new ui::Image(this);
  imgAnimation->setName(QStringLiteral("imgAnimation"));
  imgAnimation->setParentControl(pnlDetecting);
  imgAnimation->setBounds((505 - kFrameSize) / 2, 52, kFrameSize, kFrameSize);

  lblDevices = new ui::Label(this);
  lblDevices->setName(QStringLiteral("lblDevices"));
  lblDevices->setParentControl(pnlDetecting);
  lblDevices->setCaption(QStringLiteral("Devices detected"));
  lblDevices->setBounds(16, 100, 473, 20);

  lbDevices = new kwo::TkwoListBox(this);
  lbDevices->setName(QStringLiteral("lbDevices"));
  lbDevices->setParentControl(pnlDetecting);
  lbDevices->setUIStyle(kwo::TkwoUIStyle::DeepBlue);
  lbDevices->setBounds(16, 124, 473, 312);
}

void TfrmAutoDetect::buildMappingPage() {
  pnlMapping = new ui::Panel(this);
  pnlMapping->setName(QStringLiteral("pnlMapping"));
  pnlMapping->setParentControl(tsMapping);
  pnlMapping->setPlain();
  pnlMapping->setBounds(0, 0, 969, 577);

  lblMapping = addTitle(this, pnlMapping, QStringLiteral("lblMapping"), QStringLiteral("Mapping the LED Units"));
  lblMapping->setAlign(ui::Align::Top);
  lblMapping->setHeight(kTitleHeight);

  lvLedPanels = new ui::ListView(this);
  lvLedPanels->setName(QStringLiteral("lvLedPanels"));
  lvLedPanels->setParentControl(pnlMapping);
  lvLedPanels->setAlign(ui::Align::Left);
  lvLedPanels->setWidth(kScreenListWidth);
  lvLedPanels->setLargeImages(imglLedPanels);
  lvLedPanels->setPopupMenu(pmLedPanels);
  lvLedPanels->OnChange = [this](ui::ListView *sender, int item) { lvLedPanelsChange(sender, item); };

  pnlLedPanel = new ui::Panel(this);
  pnlLedPanel->setName(QStringLiteral("pnlLedPanel"));
  pnlLedPanel->setParentControl(pnlMapping);
  pnlLedPanel->setPlain();
  pnlLedPanel->setAlign(ui::Align::Client);
  pnlLedPanel->OnResize = [this](ui::Control *sender) { pnlLedPanelResize(sender); };

  // The bars take the form's look; all three start hidden.
  scbVertical = new kwo::TkwoScrollBar(this);
  scbVertical->setName(QStringLiteral("scbVertical"));
  scbVertical->setVisible(false);
  scbVertical->setOrientation(kwo::TkwoProgressBarOrientation::kwoVertical);
  scbVertical->setParentControl(pnlLedPanel);
  scbVertical->OnChange = [this](ui::Control *sender) { scbVerticalChange(sender); };

  scbHorizontal = new kwo::TkwoScrollBar(this);
  scbHorizontal->setName(QStringLiteral("scbHorizontal"));
  scbHorizontal->setVisible(false);
  scbHorizontal->setParentControl(pnlLedPanel);
  scbHorizontal->OnChange = [this](ui::Control *sender) { scbHorizontalChange(sender); };

  pnlCorner = new kwo::TkwoImagePanel(this);
  pnlCorner->setName(QStringLiteral("pnlCorner"));
  pnlCorner->setVisible(false);
  pnlCorner->setParentControl(pnlLedPanel);
  pnlCorner->setBounds(0, 0, scbVertical->width(), scbHorizontal->height());
}

void TfrmAutoDetect::buildButtons() {
  pnlButtons = new ui::Panel(this);
  pnlButtons->setName(QStringLiteral("pnlButtons"));
  pnlButtons->setParentControl(sfrmAutoDetect);
  pnlButtons->setPlain();
  pnlButtons->setAlign(ui::Align::Bottom);
  pnlButtons->setHeight(kButtonStripHeight);
  pnlButtons->OnResize = [this](ui::Control *) { placeButtons(); };

  auto makeButton = [this](const QString &name, const QString &caption, void (TfrmAutoDetect::*handler)(ui::Control *)) {
    auto *button = new kwo::TImageButton(this);
    button->setName(name);
    button->setParentControl(pnlButtons);
    button->setCaption(caption);
    button->setBounds(0, 0, kButtonWidth, kButtonHeight);
    button->OnClick = [this, handler](ui::Control *sender) { (this->*handler)(sender); };
    return button;
  };
  btnStart = makeButton(QStringLiteral("btnStart"), QStringLiteral("Start"), &TfrmAutoDetect::btnStartClick);
  btnPrev = makeButton(QStringLiteral("btnPrev"), QStringLiteral("Prev"), &TfrmAutoDetect::btnPrevClick);
  btnNext = makeButton(QStringLiteral("btnNext"), QStringLiteral("Next"), &TfrmAutoDetect::btnNextClick);
  btnFinished =
      makeButton(QStringLiteral("btnFinished"), QStringLiteral("Finished"), &TfrmAutoDetect::btnFinishedClick);
  btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("Cancel"), &TfrmAutoDetect::btnCancelClick);
  setCancelControl(btnCancel);
  placeButtons();
}

void TfrmAutoDetect::placeButtons() {
  // The buttons may already be gone while the form's children are freed.
  if (isDestroying()) return;
  // Right-aligned from Cancel leftwards, centred in the strip's height.
  const QRect client = pnlButtons->clientRect();
  const int top = client.top() + (client.height() - kButtonHeight) / 2;
  int left = client.right() + 1 - kButtonGap - kButtonWidth;
  for (kwo::TImageButton *button : {btnCancel, btnFinished, btnNext, btnPrev, btnStart}) {
    if (button == nullptr) continue;
    button->setBounds(left, top, kButtonWidth, kButtonHeight);
    left -= kButtonWidth + kButtonGap;
  }
}

void TfrmAutoDetect::buildMenus() {
  pmLedPanels = new ui::PopupMenu(this);
  pmLedPanels->setName(QStringLiteral("pmLedPanels"));
  mnLEDPanelProp = addItem(this, pmLedPanels->items(), QStringLiteral("mnLEDPanelProp"),
                           QStringLiteral("LED Panel Properties"));
  mnLEDPanelProp->OnClick = [this](ui::MenuItem *sender) { mnLEDPanelPropClick(sender); };

  pmLedUnit = new ui::PopupMenu(this);
  pmLedUnit->setName(QStringLiteral("pmLedUnit"));
  pmLedUnit->OnPopup = [this](ui::PopupMenu *sender) { pmLedUnitPopup(sender); };
  ui::MenuItem *root = pmLedUnit->items();
  mnMapping = addItem(this, root, QStringLiteral("mnMapping"), QStringLiteral("Mapping"));
  mnZoomOut = addItem(this, root, QStringLiteral("mnZoomOut"), QStringLiteral("Zoom Out"));
  mnZoomOut->OnClick = [this](ui::MenuItem *sender) { mnZoomOutClick(sender); };
  mnZoomIn = addItem(this, root, QStringLiteral("mnZoomIn"), QStringLiteral("Zoom In"));
  mnZoomIn->OnClick = [this](ui::MenuItem *sender) { mnZoomInClick(sender); };
  mnSeparator = addItem(this, root, QStringLiteral("N1"), QStringLiteral("-"));
  nmClearMap = addItem(this, root, QStringLiteral("nmClearMap"), QStringLiteral("Clear"));
  nmClearMap->OnClick = [this](ui::MenuItem *sender) { nmClearMapClick(sender); };
}

void TfrmAutoDetect::FormCreate() {
  // The panel belongs to nobody until step 1 places it; FormDestroy frees it.
  ledPanel_ = new TLedPanel(nullptr);
  ledPanel_->setName(QStringLiteral("LedPanel"));
  ledPanel_->OnSizeChange = [this](ui::Control *) { pnlLedPanelResize(pnlLedPanel); };
  ledPanel_->setPopupMenu(pmLedUnit);
  screens_.clear();
  step_ = -1;
}

void TfrmAutoDetect::FormShow() { GotoStep(0); }

void TfrmAutoDetect::FormDestroy() {
  // Nothing may reach a model once the panel is gone, and the panel must be
  // detached before its models go.
  if (tmrAnimation != nullptr) tmrAnimation->stop();
  if (lvLedPanels != nullptr) lvLedPanels->OnChange = nullptr;
  if (ledPanel_ != nullptr) {
    ledPanel_->SetPanelData(nullptr);
    delete ledPanel_;
    ledPanel_ = nullptr;
  }
  screens_.clear();
}

void TfrmAutoDetect::showEvent(QShowEvent *event) {
  ui::Form::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfrmAutoDetect::GotoStep(int32_t n) {
  if (n == step_) return;
  tmrAnimation->stop();
  step_ = n;
  pcStep->activatePageIndex(n);
  if (n == 0) {
    showStep0();
  } else if (n == 1) {
    showStep1();
  }
}

void TfrmAutoDetect::showStep0() {
  btnStart->setEnabled(true);
  btnPrev->setEnabled(false);
  btnNext->setEnabled(lbDevices->count() > 0);
  btnFinished->setEnabled(false);
  btnCancel->setEnabled(true);
  drawAnimationFrame(animation_.restart());
}

void TfrmAutoDetect::showStep1() {
  btnStart->setEnabled(false);
  btnPrev->setEnabled(true);
  btnNext->setEnabled(false);
  btnFinished->setEnabled(false);
  btnCancel->setEnabled(true);
  recreateScreens();
}

void TfrmAutoDetect::recreateScreens() {
  // The panel lets go of the old model before it is freed; the list is
  // filled only once the new models exist, so its change events never see
  // a freed one.
  ledPanel_->SetPanelData(nullptr);
  screens_.clear();
  for (const ScreenShape &shape : kScreenShapes) {
    auto screen = std::make_unique<TLedPanelData>(shape.units);
    screen->SetRows(shape.rows);
    screen->SetCols(shape.cols);
    screens_.push_back(std::move(screen));
  }
  lvLedPanels->clearItems();
  lvLedPanels->addItem(QStringLiteral("Pellmar Screen1"), 0);
  lvLedPanels->addItem(QStringLiteral("Pellmar Screen2"), 0);
  ledPanel_->setParentControl(pnlLedPanel);
  lvLedPanels->setItemIndex(0);
}

void TfrmAutoDetect::btnStartClick(ui::Control *) {
  btnNext->setEnabled(false);
  tmrAnimation->start();
}

void TfrmAutoDetect::btnPrevClick(ui::Control *) { GotoStep(step_ - 1); }

void TfrmAutoDetect::btnNextClick(ui::Control *) { GotoStep(step_ + 1); }

void TfrmAutoDetect::btnCancelClick(ui::Control *) { setModalResult(ui::mrCancel); }

void TfrmAutoDetect::btnFinishedClick(ui::Control *) {}

void TfrmAutoDetect::pcStepChanging(kwo::TkwoTab *, bool &allowChange) { allowChange = false; }

void TfrmAutoDetect::tsShow(ui::Control *sender) {
  if (sender != nullptr) sender->setEnabled(true);
}

void TfrmAutoDetect::tsResize(ui::Control *sender) {
  if (isDestroying() || sender == nullptr || sender->controlCount() == 0) return;
  ui::Control *panel = sender->control(0);
  const QRect client = sender->clientRect();
  const int left = panel->width() < client.width() ? (client.width() - panel->width()) / 2 : 0;
  const int top = panel->height() < client.height() ? (client.height() - panel->height()) / 2 : 0;
  panel->setBounds(left, top, panel->width(), panel->height());
}

void TfrmAutoDetect::drawAnimationFrame(int32_t index) {
  QPixmap picture(kFrameSize, kFrameSize);
  picture.fill(ui::toQColor(pnlDetecting->color()));
  {
    QPainter painter(&picture);
    // An index past the strip draws nothing: the picture stays blank.
    imglAnimation->draw(painter, 0, 0, index);
  }
  imgAnimation->setPicture(picture);
  imgAnimation->update();
}

void TfrmAutoDetect::tmrAnimationTimer(ui::Timer *) {
  const DetectionAnimation::Tick tick = animation_.tick(imglAnimation->count());
  if (tick.finished) {
    lbDevices->addItem(detectedDeviceName());
    if (lbDevices->count() > 0) btnNext->setEnabled(true);
    tmrAnimation->stop();
  }
  drawAnimationFrame(tick.frame);
}

void setAnimationFramesForTests(TfrmAutoDetect &wizard, int n) {
  wizard.imglAnimation->clear();
  for (int i = 0; i < n; ++i) {
    QPixmap frame(kFrameSize, kFrameSize);
    frame.fill(ui::toQColor(autoDetectTestFrameColour(i)));
    wizard.imglAnimation->add(frame);
  }
}

platform::TColor autoDetectTestFrameColour(int i) {
  return platform::RGB(static_cast<uint8_t>(40 + (i * 25) % 200), static_cast<uint8_t>(200 - (i * 17) % 150), 90);
}

TLedPanelData *TfrmAutoDetect::attachedModel() const { return ledPanel_ != nullptr ? ledPanel_->Data() : nullptr; }

bool TfrmAutoDetect::allScreensMapped() const {
  return std::all_of(screens_.begin(), screens_.end(), [](const auto &screen) { return screen->AllUnitsMapped(); });
}

void TfrmAutoDetect::lvLedPanelsChange(ui::ListView *, int item) {
  if (ledPanel_ == nullptr || item < 0 || item >= static_cast<int>(screens_.size())) return;
  TLedPanelData *screen = screens_[static_cast<size_t>(item)].get();
  // Attached first: the resizes below repaint with this model.
  ledPanel_->SetPanelData(screen);
  ledPanel_->SetRows(screen->Rows);
  ledPanel_->SetCols(screen->Cols);
  pnlLedPanelResize(pnlLedPanel);
}

void TfrmAutoDetect::pnlLedPanelResize(ui::Control *) {
  if (ledPanel_ == nullptr || layingOut_) return;
  layingOut_ = true;
  const QRect client = pnlLedPanel->clientRect();
  const int32_t barWidth = scbVertical->width();
  const int32_t barHeight = scbHorizontal->height();
  layout_ = ComputeScrollLayout(ledPanel_->width() + 2 * kPanelMargin, ledPanel_->height() + 2 * kPanelMargin,
                                client.width(), client.height(), barWidth, barHeight, kPanelMargin);
  auto setBar = [](kwo::TkwoScrollBar &bar, const ScrollBarLayout &place, int width, int height) {
    bar.setBounds(place.left, place.top, width, height);
    bar.setMax(place.max);
    bar.setLineButton(place.lineButton);
    bar.setSmallChange(static_cast<uint16_t>(std::clamp(place.step, 0, 0xFFFF)));
    bar.setLargeChange(static_cast<uint16_t>(std::clamp(place.step, 0, 0xFFFF)));
    bar.setPageSize(place.step);
    bar.setVisible(place.visible);
  };
  setBar(*scbHorizontal, layout_.horizontal, layout_.horizontal.length, barHeight);
  setBar(*scbVertical, layout_.vertical, barWidth, layout_.vertical.length);
  pnlCorner->setBounds(layout_.cornerLeft, layout_.cornerTop, barWidth, barHeight);
  pnlCorner->setVisible(layout_.cornerVisible);
  layingOut_ = false;
  placeLedPanel();
}

void TfrmAutoDetect::placeLedPanel() {
  const ContentPlace place = PlaceContent(layout_, scbHorizontal->position(), scbVertical->position());
  ledPanel_->setBounds(place.left, place.top, ledPanel_->width(), ledPanel_->height());
}

void TfrmAutoDetect::scbVerticalChange(ui::Control *) {
  if (layingOut_ || ledPanel_ == nullptr) return;
  placeLedPanel();
}

void TfrmAutoDetect::scbHorizontalChange(ui::Control *) {
  if (layingOut_ || ledPanel_ == nullptr) return;
  placeLedPanel();
}

void TfrmAutoDetect::pmLedUnitPopup(ui::PopupMenu *) {
  mnMapping->clear();
  const TLedPanelData *screen = attachedModel();
  if (screen == nullptr) return;
  for (int32_t i = 0; i < screen->Count; ++i) {
    auto *item = new ui::MenuItem(this);
    item->setCaption(QString::asprintf("%.3d", screen->Units[static_cast<size_t>(i)].Address));
    item->setTag(i);
    item->OnClick = [this](ui::MenuItem *sender) { mnMappingClick(sender); };
    mnMapping->add(item);
  }
}

void TfrmAutoDetect::mnMappingClick(ui::MenuItem *item) {
  TLedPanelData *screen = attachedModel();
  if (screen == nullptr || item == nullptr) return;
  const intptr_t tag = item->tag();
  if (tag < 0 || tag >= screen->Count) return;
  if (!MapUnitToCell(*screen, static_cast<int32_t>(tag), ledPanel_->SelCol(), ledPanel_->SelRow())) return;
  ledPanel_->update();
  if (allScreensMapped()) btnNext->setEnabled(true);
}

void TfrmAutoDetect::mnZoomOutClick(ui::MenuItem *) {
  if (ledPanel_ != nullptr) ledPanel_->SetCellSize(ledPanel_->CellSize() + 10);
}

void TfrmAutoDetect::mnZoomInClick(ui::MenuItem *) {
  if (ledPanel_ != nullptr) ledPanel_->SetCellSize(ledPanel_->CellSize() - 10);
}

void TfrmAutoDetect::nmClearMapClick(ui::MenuItem *) {
  TLedPanelData *screen = attachedModel();
  if (screen == nullptr) return;
  screen->ClearMapping();
  ledPanel_->update();
}

void TfrmAutoDetect::mnLEDPanelPropClick(ui::MenuItem *) {
  if (lvLedPanels->itemIndex() < 0) return;
  const ui::Application *app = ui::Application::instance();
  ui::messageBox(QString(), app != nullptr ? app->title() : QString(), ui::MB_OK);
}

}  // namespace morvit
