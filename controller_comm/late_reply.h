#pragma once
// Late replies after a time-out.
//
// A read reply names no first register, so a reply that comes after its
// request timed out would answer the next request of the same size on that
// link. After a request on a link went unanswered, the next send on that
// link therefore first waits until the late reply can no longer come (one
// reply time after the time-out), dropping what arrives; a complete reply
// text ends that wait early. A send that follows a reply is not delayed.
#include <memory>
#include <vector>

#include "transport/link.h"

namespace tarnex {

class LateReplyWatch {
 public:
  // A request on link timed out now: its reply may still come for one reply
  // time.
  void timedOut(const std::shared_ptr<transport::Link> &link);
  // A request on link was answered: nothing late is expected.
  void answered(const transport::Link &link);
  // Before a request goes out on link: waits out a late reply expected
  // there, dropping what arrives until a whole reply text came, the link
  // closed or hung up, or the reply can no longer come.
  void awaitQuiet(transport::Link &link);

 private:
  struct Expected {
    std::weak_ptr<transport::Link> link;
    const transport::Link *key;
    transport::Deadline until;
  };
  std::vector<Expected> expected_;
};

}  // namespace tarnex
