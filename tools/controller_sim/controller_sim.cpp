#include "tools/controller_sim/controller_sim.h"

#include <filesystem>
#include <stdexcept>

#include "tools/controller_sim/serial_sim_link.h"
#include "tools/controller_sim/sim_core.h"
#include "tools/controller_sim/udp_sim_link.h"

namespace controller_sim {
namespace {

namespace fs = std::filesystem;

// Points link at target, replacing an older symbolic link of that name.
void MakeLink(const fs::path &link, const std::string &target) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(link, ec);
  if (fs::is_symlink(status)) {
    fs::remove(link, ec);
  } else if (fs::exists(status)) {
    throw std::runtime_error("无法建立链接, 该路径已存在且不是符号链接: " + link.string());
  }
  fs::create_symlink(target, link, ec);
  if (ec) throw std::runtime_error("无法建立链接 " + link.string() + ": " + ec.message());
}

void RemoveLinkIfOurs(const fs::path &link, const std::string &target) {
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(link, ec)) && fs::read_symlink(link, ec) == target) {
    fs::remove(link, ec);
  }
}

}  // namespace

ControllerSim::ControllerSim(uint8_t address) : core_(std::make_unique<SimCore>(address)) {}

ControllerSim::~ControllerSim() { stop(); }

uint16_t ControllerSim::startUdp(uint16_t port) {
  auto link = std::make_unique<UdpSimLink>(*core_, port);
  const uint16_t bound = link->port();
  link->start();
  std::lock_guard lock(links_mutex_);
  links_.push_back(std::move(link));
  return bound;
}

std::string ControllerSim::startPty(int baud) {
  std::unique_ptr<SerialSimLink> link = SerialSimLink::OpenPty(*core_, baud);
  std::string path = link->path();
  link->start();
  std::lock_guard lock(links_mutex_);
  links_.push_back(std::move(link));
  return path;
}

std::string ControllerSim::startPty(const std::string &link_path, int baud) {
  std::unique_ptr<SerialSimLink> link = SerialSimLink::OpenPty(*core_, baud);
  std::string path = link->path();
  MakeLink(link_path, path);
  link->start();
  std::lock_guard lock(links_mutex_);
  links_.push_back(std::move(link));
  pty_links_.emplace_back(link_path, path);
  return path;
}

void ControllerSim::startSerial(const std::string &path, int baud) {
  std::unique_ptr<SerialSimLink> link = SerialSimLink::OpenDevice(*core_, path, baud);
  link->start();
  std::lock_guard lock(links_mutex_);
  links_.push_back(std::move(link));
}

void ControllerSim::setPace(bool on) { core_->setPace(on); }

void ControllerSim::addController(uint8_t address) { core_->addController(address); }
std::vector<uint8_t> ControllerSim::addresses() const { return core_->addresses(); }

uint16_t ControllerSim::reg(int n) const { return core_->reg(n); }
void ControllerSim::setReg(int n, uint16_t value) { core_->setReg(n, value); }
uint16_t ControllerSim::reg(uint8_t address, int n) const { return core_->reg(address, n); }
void ControllerSim::setReg(uint8_t address, int n, uint16_t value) { core_->setReg(address, n, value); }

void ControllerSim::loadRegisters(const RegisterFile &file) {
  for (uint8_t address : file.addresses) core_->addController(address);
  for (const RegisterSetting &s : file.settings) core_->setReg(s.address, s.reg, s.value);
}

void ControllerSim::loadRegisterFile(const std::string &path) {
  std::variant<RegisterFile, std::string> file = ReadRegisterFile(path);
  if (const std::string *error = std::get_if<std::string>(&file)) throw std::runtime_error(*error);
  loadRegisters(std::get<RegisterFile>(file));
}

void ControllerSim::setFault(const Fault &fault) { core_->setFault(fault); }

bool ControllerSim::setFault(std::string_view mode) {
  const std::optional<Fault> fault = ParseFault(mode);
  if (!fault) return false;
  core_->setFault(*fault);
  return true;
}

Fault ControllerSim::fault() const { return core_->fault(); }

std::vector<std::string> ControllerSim::received() const { return core_->log().received(); }
std::vector<SimEvent> ControllerSim::events() const { return core_->log().events(); }

std::optional<SimEvent> ControllerSim::waitForEvent(std::string_view kind, std::chrono::milliseconds timeout) {
  return core_->log().waitFor(kind, timeout);
}

void ControllerSim::clearEvents() { core_->log().clear(); }

std::chrono::steady_clock::time_point ControllerSim::lastReplySentAt() const {
  return core_->lastReplySentAt();
}

void ControllerSim::setEventSink(std::function<void(const SimEvent &)> sink) {
  core_->log().setSink(std::move(sink));
}

void ControllerSim::stop() {
  std::vector<std::unique_ptr<SimLink>> links;
  std::vector<std::pair<std::string, std::string>> pty_links;
  {
    std::lock_guard lock(links_mutex_);
    links.swap(links_);
    pty_links.swap(pty_links_);
  }
  links.clear();  // each link stops and joins its thread as it goes
  for (const auto &[link, target] : pty_links) RemoveLinkIfOurs(link, target);
}

}  // namespace controller_sim
