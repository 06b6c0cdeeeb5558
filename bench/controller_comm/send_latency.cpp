// tarnex-send-latency: how long a send takes from PLC_Send to the completion
// notice, against the controller simulator in this process.
//
//   t0  PLC_Send accepted the send
//   tr  the simulator sent the last byte of its reply
//   tn  the notice handler was entered (a ThreadReceiver as the window)
//
// Scenarios: UDP loopback and a paced pty at 9600 baud, each with a 64-register
// read and a one-register write; then silent controllers, for the process CPU
// time one time-out costs. For comparison the same exchanges run through a
// baseline: a small copy of a wait that polls in fixed passes (10 ms passes on
// UDP; 100 ms passes with 20 ms between reads on serial), written here and
// nowhere else. The floor of the UDP figures: the same request and reply
// between a plain blocking UDP socket and the same simulator, with no library
// in between; the library's median and p99 are given as multiples of it.
// The UDP read and its floor run again with every CPU busy (one spinning
// thread per CPU, started by the benchmark itself). System calls per send
// are counted per thread through the kernel's system call trace point
// (where the kernel lets the process count it). Last, the parts of a send on their own,
// to show where the time over the floor goes: waking a parked thread
// against starting one, the frame log write, the drain of an empty link
// (the hand-over to the window thread is tn - tr above).
//
//   tarnex-send-latency [--quick]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <linux/perf_event.h>
#include <sys/syscall.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "controller_comm/ascii_frame.h"
#include "platform/file_io.h"
#include "tarnex.h"
#include "tests/support/com_link.h"
#include "tests/support/temp_dir.h"
#include "tests/support/thread_receiver.h"
#include "tools/controller_sim/controller_sim.h"
#include "transport/serial_port.h"
#include "transport/udp_link.h"

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;
using namespace std::chrono_literals;

constexpr int kComPort = 3;

// The notice window: the handler's entry time and the notice's words.
class Window {
 public:
  Window()
      : receiver_([this](const platform::WindowMessage &m) {
          const Clock::time_point entered = Clock::now();
          std::lock_guard lock(mutex_);
          entered_ = entered;
          wParam_ = m.wParam;
          arrived_ = true;
          changed_.notify_all();
          return LRESULT{0};
        }) {}

  HWND handle() const { return receiver_.handle(); }

  void reset() {
    std::lock_guard lock(mutex_);
    arrived_ = false;
  }

  // The entry time and the result, or nothing after 10 s.
  std::optional<std::pair<Clock::time_point, int>> wait() {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, 10s, [this] { return arrived_; })) return std::nullopt;
    return std::make_pair(entered_, static_cast<int>(wParam_ >> 16));
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool arrived_ = false;
  Clock::time_point entered_;
  WPARAM wParam_ = 0;
  platform::ThreadReceiver receiver_;
};

struct Sample {
  double notice;  // tn - t0
  double reply;   // tn - tr
};

struct Figures {
  double median, p90, p99, max;
};

Figures FiguresOf(std::vector<double> v) {
  if (v.empty()) return {0, 0, 0, 0};
  std::sort(v.begin(), v.end());
  const auto at = [&](double q) { return v[std::min(v.size() - 1, static_cast<size_t>(q * (v.size() - 1) + 0.5))]; };
  return {at(0.5), at(0.9), at(0.99), v.back()};
}

Figures NoticeFigures(const std::vector<Sample> &samples) {
  std::vector<double> notice;
  for (const Sample &s : samples) notice.push_back(s.notice);
  return FiguresOf(notice);
}

void Report(const std::string &what, const std::vector<Sample> &samples, int failures) {
  std::vector<double> notice, reply;
  for (const Sample &s : samples) {
    notice.push_back(s.notice);
    reply.push_back(s.reply);
  }
  const Figures n = FiguresOf(notice);
  const Figures r = FiguresOf(reply);
  std::printf("%-44s n=%4zu  tn-tr med %7.3f p90 %7.3f p99 %7.3f max %7.3f | tn-t0 med %8.3f p90 %8.3f p99 %8.3f max %8.3f ms",
              what.c_str(), samples.size(), r.median, r.p90, r.p99, r.max, n.median, n.p90, n.p99, n.max);
  if (failures > 0) std::printf("  (%d exchanges failed)", failures);
  std::printf("\n");
  std::fflush(stdout);
}

// The reply's last byte as the simulator recorded it: waits briefly for the
// simulator's thread to note it after the library has already seen it.
Clock::time_point ReplySent(controller_sim::ControllerSim &sim, Clock::time_point after) {
  const Clock::time_point guard = Clock::now() + 1s;
  Clock::time_point tr = sim.lastReplySentAt();
  while (tr <= after && Clock::now() < guard) {
    std::this_thread::sleep_for(50us);
    tr = sim.lastReplySentAt();
  }
  return tr;
}

// Exchanges through the library: build, send (as soon as the previous send
// let go), wait for the notice.
std::vector<Sample> RunLibrary(controller_sim::ControllerSim &sim, Window &window, int32_t slot, uint16_t port,
                               const std::function<void()> &build, int count, int *failures) {
  std::vector<Sample> samples;
  for (int i = 0; i < count; ++i) {
    build();
    window.reset();
    Clock::time_point t0;
    int32_t job = 1;
    const Clock::time_point guard = Clock::now() + 10s;
    while (job == 1 && Clock::now() < guard) {
      t0 = Clock::now();
      job = PLC_Send(slot, "127.0.0.1", port);
      if (job == 1) std::this_thread::yield();
    }
    const auto notice = job >= 2 ? window.wait() : std::nullopt;
    if (!notice || notice->second != PlcResultDone) {
      ++*failures;
      continue;
    }
    const Clock::time_point tr = ReplySent(sim, t0);
    samples.push_back({Ms(notice->first - t0).count(), Ms(notice->first - tr).count()});
  }
  return samples;
}

// The baseline: the fixed-pass wait.
bool ParsesAs(const char *text, size_t length, const std::string &frame) {
  PlcReply reply{};
  if (tarnex::ParseReply(text, static_cast<uint16_t>(length), reply) != 1) return false;
  return reply.address == 1 && reply.function == static_cast<uint8_t>(frame[4] == '3' ? 3 : 16);
}

std::optional<Clock::time_point> PassLoopUdp(transport::CUdpLink &link, const std::string &frame, uint16_t port) {
  char buffer[1024];
  link.SendTo(frame.data(), frame.size(), port, "127.0.0.1");
  for (int pass = 0; pass < 100; ++pass) {
    std::this_thread::sleep_for(10ms);
    size_t length = 0;
    for (;;) {
      const int got = link.ReceiveFrom(buffer + length, sizeof buffer - length, nullptr, nullptr, nullptr);
      if (got <= 0) break;
      length += static_cast<size_t>(got);
      if (ParsesAs(buffer, length, frame)) return Clock::now();
    }
  }
  return std::nullopt;
}

std::optional<Clock::time_point> PassLoopSerial(transport::SerialPort &port, const std::string &frame) {
  char buffer[1024];
  port.write(frame.data(), frame.size());
  for (int pass = 0; pass < 20; ++pass) {
    std::this_thread::sleep_for(100ms);
    size_t length = 0;
    for (;;) {
      const int got = port.read(buffer + length, sizeof buffer - length);
      if (got <= 0) break;
      length += static_cast<size_t>(got);
      if (ParsesAs(buffer, length, frame)) return Clock::now();
      std::this_thread::sleep_for(20ms);
    }
  }
  return std::nullopt;
}

std::vector<Sample> RunBaseline(controller_sim::ControllerSim &sim, const std::string &frame, int count,
                                const std::function<std::optional<Clock::time_point>()> &exchange,
                                int *failures) {
  std::vector<Sample> samples;
  for (int i = 0; i < count; ++i) {
    const Clock::time_point t0 = Clock::now();
    const std::optional<Clock::time_point> tn = exchange();
    if (!tn) {
      ++*failures;
      continue;
    }
    const Clock::time_point tr = ReplySent(sim, t0);
    samples.push_back({Ms(*tn - t0).count(), Ms(*tn - tr).count()});
  }
  (void)frame;
  return samples;
}

// The floor: a plain blocking socket on 127.0.0.1 sends the request and
// reads until the reply's CR LF; nothing else runs between the two.
class PlainSocket {
 public:
  PlainSocket() : fd_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd_ >= 0) ::bind(fd_, reinterpret_cast<const sockaddr *>(&local), sizeof local);
    const timeval limit{1, 0};
    if (fd_ >= 0) ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  }
  ~PlainSocket() {
    if (fd_ >= 0) ::close(fd_);
  }
  PlainSocket(const PlainSocket &) = delete;
  PlainSocket &operator=(const PlainSocket &) = delete;

  // The time the reply's last datagram arrived, or nothing within 1 s.
  std::optional<Clock::time_point> exchange(const std::string &frame, uint16_t port) {
    sockaddr_in sim{};
    sim.sin_family = AF_INET;
    sim.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sim.sin_port = htons(port);
    if (::sendto(fd_, frame.data(), frame.size(), 0, reinterpret_cast<const sockaddr *>(&sim), sizeof sim) < 0)
      return std::nullopt;
    std::string got;
    char buffer[1024];
    while (got.size() < 2 || got.compare(got.size() - 2, 2, "\r\n") != 0) {
      const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
      if (n <= 0) return std::nullopt;
      got.append(buffer, static_cast<size_t>(n));
    }
    return Clock::now();
  }

 private:
  int fd_;
};

void ReportRatio(const std::string &what, const Figures &library, const Figures &floor, double medianTarget,
                 double p99Target) {
  std::printf("%-44s median %.3f / %.3f ms = %.2f x floor (target <= %g); p99 %.3f / %.3f ms = %.2f x floor",
              what.c_str(), library.median, floor.median, library.median / floor.median, medianTarget, library.p99,
              floor.p99, library.p99 / floor.p99);
  if (p99Target > 0) std::printf(" (target <= %g)", p99Target);
  std::printf("\n");
  std::fflush(stdout);
}

// Every CPU busy while it lives: one thread per CPU spinning at normal
// priority, as a CPU load generator would.
class CpuLoad {
 public:
  CpuLoad() {
    const unsigned n = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < n; ++i) {
      threads_.emplace_back([this] {
        volatile uint64_t x = 0;
        while (!stop_.load(std::memory_order_relaxed)) x = x + 1;
      });
    }
  }
  ~CpuLoad() {
    stop_ = true;
    for (std::thread &t : threads_) t.join();
  }
  CpuLoad(const CpuLoad &) = delete;
  CpuLoad &operator=(const CpuLoad &) = delete;
  size_t size() const { return threads_.size(); }

 private:
  std::atomic<bool> stop_{false};
  std::vector<std::thread> threads_;
};

// The names of this process's threads, by thread id.
std::map<int, std::string> ThreadNames() {
  std::map<int, std::string> names;
  for (const auto &task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    std::getline(comm, name);
    names[std::atoi(task.path().filename().c_str())] = name;
  }
  return names;
}

// Counts the system calls one thread enters, through the kernel's
// raw_syscalls:sys_enter trace point (no tracer slows the thread down).
class SyscallCounter {
 public:
  explicit SyscallCounter(int tid) {
    std::ifstream idFile("/sys/kernel/tracing/events/raw_syscalls/sys_enter/id");
    if (!idFile) idFile.open("/sys/kernel/debug/tracing/events/raw_syscalls/sys_enter/id");
    uint64_t id = 0;
    if (!(idFile >> id)) return;
    perf_event_attr attr{};
    attr.size = sizeof attr;
    attr.type = PERF_TYPE_TRACEPOINT;
    attr.config = id;
    attr.disabled = 0;
    fd_ = static_cast<int>(::syscall(SYS_perf_event_open, &attr, tid, -1, -1, PERF_FLAG_FD_CLOEXEC));
  }
  ~SyscallCounter() {
    if (fd_ >= 0) ::close(fd_);
  }
  SyscallCounter(const SyscallCounter &) = delete;
  SyscallCounter &operator=(const SyscallCounter &) = delete;
  bool ok() const { return fd_ >= 0; }
  uint64_t read() const {
    uint64_t n = 0;
    return fd_ >= 0 && ::read(fd_, &n, sizeof n) == sizeof n ? n : 0;
  }

 private:
  int fd_ = -1;
};

// System calls per UDP read, per thread of this process: the library's
// worker (tarnex-send) and frame log writer (tarnex-log), the notice window
// and the calling thread.
void ReportSystemCalls(const std::string &what, const std::function<void()> &build, controller_sim::ControllerSim &sim,
                       Window &window, int32_t slot, uint16_t port, int count) {
  std::printf("\nsystem calls per send (%s, %d sends)\n", what.c_str(), count);
  std::vector<std::pair<int, std::string>> threads;
  std::vector<std::unique_ptr<SyscallCounter>> counters;
  std::vector<uint64_t> before;
  for (const auto &[tid, name] : ThreadNames()) {
    auto counter = std::make_unique<SyscallCounter>(tid);
    if (!counter->ok()) {
      std::printf("skipped: the kernel's system call trace point cannot be counted here\n");
      return;
    }
    threads.emplace_back(tid, name);
    before.push_back(counter->read());
    counters.push_back(std::move(counter));
  }
  int failures = 0;
  const int self = static_cast<int>(::syscall(SYS_gettid));
  RunLibrary(sim, window, slot, port, build, count, &failures);
  double library = 0, process = 0;
  for (size_t i = 0; i < threads.size(); ++i) {
    const double perSend = static_cast<double>(counters[i]->read() - before[i]) / count;
    const std::string &name = threads[i].second;
    const bool ours = name == "tarnex-send" || name == "tarnex-log";
    if (perSend < 0.01 && !ours) continue;  // the simulator's idle threads and the like
    std::printf("  %-16s %6.2f per send%s\n", name.c_str(), perSend,
                threads[i].first == self ? " (the caller: build, send, wait for the notice)" : "");
    if (ours) library += perSend;
    process += perSend;
  }
  std::printf("the library's threads: %.2f per send (target <= 10); every thread counted: %.2f%s\n", library, process,
              failures > 0 ? " (some exchanges failed)" : "");
  std::fflush(stdout);
}

// Median and p99 of a step run count times; the step gives its time in ms.
void ReportPart(const std::string &what, int count, const std::function<double()> &step) {
  std::vector<double> times;
  for (int i = 0; i < count; ++i) times.push_back(step());
  const Figures f = FiguresOf(times);
  std::printf("%-44s n=%4d  med %7.3f p90 %7.3f p99 %7.3f max %7.3f ms\n", what.c_str(), count, f.median, f.p90, f.p99,
              f.max);
  std::fflush(stdout);
}

void ReportParts(const std::filesystem::path &dir, const std::string &frame, int count) {
  std::printf("\nparts of a send\n");
  // From the start to the thread's first statement.
  ReportPart("thread start (a thread per send)", count, [] {
    Clock::time_point running;
    const Clock::time_point start = Clock::now();
    std::thread([&running] { running = Clock::now(); }).join();
    return Ms(running - start).count();
  });
  // From the notify to the parked thread's first statement.
  {
    std::mutex mutex;
    std::condition_variable wake, woken;
    bool pending = false, stop = false;
    Clock::time_point running;
    std::thread parked([&] {
      std::unique_lock lock(mutex);
      for (;;) {
        wake.wait(lock, [&] { return pending || stop; });
        if (stop) return;
        running = Clock::now();
        pending = false;
        woken.notify_one();
      }
    });
    ReportPart("wake-up of the parked worker", count, [&] {
      std::unique_lock lock(mutex);
      const Clock::time_point start = Clock::now();
      pending = true;
      wake.notify_one();
      woken.wait(lock, [&] { return !pending; });
      return Ms(running - start).count();
    });
    {
      std::lock_guard lock(mutex);
      stop = true;
    }
    wake.notify_one();
    parked.join();
  }
  const auto timed = [](const std::function<void()> &step) {
    const Clock::time_point start = Clock::now();
    step();
    return Ms(Clock::now() - start).count();
  };
  const std::string log = (dir / "plc_udp.txt").string();
  ReportPart("whole-file write (lookups, sweep, rename)", count, [&] {
    return timed([&] { (void)platform::WriteFileAtomically(log, frame, platform::Durability::Unsynced); });
  });
  platform::RepeatedFileWriter writer(log);
  ReportPart("frame log replace (on the log thread)", count, [&] { return timed([&] { (void)writer.replace(frame); }); });
  transport::CUdpLink link;
  link.Create(0);
  ReportPart("drain of an empty UDP link", count, [&] { return timed([&] { link.drain(256); }); });
}

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Process CPU time per silent exchange through the library.
void RunSilent(const std::string &what, controller_sim::ControllerSim &sim, Window &window, int32_t slot,
               uint16_t port) {
  sim.setFault("silent");
  int timeouts = 0;
  const double before = CpuMs();
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < 5; ++i) {
    CMD_Read(1, 0, 64);
    window.reset();
    int32_t job = 1;
    while ((job = PLC_Send(slot, "127.0.0.1", port)) == 1) std::this_thread::sleep_for(1ms);
    const auto notice = window.wait();
    if (notice && notice->second == PlcResultTimeOut) ++timeouts;
  }
  const double cpu = CpuMs() - before;
  const double wall = Ms(Clock::now() - start).count();
  std::printf("%-44s %d of 5 timed out; wall %.0f ms per time-out, process CPU %.3f ms per time-out\n",
              what.c_str(), timeouts, wall / 5, cpu / 5);
  std::fflush(stdout);
  sim.setFault("none");
}

}  // namespace

int main(int argc, char **argv) {
  int udpCount = 1000;
  int ptyCount = 50;
  if (argc > 1 && std::string(argv[1]) == "--quick") {
    udpCount = 50;
    ptyCount = 5;
  }
  const std::string readFrame = ":010300000040BC\r\n";
  const std::string switchFrame = ":011000B0000100013D\r\n";
  const auto buildRead = [] { CMD_Read(1, 0, 64); };
  const auto buildSwitch = [] { CMD_PowerOnLC(1, 0); };

  testsupport::TempDir dir;
  testsupport::ExecutableDirOverride exeDir(dir.path());
  Window window;

  std::printf("send-to-notice latency; times in ms\n\n");

  // UDP loopback.
  {
    controller_sim::ControllerSim sim;
    const uint16_t port = sim.startUdp(0);
    PLC_Startup(-1);
    PLC_SetNotify(window.handle(), PlcNotifyMessage);
    const int32_t slot = PLC_OpenDev(2, 9600, 0);
    int failures = 0;
    PlainSocket plain;
    const std::vector<Sample> readFloor = RunBaseline(
        sim, readFrame, udpCount, [&] { return plain.exchange(readFrame, port); }, &failures);
    Report("floor: plain socket, UDP read 0,64", readFloor, failures);
    failures = 0;
    const std::vector<Sample> switchFloor = RunBaseline(
        sim, switchFrame, udpCount, [&] { return plain.exchange(switchFrame, port); }, &failures);
    Report("floor: plain socket, UDP device switch", switchFloor, failures);
    failures = 0;
    const std::vector<Sample> read = RunLibrary(sim, window, slot, port, buildRead, udpCount, &failures);
    Report("UDP read 0,64 (267-char reply)", read, failures);
    failures = 0;
    const std::vector<Sample> deviceSwitch = RunLibrary(sim, window, slot, port, buildSwitch, udpCount, &failures);
    Report("UDP device switch (17-char reply)", deviceSwitch, failures);
    ReportRatio("UDP read 0,64 against the floor", NoticeFigures(read), NoticeFigures(readFloor), 4, 10);
    ReportRatio("UDP device switch against the floor", NoticeFigures(deviceSwitch), NoticeFigures(switchFloor), 4, 10);
    {
      CpuLoad load;
      std::printf("\nevery CPU busy (%zu spinning threads)\n", load.size());
      failures = 0;
      const std::vector<Sample> busyFloor = RunBaseline(
          sim, readFrame, udpCount, [&] { return plain.exchange(readFrame, port); }, &failures);
      Report("busy floor: plain socket, UDP read 0,64", busyFloor, failures);
      failures = 0;
      const std::vector<Sample> busyRead = RunLibrary(sim, window, slot, port, buildRead, udpCount, &failures);
      Report("busy: UDP read 0,64", busyRead, failures);
      ReportRatio("busy: UDP read 0,64 against the busy floor", NoticeFigures(busyRead), NoticeFigures(busyFloor), 6,
                  0);
      std::printf("\n");
    }
    ReportSystemCalls("UDP read 0,64, the same frame each time", buildRead, sim, window, slot, port,
                      std::min(udpCount, 500));
    int turn = 0;
    ReportSystemCalls("UDP read 0,64 and device switch in turn, so the frame log changes each time",
                      [&] { return turn++ % 2 == 0 ? buildRead() : buildSwitch(); }, sim, window, slot, port,
                      std::min(udpCount, 500));
    RunSilent("UDP silent controller", sim, window, slot, port);
    PLC_Cleanup();

    transport::CUdpLink link;
    link.Create(0);
    const int baselineCount = std::min(udpCount, 200);
    failures = 0;
    Report("baseline passes: UDP read 0,64",
           RunBaseline(sim, readFrame, baselineCount, [&] { return PassLoopUdp(link, readFrame, port); }, &failures),
           failures);
    failures = 0;
    Report("baseline passes: UDP device switch",
           RunBaseline(sim, switchFrame, baselineCount, [&] { return PassLoopUdp(link, switchFrame, port); }, &failures),
           failures);
  }

  // A pty paced at 9600 baud behind COM3.
  {
    controller_sim::ControllerSim sim;
    sim.setPace(true);
    const std::string slave = sim.startPty(9600);
    testsupport::ComLink com(dir.path(), kComPort, slave);
    PLC_Startup(-1);
    PLC_SetNotify(window.handle(), PlcNotifyMessage);
    const int32_t slot = PLC_OpenDev((kComPort << 16) | 1, 9600, 0);
    std::printf("\nwire time at 9600 baud: read %.1f ms, device switch %.1f ms\n", (17 + 267) * 10 / 9.6,
                (21 + 17) * 10 / 9.6);
    int failures = 0;
    Report("pty 9600 paced: read 0,64", RunLibrary(sim, window, slot, 0, buildRead, ptyCount, &failures), failures);
    failures = 0;
    Report("pty 9600 paced: device switch", RunLibrary(sim, window, slot, 0, buildSwitch, ptyCount, &failures), failures);
    RunSilent("pty silent controller", sim, window, slot, 0);
    PLC_Cleanup();

    std::shared_ptr<transport::SerialPort> port = transport::SerialPort::open(slave, 9600);
    if (port) {
      const int baselineCount = std::min(ptyCount, 20);
      failures = 0;
      Report("baseline passes: pty read 0,64",
             RunBaseline(sim, readFrame, baselineCount, [&] { return PassLoopSerial(*port, readFrame); }, &failures),
             failures);
      failures = 0;
      Report("baseline passes: pty device switch",
             RunBaseline(sim, switchFrame, baselineCount, [&] { return PassLoopSerial(*port, switchFrame); },
                         &failures),
             failures);
    }
  }
  ReportParts(dir.path(), readFrame, udpCount);
  return 0;
}
