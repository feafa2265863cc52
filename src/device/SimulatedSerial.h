// Simulated serial ports, standing in for the system's when the program runs with --simulate
// and in tests.
#pragma once

#include "core/SerialPort.h"

class TSimulatedSerialProvider : public TSerialProvider {
 public:
  std::vector<std::string> PortNames() override;
  std::unique_ptr<TSerialPort> CreatePort() override;
};
