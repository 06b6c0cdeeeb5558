// A whole exchange with a screen controller: a 17-id request goes out, the
// peer answers with its words, and the reply lands in the processor words.
#include <gtest/gtest.h>

#include <vector>

#include "quodel.h"
#include "tests/screen_comm/screen_link_fixture.h"
#include "tests/support/screen_peer.h"

using screentest::ScreenLink;
using screentest::Soon;
using screentest::Via;
using testsupport::ScreenPeer;

namespace {

class PeerExchange : public testing::TestWithParam<Via> {};

TEST_P(PeerExchange, RequestIsAnsweredIntoTheProcessorWords) {
  ScreenLink link(GetParam());
  std::unique_ptr<ScreenPeer> peer = GetParam() == Via::Serial
                                         ? std::make_unique<ScreenPeer>(*link.pty())
                                         : std::make_unique<ScreenPeer>(*link.peer());
  const std::vector<uint16_t> ids = {0x20, 0x0D, 0x01, 0x02, 0x21, 0x15, 0x14, 0x19, 0x05,
                                     0x06, 0x03, 0x1B, 0x1A, 0x1F, 0x07, 0x08, 0x04};
  for (uint16_t id : ids) peer->setWord(id, static_cast<uint16_t>(0x100 + id));

  Qd_MakeCmdHeader(0, 1, 0x200, 0);
  for (uint16_t id : ids) ASSERT_EQ(Qd_AddRequestParm(id), 0);
  ASSERT_EQ(link.send(), 0);
  const auto command = peer->serveOne(Soon());
  ASSERT_TRUE(command) << "the peer took the request";
  EXPECT_EQ(command->params.size(), ids.size());

  const screentest::AckCall call = link.pollAck(Soon());
  EXPECT_EQ(call.result, 0);
  EXPECT_EQ(call.status, 0);
  ASSERT_EQ(call.count, 17);
  for (size_t i = 0; i < ids.size(); ++i) {
    EXPECT_EQ(call.params[i].id, ids[i]);
    EXPECT_EQ(call.params[i].command, 1);
  }
  const QdScreenVars &vars = *Qd_GetVarsPointer();
  EXPECT_EQ(vars.ProcessorWords[3], peer->word(0x20));
  EXPECT_EQ(vars.ProcessorWords[0], 0x121);
  EXPECT_EQ(vars.ProcessorWords[6], 0x10D);
  EXPECT_EQ(vars.ProcessorWords[32], 0x11F);

  // A set command is recorded and not answered.
  Qd_MakeCmdHeader(0, 1, 0x300, 0);
  Qd_AddSetParmWord(0x20, 3);
  ASSERT_EQ(link.send(), 0);
  ASSERT_TRUE(peer->serveOne(Soon()));
  ASSERT_EQ(peer->commands().size(), 2u);
  EXPECT_EQ(peer->commands()[1].params.at(0).data, std::string("\x03\x00", 2));
  EXPECT_EQ(link.getAck().count, 0);
}

INSTANTIATE_TEST_SUITE_P(Links, PeerExchange, testing::Values(Via::Serial, Via::Udp),
                         screentest::ViaName);

}  // namespace
