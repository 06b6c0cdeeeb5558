#pragma once
// The command queue: frame texts waiting to be sent, first in, first out.
// Each entry carries the address and function of its own frame, so whoever
// sends it can check the reply against it, and an id, so a sender that took
// the head earlier removes that entry and never a newer one. Not thread-safe
// by itself: the library state guards it.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace tarnex {

struct QueuedCommand {
  uint64_t id = 0;
  std::string text;
  uint8_t address = 0;
  uint8_t function = 0;
};

class CommandQueue {
 public:
  // Appends at the tail; returns the new entry's id (ids start at 1 and are
  // never reused, also across clear()).
  uint64_t append(std::string text, uint8_t address, uint8_t function);

  // A copy of the head, or nullopt when the queue is empty.
  std::optional<QueuedCommand> head() const;

  // Removes the head when its id is `id`; false (nothing removed) otherwise.
  bool removeHead(uint64_t id);

  // Every entry, head first.
  const std::deque<QueuedCommand> &entries() const { return entries_; }

  size_t count() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  void clear() { entries_.clear(); }

 private:
  std::deque<QueuedCommand> entries_;
  uint64_t lastId_ = 0;
};

}  // namespace tarnex
