#pragma once
// Shared fixtures of the model tests: "User.ini" files written in code page
// 936 into a fresh directory, and a model on the fake link library.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "display_app/model/power_management.h"
#include "platform/cp936.h"
#include "tests/support/fake_plc_api.h"
#include "tests/support/temp_dir.h"

namespace morvit::testing {

inline std::string ReadBytes(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path &path, const std::string &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// UTF-8 text stored in code page 936.
inline std::string Gbk(const std::string &utf8) { return cp936::FromUtf8(utf8); }

// Two controllers as the demo has them: controller 0 (address 1) with two
// devices of two outputs each and five status items, controller 1 (address
// 2) with one device and a brightness item.
inline const char *kDemoIni =
    "[Parms]\r\n"
    "TemWarn=54\r\n"
    "[PLCParms]\r\n"
    "Count=2\r\n"
    "Name0=1号屏柜\r\n"
    "Addr0=1\r\n"
    "Comm0=1\r\n"
    "ConnMode0=1\r\n"
    "IP0=127.0.0.1\r\n"
    "Port0=6001\r\n"
    "Name1=2号屏柜\r\n"
    "Addr1=2\r\n"
    "Comm1=1\r\n"
    "ConnMode1=1\r\n"
    "IP1=127.0.0.1\r\n"
    "Port1=6002\r\n"
    "[DeviceParms]\r\n"
    "Count=3\r\n"
    "Name0=左屏\r\nPLC_ID0=0\r\nID0=0\r\n"
    "Name1=右屏\r\nPLC_ID1=0\r\nID1=1\r\n"
    "Name2=主屏\r\nPLC_ID2=1\r\nID2=0\r\n"
    "[DoParms]\r\n"
    "Count=6\r\n"
    "PLC_ID0=0\r\nLC_ID0=0\r\nOutput0=0\r\n"
    "PLC_ID1=0\r\nLC_ID1=0\r\nOutput1=1\r\n"
    "PLC_ID2=0\r\nLC_ID2=1\r\nOutput2=2\r\n"
    "PLC_ID3=0\r\nLC_ID3=1\r\nOutput3=3\r\n"
    "PLC_ID4=1\r\nLC_ID4=0\r\nOutput4=0\r\n"
    "PLC_ID5=1\r\nLC_ID5=0\r\nOutput5=1\r\n"
    "[PLCStatus]\r\n"
    "Count=2\r\n"
    "[PLC0]\r\n"
    "Count=5\r\n"
    "[PLC0ItemStatus0]\r\nstType=1\r\nstName=烟感\r\nstID=0\r\nstPrecision=0\r\n"
    "[PLC0ItemStatus1]\r\nstType=4\r\nstName=市电\r\nstID=3\r\nstPrecision=0\r\n"
    "[PLC0ItemStatus2]\r\nstType=6\r\nstName=柜内温度\r\nstID=1\r\nstPrecision=1\r\nstParm1=0\r\nstParm2=0\r\nstParm3=10\r\n"
    "[PLC0ItemStatus3]\r\nstType=3\r\nstName=关闭温度\r\nstID=1\r\nstPrecision=1\r\nstParm1=0\r\nstParm2=0\r\nstParm3=10\r\n"
    "[PLC0ItemStatus4]\r\nstType=2\r\nstName=报警温度\r\nstID=0\r\nstPrecision=1\r\n"
    "[PLC1]\r\n"
    "Count=1\r\n"
    "[PLC1ItemStatus0]\r\nstType=7\r\nstName=环境亮度\r\nstID=2\r\nstPrecision=0\r\nstParm3=1\r\n";

// A model on the fake library over a "User.ini" in its own directory.
struct ModelHarness {
  explicit ModelHarness(const std::string &iniUtf8 = kDemoIni, int32_t openResult = 0) {
    path = (dir / "User.ini").string();
    WriteBytes(path, Gbk(iniUtf8));
    api.openResult = openResult;
    api.onNotice = [this](uint16_t function, uint16_t result) { model.handleNotice(function, result); };
    model.setChangeCallback([this](uint32_t bits) { changes |= bits; });
  }
  ModelHarness(const ModelHarness &) = delete;

  // Loads the file; controller 0 is selected and its link opened.
  void load() { ASSERT_TRUE(model.loadControllers(path).ok()); }

  // Registers of a block, all 0 but those given as {register, value}.
  static std::vector<uint16_t> Block(int first, int count, std::initializer_list<std::pair<int, uint16_t>> values) {
    std::vector<uint16_t> words(static_cast<size_t>(count), 0);
    for (auto [reg, value] : values) words.at(static_cast<size_t>(reg - first)) = value;
    return words;
  }

  testsupport::TempDir dir;
  std::string path;
  tarnex_client::testing::FakePlcApi api;
  LocalDateTime now{2024, 3, 5, 14, 7, 9};
  PowerManagementModel model{api, tarnex_client::PlcLinkSettings{0, 9600}, [this] { return now; }};
  uint32_t changes = 0;
};

}  // namespace morvit::testing
