#pragma once
// What an operator's command gave, and what an input dialog asks for.
#include <string>

namespace morvit {

struct CommandResult {
  enum class Status {
    Nothing,  // not applicable now (no device selected, an echo of a decode)
    Done,     // the command was queued and sent, or the file written
    Refused,  // message says why; nothing was queued or written
    Failed,   // message says why (a file that could not be written)
  };
  Status status = Status::Nothing;
  std::string message;
};

// What an input dialog shows: its label and the preset text.
struct InputRequest {
  std::string label;
  std::string preset;
};

}  // namespace morvit
