#pragma once
// Projects the model tests, the fuzz seeds and the benchmark share.
#include <cstdint>
#include <string>
#include <vector>

#include "controller_editor/model/project.h"

namespace selkan_test {

// A controller "PLC" with address 5.
selkan::Project ControllerProject();
// The controller and its output "01" (number 0, unassigned).
selkan::Project OutputProject();
// Only a device of controller 0 with ID 0, "设备1", entries (output 0,
// delay 10) and (output 3, delay 25); no controller or outputs.
selkan::Project DeviceProject();
// Empty lists; item 0 of block 0 in use with a 64-byte name and the
// scaling -20, 268, 6.
selkan::Project ItemProject();

struct NamedProject {
  std::string name;
  selkan::Project project;
};
// The empty project and the four above.
std::vector<NamedProject> GoldenProjects();

// Controller "PLC" (address 1), output 0 assigned to device "风扇" (ID 0).
selkan::Project ExampleProject();

// One controller at address with outputs 0..9 and one device "A" on
// outputs 0 (delay 10) and 3 (delay 25): a logic list of two entries.
selkan::Project OneDeviceProject(int32_t address);

// The largest project the editor makes: 256 controllers with 10 outputs
// each, 10 devices per controller with one entry each, 32 status items per
// controller.
selkan::Project LargestProject();

// Every list as full as the editor lets it grow, made with the editor's own
// operations: 256 controllers with ten outputs and sixteen devices each, the
// first device of each switching all ten outputs; controller 0's name is as
// long as a name can be.
selkan::Project FullProject();

}  // namespace selkan_test
