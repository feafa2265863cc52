// A serial port the test plays the device on: it hands frames to the program with a DSR
// change and keeps what the program wrote.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/SerialPort.h"

struct TScriptedLine {
  std::deque<uint8_t> Input;
  std::vector<uint8_t> Written;
  std::function<void()> OnDsr;
  bool Open = false;
  bool RefuseOpen = false;
  // Puts a frame on the line and raises DSR at once.
  void Deliver(const std::vector<uint8_t>& frame) {
    Input.insert(Input.end(), frame.begin(), frame.end());
    if (OnDsr) OnDsr();
  }
};

class TScriptedProvider : public TSerialProvider {
 public:
  std::vector<std::string> Names = {"COM1"};
  TScriptedLine Line;  // every port of this provider is this one line
  std::vector<std::string> PortNames() override { return Names; }
  std::unique_ptr<TSerialPort> CreatePort() override;
};

// A 25-byte frame: start mark, device type 4, the status and the reply code, then payload
// bytes from byte 5.
std::vector<uint8_t> Frame(uint8_t status, uint8_t code, std::vector<uint8_t> payload = {});
