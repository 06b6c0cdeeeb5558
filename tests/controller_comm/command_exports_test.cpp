// The register commands: the exact frame each one queues, and the numbers
// that would write outside their register block, which queue nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controller_comm/library_state.h"
#include "tarnex.h"

namespace {

using tarnex::LibraryState;

class CommandExports : public ::testing::Test {
 protected:
  void SetUp() override { LibraryState::instance().cleanup(); }
  void TearDown() override { LibraryState::instance().cleanup(); }

  static std::vector<std::string> queuedTexts() {
    std::vector<std::string> texts;
    for (const auto &entry : LibraryState::instance().queuedCommands()) texts.push_back(entry.text);
    return texts;
  }
};

const uint16_t kLogic[10][3] = {{17, 3, 300}, {15, 15, 255}, {15, 15, 255}, {15, 15, 255}, {15, 15, 255},
                                {15, 15, 255}, {15, 15, 255}, {15, 15, 255}, {15, 15, 255}, {15, 15, 255}};

TEST_F(CommandExports, EachCommandQueuesItsWriteFrame) {
  struct Case {
    const char *what;
    std::function<int32_t()> call;
    std::string text;  // without CR LF
  };
  const Case cases[] = {
      {"temperature limit", [] { return CMD_SetTemLimit(1, 55); }, ":011000200001003797"},
      {"humidity limit", [] { return CMD_SetHumLimit(1, 70); }, ":011000210001004687"},
      {"analogue limit 2", [] { return CMD_SetAW(1, 2, 600); }, ":0110001A000102587A"},
      {"plan switch", [] { return CMD_SetTimerEnable(1, 3); }, ":0110004000010003AB"},
      {"clock 2024-03-05 14:07:09",
       [] { return CMD_SetTimeCheck(1, 2024 + 3 * 65536, 5 + 65 * 65536, 2 + 14 * 65536, 7 + 9 * 65536); },
       ":011000970009000107E80003000500410002000E00070009F6"},
      {"output 4 on", [] { return CMD_PowerOnDO(1, 4); }, ":0110003400010001B9"},
      {"output 4 off", [] { return CMD_PowerOffDO(1, 4); }, ":0110003400010002B8"},
      {"device 0 on", [] { return CMD_PowerOnLC(1, 0); }, ":011000B0000100013D"},
      {"device 0 off", [] { return CMD_PowerOffLC(1, 0); }, ":011000B0000100023C"},
      {"device 31 on", [] { return CMD_PowerOnLC(1, 31); }, ":011000CF000100011E"},
      {"logic list", [] { return CMD_SetLogic(1, kLogic); },
       ":011000A0000A132C" + std::string(9 * 4, 'F') + "18"},
      // Only the low 8 bits of the address and the low 16 bits of a value count.
      {"address 0x101", [] { return CMD_PowerOnLC(0x101, 0); }, ":011000B0000100013D"},
      {"value 55 + 65536", [] { return CMD_SetTemLimit(1, 55 + 65536); }, ":011000200001003797"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    LibraryState::instance().cleanup();
    ASSERT_EQ(CMD_Read(1, 0, 64), 1);
    EXPECT_EQ(c.call(), 2);
    const std::string text = c.text + "\r\n";
    EXPECT_EQ(LibraryState::instance().lastFrameText(), text);
    ASSERT_EQ(queuedTexts().size(), 2u);
    EXPECT_EQ(queuedTexts()[1], text);
    EXPECT_EQ(LibraryState::instance().builder().function, 0x10);
    EXPECT_EQ(LibraryState::instance().builder().address, 1);
  }
}

TEST_F(CommandExports, NumbersOutsideTheirBlockAreRefused) {
  struct Case {
    const char *what;
    std::function<int32_t()> call;
  };
  const Case cases[] = {
      {"device -1", [] { return CMD_PowerOnLC(1, -1); }},
      {"device 32 (network settings)", [] { return CMD_PowerOnLC(1, 32); }},
      {"device 52 (factory reset)", [] { return CMD_PowerOffLC(1, 52); }},
      {"output -1", [] { return CMD_PowerOnDO(1, -1); }},
      {"output 10", [] { return CMD_PowerOffDO(1, 10); }},
      {"analogue limit -1", [] { return CMD_SetAW(1, -1, 10); }},
      {"analogue limit 8 (temperature limit)", [] { return CMD_SetAW(1, 8, 10); }},
      {"analogue limit 40 (plan switch)", [] { return CMD_SetAW(1, 40, 10); }},
      {"no logic list", [] { return CMD_SetLogic(1, nullptr); }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    LibraryState::instance().cleanup();
    ASSERT_EQ(CMD_Read(1, 0, 64), 1);
    EXPECT_EQ(c.call(), 0);
    // The earlier command stays queued; nothing is left to send directly.
    EXPECT_EQ(queuedTexts(), std::vector<std::string>{":010300000040BC\r\n"});
    EXPECT_EQ(LibraryState::instance().lastFrameText(), "");
    EXPECT_EQ(LibraryState::instance().builder().function, 0);
    EXPECT_EQ(LibraryState::instance().builder().address, 0);
  }
}

TEST_F(CommandExports, CommandsQueueInOrderAndTheLastIsTheFrameBuiltLast) {
  EXPECT_EQ(CMD_Read(7, 140, 8), 1);
  EXPECT_EQ(CMD_PowerOffLC(7, 3), 2);
  const auto texts = queuedTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].substr(0, 5), ":0703");
  EXPECT_EQ(texts[1].substr(0, 13), ":071000B30001");
  EXPECT_EQ(LibraryState::instance().lastFrameText(), texts[1]);
}

}  // namespace
