// controller-sim: a cabinet controller in software on UDP, a pty or a serial
// device, printing one line per event until interrupted.
#include <signal.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controller_sim/controller_sim.h"

namespace {

constexpr char kUsage[] =
    "用法: controller-sim [选项]\n"
    "  --udp PORT          在 127.0.0.1:PORT 上应答 (0 = 任一空闲端口)\n"
    "  --pty               创建伪终端并打印其从端路径\n"
    "  --link PATH         为伪终端建立符号链接 (例如 <目录>/COM3)\n"
    "  --serial PATH       打开串口设备 (8N1)\n"
    "  --baud N            串口波特率, 默认 9600\n"
    "  --pace              串口应答按波特率逐字符发出\n"
    "  --address N         控制器地址, 默认 1\n"
    "  --fault MODE        none, silent, late:MS, wrong-address, wrong-function,\n"
    "                      bad-lrc, split:MS, garbage, noise:MS\n"
    "  --set REG=VALUE     设置寄存器初值 (可重复)\n";

struct Options {
  std::optional<uint16_t> udp_port;
  bool pty = false;
  std::string link;
  std::string serial;
  int baud = 9600;
  bool pace = false;
  uint8_t address = 1;
  std::string fault;
  std::vector<std::pair<int, uint16_t>> sets;
};

// A whole decimal number, or hexadecimal after 0x, within [lo, hi].
std::optional<long> ParseNumber(std::string_view text, long lo, long hi) {
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    base = 16;
  }
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < lo || value > hi) {
    return std::nullopt;
  }
  return value;
}

[[noreturn]] void Fail(const std::string &message) {
  std::fprintf(stderr, "controller-sim: %s\n", message.c_str());
  std::exit(2);
}

Options ParseOptions(int argc, char **argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto value = [&]() -> std::string_view {
      if (i + 1 >= argc) Fail("选项 " + std::string(arg) + " 缺少参数");
      return argv[++i];
    };
    const auto number = [&](long lo, long hi) {
      const std::string_view text = value();
      const std::optional<long> n = ParseNumber(text, lo, hi);
      if (!n) Fail("选项 " + std::string(arg) + " 的参数无效: " + std::string(text));
      return *n;
    };
    if (arg == "--udp") {
      o.udp_port = static_cast<uint16_t>(number(0, 65535));
    } else if (arg == "--pty") {
      o.pty = true;
    } else if (arg == "--link") {
      o.link = value();
    } else if (arg == "--serial") {
      o.serial = value();
    } else if (arg == "--baud") {
      o.baud = static_cast<int>(number(1, 4000000));
    } else if (arg == "--pace") {
      o.pace = true;
    } else if (arg == "--address") {
      o.address = static_cast<uint8_t>(number(0, 255));
    } else if (arg == "--fault") {
      o.fault = value();
    } else if (arg == "--set") {
      const std::string_view text = value();
      const size_t eq = text.find('=');
      const std::optional<long> reg = ParseNumber(text.substr(0, eq), 0, 255);
      const std::optional<long> v =
          eq == std::string_view::npos ? std::nullopt : ParseNumber(text.substr(eq + 1), 0, 65535);
      if (!reg || !v) Fail("--set 需要 REG=VALUE (REG 0..255, VALUE 0..65535): " + std::string(text));
      o.sets.emplace_back(static_cast<int>(*reg), static_cast<uint16_t>(*v));
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else {
      std::fputs(kUsage, stderr);
      Fail("未知选项: " + std::string(arg));
    }
  }
  if (!o.udp_port && !o.pty && o.serial.empty()) {
    std::fputs(kUsage, stderr);
    Fail("至少需要 --udp、--pty 或 --serial 之一");
  }
  if (!o.link.empty() && !o.pty) Fail("--link 只能与 --pty 一起使用");
  return o;
}

void PrintLine(const std::string &line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// Points link at target, replacing an older symbolic link of that name.
void MakeLink(const std::filesystem::path &link, const std::string &target) {
  std::error_code ec;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec))) {
    std::filesystem::remove(link, ec);
  } else if (std::filesystem::exists(std::filesystem::symlink_status(link, ec))) {
    throw std::runtime_error("无法建立链接, 该路径已存在且不是符号链接: " + link.string());
  }
  std::filesystem::create_symlink(target, link, ec);
  if (ec) throw std::runtime_error("无法建立链接 " + link.string() + ": " + ec.message());
}

void RemoveLinkIfOurs(const std::filesystem::path &link, const std::string &target) {
  std::error_code ec;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec)) &&
      std::filesystem::read_symlink(link, ec) == target) {
    std::filesystem::remove(link, ec);
  }
}

}  // namespace

int main(int argc, char **argv) {
  const Options options = ParseOptions(argc, argv);

  // Threads started from here on leave these signals to sigwait below.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  controller_sim::ControllerSim sim(options.address);
  sim.setEventSink([](const controller_sim::SimEvent &event) { PrintLine(FormatEventLine(event)); });
  for (const auto &[reg, value] : options.sets) sim.setReg(reg, value);
  sim.setPace(options.pace);
  if (!options.fault.empty() && !sim.setFault(options.fault)) Fail("未知的故障模式: " + options.fault);

  std::string pty_path;
  try {
    if (options.udp_port) PrintLine("udp " + std::to_string(sim.startUdp(*options.udp_port)));
    if (options.pty) {
      pty_path = sim.startPty(options.baud);
      PrintLine("pty " + pty_path);
      if (!options.link.empty()) {
        MakeLink(options.link, pty_path);
        PrintLine("link " + options.link);
      }
    }
    if (!options.serial.empty()) {
      sim.startSerial(options.serial, options.baud);
      PrintLine("serial " + options.serial + " " + std::to_string(options.baud));
    }
  } catch (const std::exception &e) {
    sim.stop();
    Fail(e.what());
  }

  int sig = 0;
  sigwait(&signals, &sig);
  sim.stop();
  if (!options.link.empty()) RemoveLinkIfOurs(options.link, pty_path);
  return 0;
}
