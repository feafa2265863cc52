// The serial-port seam: the engine reaches every port through these two classes, so a
// simulated device can stand where a real one would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TLineSettings {
  int BaudRate = 57600;
  int DataBits = 8;
  char Parity = 'N';
  int StopBits = 1;
  // Input is taken only while DSR is active (the probe port wants this, the link does not).
  bool DsrSensitivity = false;
  int ReadTimeoutMs = 1000;
};

class TSerialPort {
 public:
  virtual ~TSerialPort() = default;
  // Opens the named port; on failure returns false and says why in error.
  virtual bool Open(const std::string& name, const TLineSettings& settings,
                    std::string& error) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual const std::string& Name() const = 0;
  virtual bool WriteByte(uint8_t byte) = 0;
  // Copies at most maxCount of the bytes already received; never waits for more.
  virtual size_t Read(uint8_t* buffer, size_t maxCount) = 0;
  virtual void DiscardInput() = 0;
  // Called on the user-interface thread for every change of the DSR line.
  virtual void SetOnDsrChange(std::function<void()> handler) = 0;
};

class TSerialProvider {
 public:
  virtual ~TSerialProvider() = default;
  // The names of the ports present, in the order the system gives them.
  virtual std::vector<std::string> PortNames() = 0;
  virtual std::unique_ptr<TSerialPort> CreatePort() = 0;
};
