// The traffic log of the serial link: one line per event, in time order, each starting with
// the milliseconds since the program started. Lines reach the file as they happen.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "core/EventLoop.h"
#include "core/SerialPort.h"

class TTraceLog {
 public:
  explicit TTraceLog(TEventLoop& loop) : Loop(loop) {}
  ~TTraceLog();
  // False, with the system's reason, when the file cannot be created.
  bool Open(const std::string& path, std::string& error);
  void Line(const std::string& text);
  void Bytes(const char* event, const std::string& port, const uint8_t* bytes, size_t count);

 private:
  TEventLoop& Loop;
  FILE* File = nullptr;
};

// Ports that log every open, close, byte written, DSR change and read of the ports of another
// provider.
class TTracingSerialProvider : public TSerialProvider {
 public:
  TTracingSerialProvider(TSerialProvider& inner, TTraceLog& log) : Inner(inner), Log(log) {}
  std::vector<std::string> PortNames() override { return Inner.PortNames(); }
  std::unique_ptr<TSerialPort> CreatePort() override;

 private:
  TSerialProvider& Inner;
  TTraceLog& Log;
};

// Opens the log in path and returns ports of serial that write to it; when the file cannot
// be created, says so on standard error (as program) and returns none.
std::unique_ptr<TSerialProvider> OpenTrace(TTraceLog& log, const std::string& path, TSerialProvider& serial,
                                           const char* program);
