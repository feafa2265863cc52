// The system's serial ports through POSIX termios. A watcher thread waits for DSR changes
// and posts each one to the event loop, so the handler runs on the user-interface thread.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/EventLoop.h"
#include "core/SerialPort.h"

class TPosixSerialProvider : public TSerialProvider {
 public:
  // listPorts: the names of the system's ports (the program asks Qt for them).
  TPosixSerialProvider(TEventLoop& loop, std::function<std::vector<std::string>()> listPorts);
  std::vector<std::string> PortNames() override;
  std::unique_ptr<TSerialPort> CreatePort() override;

 private:
  TEventLoop& Loop;
  std::function<std::vector<std::string>()> ListPorts;
};
