#include "tools/controller_sim/event_log.h"

namespace controller_sim {

std::string FormatEventLine(const SimEvent &event) {
  std::string line = event.kind;
  if (!event.reason.empty()) line += " " + event.reason;
  if (!event.text.empty()) line += " " + event.text;
  return line;
}

void EventLog::setSink(Sink sink) {
  std::lock_guard lock(mutex_);
  sink_ = std::move(sink);
}

void EventLog::add(SimEvent event) {
  std::lock_guard lock(mutex_);
  // The sink runs under the lock so that output lines keep the log's order.
  if (sink_) sink_(event);
  events_.push_back(std::move(event));
  changed_.notify_all();
}

std::vector<SimEvent> EventLog::events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

std::vector<std::string> EventLog::received() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> texts;
  for (const SimEvent &e : events_) {
    if (e.kind == "rx") texts.push_back(e.text);
  }
  return texts;
}

std::optional<SimEvent> EventLog::waitFor(std::string_view kind, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::unique_lock lock(mutex_);
  auto cursor = next_.find(kind);
  if (cursor == next_.end()) cursor = next_.emplace(std::string(kind), 0).first;
  const auto take = [&]() -> std::optional<SimEvent> {
    for (size_t i = cursor->second; i < events_.size(); ++i) {
      if (events_[i].kind != kind) continue;
      cursor->second = i + 1;
      return events_[i];
    }
    cursor->second = events_.size();
    return std::nullopt;
  };
  for (;;) {
    if (std::optional<SimEvent> event = take()) return event;
    if (changed_.wait_until(lock, deadline) == std::cv_status::timeout) return take();
  }
}

void EventLog::clear() {
  std::lock_guard lock(mutex_);
  events_.clear();
  // Waiters hold their cursor: reset the cursors, never remove them.
  for (auto &entry : next_) entry.second = 0;
}

}  // namespace controller_sim
