// Finding the device: the serial ports are probed one per second with a probe port, a zero
// byte out, a frame starting with 0x55 back; the first port that answers gets the link.
#pragma once

#include <memory>
#include <string>

#include "core/EventLoop.h"
#include "core/SerialPort.h"
#include "device/QLNDevice.h"

class TDevices;

class TDiscovery {
 public:
  TDiscovery(const TDeviceContext& context, TDevices& devices);
  ~TDiscovery();

  // The system's ports, sorted as text, each to be tried; or the message that there are none.
  void BuildPortList();
  void ScanTimerTimer();
  void ScanComPortRxFlag();
  void HTMLStatusBar1PanelClick(int panel);
  void CloseScanPort();

  std::unique_ptr<TTimer> ScanTimer;
  std::unique_ptr<TSerialPort> ScanComPort;
  // The port that answered, linked at the next tick.
  std::string PendingPort;

 private:
  TDeviceContext Context;
  TDevices& Devices;
};
