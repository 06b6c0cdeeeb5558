#pragma once
// Shared pieces of the power management window tests: "User.ini" files in
// code page 936 (kDemoIni and Gbk come from the model tests) and lookups of
// a form's controls by name.
#include <QString>
#include <string>

#include <gtest/gtest.h>

#include "platform/ui/component.h"
#include "tests/display_app/model/model_fixture.h"

namespace morvit::testing {

// A control of owner by its name; fails the test when there is none.
template <class T>
T *Named(const ui::Component &owner, const QString &name) {
  for (ui::Component *c : owner.components()) {
    if (c->name() == name) {
      auto *typed = dynamic_cast<T *>(c);
      EXPECT_NE(typed, nullptr) << name.toStdString() << " has another type";
      return typed;
    }
  }
  ADD_FAILURE() << "no control named " << name.toStdString();
  return nullptr;
}

// Three controllers; the second and third have devices of their own.
inline const char *kThreeControllersIni =
    "; exported\r\n"
    "[Parms]\r\n"
    "TemWarn=54\r\n"
    "[PLCParms]\r\n"
    "Count=3\r\n"
    "Name0=1号屏柜\r\nAddr0=5\r\nComm0=3\r\nConnMode0=0\r\nIP0=127.0.0.1\r\nPort0=6001\r\n"
    "Name1=2号屏柜\r\nAddr1=40\r\nComm1=1\r\nConnMode1=1\r\nIP1=127.0.0.1\r\nPort1=6002\r\n"
    "Name2=3号屏柜\r\nAddr2=2\r\nComm2=2\r\nConnMode2=1\r\nIP2=127.0.0.1\r\nPort2=6003\r\n"
    "[DeviceParms]\r\n"
    "Count=2\r\n"
    "Name0=左屏\r\nPLC_ID0=0\r\nID0=0\r\n"
    "Name1=主屏\r\nPLC_ID1=2\r\nID1=0\r\n"
    "[DoParms]\r\n"
    "Count=2\r\n"
    "PLC_ID0=0\r\nLC_ID0=0\r\nOutput0=0\r\n"
    "PLC_ID1=2\r\nLC_ID1=0\r\nOutput1=1\r\n";

}  // namespace morvit::testing
