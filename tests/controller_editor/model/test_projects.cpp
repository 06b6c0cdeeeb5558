#include "tests/controller_editor/model/test_projects.h"

#include "platform/number_text.h"

using selkan::Project;

namespace selkan_test {

Project ControllerProject() {
  Project p;
  selkan::TPLCParm c;
  c.Name = "PLC";
  c.Addr = 5;
  p.PLCCtrl.Add(c);
  return p;
}

Project OutputProject() {
  Project p = ControllerProject();
  selkan::TOutputParm o;
  o.Name = "01";
  o.LC_ID = -1;
  o.Output = 0;
  p.OutputCtrl.Add(o, 0);
  return p;
}

Project DeviceProject() {
  Project p;
  p.DeviceCtrl.Add(selkan::DeviceDefaultName(p.DeviceCtrl.NameCounter()), 0, 0);
  p.DeviceCtrl.AddEntry(0, selkan::MakeEntry(0, 10));
  p.DeviceCtrl.AddEntry(0, selkan::MakeEntry(3, 25));
  return p;
}

Project ItemProject() {
  Project p;
  auto item = p.Status.Item(0, 0);
  item.SetType(3);
  item.SetName("\xB9\xD8\xB1\xD5");  // 关闭, then the name grows to 64 bytes below
  item.SetID(2);
  item.SetPrecision(1);
  item.SetParm1(-20);
  item.SetParm2(268);
  item.SetParm3(6);
  p.Status.SetCount(0, 1);
  // A full field with no terminator, as the Windows tools could leave it:
  // only the project file's raw bytes can hold it.
  std::vector<uint8_t> raw(p.Status.Bytes().begin(), p.Status.Bytes().end());
  for (size_t i = 0; i < 64; ++i) raw[8 + 8 + 4 + i] = static_cast<uint8_t>('a' + i % 26);
  p.Status.Assign(raw);
  return p;
}

std::vector<NamedProject> GoldenProjects() {
  return {{"empty", Project()},
          {"controller", ControllerProject()},
          {"output", OutputProject()},
          {"device", DeviceProject()},
          {"item", ItemProject()}};
}

Project ExampleProject() {
  Project p;
  selkan::TPLCParm c;
  c.Name = "PLC";
  c.Addr = 1;
  p.PLCCtrl.Add(c);
  selkan::AddOutput(p, 0);
  const int32_t dev = selkan::AddDevice(p, 0);
  p.DeviceCtrl.SetName(dev, "\xB7\xE7\xC9\xC8");  // 风扇
  selkan::AddEntry(p, dev, 0);
  return p;
}

Project OneDeviceProject(int32_t address) {
  Project p;
  selkan::TPLCParm ctrl;
  ctrl.Addr = address;
  p.PLCCtrl.Add(ctrl);
  for (int n = 0; n < 10; ++n) {
    selkan::TOutputParm out;
    out.Output = n;
    p.OutputCtrl.Add(out, 0);
  }
  p.DeviceCtrl.Add("A", 0, 0);
  p.DeviceCtrl.AddEntry(0, selkan::MakeEntry(0, 10));
  p.DeviceCtrl.AddEntry(0, selkan::MakeEntry(3, 25));
  return p;
}

Project LargestProject() {
  Project p;
  for (int32_t n = 0; n < selkan::kMaxControllers; ++n) {
    selkan::AddController(p);
    p.PLCCtrl.SetName(n, "PLC" + platform::FormatInteger(n));
    p.PLCCtrl.SetAddress(n, static_cast<uint8_t>(n % 32));
    for (int32_t k = 0; k < selkan::kOutputsPerController; ++k) selkan::AddOutput(p, n);
  }
  for (int32_t n = 0; n < selkan::kMaxControllers; ++n) {
    for (int32_t k = 0; k < selkan::kOutputsPerController; ++k) {
      const int32_t dev = selkan::AddDevice(p, n);
      selkan::AddEntry(p, dev, n * selkan::kOutputsPerController + k);
    }
    for (int32_t j = 0; j < selkan::StatusRegion::kItems; ++j) {
      auto item = p.Status.Item(n, j);
      item.SetType(1 + j % 7);
      item.SetName("\xB5\xB1\xC7\xB0\xCE\xC2\xB6\xC8" + platform::FormatInteger(j));  // 当前温度
      item.SetID(1 + j % 8);
      item.SetPrecision(j % 3);
      item.SetParm1(-20);
      item.SetParm2(268.5);
      item.SetParm3(1.0 / (j + 3));
    }
    p.Status.SetCount(n, selkan::StatusRegion::kItems);
  }
  return p;
}

Project FullProject() {
  Project p;
  constexpr int32_t kDevicesEach = selkan::kMaxDevices / selkan::kMaxControllers;
  for (int32_t n = 0; n < selkan::kMaxControllers; ++n) {
    selkan::AddController(p);
    for (int32_t k = 0; k < selkan::kOutputsPerController; ++k) selkan::AddOutput(p, n);
    for (int32_t d = 0; d < kDevicesEach; ++d) selkan::AddDevice(p, n);
  }
  for (int32_t n = 0; n < selkan::kMaxControllers; ++n) {
    const int32_t first = selkan::DevicesOf(p, n).front();
    for (int32_t q : selkan::OutputsOf(p, n)) selkan::AddEntry(p, first, q);
  }
  p.PLCCtrl.SetName(0, std::string(selkan::kMaxNameBytes, 'N'));
  return p;
}

}  // namespace selkan_test
