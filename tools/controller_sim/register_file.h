#pragma once
// The simulator's register file: the registers of one or more controllers,
// each by its address, in plain text.
//
//   # a comment runs from '#' to the end of the line
//   address 1          the lines below set the controller at address 1
//   16 325             register 16 := 325
//   81 0x0001 0x0800   registers 81, 82 := 0x0001, 0x0800
//   32-41 1            registers 32 .. 41 := 1
//   address 2
//   17 80
//
// Every controller starts from the defaults; the lines change registers as
// stored values, without the effects a write request has. Numbers are
// decimal, or hexadecimal after 0x; addresses 0..255, registers 0..255,
// values 0..65535.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace controller_sim {

struct RegisterSetting {
  uint8_t address = 0;
  int reg = 0;
  uint16_t value = 0;
};

struct RegisterFile {
  std::vector<uint8_t> addresses;         // each once, in the order of the file
  std::vector<RegisterSetting> settings;  // in the order of the file
};

// A whole decimal number, or hexadecimal after 0x, within [lo, hi].
std::optional<long> ParseNumber(std::string_view text, long lo, long hi);

// The file's contents, or a message naming the line at fault.
std::variant<RegisterFile, std::string> ParseRegisterFile(std::string_view text);

// Reads and parses the file at path (at most 1 MiB).
std::variant<RegisterFile, std::string> ReadRegisterFile(const std::string &path);

}  // namespace controller_sim
