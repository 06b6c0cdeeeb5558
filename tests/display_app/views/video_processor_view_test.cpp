// The video processor view against the real screen command library: the
// commands its construction and each of the operator's actions send, as
// they arrive at a loopback UDP peer, and what the view shows.
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <memory>

#include "display_app/model/globals.h"
#include "display_app/test_seams.h"
#include "display_app/views/main_window.h"
#include "display_app/views/my_control.h"
#include "display_app/views/video_processor_view.h"
#include "platform/ui/label.h"
#include "platform/ui/menu.h"
#include "quodel.h"
#include "skin_toolkit/controls/image_button.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "skin_toolkit/controls/kwo_combo_box.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/kwo_page_control.h"
#include "skin_toolkit/controls/kwo_panel.h"
#include "skin_toolkit/controls/kwo_radio_group.h"
#include "skin_toolkit/controls/kwo_track_bar.h"
#include "tests/support/com_link.h"
#include "tests/support/loopback_udp.h"
#include "tests/support/pty_pair.h"
#include "tests/support/screen_codec.h"
#include "tests/support/screen_peer.h"
#include "tests/support/test_link_services.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit {
namespace {

using testsupport::ScreenCodec;
using testsupport::ScreenFrameFields;
using testsupport::ScreenParam;
using Set = std::vector<std::pair<uint16_t, uint16_t>>;
using Ids = std::vector<uint16_t>;

class VideoProcessorViewTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    resetGlobalsForTests();
    peer = std::make_unique<testsupport::LoopbackUdp>();
    CommParm = {1, 0, "127.0.0.1", static_cast<uint16_t>(peer->port())};
    ASSERT_NE(Qd_OpenUdp(0), 0);
  }
  void TearDown() override {
    form.reset();
    Qd_CloseUdp();
    resetGlobalsForTests();
    UiTest::TearDown();
  }
  // Builds the view on a shown form and takes its construction request
  // (unless a peer is to answer it).
  void build(bool takeConstruction = true) {
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(50, 50, 600, 620);
    view = new TfrmVideoProcessor(form.get());
    view->setParentControl(form.get());
    if (takeConstruction) construction = nextRaw();
    view->setVisible(true);
    form->show();
    QApplication::setActiveWindow(form.get());
    testsupport::processEvents();
  }
  std::string nextRaw() {
    auto d = peer->receive(std::chrono::steady_clock::now() + std::chrono::seconds(3));
    return d ? d->bytes : std::string();
  }
  ScreenFrameFields next() {
    const std::string raw = nextRaw();
    auto f = ScreenCodec::decode(raw);
    EXPECT_TRUE(f.has_value()) << "no frame: " << ScreenCodec::hex(raw);
    return f.value_or(ScreenFrameFields{});
  }
  static Ids requested(const ScreenFrameFields &f) {
    Ids ids;
    for (const ScreenParam &p : f.params) ids.push_back(p.id);
    return ids;
  }
  static Set values(const ScreenFrameFields &f) {
    Set set;
    for (const ScreenParam &p : f.params) {
      const std::string &d = p.data.value_or(std::string());
      const uint16_t v = d.size() >= 2 ? static_cast<uint16_t>(static_cast<uint8_t>(d[0]) |
                                                                (static_cast<uint8_t>(d[1]) << 8))
                                       : 0xDEAD;
      set.emplace_back(p.id, v);
    }
    return set;
  }
  void expectSet(const Set &expect) {
    const ScreenFrameFields f = next();
    EXPECT_EQ(f.type, ScreenCodec::kSet);
    EXPECT_EQ(values(f), expect);
  }
  void expectRequest(const Ids &expect) {
    const ScreenFrameFields f = next();
    EXPECT_EQ(f.type, ScreenCodec::kRequest);
    EXPECT_EQ(requested(f), expect);
  }
  // Nothing else went out before: UDP keeps order, so the video standard's
  // Get comes next.
  void expectQuiet() {
    view->btnOutputVideoStandardGet->click();
    expectRequest({0x20});
  }
  QString fields(const TfrmVideoProcessor::ImageControls &image) const {
    return image.eX->text() + "/" + image.eY->text() + "/" + image.eWidth->text() + "/" + image.eHeight->text();
  }
  void drag(TMyControl *rect, QPoint from, QPoint delta) {
    QTest::mouseMove(rect, from);
    QTest::mousePress(rect, Qt::LeftButton, {}, from);
    QTest::mouseMove(rect, from + delta);
    QTest::mouseRelease(rect, Qt::LeftButton, {}, from + delta);
  }

  std::unique_ptr<testsupport::LoopbackUdp> peer;
  std::unique_ptr<ui::Form> form;
  TfrmVideoProcessor *view = nullptr;
  std::string construction;
};

TEST_F(VideoProcessorViewTest, ConstructionRequestsTheSeventeenIdsAndFillsTheFields) {
  build();
  EXPECT_EQ(ScreenCodec::hex(construction),
            "00 00 01 00 02 2D 00 00 00 11 00 20 00 0D 00 01 00 02 00 21 00 15 00 14 00 19 00 05 00 06 00 03 00 "
            "1B 00 1A 00 1F 00 07 00 08 00 04 00 B7");
  EXPECT_EQ(fields(view->image1), "128/128/1024/768");
  EXPECT_EQ(fields(view->image2), "512/512/1024/576");
  EXPECT_TRUE(view->MyCtrl1->selected());
  EXPECT_FALSE(view->MyCtrl2->selected());

  // Pages: the ones shown at construction are enabled, the others not
  // (their own state, which a page gets back when it is shown).
  struct Page {
    kwo::TkwoTabSheet *page;
    bool enabled;
  } pages[] = {{view->tsImage, true},       {view->tsPortA, true},  {view->image1.page, true},
               {view->tsOutput, false},     {view->tsInput, false}, {view->tsPortB, false},
               {view->image2.page, false}};
  for (const Page &p : pages) EXPECT_EQ(p.page->recordedEnabled(), p.enabled) << p.page->caption().toStdString();
  view->pcSettings->setActivePage(view->tsOutput);
  view->pcSettings->setActivePage(view->tsImage);
  EXPECT_TRUE(view->tsOutput->recordedEnabled());
  view->pcSettings->setActivePage(view->tsOutput);
  EXPECT_TRUE(view->tsOutput->isEnabled());
  view->pcSettings->setActivePage(view->tsImage);

  // Showing and resizing send nothing.
  form->setBounds(50, 50, 700, 700);
  testsupport::processEvents();
  expectQuiet();
}

TEST_F(VideoProcessorViewTest, TrackBarsStayTwentyOneHighAndBuildingThemSendsNothing) {
  build();
  int bars = 0;
  for (kwo::TkwoTrackBar *bar : view->findChildren<kwo::TkwoTrackBar *>()) {
    if (qobject_cast<kwo::TkwoScrollTrackBar *>(bar) != nullptr) continue;
    ++bars;
    EXPECT_EQ(bar->height(), 21) << bars;
  }
  EXPECT_EQ(bars, 17);
  // No OnChange ran while they were built: it would have sent a command.
  testsupport::processEvents();
  expectQuiet();
}

TEST_F(VideoProcessorViewTest, TheRequestGoesToTheSelectedScreen) {
  SelectedScreen = -1;
  build();
  const auto f = ScreenCodec::decode(construction);
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->address, 0xFFFF);
  EXPECT_EQ(requested(*f).size(), 17u);
  EXPECT_EQ(static_cast<uint8_t>(construction.back()), 0xB9);
}

TEST_F(VideoProcessorViewTest, OutputBarsShowFiveHundredTwelfthsAndSetTheirId) {
  build();
  view->pcSettings->setActivePage(view->tsOutput);
  kwo::TkwoTrackBar *gainR = view->gain.bars[0];
  gainR->setFocus();
  testsupport::pressKey(gainR, Qt::Key_End);
  EXPECT_EQ(view->gain.edits[0]->text(), "1.998");
  expectSet({{0x0D, 1023}});
  testsupport::pressKey(view->gain.bars[1], Qt::Key_Home);
  EXPECT_EQ(view->gain.edits[1]->text(), "-2.000");
  expectSet({{0x0B, 0xFC00}});
  view->offset.bars[2]->setPosition(32);
  EXPECT_EQ(view->offset.edits[2]->text(), "0.063");
  expectSet({{0x0F, 32}});

  for (auto *group : {&view->gain, &view->offset, &view->white}) {
    group->btnGet->click();
    expectRequest({0x0D});
  }
  view->image1.btnPropertiesGet->click();
  expectRequest({0x14, 0x19, 0x05, 0x06, 0x03});
  view->image2.btnPropertiesGet->click();
  expectRequest({0x1A, 0x1F, 0x07, 0x08, 0x04});

  // The user's choice of a video standard sets it; one made by code not.
  view->cbOutputVideoStandard->setItemIndex(2);
  QTest::keyClick(view->cbOutputVideoStandard->comboBox(), Qt::Key_Down);
  expectSet({{0x20, 3}});
  expectQuiet();
}

TEST_F(VideoProcessorViewTest, InputSourcesAndLivePortsSetWhatTheOperatorPicks) {
  build();
  view->pcSettings->setActivePage(view->tsInput);
  kwo::TkwoRadioGroup *group = view->rgInputSourceA;
  QTest::mouseClick(group->button(3), Qt::LeftButton, {}, QPoint(5, 5));
  expectSet({{0x01, 3}});
  testsupport::pressKey(QApplication::focusWidget(), Qt::Key_Down);
  testsupport::processEvents();
  expectSet({{0x01, 4}});
  view->btnInputGetA->click();
  expectRequest({0x01});

  view->pcSettings->setActivePage(view->tsImage);
  view->pcImage->setActivePage(view->image2.page);
  kwo::TkwoRadioButton *portB = view->image2.rbPortB;
  QTest::mouseClick(portB, Qt::LeftButton, {}, QPoint(5, 5));
  expectSet({{0x1A, 1}});
  EXPECT_EQ(view->MyCtrl2->portText(), "PortB");
  QTest::mouseClick(portB, Qt::LeftButton, {}, QPoint(5, 5));
  view->image2.btnSource->click();
  EXPECT_EQ(view->pcSettings->activePage(), view->tsInput);
  EXPECT_EQ(view->pcInput->activePage(), view->tsPortB);
  expectQuiet();
}

TEST_F(VideoProcessorViewTest, DimensionFieldsSendTheirNumbersOrDefaults) {
  build();
  struct Case {
    const char *width;
    uint16_t sent;
  } cases[] = {{"abc", 100}, {"-5", 0xFFFB}, {"70000", 4464}};
  for (const Case &c : cases) {
    view->image1.eWidth->setText(c.width);
    view->image1.btnDimensionsSet->click();
    expectSet({{0x17, 128}, {0x18, 128}, {0x15, c.sent}, {0x16, 768}});
  }
  view->image1.btnDimensionsGet->click();
  expectRequest({0x15});
  view->image2.btnDimensionsGet->click();
  expectRequest({0x1B});
}

TEST_F(VideoProcessorViewTest, AWorkspaceWithoutAreaLeavesTheFieldsAlone) {
  build();
  const int barHeight = view->pnlVideoWorkspace->barHeight();
  struct Case {
    const char *what;
    int width, height;  // of the workspace's panel
  } cases[] = {{"no width", 4, 150 + barHeight + 6}, {"no height", 206, 4}, {"neither", 0, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    view->pnlVideoWorkspace->setBounds(230, 40, c.width, c.height);
    const QRect client = view->pnlWorkSpace->clientRect();
    ASSERT_TRUE(client.width() <= 0 || client.height() <= 0);
    view->MyCtrl1->setImageX(50);
    view->MyCtrl1->OnDimensionsChange(view->MyCtrl1);
    EXPECT_EQ(fields(view->image1).toStdString(), "128/128/1024/768");
  }
  // With its area back the fields follow the rectangle again.
  view->pnlVideoWorkspace->setBounds(230, 40, 206, 150 + barHeight + 6);
  view->MyCtrl1->OnDimensionsChange(view->MyCtrl1);
  EXPECT_EQ(fields(view->image1).toStdString(), "400/128/1024/768");
}

TEST_F(VideoProcessorViewTest, DetailEnhancementBarsAreLabelledOnTheirLeft) {
  build();
  for (const TfrmVideoProcessor::ImageControls *image : {&view->image1, &view->image2}) {
    const struct {
      kwo::TkwoTrackBar *bar;
      const char *text;
    } bars[] = {{image->tbLevel, "Level"}, {image->tbThreshold, "Threshold"}};
    for (const auto &b : bars) {
      SCOPED_TRACE(b.text);
      ui::Label *found = nullptr;
      for (ui::Label *l : b.bar->parentWidget()->findChildren<ui::Label *>(Qt::FindDirectChildrenOnly)) {
        if (l->caption() == b.text) found = l;
      }
      ASSERT_NE(found, nullptr);
      EXPECT_LE(found->geometry().right(), b.bar->x());
      EXPECT_GE(found->y(), b.bar->y());
      EXPECT_LE(found->geometry().bottom(), b.bar->geometry().bottom());
    }
  }
}

TEST_F(VideoProcessorViewTest, RectanglesDraggedSendTheirScaledBounds) {
  build();
  TMyControl *r1 = view->MyCtrl1;
  TMyControl *r2 = view->MyCtrl2;
  // A click clear of the other rectangle sends the unchanged bounds.
  drag(r1, QPoint(10, 10), QPoint(0, 0));
  expectSet({{0x17, 128}, {0x18, 128}, {0x15, 1024}, {0x16, 768}});
  // Its top-left handle.
  drag(r1, QPoint(2, 2), QPoint(-8, -4));
  expectSet({{0x17, 64}, {0x18, 96}, {0x15, 1088}, {0x16, 800}});
  EXPECT_EQ(fields(view->image1), "64/96/1088/800");
  // The unselected second rectangle moves and shows its page.
  drag(r2, QPoint(100, 60), QPoint(10, 5));
  EXPECT_EQ(view->pcImage->activePage(), view->image2.page);
  EXPECT_TRUE(r2->selected());
  EXPECT_FALSE(r1->selected());
  expectSet({{0x1D, 592}, {0x1E, 552}, {0x1B, 1024}, {0x1C, 576}});
  expectQuiet();
}

TEST_F(VideoProcessorViewTest, TheMainWindowsViewRequestsAtStartAndOnEachLoadProject) {
  std::unique_ptr<TfrmMain> window = createMainWindow(testsupport::LocalLinkServices());
  ASSERT_NE(window, nullptr);
  ASSERT_NE(window->videoProcessorView(), nullptr);
  EXPECT_EQ(fields(window->videoProcessorView()->image1), "128/128/1024/768");
  EXPECT_EQ(fields(window->videoProcessorView()->image2), "512/512/1024/576");
  const std::string first = nextRaw();
  EXPECT_EQ(ScreenCodec::hex(first),
            "00 00 01 00 02 2D 00 00 00 11 00 20 00 0D 00 01 00 02 00 21 00 15 00 14 00 19 00 05 00 06 00 03 00 "
            "1B 00 1A 00 1F 00 07 00 08 00 04 00 B7");
  window->mnLoad->click();
  const std::string raw = nextRaw();
  const auto again = ScreenCodec::decode(raw);
  ASSERT_TRUE(again.has_value());
  // Load Project empties the screen list before it builds the views, so
  // the new view's request goes to screen -1.
  EXPECT_EQ(again->address, 0xFFFF);
  EXPECT_EQ(static_cast<uint8_t>(raw.back()), 0xB9);
  EXPECT_EQ(requested(*again), requested(*ScreenCodec::decode(first)));
  ASSERT_NE(window->videoProcessorView(), nullptr);
  EXPECT_EQ(fields(window->videoProcessorView()->image1), "128/128/1024/768");
  EXPECT_EQ(fields(window->videoProcessorView()->image2), "512/512/1024/576");
  window.reset();
}

// Polls the replies until some arrive; the number of parameters taken.
int32_t pollAck(uint32_t transport, uint32_t port) {
  uint8_t status = 2;
  int32_t count = 0;
  AckParam params[QD_ACK_MAX_PARAMS];
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (count == 0 && std::chrono::steady_clock::now() < deadline) {
    EXPECT_EQ(Qd_GetAck(transport, port, nullptr, 0, &status, &count, params), 0);
    if (count == 0) QTest::qWait(10);
  }
  EXPECT_EQ(status, 0);
  return count;
}

TEST_F(VideoProcessorViewTest, AScreenAnswersTheConstructionRequestIntoTheVariableBlock) {
  testsupport::ScreenPeer screen(*peer);
  screen.setWord(0x20, 5);
  build(false);
  ASSERT_TRUE(screen.serveOne(std::chrono::steady_clock::now() + std::chrono::seconds(3)).has_value());
  EXPECT_EQ(pollAck(QD_TRANSPORT_UDP, 0), 17);
  EXPECT_EQ(Qd_GetVarsPointer()->ProcessorWords[3], 5);
}

TEST_F(VideoProcessorViewTest, TheSameOverASerialLine) {
  testsupport::TempAppDir dir;
  testsupport::PtyPair pty;
  testsupport::ComLink com3(dir.path(), 3, pty.slavePath());
  // Keeps the line's slave end open between the library's uses of it.
  const int probe = ::open(pty.slavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(probe, 0);
  ASSERT_EQ(Qd_OpenComm(3, 9600), 3);
  CommParm = {0, 3, "", 0};
  testsupport::ScreenPeer screen(pty);
  screen.setWord(0x20, 6);
  build(false);
  const auto request = screen.serveOne(std::chrono::steady_clock::now() + std::chrono::seconds(3));
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->params.size(), 17u);
  EXPECT_EQ(pollAck(QD_TRANSPORT_SERIAL, 3), 17);
  EXPECT_EQ(Qd_GetVarsPointer()->ProcessorWords[3], 6);
  Qd_CloseComm(3);
  ::close(probe);
}

}  // namespace
}  // namespace morvit
