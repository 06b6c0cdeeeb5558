#include "controller_comm/command_queue.h"

#include <utility>

namespace tarnex {

uint64_t CommandQueue::append(std::string text, uint8_t address, uint8_t function) {
  const uint64_t id = ++lastId_;
  entries_.push_back(QueuedCommand{id, std::move(text), address, function});
  return id;
}

std::optional<QueuedCommand> CommandQueue::head() const {
  if (entries_.empty()) return std::nullopt;
  return entries_.front();
}

bool CommandQueue::removeHead(uint64_t id) {
  if (entries_.empty() || entries_.front().id != id) return false;
  entries_.pop_front();
  return true;
}

}  // namespace tarnex
