// The simulator on its links: UDP on 127.0.0.1, its own pty, a serial
// device, and the controller-sim program.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <optional>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

#include "tests/support/loopback_udp.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"
#include "tools/controller_sim/controller_sim.h"

namespace controller_sim {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kHangGuard = 10s;
const std::string kRead64 = ":010300000040BC\r\n";
const std::string kReadTwo = ":010300100002EA\r\n";
const std::string kReadTwoReply = ":010304002301A430\r\n";
const std::string kOutput4On = ":0110003400010001B9\r\n";

Clock::time_point Guard() { return Clock::now() + kHangGuard; }

// The caller's end of a serial path: opened raw, as the link library does.
class SerialClient {
 public:
  explicit SerialClient(const std::string &path) {
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) throw std::system_error(errno, std::generic_category(), path);
  }
  ~SerialClient() { close(fd_); }

  bool write(const std::string &bytes) {
    return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }

  // Reads until CR LF or the hang guard; returns every byte read.
  std::string readLine() {
    std::string got;
    const auto deadline = Guard();
    while (!got.ends_with("\r\n") && Clock::now() < deadline) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buf[512];
      const ssize_t n = read(fd_, buf, sizeof buf);
      if (n > 0) got.append(buf, static_cast<size_t>(n));
    }
    return got;
  }

 private:
  int fd_ = -1;
};

std::string Joined(testsupport::LoopbackUdp &client, size_t datagrams, std::vector<std::string> *parts = nullptr) {
  std::string all;
  for (size_t i = 0; i < datagrams; ++i) {
    const auto d = client.receive(Guard());
    if (!d) break;
    if (parts) parts->push_back(d->bytes);
    all += d->bytes;
  }
  return all;
}

TEST(SimUdp, AnswersEachSenderAndRecordsTheExchange) {
  ControllerSim sim;
  const uint16_t port = sim.startUdp(0);
  ASSERT_NE(port, 0);
  testsupport::LoopbackUdp a, b;

  ASSERT_TRUE(a.sendTo(port, kRead64));
  const auto reply = a.receive(Guard());
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->bytes.size(), 267u);
  EXPECT_EQ(reply->port, port);
  EXPECT_EQ(reply->bytes.substr(0, 7), ":010380");

  ASSERT_TRUE(b.sendTo(port, kOutput4On));
  const auto ack = b.receive(Guard());
  ASSERT_TRUE(ack);
  EXPECT_EQ(ack->bytes, ":011000340001BA\r\n");
  EXPECT_EQ(sim.reg(36), 0);

  EXPECT_EQ(sim.received(), (std::vector<std::string>{":010300000040BC", ":0110003400010001B9"}));
  const auto tx1 = sim.waitForEvent("tx", kHangGuard);
  const auto tx2 = sim.waitForEvent("tx", kHangGuard);
  ASSERT_TRUE(tx1 && tx2);
  EXPECT_EQ(tx2->text, ":011000340001BA");
  EXPECT_LE(tx1->at, tx2->at);
  EXPECT_EQ(sim.lastReplySentAt(), tx2->at);
  // Each event comes once; no third reply went out.
  EXPECT_FALSE(sim.waitForEvent("tx", 20ms));
}

TEST(SimUdp, DroppedRequestsGetNoReply) {
  ControllerSim sim;
  const uint16_t port = sim.startUdp(0);
  testsupport::LoopbackUdp client;
  for (const std::string bad : {":010300000040BD\r\n", ":020300000040BB\r\n", "", "hello"}) {
    ASSERT_TRUE(client.sendTo(port, bad));
    const auto drop = sim.waitForEvent("drop", kHangGuard);
    ASSERT_TRUE(drop) << bad;
  }
  // The next good request is the first datagram back.
  ASSERT_TRUE(client.sendTo(port, kReadTwo));
  const auto reply = client.receive(Guard());
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->bytes, kReadTwoReply);
  EXPECT_EQ(sim.received().size(), 1u);
}

TEST(SimUdp, SplitAndNoiseModes) {
  ControllerSim sim;
  const uint16_t port = sim.startUdp(0);
  testsupport::LoopbackUdp client;

  EXPECT_TRUE(sim.setFault("split:30"));
  ASSERT_TRUE(client.sendTo(port, kReadTwo));
  std::vector<std::string> parts;
  EXPECT_EQ(Joined(client, 2, &parts), kReadTwoReply);
  EXPECT_EQ(parts.size(), 2u);
  ASSERT_TRUE(sim.waitForEvent("tx", kHangGuard));

  EXPECT_TRUE(sim.setFault("noise:100"));
  ASSERT_TRUE(client.sendTo(port, kReadTwo));
  size_t noise = 0;
  while (auto d = client.receive(Clock::now() + 500ms)) {
    ++noise;
    EXPECT_EQ(d->bytes.find('\n'), std::string::npos);
  }
  EXPECT_GT(noise, 0u);
  EXPECT_FALSE(sim.waitForEvent("tx", 0ms));  // noise is no reply

  EXPECT_FALSE(sim.setFault("bogus"));
  EXPECT_EQ(FaultName(sim.fault()), "noise:100");
  sim.setFault(Fault{});
  ASSERT_TRUE(client.sendTo(port, kReadTwo));
  const auto reply = client.receive(Guard());
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->bytes, kReadTwoReply);
  const auto fault = sim.waitForEvent("fault", kHangGuard);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->text, "split:30");
}

TEST(SimUdp, StopEndsAPendingLateReply) {
  ControllerSim sim;
  const uint16_t port = sim.startUdp(0);
  testsupport::LoopbackUdp client;
  sim.setFault("late:600000");
  ASSERT_TRUE(client.sendTo(port, kReadTwo));
  ASSERT_TRUE(sim.waitForEvent("rx", kHangGuard));
  sim.stop();  // returns at once rather than after ten minutes
  EXPECT_FALSE(sim.waitForEvent("tx", 0ms));
  // The simulator starts again, on a port of its own.
  sim.setFault("none");
  const uint16_t again = sim.startUdp(0);
  ASSERT_TRUE(client.sendTo(again, kReadTwo));
  EXPECT_TRUE(client.receive(Guard()));
}

TEST(SimUdp, BusyPortIsAnError) {
  ControllerSim first, second;
  const uint16_t port = first.startUdp(0);
  EXPECT_THROW(second.startUdp(port), std::system_error);
}

TEST(SimPty, AnswersOnTheSlaveAndSurvivesTheCallerClosingIt) {
  ControllerSim sim;
  const std::string path = sim.startPty();
  ASSERT_TRUE(path.starts_with("/dev/pts/")) << path;
  {
    SerialClient client(path);
    ASSERT_TRUE(client.write(kReadTwo));
    EXPECT_EQ(client.readLine(), kReadTwoReply);
  }
  // Closed and opened again, as the library does on CloseDev / OpenDev.
  SerialClient client(path);
  ASSERT_TRUE(client.write(kOutput4On));
  EXPECT_EQ(client.readLine(), ":011000340001BA\r\n");
  EXPECT_EQ(sim.reg(36), 0);
}

TEST(SimPty, RequestsSplitOverWritesAndFaultedReplies) {
  ControllerSim sim;
  SerialClient client(sim.startPty());
  // A request in pieces, after a stray byte that is dropped.
  ASSERT_TRUE(client.write("x"));
  ASSERT_TRUE(client.write(kReadTwo.substr(0, 5)));
  std::this_thread::sleep_for(5ms);
  ASSERT_TRUE(client.write(kReadTwo.substr(5)));
  EXPECT_EQ(client.readLine(), kReadTwoReply);
  const auto drop = sim.waitForEvent("drop", kHangGuard);
  ASSERT_TRUE(drop);
  EXPECT_EQ(drop->text, "x");

  struct Case {
    const char *mode;
    std::string expected;
  };
  const Case cases[] = {
      {"split:30", kReadTwoReply},
      {"wrong-address", ":020304002301A42F\r\n"},
      {"late:20", kReadTwoReply},
  };
  for (const Case &c : cases) {
    sim.setFault(c.mode);
    ASSERT_TRUE(client.write(kReadTwo));
    EXPECT_EQ(client.readLine(), c.expected) << c.mode;
  }
  sim.setFault("garbage");
  ASSERT_TRUE(client.write(kReadTwo));
  const std::string garbage = client.readLine();
  EXPECT_TRUE(garbage.ends_with("\r\n"));
  EXPECT_EQ(garbage.find(':'), std::string::npos);
}

TEST(SimPty, PacedRepliesArriveWhole) {
  ControllerSim sim;
  sim.setPace(true);
  SerialClient client(sim.startPty(115200));
  ASSERT_TRUE(client.write(kReadTwo));
  EXPECT_EQ(client.readLine(), kReadTwoReply);
  sim.setFault("split:10");
  ASSERT_TRUE(client.write(kReadTwo));
  EXPECT_EQ(client.readLine(), kReadTwoReply);
  const auto rx = sim.waitForEvent("rx", kHangGuard);
  const auto tx = sim.waitForEvent("tx", kHangGuard);
  ASSERT_TRUE(rx && tx);
  EXPECT_LE(rx->at, tx->at);
}

TEST(SimSerial, OpensADeviceRaw) {
  testsupport::PtyPair line;  // the simulator opens the slave as its device
  ControllerSim sim;
  sim.startSerial(line.slavePath(), 9600);
  ASSERT_TRUE(line.write(kReadTwo));
  EXPECT_EQ(line.readUntil("\r\n", Guard()), kReadTwoReply);

  EXPECT_THROW(sim.startSerial(line.slavePath(), 12345), std::invalid_argument);
  testsupport::TempDir dir;
  EXPECT_THROW(sim.startSerial((dir / "missing").string(), 9600), std::system_error);
  { std::FILE *f = std::fopen((dir / "plain").c_str(), "w"); std::fclose(f); }
  EXPECT_THROW(sim.startSerial((dir / "plain").string(), 9600), std::system_error);
}

TEST(SimSerial, UnpluggedDeviceEndsTheLinkWithAnError) {
  auto line = std::make_unique<testsupport::PtyPair>();
  ControllerSim sim;
  sim.startSerial(line->slavePath(), 9600);
  line.reset();  // master and the held slave gone: the device hangs up
  const auto error = sim.waitForEvent("error", kHangGuard);
  ASSERT_TRUE(error);
  EXPECT_NE(error->text.find("串口"), std::string::npos);
}

TEST(SimEvents, WaitTimesOutAndClearForgets) {
  ControllerSim sim;
  EXPECT_FALSE(sim.waitForEvent("rx", 10ms));
  sim.setFault("silent");
  sim.setFault("none");
  EXPECT_EQ(sim.waitForEvent("fault", 0ms)->text, "silent");
  sim.clearEvents();
  EXPECT_TRUE(sim.events().empty());
  EXPECT_FALSE(sim.waitForEvent("fault", 0ms));
  sim.setFault("bad-lrc");
  EXPECT_EQ(sim.waitForEvent("fault", 0ms)->text, "bad-lrc");
}

// The program, run as a user would, with its standard input on a pipe.
class SimProgram {
 public:
  explicit SimProgram(std::vector<std::string> args) {
    int out[2];
    int in[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(in, O_CLOEXEC) != 0) {
      throw std::system_error(errno, std::generic_category(), "pipe");
    }
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      dup2(in[0], STDIN_FILENO);
      std::vector<char *> argv{const_cast<char *>(CONTROLLER_SIM_PROGRAM)};
      for (std::string &a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    close(in[0]);
    fd_ = out[0];
    in_ = in[1];
  }
  ~SimProgram() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(fd_);
    closeInput();
  }

  // The next output line, or "" at the hang guard.
  std::string line() {
    const auto deadline = Guard();
    while (buffer_.find('\n') == std::string::npos && Clock::now() < deadline) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buf[512];
      const ssize_t n = read(fd_, buf, sizeof buf);
      if (n <= 0) break;
      buffer_.append(buf, static_cast<size_t>(n));
    }
    const size_t nl = buffer_.find('\n');
    if (nl == std::string::npos) return "";
    std::string l = buffer_.substr(0, nl);
    buffer_.erase(0, nl + 1);
    return l;
  }

  // Writes a command line to the program's standard input.
  void command(const std::string &text) {
    const std::string l = text + "\n";
    ASSERT_EQ(write(in_, l.data(), l.size()), static_cast<ssize_t>(l.size()));
  }
  void closeInput() {
    if (in_ >= 0) close(in_);
    in_ = -1;
  }

  // Interrupts the program and returns its exit status.
  int interrupt() {
    kill(pid_, SIGINT);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int fd_ = -1;
  int in_ = -1;
  std::string buffer_;
};

TEST(SimProgramRun, UdpPrintsItsPortAndWhatItReceives) {
  SimProgram program({"--udp", "0", "--set", "17=0x1234", "--fault", "wrong-address"});
  EXPECT_EQ(program.line(), "fault wrong-address");
  const std::string udp = program.line();
  ASSERT_TRUE(udp.starts_with("udp ")) << udp;
  const int port = std::stoi(udp.substr(4));
  testsupport::LoopbackUdp client;
  ASSERT_TRUE(client.sendTo(port, kReadTwo));
  const auto reply = client.receive(Guard());
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->bytes.substr(0, 11), ":0203040023");
  EXPECT_EQ(reply->bytes.substr(11, 4), "1234");
  EXPECT_EQ(program.line(), "rx :010300100002EA");
  EXPECT_EQ(program.line(), "tx " + reply->bytes.substr(0, reply->bytes.size() - 2));
  ASSERT_TRUE(client.sendTo(port, ":010300100002EB\r\n"));
  EXPECT_EQ(program.line(), "drop lrc :010300100002EB");
  EXPECT_EQ(program.interrupt(), 0);
}

TEST(SimProgramRun, PtyBehindACom3Link) {
  testsupport::TempDir dir;
  const std::filesystem::path link = dir / "COM3";
  std::filesystem::create_symlink("/nonexistent", link);  // left by an earlier run
  SimProgram program({"--pty", "--link", link.string()});
  const std::string pty = program.line();
  ASSERT_TRUE(pty.starts_with("pty /dev/pts/")) << pty;
  EXPECT_EQ(program.line(), "link " + link.string());
  EXPECT_EQ(std::filesystem::read_symlink(link), pty.substr(4));
  {
    SerialClient client(link.string());
    ASSERT_TRUE(client.write(kReadTwo));
    EXPECT_EQ(client.readLine(), kReadTwoReply);
  }
  EXPECT_EQ(program.line(), "rx :010300100002EA");
  EXPECT_EQ(program.interrupt(), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SimProgramRun, BadArgumentsAreRefused) {
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {}, {"--udp", "70000"}, {"--udp", "0", "--fault", "late"}, {"--udp", "0", "--set", "300=1"},
           {"--link", "/tmp/x"}, {"--udp"}, {"--frobnicate"}, {"--udp", "0", "--set", "3:17=1"},
           {"--udp", "0", "--set", "1:17"}, {"--udp", "0", "--registers", "/nonexistent/registers.txt"}}) {
    SimProgram program(args);
    EXPECT_EQ(program.line(), "");
    // It ended by itself with status 2 (nothing to interrupt).
    EXPECT_EQ(program.interrupt(), 2);
  }
}

TEST(SimPty, LinkedAtAPathUntilStopped) {
  testsupport::TempDir dir;
  const std::filesystem::path link = dir / "COM7";
  std::filesystem::create_symlink("/nonexistent", link);  // left by an earlier run
  ControllerSim sim;
  const std::string slave = sim.startPty(link.string());
  EXPECT_EQ(std::filesystem::read_symlink(link), slave);
  {
    SerialClient client(link.string());
    ASSERT_TRUE(client.write(kReadTwo));
    EXPECT_EQ(client.readLine(), kReadTwoReply);
  }
  // Another file of that name is never replaced.
  { std::FILE *f = std::fopen((dir / "COM8").c_str(), "w"); std::fclose(f); }
  EXPECT_THROW(sim.startPty((dir / "COM8").string()), std::runtime_error);
  EXPECT_TRUE(std::filesystem::is_regular_file(dir / "COM8"));

  sim.stop();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SimUdp, ControllersAtTwoAddressesShareThePort) {
  ControllerSim sim(1);
  sim.addController(2);
  sim.setReg(2, 17, 80);
  const uint16_t port = sim.startUdp(0);
  testsupport::LoopbackUdp client;
  ASSERT_TRUE(client.sendTo(port, ":020300100002E9\r\n"));
  const auto two = client.receive(Guard());
  ASSERT_TRUE(two);
  EXPECT_EQ(two->bytes, ":0203040023005084\r\n");
  ASSERT_TRUE(client.sendTo(port, kReadTwo));
  const auto one = client.receive(Guard());
  ASSERT_TRUE(one);
  EXPECT_EQ(one->bytes, kReadTwoReply);
}

// Seconds of CLOCK_MONOTONIC, as the log writes them.
double MonotonicNow() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

struct LogLine {
  double at = 0;
  std::string text;
};

std::vector<LogLine> ReadLog(const std::filesystem::path &path) {
  std::vector<LogLine> lines;
  std::ifstream in(path);
  for (std::string l; std::getline(in, l);) {
    const size_t space = l.find(' ');
    EXPECT_NE(space, std::string::npos) << l;
    if (space == std::string::npos) continue;
    const std::string time = l.substr(0, space);
    EXPECT_EQ(time.find('.'), time.size() - 7) << l;  // microseconds
    lines.push_back({std::stod(time), l.substr(space + 1)});
  }
  return lines;
}

TEST(SimProgramRun, RegisterFileCommandsAndTimedLog) {
  testsupport::TempDir dir;
  std::ofstream(dir / "regs.txt") << "address 2\n17 80\naddress 1\n16 0x0145\n";
  const double started = MonotonicNow();
  SimProgram program({"--udp", "0", "--registers", (dir / "regs.txt").string(), "--set", "2:16=7", "--log",
                      (dir / "sim.log").string()});
  const std::string udp = program.line();
  ASSERT_TRUE(udp.starts_with("udp ")) << udp;
  const int port = std::stoi(udp.substr(4));
  testsupport::LoopbackUdp client;

  // Without --address the first controller of the file is the default one.
  program.command("get 16");
  EXPECT_EQ(program.line(), "reg 2:16=7");
  program.command("get 1:16");
  EXPECT_EQ(program.line(), "reg 1:16=325");
  ASSERT_TRUE(client.sendTo(port, ":020300100002E9\r\n"));
  const auto reply = client.receive(Guard());
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->bytes.substr(0, 15), ":02030400070050");
  EXPECT_EQ(program.line(), "rx :020300100002E9");
  EXPECT_TRUE(program.line().starts_with("tx :0203040007"));

  // Set a register at run time.
  program.command("set 1:0x20=0");
  EXPECT_EQ(program.line(), "set 1:32=0");
  program.command("get 1:32");
  EXPECT_EQ(program.line(), "reg 1:32=0");

  // Silent: the request is logged and not answered; then answering again,
  // and late by 200 ms.
  program.command("fault silent");
  EXPECT_EQ(program.line(), "fault silent");
  ASSERT_TRUE(client.sendTo(port, kReadTwo));
  EXPECT_EQ(program.line(), "rx :010300100002EA");
  program.command("fault late:200");
  EXPECT_EQ(program.line(), "fault late:200");
  ASSERT_TRUE(client.sendTo(port, kRead64));
  const auto late = client.receive(Guard());
  ASSERT_TRUE(late);
  EXPECT_EQ(late->bytes.size(), 267u);  // the first reply is this one
  EXPECT_EQ(program.line(), "rx :010300000040BC");
  EXPECT_TRUE(program.line().starts_with("tx :010380"));
  program.command("fault none");
  EXPECT_EQ(program.line(), "fault none");

  // Bad commands are answered with an error and change nothing.
  for (const char *bad : {"set 3:17=1", "set 17", "get 1:256", "fault late", "reboot", "set 1:17=65536"}) {
    program.command(bad);
    EXPECT_TRUE(program.line().starts_with("error ")) << bad;
  }
  for (size_t length : {5000, 100000}) {
    program.command(std::string(length, 'x'));
    EXPECT_EQ(program.line(), "error 命令过长") << length;
  }
  program.command("get 2:17");
  EXPECT_EQ(program.line(), "reg 2:17=80");

  // The end of standard input ends the commands, not the simulator.
  program.closeInput();
  ASSERT_TRUE(client.sendTo(port, kReadTwo));
  const auto after = client.receive(Guard());
  ASSERT_TRUE(after);
  EXPECT_EQ(after->bytes, ":010304014501A40D\r\n");
  EXPECT_EQ(program.line(), "rx :010300100002EA");
  EXPECT_TRUE(program.line().starts_with("tx "));
  EXPECT_EQ(program.interrupt(), 0);
  const double ended = MonotonicNow();

  // Every event and command in the log, in order, at CLOCK_MONOTONIC times.
  const std::vector<LogLine> log = ReadLog(dir / "sim.log");
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front().text, "udp " + std::to_string(port));
  double previous = started;
  std::vector<std::string> kinds;
  std::optional<double> late_rx;
  for (const LogLine &l : log) {
    EXPECT_GE(l.at, previous) << l.text;
    EXPECT_LE(l.at, ended) << l.text;
    previous = l.at;
    kinds.push_back(l.text.substr(0, l.text.find(' ')));
    if (l.text == "rx :010300000040BC") late_rx = l.at;
    if (late_rx && l.text.starts_with("tx :010380")) {
      EXPECT_GE(l.at - *late_rx, 0.2);
    }
  }
  EXPECT_TRUE(late_rx);
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "rx"), 4);
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "tx"), 3);
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "set"), 1);
}

}  // namespace
}  // namespace controller_sim
