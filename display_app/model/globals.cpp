#include "display_app/model/globals.h"

#include "display_app/test_seams.h"

namespace morvit {

TCommunicationParm CommParm;
int32_t SelectedScreen = 0;
double TemperatureRing[kTemperatureRingSize] = {};
double CurrentTemperature = 0.0;

void resetGlobalsForTests() {
  CommParm = TCommunicationParm{};
  SelectedScreen = 0;
  for (double &sample : TemperatureRing) sample = 0.0;
  CurrentTemperature = 0.0;
}

}  // namespace morvit
