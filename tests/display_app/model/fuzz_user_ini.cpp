// The display program's reading of "User.ini": any bytes load into bounded
// controller, status item, device and output lists, never more than the
// tables hold.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "display_app/model/plc_config.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// One file for the whole run, rewritten for each input.
const std::string &InputPath() {
  static const std::string path = [] {
    char name[] = "/tmp/fuzz_user_ini_XXXXXX";
    const int fd = mkstemp(name);
    check(fd >= 0);
    close(fd);
    std::atexit([] { unlink(InputPath().c_str()); });
    return std::string(name);
  }();
  return path;
}

void WriteInput(const uint8_t *data, size_t size) {
  FILE *file = std::fopen(InputPath().c_str(), "wb");
  check(file != nullptr);
  check(size == 0 || std::fwrite(data, 1, size, file) == size);
  check(std::fclose(file) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  WriteInput(data, size);
  const std::string &path = InputPath();
  auto config = morvit::loadControllers(path);
  check(config.ok());
  const auto &controllers = config.value().Controllers;
  const auto &items = config.value().Items;
  check(controllers.size() <= static_cast<size_t>(morvit::kMaxControllers));
  check(items.size() == controllers.size());
  for (const auto &list : items) check(list.size() <= static_cast<size_t>(morvit::kMaxStatusItems));

  // The devices of the first controllers, and of positions no controller has.
  for (int32_t n : {-1, 0, 1, 2, 0xFFFF, 0x10000}) {
    auto devices = morvit::loadDevices(path, n);
    check(devices.ok());
    check(devices.value().size() <= static_cast<size_t>(morvit::kMaxCount));
    if (n < 0 || n > 0xFFFF) check(devices.value().empty());
    for (const morvit::TDevParm &device : devices.value()) {
      check(device.PlcId == static_cast<uint16_t>(n));
      check(device.PositionInFile >= 0 && device.PositionInFile < morvit::kMaxCount);
      check(device.Outputs.size() <= static_cast<size_t>(morvit::kMaxCount));
      for (const morvit::TDoParm &output : device.Outputs) check(output.DeviceId == device.Id && output.State == 0);
    }
  }
  return 0;
}
