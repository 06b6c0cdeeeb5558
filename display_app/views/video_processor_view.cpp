#include "display_app/views/video_processor_view.h"

#include <QPointer>

#include "display_app/model/screen_commands.h"
#include "display_app/model/value_text.h"
#include "display_app/views/my_control.h"
#include "platform/number_text.h"
#include "platform/ui/color.h"
#include "platform/ui/label.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/controls/kwo_group_box.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/controls/kwo_panel.h"
#include "skin_toolkit/controls/kwo_radio_group.h"
#include "skin_toolkit/controls/kwo_track_bar.h"

namespace morvit {
namespace {

// The design size of the view's contents, centred in the frame.
constexpr int kMainWidth = 441;
constexpr int kMainHeight = 576;
// The processor's output picture the rectangles stand for.
constexpr int kPictureWidth = 1600;
constexpr int kPictureHeight = 1200;
// The workspace's client area before the rectangles exist.
constexpr int kWorkspaceWidth = 200;
constexpr int kWorkspaceHeight = 150;

const QStringList kVideoStandards = {"640*480",  "800*600",   "1024*576", "1024*768",
                                     "1280*720", "1280*1024", "1600*900", "1600*1200"};
const QStringList kInputSources = {"CVBS", "S-Video", "SDI", "YUV", "VGA", "DVI"};

template <typename T>
T *place(ui::Component *owner, ui::Control *parent, int x, int y, int w, int h) {
  auto *c = new T(owner);
  c->setParentControl(parent);
  c->setBounds(x, y, w, h);
  return c;
}

kwo::TImageButton *button(ui::Component *owner, ui::Control *parent, const QString &caption, int x, int y) {
  auto *b = place<kwo::TImageButton>(owner, parent, x, y, 48, 22);
  b->setCaption(caption);
  return b;
}

ui::Edit *edit(ui::Component *owner, ui::Control *parent, int x, int y, int w = 48) {
  auto *e = place<ui::Edit>(owner, parent, x, y, w, 21);
  e->setText(QStringLiteral("0"));
  return e;
}

void label(ui::Component *owner, ui::Control *parent, const QString &caption, int x, int y) {
  auto *l = place<ui::Label>(owner, parent, x, y, 60, 16);
  l->setTransparent(true);
  l->setCaption(caption);
}

kwo::TkwoTrackBar *trackBar(ui::Component *owner, ui::Control *parent, int min, int max, int frequency, int x, int y,
                            int w) {
  auto *t = place<kwo::TkwoTrackBar>(owner, parent, x, y, w, 21);
  t->setUIStyle(kwo::TkwoUIStyle::WinXP);
  t->setMin(min);
  t->setMax(max);
  t->setPageSize(16);
  t->setLineSize(1);
  t->setFrequency(frequency);
  return t;
}

kwo::TkwoTabSheet *sheet(ui::Component *owner, kwo::TkwoPageControl *pc, const QString &caption) {
  auto *s = new kwo::TkwoTabSheet(owner);
  s->setCaption(caption);
  s->setPageControl(pc);
  // Stored disabled; the first showing enables a page.
  s->setEnabled(false);
  return s;
}

}  // namespace

TfrmVideoProcessor::TfrmVideoProcessor(ui::Component *owner)
    : ClientAreaView(owner, staticMetaObject.className(), QStringLiteral("frmVideoProcessor"), false) {
  {
    ui::LoadingGuard loading(*this);
    pnlMain = place<ui::Panel>(this, this, 0, 0, kMainWidth, kMainHeight);
    pnlMain->setPlain();
    pcSettings = place<kwo::TkwoPageControl>(this, pnlMain, 0, 0, kMainWidth, kMainHeight);
    tsOutput = sheet(this, pcSettings, QStringLiteral("Output"));
    tsInput = sheet(this, pcSettings, QStringLiteral("Input"));
    tsImage = sheet(this, pcSettings, QStringLiteral("Image"));
    buildOutputPage();
    buildInputPage();
    buildImagePage();
  }
  bindHandlers();
  pcSettings->activatePageIndex(2);
  pcInput->activatePageIndex(0);
  MyCtrl1 = makeRectangle(platform::RGB(32, 128, 32), 16, 16, 128, 96, QStringLiteral("Image1"));
  MyCtrl1->setSelected(true);
  MyCtrlDimensionsChange(MyCtrl1);
  pcImage->setActivePage(image1.page);
  MyCtrl2 = makeRectangle(platform::RGB(32, 32, 128), 64, 64, 128, 72, QStringLiteral("Image2"));
  MyCtrlDimensionsChange(MyCtrl2);
  SendScreenRequest({spVideoStandard, spGainR, spInputSourceA, spInputSourceB, spOperatingMode, spWidth1,
                     spLivePort1, spDensity1, spDetailLevel1, spDetailThreshold1, spNoise1, spWidth2, spLivePort2,
                     spDensity2, spDetailLevel2, spDetailThreshold2, spNoise2});
}

TfrmVideoProcessor::~TfrmVideoProcessor() {
  beginDestroy();
  // The rectangles have no owner: they go with their panel, before the
  // handlers that point back here could run.
  delete MyCtrl1;
  delete MyCtrl2;
}

void TfrmVideoProcessor::buildOutputPage() {
  cbOutputVideoStandard = place<kwo::TkwoComboBox>(this, tsOutput, 120, 10, 120, 21);
  cbOutputVideoStandard->setStyle(kwo::TComboBoxStyle::csDropDownList);
  cbOutputVideoStandard->setItems(kVideoStandards);
  cbOutputVideoStandard->setItemIndex(7);
  label(this, tsOutput, QStringLiteral("Video Standard"), 10, 13);
  btnOutputVideoStandardGet = button(this, tsOutput, QStringLiteral("Get"), 250, 10);
  const QString captions[] = {QStringLiteral("Gain Adjust"), QStringLiteral("Offset Adjust"),
                              QStringLiteral("White Adjust")};
  OutputGroup *groups[] = {&gain, &offset, &white};
  const QString colours[] = {QStringLiteral("R"), QStringLiteral("G"), QStringLiteral("B")};
  for (int g = 0; g < 3; ++g) {
    OutputGroup &group = *groups[g];
    group.box = place<kwo::TkwoGroupBox>(this, tsOutput, 10, 45 + g * 125, 415, 115);
    group.box->setCaption(captions[g]);
    for (int c = 0; c < 3; ++c) {
      label(this, group.box, colours[c], 10, 22 + c * 28);
      group.bars[static_cast<size_t>(c)] = trackBar(this, group.box, -1024, 1023, 64, 30, 20 + c * 28, 260);
      group.edits[static_cast<size_t>(c)] = edit(this, group.box, 300, 20 + c * 28, 50);
    }
    group.btnGet = button(this, group.box, QStringLiteral("Get"), 360, 48);
  }
}

void TfrmVideoProcessor::buildInputPage() {
  pcInput = place<kwo::TkwoPageControl>(this, tsInput, 5, 5, 425, 300);
  tsPortA = sheet(this, pcInput, QStringLiteral("PortA"));
  tsPortB = sheet(this, pcInput, QStringLiteral("PortB"));
  kwo::TkwoTabSheet *pages[] = {tsPortA, tsPortB};
  kwo::TkwoRadioGroup **groups[] = {&rgInputSourceA, &rgInputSourceB};
  kwo::TImageButton **gets[] = {&btnInputGetA, &btnInputGetB};
  for (int i = 0; i < 2; ++i) {
    auto *panel = place<kwo::TkwoPanel>(this, pages[i], 10, 10, 400, 130);
    panel->setCaption(QStringLiteral("Input Source"));
    kwo::TkwoRadioGroup *group = place<kwo::TkwoRadioGroup>(this, panel, 5, 25, 300, 90);
    group->setColumns(3);
    group->setItems(kInputSources);
    group->setItemIndex(0);
    *groups[i] = group;
    *gets[i] = button(this, panel, QStringLiteral("Get"), 320, 60);
  }
}

void TfrmVideoProcessor::buildImagePage() {
  label(this, tsImage, QStringLiteral("Operating Mode"), 10, 13);
  cbOperatingMode = place<kwo::TkwoComboBox>(this, tsImage, 110, 10, 120, 21);
  cbOperatingMode->setStyle(kwo::TComboBoxStyle::csDropDownList);
  cbOperatingMode->setItems({QStringLiteral("Single Channel"), QStringLiteral("Dual Channel")});
  cbOperatingMode->setItemIndex(0);
  ImageButton3 = button(this, tsImage, QStringLiteral("Get"), 240, 10);
  pcImage = place<kwo::TkwoPageControl>(this, tsImage, 5, 40, 222, 500);
  image1.page = sheet(this, pcImage, QStringLiteral("Iamge1"));
  image2.page = sheet(this, pcImage, QStringLiteral("Image2"));
  buildImage(image1, 1);
  buildImage(image2, 2);
  // The workspace's panel leaves a 200 x 150 client area for the black
  // picture panel that the rectangles live on.
  pnlVideoWorkspace = new kwo::TkwoPanel(this);
  pnlVideoWorkspace->setParentControl(tsImage);
  pnlVideoWorkspace->setCaption(QStringLiteral("Video Workspace(1600*1200)"));
  pnlVideoWorkspace->setShowButton(false);
  const int barHeight = pnlVideoWorkspace->barHeight();
  pnlVideoWorkspace->setBounds(230, 40, kWorkspaceWidth + 6, kWorkspaceHeight + barHeight + 6);
  pnlWorkSpace = new kwo::TkwoImagePanel(this);
  pnlWorkSpace->setParentControl(pnlVideoWorkspace);
  pnlWorkSpace->setColor(platform::clBlack);
  pnlWorkSpace->setAlign(ui::Align::Client);
}

void TfrmVideoProcessor::buildImage(ImageControls &image, int) {
  ui::Control *page = image.page;
  image.pnlDimensions = place<kwo::TkwoPanel>(this, page, 3, 3, 210, 110);
  image.pnlDimensions->setCaption(QStringLiteral("Dimensions"));
  label(this, image.pnlDimensions, QStringLiteral("X"), 8, 28);
  image.eX = edit(this, image.pnlDimensions, 50, 25);
  label(this, image.pnlDimensions, QStringLiteral("Y"), 108, 28);
  image.eY = edit(this, image.pnlDimensions, 150, 25);
  label(this, image.pnlDimensions, QStringLiteral("Width"), 8, 53);
  image.eWidth = edit(this, image.pnlDimensions, 50, 50);
  label(this, image.pnlDimensions, QStringLiteral("Height"), 108, 53);
  image.eHeight = edit(this, image.pnlDimensions, 150, 50);
  image.btnDimensionsGet = button(this, image.pnlDimensions, QStringLiteral("Get"), 50, 80);
  image.btnDimensionsSet = button(this, image.pnlDimensions, QStringLiteral("Set"), 110, 80);

  image.pnlProperties = place<kwo::TkwoPanel>(this, page, 3, 118, 210, 350);
  image.pnlProperties->setCaption(QStringLiteral("Properties"));
  image.btnPropertiesGet = button(this, image.pnlProperties, QStringLiteral("Get"), 150, 24);
  image.gbLiveVideo = place<kwo::TkwoGroupBox>(this, image.pnlProperties, 5, 48, 200, 70);
  image.gbLiveVideo->setCaption(QStringLiteral("Live Video Source"));
  image.rbPortA = place<kwo::TkwoRadioButton>(this, image.gbLiveVideo, 10, 20, 60, 17);
  image.rbPortA->setCaption(QStringLiteral("PortA"));
  image.rbPortA->setChecked(true);
  image.rbPortB = place<kwo::TkwoRadioButton>(this, image.gbLiveVideo, 90, 20, 60, 17);
  image.rbPortB->setCaption(QStringLiteral("PortB"));
  image.btnSource = button(this, image.gbLiveVideo, QStringLiteral("Input Source Select"), 10, 42);
  image.btnSource->setWidth(130);

  auto *density = place<kwo::TkwoGroupBox>(this, image.pnlProperties, 5, 122, 200, 50);
  density->setCaption(QStringLiteral("Density"));
  image.tbDensity = trackBar(this, density, 0, 255, 16, 5, 20, 130);
  image.eDensity = edit(this, density, 145, 20, 45);
  auto *detail = place<kwo::TkwoGroupBox>(this, image.pnlProperties, 5, 176, 200, 80);
  detail->setCaption(QStringLiteral("Detail Enhancement"));
  label(this, detail, QStringLiteral("Level"), 5, 22);
  image.tbLevel = trackBar(this, detail, 0, 255, 16, 65, 20, 75);
  image.eLevel = edit(this, detail, 145, 20, 45);
  label(this, detail, QStringLiteral("Threshold"), 5, 50);
  image.tbThreshold = trackBar(this, detail, 0, 255, 16, 65, 48, 75);
  image.eThreshold = edit(this, detail, 145, 48, 45);
  auto *noise = place<kwo::TkwoGroupBox>(this, image.pnlProperties, 5, 260, 200, 50);
  noise->setCaption(QStringLiteral("Noise Reduction"));
  image.tbNoise = trackBar(this, noise, 0, 63, 16, 5, 20, 130);
  image.eNoise = edit(this, noise, 145, 20, 45);
}

void TfrmVideoProcessor::bindHandlers() {
  auto enableOnShow = [](kwo::TkwoTabSheet *page) {
    page->OnShow = [page](ui::Control *) { page->setEnabled(true); };
  };
  for (kwo::TkwoTabSheet *page : {tsOutput, tsInput, tsImage, tsPortA, tsPortB}) enableOnShow(page);
  // An image's page selects its rectangle (the rectangles may not exist
  // yet while the view is built).
  for (int i : {1, 2}) {
    imageOf(i).page->OnShow = [this, i](ui::Control *) {
      TMyControl *mine = i == 1 ? MyCtrl1 : MyCtrl2;
      TMyControl *other = i == 1 ? MyCtrl2 : MyCtrl1;
      if (mine != nullptr) mine->setSelected(true);
      if (other != nullptr) other->setSelected(false);
      imageOf(i).page->setEnabled(true);
    };
  }

  for (OutputGroup *group : {&gain, &offset, &white}) {
    for (kwo::TkwoTrackBar *bar : group->bars) bar->OnChange = [this, bar](ui::Control *) { tbOutputRGBChange(bar); };
    group->btnGet->OnClick = [](ui::Control *) { SendScreenRequest({spGainR}); };
  }
  cbOutputVideoStandard->OnChange = [this](ui::Control *) {
    SendScreenSet({{spVideoStandard, cbOutputVideoStandard->itemIndex()}});
  };
  btnOutputVideoStandardGet->OnClick = [](ui::Control *) { SendScreenRequest({spVideoStandard}); };
  rgInputSourceA->OnClick = [this](ui::Control *) { SendScreenSet({{spInputSourceA, rgInputSourceA->itemIndex()}}); };
  rgInputSourceB->OnClick = [this](ui::Control *) { SendScreenSet({{spInputSourceB, rgInputSourceB->itemIndex()}}); };
  btnInputGetA->OnClick = [](ui::Control *) { SendScreenRequest({spInputSourceA}); };
  btnInputGetB->OnClick = [](ui::Control *) { SendScreenRequest({spInputSourceB}); };
  cbOperatingMode->OnChange = [this](ui::Control *) {
    SendScreenSet({{spOperatingMode, cbOperatingMode->itemIndex()}});
  };
  ImageButton3->OnClick = [](ui::Control *) { SendScreenRequest({spOperatingMode}); };

  for (int i : {1, 2}) {
    ImageControls &image = imageOf(i);
    image.rbPortA->OnClick = [this, i](ui::Control *) { rbPortClick(i); };
    image.rbPortB->OnClick = [this, i](ui::Control *) { rbPortClick(i); };
    image.btnSource->OnClick = [this, i](ui::Control *) { btnSourceClick(imageOf(i)); };
    image.btnDimensionsSet->OnClick = [this, i](ui::Control *) { btnImageDimensionsSetClick(i); };
    const uint16_t widthId = i == 1 ? spWidth1 : spWidth2;
    image.btnDimensionsGet->OnClick = [widthId](ui::Control *) { SendScreenRequest({widthId}); };
    struct Bar {
      kwo::TkwoTrackBar *bar;
      ui::Edit *edit;
      uint16_t id;
    };
    const Bar bars[] = {{image.tbDensity, image.eDensity, i == 1 ? spDensity1 : spDensity2},
                        {image.tbLevel, image.eLevel, i == 1 ? spDetailLevel1 : spDetailLevel2},
                        {image.tbThreshold, image.eThreshold, i == 1 ? spDetailThreshold1 : spDetailThreshold2},
                        {image.tbNoise, image.eNoise, i == 1 ? spNoise1 : spNoise2}};
    for (const Bar &b : bars) {
      b.bar->OnChange = [b](ui::Control *) {
        b.edit->setText(QString::number(b.bar->position()));
        SendScreenSet({{b.id, b.bar->position()}});
      };
    }
  }
  image1.btnPropertiesGet->OnClick = [](ui::Control *) {
    SendScreenRequest({spLivePort1, spDensity1, spDetailLevel1, spDetailThreshold1, spNoise1});
  };
  image2.btnPropertiesGet->OnClick = [](ui::Control *) {
    SendScreenRequest({spLivePort2, spDensity2, spDetailLevel2, spDetailThreshold2, spNoise2});
  };
}

TMyControl *TfrmVideoProcessor::makeRectangle(platform::TColor color, int x, int y, int w, int h,
                                              const QString &caption) {
  auto *rect = new TMyControl(nullptr);
  rect->setParentControl(pnlWorkSpace);
  rect->setColor(color);
  rect->setImageX(x);
  rect->setImageY(y);
  rect->setImageWidth(w);
  rect->setImageHeight(h);
  rect->setCaption(caption);
  rect->setPortText(QStringLiteral("PortA"));
  rect->OnMouseDown = [this, rect](ui::Control *, ui::MouseButton, ui::ShiftState, int, int) {
    MyControlMouseDown(rect);
  };
  rect->OnDimensionsChange = [this, rect](ui::Control *) { MyCtrlDimensionsChange(rect); };
  rect->OnDragEnd = [this, rect](ui::Control *) { MyCtrlMouseUp(rect); };
  return rect;
}

void TfrmVideoProcessor::tbOutputRGBChange(kwo::TkwoTrackBar *bar) {
  struct Slot {
    OutputGroup *group;
    uint16_t ids[3];  // R, G, B
  };
  const Slot outputs[] = {{&gain, {spGainR, spGainG, spGainB}},
                        {&offset, {spOffsetR, spOffsetG, spOffsetB}},
                        {&white, {spWhiteR, spWhiteG, spWhiteB}}};
  for (const Slot &s : outputs) {
    for (size_t c = 0; c < 3; ++c) {
      if (s.group->bars[c] != bar) continue;
      s.group->edits[c]->setText(QString::fromStdString(formatFixed(bar->position() / 512.0, 3)));
      SendScreenSet({{s.ids[c], bar->position()}});
      return;
    }
  }
}

void TfrmVideoProcessor::rbPortClick(int index) {
  ImageControls &image = imageOf(index);
  const bool portA = image.rbPortA->checked();
  TMyControl *rect = index == 1 ? MyCtrl1 : MyCtrl2;
  if (rect != nullptr) rect->setPortText(portA ? QStringLiteral("PortA") : QStringLiteral("PortB"));
  SendScreenSet({{index == 1 ? spLivePort1 : spLivePort2, portA ? 0 : 1}});
}

void TfrmVideoProcessor::btnSourceClick(const ImageControls &image) {
  QPointer<TfrmVideoProcessor> self(this);
  pcSettings->setActivePage(tsInput);
  if (self.isNull()) return;
  pcInput->setActivePage(image.rbPortA->checked() ? tsPortA : tsPortB);
}

void TfrmVideoProcessor::btnImageDimensionsSetClick(int index) {
  const ImageControls &image = imageOf(index);
  auto field = [](const ui::Edit *e, int32_t def) {
    return platform::ParseIntegerOr(e->text().trimmed().toStdString(), def);
  };
  if (index == 1) {
    SendScreenSet({{spLeft1, field(image.eX, 0)},
                   {spTop1, field(image.eY, 0)},
                   {spWidth1, field(image.eWidth, 100)},
                   {spHeight1, field(image.eHeight, 75)}});
  } else {
    SendScreenSet({{spLeft2, field(image.eX, 0)},
                   {spTop2, field(image.eY, 0)},
                   {spWidth2, field(image.eWidth, 100)},
                   {spHeight2, field(image.eHeight, 75)}});
  }
}

void TfrmVideoProcessor::MyControlMouseDown(TMyControl *rect) {
  TMyControl *other = rect == MyCtrl1 ? MyCtrl2 : MyCtrl1;
  rect->setSelected(true);
  if (other != nullptr) other->setSelected(false);
  pcImage->setActivePage(rect == MyCtrl1 ? image1.page : image2.page);
}

void TfrmVideoProcessor::MyCtrlDimensionsChange(TMyControl *rect) {
  // Only while both exist and before the view goes: the rectangles are
  // built with their handlers bound.
  if (isDying()) return;
  const ImageControls &image = rect == MyCtrl1 ? image1 : image2;
  const QRect client = pnlWorkSpace->clientRect();
  const int w = client.width();
  const int h = client.height();
  // A workspace with no area yet has no scale: the fields keep their text.
  if (w <= 0 || h <= 0) return;
  auto put = [](ui::Edit *e, int32_t value) { e->setText(QString::number(value)); };
  put(image.eX, platform::MulDiv(rect->imageX(), kPictureWidth, w));
  put(image.eY, platform::MulDiv(rect->imageY(), kPictureHeight, h));
  put(image.eWidth, platform::MulDiv(rect->imageWidth(), kPictureWidth, w));
  put(image.eHeight, platform::MulDiv(rect->imageHeight(), kPictureHeight, h));
}

void TfrmVideoProcessor::MyCtrlMouseUp(TMyControl *rect) { btnImageDimensionsSetClick(rect == MyCtrl1 ? 1 : 2); }

void TfrmVideoProcessor::resized() {
  ClientAreaView::resized();
  FrameResize();
}

void TfrmVideoProcessor::FrameResize() {
  if (pnlMain == nullptr) return;
  const QRect client = clientRect();
  const int left = client.width() > pnlMain->width() ? (client.width() - pnlMain->width()) / 2 : 0;
  const int top = client.height() > pnlMain->height() ? (client.height() - pnlMain->height()) / 2 : 0;
  pnlMain->setBounds(left, top, pnlMain->width(), pnlMain->height());
}

}  // namespace morvit
