#pragma once
// What the simulated controller did, in order: rx, tx, drop, fault and
// error events, kept for tests and passed on as output lines.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace controller_sim {

struct SimEvent {
  std::string kind;    // "rx", "tx", "drop", "fault", "error"
  std::string reason;  // drop: why (lrc, address, malformed, ...)
  std::string text;    // the text received or sent, escaped; fault: the mode
  std::chrono::steady_clock::time_point at;  // tx: when the last byte went out
};

// "rx :010300000040BC", "drop lrc :0103...", "fault late:500".
std::string FormatEventLine(const SimEvent &event);

class EventLog {
 public:
  using Sink = std::function<void(const SimEvent &)>;

  // Called for every event, in order, from the thread that records it.
  void setSink(Sink sink);

  void add(SimEvent event);

  std::vector<SimEvent> events() const;
  std::vector<std::string> received() const;  // texts of the rx events

  // The oldest event of this kind that no earlier call returned, waiting up
  // to timeout for one to come; nothing on time-out.
  std::optional<SimEvent> waitFor(std::string_view kind, std::chrono::milliseconds timeout);

  // Forgets every event so far.
  void clear();

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<SimEvent> events_;
  std::map<std::string, size_t, std::less<>> next_;  // per kind: first index not yet returned
  Sink sink_;
};

}  // namespace controller_sim
