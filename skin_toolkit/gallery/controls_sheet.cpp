#include "skin_toolkit/gallery/controls_sheet.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <stdexcept>

#include "platform/ui/application.h"
#include "platform/ui/data_set.h"
#include "platform/ui/form.h"
#include "skin_toolkit/controls/db_navigator.h"
#include "skin_toolkit/controls/kwo_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/controls/kwo_group_box.h"
#include "skin_toolkit/controls/kwo_image_button.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/kwo_list_box.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/controls/kwo_panel.h"
#include "skin_toolkit/controls/kwo_radio_group.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/controls/kwo_string_grid.h"
#include "skin_toolkit/controls/kwo_track_bar.h"
#include "skin_toolkit/controls/speed_button.h"
#include "skin_toolkit/frames/kwo_form.h"

namespace gallery {
namespace {

using kwo::TkwoProgressBarOrientation;

// Five read-only records for the navigator to move through.
class SampleRecords : public ui::DataSet {
 public:
  explicit SampleRecords(ui::Component *owner) : ui::DataSet(owner) {}
  int recordCount() const override { return 5; }
};

// The frame's title bar takes the first rows whatever the look.
constexpr int kTop = 36;
constexpr int kLeftColumn = 8;
constexpr int kMiddleColumn = 168;
constexpr int kRightColumn = 328;
constexpr int kColumnWidth = 144;

template <typename T>
T *place(ui::Form &form, ui::Control &parent, int left, int top, int width, int height, const QString &caption = {}) {
  auto *control = new T(&form);
  control->setParentControl(&parent);
  control->setBounds(left, top, width, height);
  if (!caption.isEmpty()) control->setCaption(caption);
  return control;
}

// A small picture in two colours, for the image controls and glyphs.
QPixmap samplePicture(int width, int height, QColor fill, QColor mark) {
  QPixmap picture(width, height);
  picture.fill(fill);
  QPainter painter(&picture);
  painter.setPen(Qt::NoPen);
  painter.setBrush(mark);
  painter.drawEllipse(QRect(width / 4, height / 4, width / 2, height / 2));
  return picture;
}

// The mouse over the control's centre, with the left button down or not.
void mouseAtCentre(ui::Control &control, QEvent::Type type, Qt::MouseButtons buttons) {
  const QPointF at(control.width() / 2.0, control.height() / 2.0);
  QMouseEvent event(type, at, control.mapToGlobal(at), buttons & Qt::LeftButton ? Qt::LeftButton : Qt::NoButton,
                    buttons, Qt::NoModifier);
  QApplication::sendEvent(&control, &event);
}

void buildButtons(ui::Form &form, kwo::TkwoForm &frame, ControlsSheet &sheet) {
  int y = kTop;
  sheet.button = place<kwo::TkwoButton>(form, frame, kLeftColumn, y, 70, 24, QStringLiteral("按钮"));
  sheet.pressedButton = place<kwo::TkwoButton>(form, frame, kLeftColumn + 74, y, 70, 24, QStringLiteral("按下"));
  // Held down for the picture: no repeat while it is.
  sheet.pressedButton->setMouseContinuouslyDownInterval(0);
  y += 28;
  sheet.disabledButton = place<kwo::TkwoButton>(form, frame, kLeftColumn, y, 70, 24, QStringLiteral("禁用"));
  sheet.disabledButton->setEnabled(false);
  sheet.imageButton = place<kwo::TkwoImageButton>(form, frame, kLeftColumn + 74, y, 40, 24);
  sheet.imageButton->setPicNormal(samplePicture(40, 24, QColor(70, 110, 170), QColor(240, 200, 60)));
  sheet.imageButton->setPicMouseOn(samplePicture(40, 24, QColor(90, 140, 210), QColor(250, 220, 90)));
  sheet.speedButton = place<kwo::TkwoToolBarSpeedButton>(form, frame, kLeftColumn + 120, y, 22, 22);
  sheet.speedButton->setGlyph(samplePicture(16, 16, QColor(220, 220, 220), QColor(40, 120, 40)));
  y += 30;
  sheet.checkBox = place<kwo::TkwoCheckBox>(form, frame, kLeftColumn, y, 70, 20, QStringLiteral("选中"));
  sheet.checkBox->setChecked(true);
  sheet.radioButton = place<kwo::TkwoRadioButton>(form, frame, kLeftColumn + 74, y, 70, 20, QStringLiteral("单选"));
  sheet.radioButton->setChecked(true);
}

void buildBars(ui::Form &form, kwo::TkwoForm &frame, ControlsSheet &sheet) {
  int y = kTop + 84;
  sheet.trackBar = place<kwo::TkwoTrackBar>(form, frame, kLeftColumn, y, kColumnWidth - 30, 30);
  sheet.trackBar->setMax(10);
  sheet.trackBar->setFrequency(1);
  sheet.trackBar->setPosition(3);
  // Turned before it is sized: the bar keeps the length along its axis.
  sheet.verticalTrackBar = place<kwo::TkwoTrackBar>(form, frame, 0, 0, 0, 0);
  sheet.verticalTrackBar->setOrientation(TkwoProgressBarOrientation::kwoVertical);
  sheet.verticalTrackBar->setBounds(kLeftColumn + kColumnWidth - 26, y, 30, 120);
  sheet.verticalTrackBar->setMax(8);
  sheet.verticalTrackBar->setFrequency(2);
  sheet.verticalTrackBar->setPosition(5);
  y += 40;
  sheet.scrollBar = place<kwo::TkwoScrollBar>(form, frame, kLeftColumn, y, kColumnWidth - 30, 17);
  sheet.scrollBar->setMax(100);
  sheet.scrollBar->setPageSize(20);
  sheet.scrollBar->setPosition(30);
  y += 24;
  sheet.comboBox = place<kwo::TkwoComboBox>(form, frame, kLeftColumn, y, kColumnWidth - 30, 22);
  sheet.comboBox->setItems({QStringLiteral("第一项"), QStringLiteral("第二项"), QStringLiteral("第三项")});
  sheet.comboBox->setItemIndex(1);
}

void buildPanels(ui::Form &form, kwo::TkwoForm &frame, ControlsSheet &sheet) {
  int y = kTop;
  sheet.panel = place<kwo::TkwoPanel>(form, frame, kMiddleColumn, y, kColumnWidth, 64, QStringLiteral("面板"));
  sheet.panelChild = place<kwo::TkwoCheckBox>(form, *sheet.panel, 8, 30, 100, 20, QStringLiteral("面板上"));
  y += 68;
  sheet.foldedPanel = place<kwo::TkwoPanel>(form, frame, kMiddleColumn, y, kColumnWidth, 64, QStringLiteral("折叠"));
  y += sheet.foldedPanel->barHeight() + 4;
  sheet.imagePanel = place<kwo::TkwoImagePanel>(form, frame, kMiddleColumn, y, kColumnWidth, 28);
  sheet.imagePanel->setPicture(samplePicture(24, 14, QColor(120, 60, 60), QColor(250, 240, 200)));
  sheet.imagePanel->setDrawStyle(kwo::TkwoDrawStyle::kwoTile);
  y += 32;
  sheet.groupBox = place<kwo::TkwoGroupBox>(form, frame, kMiddleColumn, y, kColumnWidth, 48, QStringLiteral("分组"));
  sheet.groupChild = place<kwo::TkwoRadioButton>(form, *sheet.groupBox, 10, 20, 100, 20, QStringLiteral("组内"));
  y += 52;
  sheet.checkGroup =
      place<kwo::TkwoCheckGroup>(form, frame, kMiddleColumn, y, kColumnWidth, 56, QStringLiteral("多选组"));
  sheet.checkGroup->setColumns(2);
  sheet.checkGroup->setItems({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")});
  y += 60;
  sheet.radioGroup =
      place<kwo::TkwoRadioGroup>(form, frame, kMiddleColumn, y, kColumnWidth, 56, QStringLiteral("单选组"));
  sheet.radioGroup->setColumns(2);
  sheet.radioGroup->setItems({QStringLiteral("开"), QStringLiteral("关"), QStringLiteral("自动")});
  sheet.radioGroup->setItemIndex(2);
}

void buildLists(ui::Form &form, kwo::TkwoForm &frame, ControlsSheet &sheet) {
  int y = kTop;
  sheet.listBox = place<kwo::TkwoListBox>(form, frame, kRightColumn, y, kColumnWidth, 84);
  for (int i = 1; i <= 20; ++i) sheet.listBox->addItem(QStringLiteral("记录 %1").arg(i));
  sheet.listScrollBar = place<kwo::TkwoScrollBar>(form, frame, 0, 0, 0, 0);
  sheet.listScrollBar->setOrientation(TkwoProgressBarOrientation::kwoVertical);
  sheet.listScrollBar->setBounds(kRightColumn + kColumnWidth - 17, y, 17, 84);
  sheet.listBox->setVScrollBar(sheet.listScrollBar);
  y += 90;
  // Seven pages behind a strip too narrow for their tabs.
  sheet.pageControl = place<kwo::TkwoPageControl>(form, frame, kRightColumn, y, kColumnWidth, 96);
  for (int i = 1; i <= 7; ++i) {
    auto *page = new kwo::TkwoTabSheet(&form);
    page->setPageControl(sheet.pageControl);
    page->setCaption(QStringLiteral("页面%1").arg(i));
  }
  sheet.pageChild = place<kwo::TkwoButton>(form, *sheet.pageControl->page(0), 8, 8, 70, 24, QStringLiteral("页上"));
  sheet.pageControl->activatePageIndex(0);
}

void buildRecords(ui::Form &form, kwo::TkwoForm &frame, ControlsSheet &sheet) {
  const int y = kTop + 240;
  sheet.grid = place<kwo::TkwoStringGrid>(form, frame, kLeftColumn, y, kColumnWidth, 110);
  sheet.grid->setColCount(3);
  sheet.grid->setRowCount(5);
  sheet.grid->setDefaultColWidth(44);
  sheet.grid->setDefaultRowHeight(20);
  const QString headers[] = {QStringLiteral("号"), QStringLiteral("名称"), QStringLiteral("值")};
  for (int c = 0; c < 3; ++c) sheet.grid->setCell(c, 0, headers[c]);
  for (int r = 1; r < 5; ++r) {
    sheet.grid->setCell(0, r, QString::number(r));
    sheet.grid->setCell(1, r, QStringLiteral("通道%1").arg(r));
    sheet.grid->setCell(2, r, QString::number(r * 25));
  }
  sheet.grid->setCol(1);
  sheet.grid->setRow(2);

  sheet.records = new SampleRecords(&form);
  sheet.recordSource = new ui::DataSource(&form);
  sheet.recordSource->setDataSet(sheet.records);
  sheet.navigator = place<kwo::TkwoDBNavigator>(form, frame, kMiddleColumn, kControlsSheetHeight - 40, 250, 30);
  sheet.navigator->setDataSource(sheet.recordSource);
  sheet.records->setActive(true);
  sheet.records->next();
}

}  // namespace

std::vector<ui::Control *> ControlsSheet::onFrame() const {
  return {button,      pressedButton, disabledButton, imageButton, speedButton, checkBox, radioButton, panel,
          foldedPanel, imagePanel,    groupBox,       checkGroup,  radioGroup,  comboBox, trackBar,    verticalTrackBar,
          scrollBar,   listBox,       listScrollBar,  pageControl, grid,        navigator};
}

ControlsSheet BuildControlsSheet(kwo::TkwoForm &frame) {
  ui::Form *form = frame.form();
  if (form == nullptr) throw std::logic_error("控件页的框架没有窗体");
  ControlsSheet sheet;
  buildButtons(*form, frame, sheet);
  buildBars(*form, frame, sheet);
  buildPanels(*form, frame, sheet);
  buildLists(*form, frame, sheet);
  buildRecords(*form, frame, sheet);

  frame.setUIStyleAutoUpdateSub(true);
  frame.setUIStyle(frame.uiStyle());
  sheet.foldedPanel->push();
  mouseAtCentre(*sheet.pressedButton, QEvent::MouseButtonPress, Qt::LeftButton);
  mouseAtCentre(*sheet.speedButton, QEvent::MouseMove, Qt::NoButton);
  ui::Application::processMessages();
  return sheet;
}

}  // namespace gallery
