// Simulated serial ports, standing in for the system's when the program runs with --simulate
// and in tests: a set of named ports, one of which has the simulated VT4800 on it.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/EventLoop.h"
#include "core/SerialPort.h"
#include "device/SimulatedDevice.h"

class TSimulatedSerialProvider : public TSerialProvider {
 public:
  // No ports at all: a system without serial ports.
  explicit TSimulatedSerialProvider(TEventLoop& loop);
  TSimulatedSerialProvider(TEventLoop& loop, std::vector<std::string> ports, std::string devicePort);

  std::vector<std::string> PortNames() override;
  std::unique_ptr<TSerialPort> CreatePort() override;

  // Ports that refuse to open, as a port held by another program would.
  std::set<std::string> Unopenable;
  TSimulatedVT4800 Device;
  const std::string DevicePort;

 private:
  friend class TSimulatedPort;
  TEventLoop& Loop;
  std::vector<std::string> Ports;
  std::set<std::string> OpenPorts;
};
