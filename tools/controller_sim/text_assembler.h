#pragma once
// Cuts the byte stream of a serial link into the texts a controller would
// look at: a text runs from ':' to LF. A ':' in the middle starts a new text
// and hands out what came before it; bytes beyond kMaxText are handed out too.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace controller_sim {

class TextAssembler {
 public:
  // Longer than any request (a write of 256 registers is 1045 characters).
  static constexpr size_t kMaxText = 1100;

  // Appends to out every piece finished by bytes: texts ending in LF, and
  // pieces cut short (which then fail to parse as requests).
  void feed(std::string_view bytes, std::vector<std::string> &out);
  bool idle() const { return pending_.empty(); }

 private:
  std::string pending_;
};

}  // namespace controller_sim
