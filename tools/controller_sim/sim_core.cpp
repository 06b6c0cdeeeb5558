#include "tools/controller_sim/sim_core.h"

#include <stdexcept>
#include <utility>

namespace controller_sim {
namespace {

constexpr int kMaxReadCount = 127;  // the byte count of a read reply is one byte

std::string WithoutLineEnd(std::string_view text) {
  if (text.ends_with("\r\n")) text.remove_suffix(2);
  return EscapeForLog(text);
}

void CheckRegister(int n) {
  if (n < 0 || n >= RegisterBank::kCount) throw std::out_of_range("寄存器号超出 0..255: " + std::to_string(n));
}

}  // namespace

std::vector<uint8_t> AnswerRequest(const Request &request, RegisterBank &bank) {
  const int first = request.first;
  const int count = request.count;
  const bool read = request.function == kFunctionRead;
  if (count == 0 || (read && count > kMaxReadCount) || first + count > RegisterBank::kCount) {
    return ExceptionReplyBody(request.address, request.function, kExceptionIllegalAddress);
  }
  if (read) return ReadReplyBody(request.address, bank.read(first, count));
  bank.write(first, request.values);
  return WriteReplyBody(request.address, request.first, request.count);
}

SimCore::SimCore(uint8_t address, RegisterBank bank) : address_(address), rng_(std::random_device{}()) {
  banks_.emplace(address, std::move(bank));
}

void SimCore::addController(uint8_t address) {
  std::lock_guard lock(mutex_);
  if (banks_.contains(address)) return;
  banks_.emplace(address, banks_.at(address_).withDefaults());
}

bool SimCore::hasController(uint8_t address) const {
  std::lock_guard lock(mutex_);
  return banks_.contains(address);
}

std::vector<uint8_t> SimCore::addresses() const {
  std::lock_guard lock(mutex_);
  std::vector<uint8_t> list;
  for (const auto &entry : banks_) list.push_back(entry.first);
  return list;
}

const RegisterBank &SimCore::bankAt(uint8_t address) const {
  const auto it = banks_.find(address);
  if (it == banks_.end()) throw std::out_of_range("没有地址为 " + std::to_string(address) + " 的控制器");
  return it->second;
}

RegisterBank &SimCore::bankAt(uint8_t address) {
  return const_cast<RegisterBank &>(std::as_const(*this).bankAt(address));
}

std::optional<ReplyPlan> SimCore::handleText(std::string_view text, bool cut_short) {
  const auto now = std::chrono::steady_clock::now();
  std::unique_lock lock(mutex_);
  std::variant<Request, DropReason> parsed =
      cut_short ? std::variant<Request, DropReason>(DropReason::TooLong)
                : ParseRequestFor(text, [this](uint8_t a) { return banks_.contains(a); });
  if (const DropReason *reason = std::get_if<DropReason>(&parsed)) {
    lock.unlock();
    log_.add({"drop", DropReasonName(*reason), WithoutLineEnd(text), now});
    return std::nullopt;
  }
  const Request &request = std::get<Request>(parsed);
  const ReplyPlan plan = PlanReply(fault_, request, AnswerRequest(request, banks_.at(request.address)), rng_);
  lock.unlock();
  // Logged once the registers have acted, so a test that saw the rx line
  // reads their new values.
  log_.add({"rx", "", WithoutLineEnd(text), now});
  return plan;
}

void SimCore::noteReplySent(const ReplyPlan &plan, std::chrono::steady_clock::time_point at) {
  {
    std::lock_guard lock(mutex_);
    last_reply_ = at;
  }
  log_.add({"tx", "", plan.shown, at});
}

void SimCore::noteError(std::string message) {
  log_.add({"error", "", std::move(message), std::chrono::steady_clock::now()});
}

uint16_t SimCore::reg(int n) const { return reg(address_, n); }

void SimCore::setReg(int n, uint16_t value) { setReg(address_, n, value); }

uint16_t SimCore::reg(uint8_t address, int n) const {
  CheckRegister(n);
  std::lock_guard lock(mutex_);
  return bankAt(address).read(n);
}

void SimCore::setReg(uint8_t address, int n, uint16_t value) {
  CheckRegister(n);
  std::lock_guard lock(mutex_);
  bankAt(address).store(n, value);
}

void SimCore::setFault(const Fault &fault) {
  {
    std::lock_guard lock(mutex_);
    fault_ = fault;
  }
  log_.add({"fault", "", FaultName(fault), std::chrono::steady_clock::now()});
}

Fault SimCore::fault() const {
  std::lock_guard lock(mutex_);
  return fault_;
}

void SimCore::setPace(bool on) {
  std::lock_guard lock(mutex_);
  pace_ = on;
}

bool SimCore::pace() const {
  std::lock_guard lock(mutex_);
  return pace_;
}

std::chrono::steady_clock::time_point SimCore::lastReplySentAt() const {
  std::lock_guard lock(mutex_);
  return last_reply_;
}

}  // namespace controller_sim
