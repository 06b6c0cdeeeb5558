#include "tests/support/screen_peer.h"

#include "tests/support/loopback_udp.h"
#include "tests/support/pty_pair.h"

namespace testsupport {

uint16_t ScreenPeer::word(uint16_t id) const {
  const auto found = words_.find(id);
  return found == words_.end() ? 0 : found->second;
}

std::optional<ScreenFrameFields> ScreenPeer::serveOne(Deadline deadline) {
  std::string frame;
  int replyPort = 0;
  if (udp_ != nullptr) {
    std::optional<LoopbackUdp::Datagram> datagram = udp_->receive(deadline);
    if (!datagram) return std::nullopt;
    frame = std::move(datagram->bytes);
    replyPort = datagram->port;
  } else {
    const std::string text = pty_->readUntil("\r\n", deadline);
    if (text.empty()) return std::nullopt;
    std::optional<std::string> bytes = ScreenCodec::unline(text);
    if (!bytes) {
      rejected_.push_back(text);
      return std::nullopt;
    }
    frame = std::move(*bytes);
  }
  std::optional<ScreenFrameFields> command = ScreenCodec::decode(frame);
  if (!command) {
    rejected_.push_back(frame);
    return std::nullopt;
  }
  commands_.push_back(*command);
  if (command->type == ScreenCodec::kRequest) {
    ScreenFrameFields reply{command->address, 1, ScreenCodec::kSet, command->index, {}};
    for (const ScreenParam &p : command->params)
      reply.params.push_back({p.id, ScreenCodec::word(word(p.id))});
    const std::string bytes = ScreenCodec::encode(reply);
    if (udp_ != nullptr) {
      udp_->sendTo(replyPort, bytes);
    } else {
      pty_->write(ScreenCodec::line(bytes));
    }
  }
  return command;
}

}  // namespace testsupport
