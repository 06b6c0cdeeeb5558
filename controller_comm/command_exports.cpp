// The CMD_ exports: each builds one controller frame and queues it.
#include "export_guard.h"
#include "library_state.h"
#include "tarnex.h"

using tarnex::GuardExport;
using tarnex::LibraryState;

extern "C" {

int32_t CMD_Read(int32_t address, int32_t firstRegister, int32_t count) {
  return GuardExport<int32_t>(0, [&] { return LibraryState::instance().queueRead(address, firstRegister, count); });
}

int32_t CMD_Write(int32_t address, int32_t firstRegister, const uint16_t *values, int32_t count) {
  return GuardExport<int32_t>(
      0, [&] { return LibraryState::instance().queueWrite(address, firstRegister, values, count); });
}

}  // extern "C"
