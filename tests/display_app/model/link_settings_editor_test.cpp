// The link settings dialog's working copy.
#include <gtest/gtest.h>

#include "display_app/model/link_settings_editor.h"

namespace morvit {
namespace {

TPlcParmArray Controllers() {
  TPlcParmArray c(3);
  c[0].Name = "一号";
  c[0].Addr = 5;
  c[0].Comm = 2;
  c[1].Name = "二号";
  c[1].Addr = 40;
  c[1].ConnMode = 1;
  c[1].Comm = 0;
  c[2].Name = "三号";
  c[2].Addr = 31;
  c[2].Comm = 32;
  return c;
}

TEST(LinkSettingsEditor, ShowsTheChosenController) {
  LinkSettingsEditor editor(Controllers(), 0);
  EXPECT_EQ(editor.controllerNames(), (std::vector<std::string>{"一号", "二号", "三号"}));
  EXPECT_EQ(LinkSettingsEditor::AddressLines().front(), "00");
  EXPECT_EQ(LinkSettingsEditor::AddressLines().back(), "31");
  EXPECT_EQ(LinkSettingsEditor::PortLines().back(), "32");
  struct Case {
    int chosen;
    bool network;
    int addressLine;
    int portLine;
  } cases[] = {{0, false, 5, 1}, {1, true, -1, -1}, {2, false, 31, 31}};
  for (const Case &c : cases) {
    editor.choose(c.chosen);
    EXPECT_EQ(editor.networkMode(), c.network) << c.chosen;
    EXPECT_EQ(editor.addressLine(), c.addressLine) << c.chosen;
    EXPECT_EQ(editor.portLine(), c.portLine) << c.chosen;
    EXPECT_EQ(editor.ip(), "192.168.0.1");
    EXPECT_EQ(editor.portText(), "6666");
  }
}

TEST(LinkSettingsEditor, EditsOnlyTheChosenController) {
  LinkSettingsEditor editor(Controllers(), 2);
  editor.setAddressLine(7);
  editor.setPortLine(0);
  editor.setNetworkMode(true);
  editor.setIP("127.0.0.1");
  editor.setPortText("abc");
  const TPlcParm &c = editor.controllers()[2];
  EXPECT_EQ(c.Addr, 7);
  EXPECT_EQ(c.Comm, 1);
  EXPECT_EQ(c.ConnMode, 1);
  EXPECT_EQ(c.IP, "127.0.0.1");
  EXPECT_EQ(c.Port, 6666);
  editor.setPortText("6001");
  EXPECT_EQ(editor.controllers()[2].Port, 6001);
  // Address 40 stays 40 until a line is chosen; lines outside the lists are ignored.
  editor.choose(1);
  editor.setAddressLine(-1);
  editor.setAddressLine(32);
  EXPECT_EQ(editor.controllers()[1].Addr, 40);

  // With none chosen nothing changes.
  LinkSettingsEditor none({}, 0);
  EXPECT_EQ(none.chosen(), -1);
  none.setIP("x");
  none.setAddressLine(3);
  EXPECT_TRUE(none.controllers().empty());
  EXPECT_EQ(none.addressLine(), -1);
  EXPECT_EQ(none.ip(), "");
}

}  // namespace
}  // namespace morvit
