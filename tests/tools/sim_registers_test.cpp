// Controllers at several addresses behind one simulator, and the register
// file that loads them.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "plc_register_map.h"
#include "tests/support/temp_dir.h"
#include "tools/controller_sim/controller_sim.h"
#include "tools/controller_sim/register_file.h"
#include "tools/controller_sim/sim_core.h"

namespace controller_sim {
namespace {

RegisterFile Parsed(const std::string &text) {
  auto result = ParseRegisterFile(text);
  if (const std::string *error = std::get_if<std::string>(&result)) {
    ADD_FAILURE() << *error;
    return {};
  }
  return std::get<RegisterFile>(result);
}

std::string ErrorOf(const std::string &text) {
  auto result = ParseRegisterFile(text);
  const std::string *error = std::get_if<std::string>(&result);
  return error ? *error : "";
}

TEST(RegisterFile, SectionsSingleValuesRunsAndRanges) {
  const RegisterFile file = Parsed(
      "# two controllers\r\n"
      "address 2\r\n"
      "  17\t80   # brightness\r\n"
      "\n"
      "address 0x01\n"
      "81 0x1110 0x0011\n"
      "32-34 0\n"
      "address 2\n"  // a second section for the same address adds to it
      "255 65535");
  EXPECT_EQ(file.addresses, (std::vector<uint8_t>{2, 1}));
  std::vector<std::tuple<int, int, int>> got;
  for (const RegisterSetting &s : file.settings) got.emplace_back(s.address, s.reg, s.value);
  EXPECT_EQ(got, (std::vector<std::tuple<int, int, int>>{
                     {2, 17, 80}, {1, 81, 0x1110}, {1, 82, 0x0011}, {1, 32, 0}, {1, 33, 0}, {1, 34, 0},
                     {2, 255, 65535}}));

  EXPECT_TRUE(Parsed("").addresses.empty());
  EXPECT_TRUE(Parsed("# nothing\n\n").settings.empty());
}

TEST(RegisterFile, FaultsNameTheirLine) {
  struct Case {
    const char *text;
    const char *line;
  };
  const Case cases[] = {
      {"17 80\n", "第 1 行"},                          // no address yet
      {"address 1\naddress 256\n", "第 2 行"},
      {"address\n", "第 1 行"},
      {"address 1 2\n", "第 1 行"},
      {"address 1\n\n17\n", "第 3 行"},                // no value
      {"address 1\n256 0\n", "第 2 行"},
      {"address 1\n17 65536\n", "第 2 行"},
      {"address 1\n17 -1\n", "第 2 行"},
      {"address 1\n17 8O\n", "第 2 行"},               // letter O
      {"address 1\n254 1 2 3\n", "第 2 行"},           // runs past 255
      {"address 1\n41-32 1\n", "第 2 行"},             // reversed range
      {"address 1\n32-300 1\n", "第 2 行"},
      {"address 1\n32-41 1 2\n", "第 2 行"},
      {"address 1\n32- 1\n", "第 2 行"},
  };
  for (const Case &c : cases) {
    const std::string error = ErrorOf(c.text);
    EXPECT_NE(error.find(c.line), std::string::npos) << c.text << " -> " << error;
  }
}

TEST(SimCoreBanks, EachAddressAnswersFromItsOwnRegisters) {
  SimCore core(1);
  core.addController(2);
  core.setReg(1, 16, 325);
  core.setReg(2, 17, 80);
  EXPECT_EQ(core.addresses(), (std::vector<uint8_t>{1, 2}));

  const auto reply = [&core](const std::string &text) {
    const std::optional<ReplyPlan> plan = core.handleText(text + "\r\n");
    return plan ? plan->shown : std::string("none");
  };
  EXPECT_EQ(reply(":010300100002EA"), ":010304014501A40D");
  EXPECT_EQ(reply(":020300100002E9"), ":0203040023005084");
  EXPECT_EQ(reply(":030300100002E8"), "none");
  EXPECT_EQ(core.log().events().back().reason, "address");

  // A group switch acts on the logic list and outputs of its own address.
  core.setReg(2, plc::kRegLogicFirst, plc::PackLogicWord(0, 1, 0));
  EXPECT_EQ(reply(":021000B0000100013C"), ":021000B000013D");
  EXPECT_EQ(core.reg(2, 33), 0);
  EXPECT_EQ(core.reg(1, 33), 1);

  // Adding an address twice keeps its registers; unknown ones are refused.
  core.addController(2);
  EXPECT_EQ(core.reg(2, 17), 80);
  EXPECT_THROW(core.reg(3, 0), std::out_of_range);
  EXPECT_THROW(core.setReg(3, 0, 1), std::out_of_range);
  EXPECT_THROW(core.setReg(2, 256, 1), std::out_of_range);
}

TEST(ControllerSimRegisters, LoadsAFileAndRefusesABadOneWhole) {
  testsupport::TempDir dir;
  const auto write = [&dir](const std::string &name, const std::string &text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  };
  ControllerSim sim(1);
  sim.loadRegisterFile(write("good.txt", "address 5\n16 7\naddress 1\n16 9\n"));
  EXPECT_EQ(sim.addresses(), (std::vector<uint8_t>{1, 5}));
  EXPECT_EQ(sim.reg(16), 9);
  EXPECT_EQ(sim.reg(5, 16), 7);
  EXPECT_EQ(sim.reg(5, 17), RegisterBank::Defaults()[17]);

  // The fault is on line 3: nothing of the file is taken.
  try {
    sim.loadRegisterFile(write("bad.txt", "address 6\n16 1\n17 x\n"));
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error &e) {
    EXPECT_NE(std::string(e.what()).find("第 3 行"), std::string::npos) << e.what();
  }
  EXPECT_EQ(sim.addresses(), (std::vector<uint8_t>{1, 5}));
  EXPECT_THROW(sim.loadRegisterFile((dir / "missing.txt").string()), std::runtime_error);
  EXPECT_THROW(sim.loadRegisterFile(dir.str()), std::runtime_error);  // a directory
}

// The file the demo starts its controllers from.
TEST(ControllerSimRegisters, DemoFileHoldsBothControllers) {
  ControllerSim sim(1);
  sim.loadRegisterFile(DEMO_REGISTER_FILE);
  EXPECT_EQ(sim.addresses(), (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(sim.reg(1, 1), 1);
  EXPECT_EQ(sim.reg(1, 2), 1);
  EXPECT_EQ(sim.reg(1, 16), 325);
  EXPECT_EQ(sim.reg(1, 24), 600);
  for (int r = 32; r <= 41; ++r) EXPECT_EQ(sim.reg(1, r), 1) << r;
  EXPECT_EQ(sim.reg(1, plc::kRegPlanEnable), plc::kPlanEnableOn);
  // Monday to Friday, period 0, 08:00 to 22:00.
  const uint32_t bits = sim.reg(1, 81) | uint32_t{sim.reg(1, 82)} << 16;
  for (int day = 0; day < plc::kPlanDayCount; ++day) {
    const bool weekday = day >= 1 && day <= 5;
    EXPECT_EQ((bits >> plc::PlanEnableBit(day, 0)) & 1, weekday ? 1u : 0u) << day;
    if (!weekday) continue;
    EXPECT_EQ(sim.reg(1, plc::PlanOnRegister(day, 0)), plc::PackPlanTime(8, 0)) << day;
    EXPECT_EQ(sim.reg(1, plc::PlanOffRegister(day, 0)), plc::PackPlanTime(22, 0)) << day;
  }
  EXPECT_EQ(bits & ~0x111110u, 0u);
  const uint16_t logic1[] = {plc::PackLogicWord(0, 0, 0), plc::PackLogicWord(0, 1, 0),
                             plc::PackLogicWord(1, 2, 0), plc::PackLogicWord(1, 3, 0)};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(sim.reg(1, plc::kRegLogicFirst + i), logic1[i]) << i;
  EXPECT_EQ(sim.reg(1, plc::kRegLogicFirst + 4), plc::kLogicEmpty);

  EXPECT_EQ(sim.reg(2, 17), 80);
  EXPECT_EQ(sim.reg(2, plc::kRegLogicFirst), plc::PackLogicWord(0, 0, 0));
  EXPECT_EQ(sim.reg(2, plc::kRegLogicFirst + 1), plc::PackLogicWord(0, 1, 0));
  EXPECT_EQ(sim.reg(2, plc::kRegLogicFirst + 2), plc::kLogicEmpty);
}

}  // namespace
}  // namespace controller_sim
