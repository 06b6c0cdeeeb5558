#include "controller_comm/late_reply.h"

#include <algorithm>

#include "controller_comm/reply_wait.h"

namespace tarnex {

using transport::Clock;
using transport::WaitResult;

void LateReplyWatch::timedOut(const std::shared_ptr<transport::Link> &link) {
  if (!link) return;
  answered(*link);
  expected_.push_back({link, link.get(), Clock::now() + link->replyTiming().replyTime});
}

void LateReplyWatch::answered(const transport::Link &link) {
  // Links gone since are dropped as well: another link may take their address.
  std::erase_if(expected_, [&](const Expected &e) { return e.key == &link || e.link.expired(); });
}

void LateReplyWatch::awaitQuiet(transport::Link &link) {
  const auto found = std::find_if(expected_.begin(), expected_.end(),
                                  [&](const Expected &e) { return e.key == &link && !e.link.expired(); });
  if (found == expected_.end()) return;
  const transport::Deadline until = found->until;
  answered(link);
  ReplyAssembler assembler;
  const ReplyAssembler::OnText lateReplyCame = [](std::string_view) { return true; };
  while (Clock::now() < until) {
    if (link.waitReadable(until) != WaitResult::Readable) return;  // time is up, closed or hung up
    bool truncated = false;
    const int got = link.receive(assembler.space(), assembler.freeSpace(), &truncated);
    if (got < 0) return;
    if (truncated) {
      assembler.dropText();
    } else if (got > 0 && assembler.commit(static_cast<size_t>(got), lateReplyCame)) {
      return;
    }
  }
}

}  // namespace tarnex
