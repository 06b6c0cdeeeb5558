// The line cutter and the per-call limits, without a link.
#include "screen_comm/ack_receiver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quodel_vars.h"
#include "screen_comm/screen_vars.h"
#include "tests/support/screen_codec.h"

using quodel::AckCollector;
using quodel::LineCutter;
using testsupport::ScreenCodec;

namespace {

size_t Feed(LineCutter &cutter, const std::string &bytes) {
  return cutter.append(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
}

std::string Line(uint16_t id) {
  return ScreenCodec::line(ScreenCodec::encode(
      {0, 0, ScreenCodec::kSet, 0, {{id, ScreenCodec::dword(1)}}}));
}

class Receiver : public testing::Test {
 protected:
  QdScreenVars vars{};
  std::vector<quodel::TextBuffer> texts{quodel::kTextFieldCount};
  quodel::ScreenVarsStore store{vars, texts.data()};
  AckParam params[QD_ACK_MAX_PARAMS];
  uint8_t status = 0;
  int32_t count = 0;
};

TEST_F(Receiver, AFullBufferWithoutALineIsEmptied) {
  LineCutter cutter;
  EXPECT_EQ(Feed(cutter, ":" + std::string(5000, '0')), LineCutter::kCapacity)
      << "a read takes at most the free space";
  EXPECT_FALSE(cutter.nextLine());
  EXPECT_EQ(cutter.count(), 0u);
  Feed(cutter, Line(2));
  EXPECT_TRUE(cutter.nextLine());
}

TEST_F(Receiver, AnUnfinishedLineWaitsWithoutItsNoise) {
  LineCutter cutter;
  Feed(cutter, "noise:0000");
  EXPECT_FALSE(cutter.nextLine());
  EXPECT_EQ(cutter.count(), 5u) << "the noise went, the line waits";
  Feed(cutter, "noise");
  EXPECT_FALSE(cutter.nextLine());
  Feed(cutter, "\r\n");
  const auto line = cutter.nextLine();
  ASSERT_TRUE(line);
  EXPECT_EQ(*line, ":0000noise\r\n");
}

TEST_F(Receiver, OneCallTakesAtMost256Frames) {
  LineCutter cutter;
  std::string lines;
  for (int i = 0; i < 300; ++i) lines += ":\r\n";
  Feed(cutter, lines + Line(0x0002));
  {
    AckCollector collector(store, &status, &count, params);
    EXPECT_EQ(quodel::CollectLines(cutter, collector), 0);
    EXPECT_TRUE(collector.full());
    EXPECT_EQ(count, 0);
  }
  AckCollector collector(store, &status, &count, params);
  EXPECT_EQ(quodel::CollectLines(cutter, collector), 0);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(vars.group0.id0002, 1);
  EXPECT_EQ(cutter.count(), 0u);
}

TEST_F(Receiver, DatagramsMustArriveWhole) {
  const std::string frame =
      ScreenCodec::encode({0, 0, ScreenCodec::kSet, 0, {{0x0002, ScreenCodec::dword(5)}}});
  const auto *bytes = reinterpret_cast<const uint8_t *>(frame.data());
  AckCollector collector(store, &status, &count, params);
  EXPECT_EQ(collector.offerDatagram(bytes, frame.size(), frame.size() + 1),
            AckCollector::Outcome::Bad)
      << "cut short";
  EXPECT_EQ(collector.offerDatagram(bytes, frame.size(), frame.size()),
            AckCollector::Outcome::Taken);
  EXPECT_EQ(vars.group0.id0002, 5);
}

}  // namespace
