#include "tools/controller_sim/text_assembler.h"

namespace controller_sim {

void TextAssembler::feed(std::string_view bytes, std::vector<std::string> &out) {
  const auto hand_out = [&] {
    out.push_back(std::move(pending_));
    pending_.clear();
  };
  for (char c : bytes) {
    if (c == ':' && !pending_.empty()) hand_out();
    pending_.push_back(c);
    if (c == '\n' || pending_.size() >= kMaxText) hand_out();
  }
}

}  // namespace controller_sim
