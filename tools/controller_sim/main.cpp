// controller-sim: cabinet controllers in software on UDP, a pty or a serial
// device, printing one line per event until interrupted, and taking commands
// on its standard input.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/controller_sim/controller_sim.h"
#include "tools/controller_sim/register_file.h"

namespace {

using controller_sim::ParseNumber;

constexpr char kUsage[] =
    "用法: controller-sim [选项]\n"
    "  --udp PORT           在 127.0.0.1:PORT 上应答 (0 = 任一空闲端口, 打印 \"udp 端口\")\n"
    "  --pty                创建原始模式伪终端并打印 \"pty 从端路径\"\n"
    "  --link PATH          为伪终端从端建立符号链接 (例如 <目录>/COM3), 退出时删除\n"
    "  --serial PATH        打开串口设备 (8N1)\n"
    "  --baud N             串口波特率, 默认 9600\n"
    "  --pace               串口应答按波特率逐字符发出\n"
    "  --address N          控制器地址, 默认 1 (有 --registers 时为文件中的第一个地址)\n"
    "  --registers FILE     从寄存器文件载入各地址的控制器 (格式见下)\n"
    "  --set [ADDR:]REG=VALUE  设置寄存器初值 (可重复; 不写 ADDR 为 --address 的控制器)\n"
    "  --fault MODE         none, silent, late:MS, wrong-address, wrong-function,\n"
    "                       bad-lrc, split:MS, garbage, noise:MS, short\n"
    "                       (short: 读 n 个寄存器只应答 max(1, n-1) 个)\n"
    "  --log FILE           将每个事件连同 CLOCK_MONOTONIC 时间 (秒) 写入 FILE\n"
    "\n"
    "输出: 每个事件一行: rx 请求, tx 应答, drop 原因 文本, fault 模式, error 信息.\n"
    "\n"
    "运行中从标准输入读取命令, 每行一条:\n"
    "  set [ADDR:]REG=VALUE   设置寄存器 (不触发写入动作), 打印 \"set ADDR:REG=VALUE\"\n"
    "  get [ADDR:]REG         打印 \"reg ADDR:REG=VALUE\"\n"
    "  fault MODE             改变故障模式: fault silent 不再应答, fault none 恢复应答,\n"
    "                         fault late:MS 延迟 MS 毫秒应答\n"
    "标准输入结束后照常运行, 直到收到 SIGINT 或 SIGTERM.\n"
    "\n"
    "寄存器文件 (纯文本, '#' 至行尾为注释):\n"
    "  address N            以下各行属于地址为 N 的控制器 (从默认值开始)\n"
    "  REG VALUE [VALUE..]  寄存器 REG 起依次设为各值\n"
    "  FIRST-LAST VALUE     寄存器 FIRST..LAST 都设为 VALUE\n"
    "  数字为十进制或 0x 开头的十六进制; 寄存器 0..255, 值 0..65535.\n";

struct RegisterRef {
  std::optional<uint8_t> address;
  int reg = 0;
};

struct Options {
  std::optional<uint16_t> udp_port;
  bool pty = false;
  std::string link;
  std::string serial;
  int baud = 9600;
  bool pace = false;
  std::optional<uint8_t> address;
  std::string registers;
  std::string fault;
  std::string log;
  std::vector<std::pair<RegisterRef, uint16_t>> sets;
};

// "[ADDR:]REG".
std::optional<RegisterRef> ParseRegisterRef(std::string_view text) {
  RegisterRef ref;
  if (const size_t colon = text.find(':'); colon != std::string_view::npos) {
    const std::optional<long> address = ParseNumber(text.substr(0, colon), 0, 255);
    if (!address) return std::nullopt;
    ref.address = static_cast<uint8_t>(*address);
    text.remove_prefix(colon + 1);
  }
  const std::optional<long> reg = ParseNumber(text, 0, 255);
  if (!reg) return std::nullopt;
  ref.reg = static_cast<int>(*reg);
  return ref;
}

// "[ADDR:]REG=VALUE".
std::optional<std::pair<RegisterRef, uint16_t>> ParseAssignment(std::string_view text) {
  const size_t eq = text.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const std::optional<RegisterRef> ref = ParseRegisterRef(text.substr(0, eq));
  const std::optional<long> value = ParseNumber(text.substr(eq + 1), 0, 65535);
  if (!ref || !value) return std::nullopt;
  return std::make_pair(*ref, static_cast<uint16_t>(*value));
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
    } else if (arg == "--registers") {
      o.registers = value();
    } else if (arg == "--fault") {
      o.fault = value();
    } else if (arg == "--log") {
      o.log = value();
    } else if (arg == "--set") {
      const std::string_view text = value();
      const auto assignment = ParseAssignment(text);
      if (!assignment) {
        Fail("--set 需要 [ADDR:]REG=VALUE (ADDR 0..255, REG 0..255, VALUE 0..65535): " + std::string(text));
      }
      o.sets.push_back(*assignment);
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

// Standard output, and the log file with CLOCK_MONOTONIC times (the steady
// clock on Linux), one flushed line per event or command.
class Output {
 public:
  explicit Output(const std::string &log_path) {
    if (log_path.empty()) return;
    log_ = std::fopen(log_path.c_str(), "we");
    if (!log_) Fail("无法写入日志文件 " + log_path + ": " + std::strerror(errno));
  }
  ~Output() {
    if (log_) std::fclose(log_);
  }
  Output(const Output &) = delete;
  Output &operator=(const Output &) = delete;

  void line(const std::string &text, std::chrono::steady_clock::time_point at = std::chrono::steady_clock::now()) {
    std::lock_guard lock(mutex_);
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    if (!log_) return;
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch()).count();
    std::fprintf(log_, "%lld.%06lld %s\n", static_cast<long long>(us / 1000000),
                 static_cast<long long>(us % 1000000), text.c_str());
    std::fflush(log_);
  }

 private:
  std::mutex mutex_;
  std::FILE *log_ = nullptr;
};

std::string RefText(uint8_t address, int reg) { return std::to_string(address) + ":" + std::to_string(reg); }

// One command line from standard input.
void RunCommand(std::string_view line, controller_sim::ControllerSim &sim, uint8_t primary, Output &out) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  const size_t space = line.find(' ');
  const std::string_view verb = line.substr(0, space);
  std::string_view arg = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
  while (arg.starts_with(' ')) arg.remove_prefix(1);
  while (arg.ends_with(' ')) arg.remove_suffix(1);
  try {
    if (verb.empty()) return;
    if (verb == "set") {
      const auto assignment = ParseAssignment(arg);
      if (!assignment) throw std::invalid_argument("set 需要 [ADDR:]REG=VALUE: " + std::string(arg));
      const uint8_t address = assignment->first.address.value_or(primary);
      sim.setReg(address, assignment->first.reg, assignment->second);
      out.line("set " + RefText(address, assignment->first.reg) + "=" + std::to_string(assignment->second));
    } else if (verb == "get") {
      const std::optional<RegisterRef> ref = ParseRegisterRef(arg);
      if (!ref) throw std::invalid_argument("get 需要 [ADDR:]REG: " + std::string(arg));
      const uint8_t address = ref->address.value_or(primary);
      const uint16_t value = sim.reg(address, ref->reg);
      out.line("reg " + RefText(address, ref->reg) + "=" + std::to_string(value));
    } else if (verb == "fault") {
      if (!sim.setFault(arg)) throw std::invalid_argument("未知的故障模式: " + std::string(arg));
    } else {
      throw std::invalid_argument("未知命令: " + std::string(line));
    }
  } catch (const std::exception &e) {
    out.line(std::string("error ") + e.what());
  }
}

// Waits for SIGINT, SIGTERM or SIGHUP (blocked in every thread), running the
// commands that come on standard input meanwhile.
void ServeUntilSignalled(const sigset_t &signals, controller_sim::ControllerSim &sim, uint8_t primary,
                         Output &out) {
  constexpr size_t kMaxCommand = 4096;
  const int sfd = signalfd(-1, &signals, SFD_CLOEXEC);
  if (sfd < 0) {
    int sig = 0;
    sigwait(&signals, &sig);
    return;
  }
  int in = STDIN_FILENO;
  std::string pending;
  bool overlong = false;
  for (;;) {
    pollfd fds[2] = {{sfd, POLLIN, 0}, {in, POLLIN, 0}};
    if (poll(fds, in >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[0].revents & POLLIN) break;
    if (in < 0 || !(fds[1].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL))) continue;
    char buffer[1024];
    const ssize_t n = (fds[1].revents & POLLNVAL) ? -1 : read(in, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) {
      in = -1;  // no more commands; keep answering until signalled
      continue;
    }
    pending.append(buffer, static_cast<size_t>(n));
    for (size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
      if (overlong) {
        overlong = false;  // the rest of a line already refused
      } else if (nl > kMaxCommand) {
        out.line("error 命令过长");
      } else {
        RunCommand(std::string_view(pending).substr(0, nl), sim, primary, out);
      }
      pending.erase(0, nl + 1);
    }
    if (pending.size() > kMaxCommand) {
      if (!overlong) out.line("error 命令过长");
      overlong = true;
      pending.clear();
    }
  }
  close(sfd);
}

}  // namespace

int main(int argc, char **argv) {
  const Options options = ParseOptions(argc, argv);

  // Threads started from here on leave these signals to the main thread.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);
  // Read in the background from a terminal, standard input then fails
  // rather than stopping the simulator.
  signal(SIGTTIN, SIG_IGN);

  std::optional<controller_sim::RegisterFile> file;
  if (!options.registers.empty()) {
    auto read = controller_sim::ReadRegisterFile(options.registers);
    if (const std::string *error = std::get_if<std::string>(&read)) Fail(*error);
    file = std::move(std::get<controller_sim::RegisterFile>(read));
  }
  uint8_t primary = 1;
  if (options.address) {
    primary = *options.address;
  } else if (file && !file->addresses.empty()) {
    primary = file->addresses.front();
  }

  Output out(options.log);
  controller_sim::ControllerSim sim(primary);
  sim.setEventSink([&out](const controller_sim::SimEvent &event) { out.line(FormatEventLine(event), event.at); });
  if (file) sim.loadRegisters(*file);
  for (const auto &[ref, value] : options.sets) {
    const uint8_t address = ref.address.value_or(primary);
    try {
      sim.setReg(address, ref.reg, value);
    } catch (const std::out_of_range &e) {
      Fail(std::string("--set: ") + e.what());
    }
  }
  sim.setPace(options.pace);
  if (!options.fault.empty() && !sim.setFault(options.fault)) Fail("未知的故障模式: " + options.fault);

  try {
    if (options.udp_port) out.line("udp " + std::to_string(sim.startUdp(*options.udp_port)));
    if (options.pty) {
      const std::string pty = options.link.empty() ? sim.startPty(options.baud)
                                                   : sim.startPty(options.link, options.baud);
      out.line("pty " + pty);
      if (!options.link.empty()) out.line("link " + options.link);
    }
    if (!options.serial.empty()) {
      sim.startSerial(options.serial, options.baud);
      out.line("serial " + options.serial + " " + std::to_string(options.baud));
    }
  } catch (const std::exception &e) {
    sim.stop();
    Fail(e.what());
  }

  ServeUntilSignalled(signals, sim, primary, out);
  sim.stop();  // also removes the pty link
  return 0;
}
