// Any bytes on a serial line or in a datagram, through the simulated
// controller's text assembly, request parsing, registers and every fault
// mode's reply.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/controller_sim/fault_mode.h"
#include "tools/controller_sim/sim_core.h"
#include "tools/controller_sim/text_assembler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  using namespace controller_sim;
  static const char *const kModes[] = {"none",    "wrong-address", "wrong-function", "bad-lrc",
                                       "split:1", "garbage",       "silent"};
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  SimCore core(1);
  core.setFault(*ParseFault(kModes[size % (sizeof kModes / sizeof kModes[0])]));

  // As one datagram.
  core.handleText(bytes);

  // As a serial stream.
  TextAssembler assembler;
  std::vector<std::string> texts;
  assembler.feed(bytes, texts);
  for (const std::string &text : texts) {
    const bool cut_short = !text.ends_with('\n') && text.size() >= TextAssembler::kMaxText;
    core.handleText(text, cut_short);
  }
  return 0;
}
