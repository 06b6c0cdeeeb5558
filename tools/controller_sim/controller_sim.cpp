#include "controller_sim/controller_sim.h"

#include "controller_sim/serial_link.h"
#include "controller_sim/sim_core.h"
#include "controller_sim/udp_link.h"

namespace controller_sim {

ControllerSim::ControllerSim(uint8_t address) : core_(std::make_unique<SimCore>(address)) {}

ControllerSim::~ControllerSim() { stop(); }

uint16_t ControllerSim::startUdp(uint16_t port) {
  auto link = std::make_unique<UdpLink>(*core_, port);
  const uint16_t bound = link->port();
  link->start();
  std::lock_guard lock(links_mutex_);
  links_.push_back(std::move(link));
  return bound;
}

std::string ControllerSim::startPty(int baud) {
  std::unique_ptr<SerialLink> link = SerialLink::OpenPty(*core_, baud);
  std::string path = link->path();
  link->start();
  std::lock_guard lock(links_mutex_);
  links_.push_back(std::move(link));
  return path;
}

void ControllerSim::startSerial(const std::string &path, int baud) {
  std::unique_ptr<SerialLink> link = SerialLink::OpenDevice(*core_, path, baud);
  link->start();
  std::lock_guard lock(links_mutex_);
  links_.push_back(std::move(link));
}

void ControllerSim::setPace(bool on) { core_->setPace(on); }

uint16_t ControllerSim::reg(int n) const { return core_->reg(n); }
void ControllerSim::setReg(int n, uint16_t value) { core_->setReg(n, value); }

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
  {
    std::lock_guard lock(links_mutex_);
    links.swap(links_);
  }
  links.clear();  // each link stops and joins its thread as it goes
}

}  // namespace controller_sim
