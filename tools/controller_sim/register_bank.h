#pragma once
// The simulated controller's 256 holding registers and how it acts on
// writes: direct and group output switching, the clock, the factory reset.
#include <array>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace controller_sim {

class RegisterBank {
 public:
  static constexpr int kCount = 256;
  using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;
  using WallNow = std::function<std::time_t()>;

  // The clocks are seams for tests; by default the host's.
  explicit RegisterBank(SteadyNow steady_now = nullptr, WallNow wall_now = nullptr);

  // Value as a read request sees it; the clock registers 140-147 run.
  // reg must be 0..255.
  uint16_t read(int reg) const;
  // A block as one read request sees it: the clock fields from one instant.
  // The block must lie within 0..255.
  std::vector<uint16_t> read(int first, int count) const;

  // Stores a value as is, without any effect (test and command line set-up).
  void store(int reg, uint16_t value);

  // A write request's registers stored, then acted on in register order.
  // The block must lie within 0..255.
  void write(int first, std::span<const uint16_t> values);

  void restoreDefaults();

  // A bank with the defaults on the same clocks as this one.
  RegisterBank withDefaults() const { return RegisterBank(steady_now_, wall_now_); }

  // The clock as read: day of week 1 = Monday .. 7 = Sunday.
  struct ClockFields {
    int year, month, day, day_of_week, hour, minute, second;
  };

  static std::array<uint16_t, kCount> Defaults();

 private:
  struct ClockSetting {
    std::chrono::sys_seconds at;
    std::chrono::steady_clock::time_point set_when;
  };

  void actOnWrite(int reg, uint16_t value);
  void setOutput(int output, bool on);
  void switchLogicGroup(int device, bool on);
  void setClockFromRegisters();
  ClockFields clockNow() const;
  static uint16_t ClockField(const ClockFields &f, int reg);

  std::array<uint16_t, kCount> regs_{};
  std::optional<ClockSetting> clock_;
  SteadyNow steady_now_;
  WallNow wall_now_;
};

}  // namespace controller_sim
