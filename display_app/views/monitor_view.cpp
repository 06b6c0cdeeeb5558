#include "display_app/views/monitor_view.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPixmap>
#include <algorithm>
#include <array>

#include "display_app/dialogs/led_unit_details.h"
#include "display_app/model/legend_layout.h"
#include "display_app/model/scroll_layout.h"
#include "display_app/views/ini_listing_grid.h"
#include "display_app/views/led_panel.h"
#include "display_app/views/status_hint.h"
#include "platform/ui/color.h"
#include "platform/ui/gdi_shapes.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "platform/ui/status_bar.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/frames/kwo_menu.h"

namespace morvit {
namespace {

constexpr int kDemoCols = 12;
constexpr int kDemoRows = 12;
constexpr int kDemoUnits = kDemoCols * kDemoRows;
constexpr int kBarThickness = 17;
constexpr int kTitleHeight = 40;
constexpr int kSplitterSize = 3;

constexpr int kStatusPanel = 0;
constexpr int kLegendPanel = 1;

struct LegendEntry {
  platform::TColor colour;
  const char *caption;
};
constexpr std::array<LegendEntry, 3> kLegend = {{
    {platform::RGB(0, 255, 0), "OK"},
    {platform::RGB(255, 255, 0), "INVALID"},
    {platform::clBlack, "POWEROFF"},
}};
constexpr platform::TColor kLegendPen = platform::RGB(64, 64, 64);

// Clears a flag when the scope ends, also by an exception.
class FlagScope {
 public:
  explicit FlagScope(bool &flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope &) = delete;
  FlagScope &operator=(const FlagScope &) = delete;

 private:
  bool &flag_;
};

// A dark blue strip, lighter towards its middle, behind the white title.
QPixmap titlePicture(int width, int height) {
  QPixmap picture(width, height);
  QPainter painter(&picture);
  QLinearGradient gradient(0, 0, 0, height);
  gradient.setColorAt(0.0, QColor(16, 32, 96));
  gradient.setColorAt(0.5, QColor(48, 80, 160));
  gradient.setColorAt(1.0, QColor(16, 32, 96));
  painter.fillRect(picture.rect(), gradient);
  return picture;
}

ui::Panel *makePanel(ui::Component *owner, ui::Control *parent, const QString &name) {
  auto *panel = new ui::Panel(owner);
  panel->setName(name);
  panel->setParentControl(parent);
  return panel;
}

void applyBar(kwo::TkwoScrollBar &bar, const ScrollBarLayout &layout, bool vertical) {
  if (vertical) {
    bar.setBounds(layout.left, layout.top, bar.width(), layout.length);
  } else {
    bar.setBounds(layout.left, layout.top, layout.length, bar.height());
  }
  bar.setMin(0);
  bar.setMax(layout.max);
  bar.setLineButton(layout.lineButton);
  const auto step = static_cast<uint16_t>(std::clamp(layout.step, 0, 0xFFFF));
  bar.setLargeChange(step);
  bar.setPageSize(layout.step);
  bar.setSmallChange(step);
  bar.setVisible(layout.visible);
}

}  // namespace

TfrmMonitor::TfrmMonitor(ui::Component *owner)
    : ClientAreaView(owner, staticMetaObject.className(), QStringLiteral("frmMonitor"), false) {
  buildTree();
  createLedPanel();
  UpdateUnitStatusText();

  ledUnitGrid_ = new TLedUnitGrid(this);
  ledUnitGrid_->setName(QStringLiteral("LedUnitGrid"));
  ledUnitGrid_->setParentControl(pnlLedUnitGrid);
  ledPanelGrid_ = new TLedPanelGrid(this);
  ledPanelGrid_->setName(QStringLiteral("LedPanelGrid"));
  ledPanelGrid_->setParentControl(pnlLedPanelGrid);

  OnResize = [this](ui::Control *sender) { FrameResize(sender); };
  FrameResize(this);
}

TfrmMonitor::~TfrmMonitor() {
  // The panel goes before the model it shows; the frame's children follow.
  beginDestroy();
  if (ledPanel_ != nullptr) ledPanel_->SetPanelData(nullptr);
  delete std::exchange(ledPanel_, nullptr);
  screen_.reset();
}

bool TfrmMonitor::event(QEvent *event) {
  const bool handled = ClientAreaView::event(event);
  if (event->type() == QEvent::ParentChange && !visible() && align() == ui::Align::Client && !isDying()) {
    if (ui::Control *parent = parentControl()) {
      const QRect client = parent->clientRect();
      setBounds(client.left(), client.top(), client.width(), client.height());
    }
  }
  return handled;
}

void TfrmMonitor::buildTree() {
  pnlMain = makePanel(this, this, QStringLiteral("pnlMain"));
  pnlMain->setPlain();
  pnlMain->setBounds(0, 0, 553, 569);

  imgTitle = new ui::Image(this);
  imgTitle->setName(QStringLiteral("imgTitle"));
  imgTitle->setParentControl(pnlMain);
  imgTitle->setBounds(0, 0, 553, kTitleHeight);
  imgTitle->setStretch(true);
  imgTitle->setPicture(titlePicture(553, kTitleHeight));
  Label1 = new ui::Label(this);
  Label1->setName(QStringLiteral("Label1"));
  Label1->setParentControl(pnlMain);
  Label1->setTransparent(true);
  Label1->setCaption(QStringLiteral("LED Panel"));
  ui::Font titleFont;
  titleFont.name = QStringLiteral("Times New Roman");
  titleFont.size = 14;
  titleFont.bold = true;
  titleFont.italic = true;
  titleFont.color = platform::clWhite;
  Label1->setControlFont(titleFont);
  Label1->setBounds(16, 8, 200, 24);

  pnlClient = makePanel(this, pnlMain, QStringLiteral("pnlClient"));
  pnlClient->setBevelOuter(ui::Bevel::Lowered);
  pnlClient->setBevelInner(ui::Bevel::None);
  pnlClient->setBevelWidth(1);
  pnlClient->setBounds(8, kTitleHeight, 537, 489);

  pnlLedPanel = makePanel(this, pnlClient, QStringLiteral("pnlLedPanel"));
  pnlLedPanel->setPlain();
  pnlLedPanel->setAlign(ui::Align::Client);

  scbVertical = new kwo::TkwoScrollBar(this);
  scbVertical->setName(QStringLiteral("scbVertical"));
  scbVertical->setVisible(false);
  scbVertical->setOrientation(kwo::TkwoProgressBarOrientation::kwoVertical);
  scbVertical->setParentControl(pnlLedPanel);
  scbVertical->setBounds(0, 0, kBarThickness, 200);
  scbVertical->setUIStyle(kwo::TkwoUIStyle::BlueGlass);
  scbVertical->OnChange = [this](ui::Control *sender) { scbVerticalChange(sender); };

  scbHorizontal = new kwo::TkwoScrollBar(this);
  scbHorizontal->setName(QStringLiteral("scbHorizontal"));
  scbHorizontal->setVisible(false);
  scbHorizontal->setParentControl(pnlLedPanel);
  scbHorizontal->setBounds(0, 0, 200, kBarThickness);
  scbHorizontal->setUIStyle(kwo::TkwoUIStyle::BlueGlass);
  scbHorizontal->OnChange = [this](ui::Control *sender) { scbHorizontalChange(sender); };

  pnlCorner = new kwo::TkwoImagePanel(this);
  pnlCorner->setName(QStringLiteral("pnlCorner"));
  pnlCorner->setVisible(false);
  pnlCorner->setParentControl(pnlLedPanel);
  pnlCorner->setBounds(0, 0, kBarThickness, kBarThickness);

  buildSidePanel();

  stbM = new ui::StatusBar(this);
  stbM->setName(QStringLiteral("stbM"));
  stbM->setAlign(ui::Align::None);
  stbM->setParentControl(pnlMain);
  stbM->setBounds(8, kTitleHeight + 489, 537, 17);
  // Room for the unit text with a five-digit address; the legend follows.
  stbM->addPanel({200, QString(), true});
  stbM->addPanel({192, QString(), true});
  stbM->OnDrawPanel = [this](ui::StatusBar *sender, int panel, QPainter &painter, const QRect &rect) {
    stbMDrawPanel(sender, panel, painter, rect);
  };

  buildPopup();

  pnlClient->OnResize = [this](ui::Control *sender) { pnlLedPanelResize(sender); };
  pnlLedPanel->OnResize = [this](ui::Control *sender) { pnlLedPanelResize(sender); };
}

void TfrmMonitor::buildSidePanel() {
  // Nothing shows the side panel; its grids are built all the same.
  pnlProperties = makePanel(this, pnlMain, QStringLiteral("pnlProperties"));
  pnlProperties->setVisible(false);
  pnlProperties->setAlign(ui::Align::Right);
  pnlProperties->setWidth(104);
  Splitter1 = makePanel(this, pnlMain, QStringLiteral("Splitter1"));
  Splitter1->setVisible(false);
  Splitter1->setPlain();
  Splitter1->setAlign(ui::Align::Right);
  Splitter1->setWidth(kSplitterSize);

  pnlLedPanelTitle = makePanel(this, pnlProperties, QStringLiteral("pnlLedPanelTitle"));
  pnlLedPanelTitle->setAlign(ui::Align::Top);
  pnlLedPanelTitle->setHeight(20);
  pnlLedPanelTitle->setCaption(QStringLiteral("LED Panel"));
  pnlLedPanelGrid = makePanel(this, pnlProperties, QStringLiteral("pnlLedPanelGrid"));
  pnlLedPanelGrid->setPlain();
  pnlLedPanelGrid->setAlign(ui::Align::Top);
  pnlLedPanelGrid->setTop(20);
  pnlLedPanelGrid->setHeight(168);
  Splitter2 = makePanel(this, pnlProperties, QStringLiteral("Splitter2"));
  Splitter2->setPlain();
  Splitter2->setAlign(ui::Align::Top);
  Splitter2->setTop(188);
  Splitter2->setHeight(kSplitterSize);
  pnlLedUnitTitle = makePanel(this, pnlProperties, QStringLiteral("pnlLedUnitTitle"));
  pnlLedUnitTitle->setAlign(ui::Align::Top);
  pnlLedUnitTitle->setTop(191);
  pnlLedUnitTitle->setHeight(20);
  pnlLedUnitTitle->setCaption(QStringLiteral("LED Unit"));
  pnlLedUnitGrid = makePanel(this, pnlProperties, QStringLiteral("pnlLedUnitGrid"));
  pnlLedUnitGrid->setPlain();
  pnlLedUnitGrid->setAlign(ui::Align::Client);
}

void TfrmMonitor::buildPopup() {
  pmLedUnit = new kwo::TkwoPopupMenu(this);
  pmLedUnit->setName(QStringLiteral("pmLedUnit"));
  pmLedUnit->setUIStyle(kwo::TkwoUIStyle::WinXP);
  const auto add = [this](const QString &name, const QString &caption) {
    auto *item = new ui::MenuItem(this);
    item->setName(name);
    item->setCaption(caption);
    pmLedUnit->items()->add(item);
    return item;
  };
  mnZoomOut = add(QStringLiteral("mnZoomOut"), QStringLiteral("Zoom Out"));
  mnZoomIn = add(QStringLiteral("mnZoomIn"), QStringLiteral("Zoom In"));
  N1 = add(QStringLiteral("N1"), QStringLiteral("-"));
  mnUnitDetail = add(QStringLiteral("mnUnitDetail"), QStringLiteral("Unit Details"));
  mnZoomOut->OnClick = [this](ui::MenuItem *) { mnZoomOutClick(); };
  mnZoomIn->OnClick = [this](ui::MenuItem *) { mnZoomInClick(); };
  mnUnitDetail->OnClick = [this](ui::MenuItem *) { mnUnitDetailClick(); };
}

void TfrmMonitor::createLedPanel() {
  ledPanel_ = new TLedPanel(nullptr);
  ledPanel_->setName(QStringLiteral("LedPanel"));
  ledPanel_->setParentControl(pnlLedPanel);
  screen_ = std::make_unique<TLedPanelData>(kDemoUnits);
  ledPanel_->SetPanelData(screen_.get());
  ledPanel_->SetCols(kDemoCols);
  ledPanel_->SetRows(kDemoRows);
  screen_->FillDemoUnits(kDemoCols, kDemoRows);
  ledPanel_->OnDblClick = [this](ui::Control *sender) { LEDPanelDblClick(sender); };
  ledPanel_->OnSizeChange = [this](ui::Control *) { pnlLedPanelResize(pnlLedPanel); };
  ledPanel_->setPopupMenu(pmLedUnit);
  ledPanel_->OnSelect = [this](ui::Control *sender) { UpdateUnitStatusText(sender); };
  // The bars stay above the panel they scroll.
  scbVertical->bringToFront();
  scbHorizontal->bringToFront();
  pnlCorner->bringToFront();
}

void TfrmMonitor::FrameResize(ui::Control *) {
  const QRect client = clientRect();
  const int left = pnlMain->width() < client.width() ? (client.width() - pnlMain->width()) / 2 : 0;
  const int top = pnlMain->height() < client.height() ? (client.height() - pnlMain->height()) / 2 : 0;
  pnlMain->setBounds(client.left() + left, client.top() + top, pnlMain->width(), pnlMain->height());
  pnlLedPanelResize(pnlLedPanel);
}

void TfrmMonitor::pnlLedPanelResize(ui::Control *) {
  if (ledPanel_ == nullptr || isDying()) return;
  // The bars live in pnlLedPanel, so its client is the area, whichever
  // panel was resized.
  const QRect area = pnlLedPanel->clientRect();
  const ScrollLayout layout =
      ComputeScrollLayout(ledPanel_->width() + 2 * kMargin, ledPanel_->height() + 2 * kMargin, area.width(),
                          area.height(), scbVertical->width(), scbHorizontal->height(), kMargin);
  {
    // Setting Max may clamp a position and fire the bar's change event;
    // the panel is placed once, from the positions the bars end up with.
    FlagScope laying(layingOut_);
    applyBar(*scbHorizontal, layout.horizontal, false);
    applyBar(*scbVertical, layout.vertical, true);
    pnlCorner->setBounds(layout.cornerLeft, layout.cornerTop, pnlCorner->width(), pnlCorner->height());
    pnlCorner->setVisible(layout.cornerVisible);
  }
  const ContentPlace place = PlaceContent(layout, scbHorizontal->position(), scbVertical->position());
  ledPanel_->setBounds(place.left, place.top, ledPanel_->width(), ledPanel_->height());
}

void TfrmMonitor::scbVerticalChange(ui::Control *) {
  if (layingOut_ || ledPanel_ == nullptr) return;
  ledPanel_->setTop(kMargin - scbVertical->position());
}

void TfrmMonitor::scbHorizontalChange(ui::Control *) {
  if (layingOut_ || ledPanel_ == nullptr) return;
  ledPanel_->setLeft(kMargin - scbHorizontal->position());
}

void TfrmMonitor::mnZoomInClick(ui::Control *) {
  if (ledPanel_ != nullptr) ledPanel_->SetCellSize(ledPanel_->CellSize() - kZoomStep);
}

void TfrmMonitor::mnZoomOutClick(ui::Control *) {
  if (ledPanel_ != nullptr) ledPanel_->SetCellSize(ledPanel_->CellSize() + kZoomStep);
}

void TfrmMonitor::LEDPanelDblClick(ui::Control *sender) { mnUnitDetailClick(sender); }

void TfrmMonitor::mnUnitDetailClick(ui::Control *) {
  if (ledPanel_ == nullptr) return;
  const TLedPanelData *data = ledPanel_->Data();
  if (data == nullptr) return;
  const int32_t index = data->FindUnitAt(ledPanel_->SelCol(), ledPanel_->SelRow());
  if (index < 0 || index >= data->Count || static_cast<size_t>(index) >= data->Units.size()) return;
  auto details = std::make_unique<TfrmLedUnitDetails>(nullptr);
  details->SetUnit(data->Units[static_cast<size_t>(index)]);
  details->showModal();
}

void TfrmMonitor::UpdateUnitStatusText(ui::Control *) {
  if (ledPanel_ == nullptr) return;
  const LedUnitState *unit = ledPanel_->selectedUnit();
  const QString text =
      unit == nullptr
          ? QString::asprintf("Address=NULL Col=%.2d Row=%.2d", ledPanel_->SelCol(), ledPanel_->SelRow())
          : QString::asprintf("Address=%d Col=%.2d Row=%.2d", unit->Address, ledPanel_->SelCol(), ledPanel_->SelRow());
  stbM->setPanelText(kStatusPanel, text);
  UpdateOverflowHint(*stbM, stbM->font());
}

void TfrmMonitor::stbMDrawPanel(ui::StatusBar *sender, int panel, QPainter &painter, const QRect &rect) {
  painter.save();
  painter.setFont(sender->font());
  if (panel == kStatusPanel) {
    const QString text = sender->panel(kStatusPanel).text;
    const QFontMetrics metrics(painter.font());
    const int x = rect.left() + std::max((rect.width() - metrics.horizontalAdvance(text)) / 2, 0);
    const int y = rect.top() + (rect.height() - metrics.height()) / 2;
    painter.setPen(ui::toQColor(sender->controlFont().color));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
  } else if (panel == kLegendPanel) {
    drawLegend(painter, rect);
  }
  painter.restore();
}

void TfrmMonitor::drawLegend(QPainter &painter, const QRect &rect) {
  const QFontMetrics metrics(painter.font());
  std::vector<int32_t> widths;
  for (const LegendEntry &entry : kLegend) widths.push_back(metrics.horizontalAdvance(QLatin1String(entry.caption)));
  const std::vector<LegendItem> items =
      LegendLayout({rect.left(), rect.top(), rect.width(), rect.height()}, widths);
  const QColor text = ui::toQColor(stbM->controlFont().color);
  for (size_t i = 0; i < items.size() && i < kLegend.size(); ++i) {
    const LegendRect &square = items[i].square;
    painter.setPen(ui::toQColor(kLegendPen));
    painter.setBrush(ui::toQColor(kLegend[i].colour));
    ui::gdiRectangle(painter, square.left, square.top, square.right(), square.top + square.height);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(text);
    painter.drawText(QPoint(items[i].captionLeft, items[i].captionTop + metrics.ascent()),
                     QLatin1String(kLegend[i].caption));
  }
}

}  // namespace morvit
