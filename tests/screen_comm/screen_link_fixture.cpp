#include "tests/screen_comm/screen_link_fixture.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <thread>

#include "tests/support/screen_codec.h"

using testsupport::ScreenCodec;

namespace screentest {

ScreenLink::ScreenLink(Via via) : via_(via) {
  if (via_ == Via::Serial) {
    dir_ = std::make_unique<testsupport::TempDir>();
    override_ = std::make_unique<testsupport::ExecutableDirOverride>(dir_->path());
    pty_ = std::make_unique<testsupport::PtyPair>();
    com_ = std::make_unique<testsupport::ComLink>(dir_->path(), kComPort, pty_->slavePath());
    inputProbe_ = ::open(pty_->slavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    EXPECT_GE(inputProbe_, 0);
    EXPECT_EQ(Qd_OpenComm(kComPort, kBaud), kComPort);
  } else {
    udp_ = std::make_unique<testsupport::LoopbackUdp>();
    libraryPort_ = Qd_OpenUdp(0);
    EXPECT_NE(libraryPort_, 0);
  }
}

ScreenLink::~ScreenLink() {
  if (via_ == Via::Serial) {
    Qd_CloseComm(kComPort);
    if (inputProbe_ >= 0) ::close(inputProbe_);
  } else {
    Qd_CloseUdp();
  }
}

int32_t ScreenLink::send() {
  if (via_ == Via::Serial) return Qd_SendCmd(QD_TRANSPORT_SERIAL, kComPort, nullptr, 0);
  return Qd_SendCmd(QD_TRANSPORT_UDP, 0, "127.0.0.1", static_cast<uint32_t>(udp_->port()));
}

std::optional<std::string> ScreenLink::nextFrame(Clock::time_point deadline) {
  if (via_ == Via::Udp) {
    std::optional<testsupport::LoopbackUdp::Datagram> datagram = udp_->receive(deadline);
    if (!datagram) return std::nullopt;
    EXPECT_EQ(datagram->port, libraryPort_);
    return datagram->bytes;
  }
  const std::string line = pty_->readUntil("\r\n", deadline);
  if (line.empty()) return std::nullopt;
  std::optional<std::string> frame = ScreenCodec::unline(line);
  if (!frame) {
    ADD_FAILURE() << "not a frame line: " << line;
    return std::nullopt;
  }
  EXPECT_EQ(line, ScreenCodec::line(*frame)) << "lower-case hex expected";
  return frame;
}

void ScreenLink::expectNothingSent() {
  Qd_MakeCmdHeader(0x4D4D, 1, ScreenCodec::kRequest, 0);
  Qd_AddRequestParm(0x7E7E);
  ASSERT_EQ(send(), 0);
  const std::optional<std::string> frame = nextFrame(Soon());
  ASSERT_TRUE(frame);
  const auto fields = ScreenCodec::decode(*frame);
  ASSERT_TRUE(fields);
  EXPECT_EQ(fields->address, 0x4D4D) << "another frame went out first: " << Hex(*frame);
}

int ScreenLink::waitingInput() const {
  int waiting = 0;
  if (::ioctl(inputProbe_, FIONREAD, &waiting) != 0) return -1;
  return waiting;
}

void ScreenLink::deliver(std::string_view bytes) {
  if (via_ == Via::Udp) {
    ASSERT_TRUE(udp_->sendTo(libraryPort_, bytes));
    return;
  }
  const int before = waitingInput();
  ASSERT_TRUE(pty_->write(bytes));
  // The pty passes bytes on asynchronously: wait until the port holds them
  // (a line discipline holds at most 4095).
  const size_t expected = std::min<size_t>(static_cast<size_t>(before) + bytes.size(), 4095);
  const auto deadline = Soon();
  while (static_cast<size_t>(waitingInput()) < expected && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void ScreenLink::deliverFrame(std::string_view frame) {
  deliver(via_ == Via::Serial ? ScreenCodec::line(frame) : std::string(frame));
}

AckCall ScreenLink::getAck() {
  AckCall call;
  std::vector<AckParam> params(QD_ACK_MAX_PARAMS + 8, AckParam{0xEEEE, 0xEEEE, 0xEE, 0xEE, 0xEEEE});
  const uint32_t transport = via_ == Via::Serial ? QD_TRANSPORT_SERIAL : QD_TRANSPORT_UDP;
  call.result = Qd_GetAck(transport, kComPort, "127.0.0.1", 0, &call.status, &call.count,
                          params.data());
  for (size_t i = QD_ACK_MAX_PARAMS; i < params.size(); ++i)
    EXPECT_EQ(params[i].id, 0xEEEE) << "an entry past the limit was written";
  if (call.count > 0 && call.count <= QD_ACK_MAX_PARAMS)
    call.params.assign(params.begin(), params.begin() + call.count);
  return call;
}

AckCall ScreenLink::pollAck(Clock::time_point deadline) {
  for (;;) {
    AckCall call = getAck();
    if (call.result != 0 || call.status == 0 || Clock::now() >= deadline) return call;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

std::string ViaName(const testing::TestParamInfo<Via> &info) {
  return info.param == Via::Serial ? "Serial" : "Udp";
}

std::string Hex(std::string_view bytes) { return ScreenCodec::hex(bytes); }

}  // namespace screentest
