#include "device/TraceLog.h"

#include <cerrno>
#include <cstring>

TTraceLog::~TTraceLog() {
  if (File) std::fclose(File);
}

bool TTraceLog::Open(const std::string& path, std::string& error) {
  File = std::fopen(path.c_str(), "w");
  if (!File) {
    error = std::strerror(errno);
    return false;
  }
  // Every line reaches the system when it is written: a log of a crash is whole up to it.
  std::setvbuf(File, nullptr, _IOLBF, 4096);
  return true;
}

void TTraceLog::Line(const std::string& text) {
  if (File) std::fprintf(File, "%.3f %s\n", Loop.ElapsedMs(), text.c_str());
}

void TTraceLog::Bytes(const char* event, const std::string& port, const uint8_t* bytes, size_t count) {
  if (!File) return;
  std::string line = std::string(event) + " " + port;
  char hex[4];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
    line += hex;
  }
  Line(line);
}

namespace {

class TTracingPort : public TSerialPort {
 public:
  TTracingPort(std::unique_ptr<TSerialPort> inner, TTraceLog& log) : Inner(std::move(inner)), Log(log) {}

  bool Open(const std::string& name, const TLineSettings& settings, std::string& error) override {
    const bool opened = Inner->Open(name, settings, error);
    Log.Line((opened ? "open " : "open-failed ") + name + (opened ? "" : " " + error));
    return opened;
  }
  void Close() override {
    if (Inner->IsOpen()) Log.Line("close " + Inner->Name());
    Inner->Close();
  }
  bool IsOpen() const override { return Inner->IsOpen(); }
  const std::string& Name() const override { return Inner->Name(); }
  bool WriteByte(uint8_t byte) override {
    Log.Bytes("tx", Inner->Name(), &byte, 1);
    return Inner->WriteByte(byte);
  }
  size_t Read(uint8_t* buffer, size_t maxCount) override {
    const size_t count = Inner->Read(buffer, maxCount);
    Log.Bytes("rx", Inner->Name(), buffer, count);
    return count;
  }
  void DiscardInput() override { Inner->DiscardInput(); }
  void SetOnDsrChange(std::function<void()> handler) override {
    if (!handler) {
      Inner->SetOnDsrChange(nullptr);
      return;
    }
    Inner->SetOnDsrChange([this, handler = std::move(handler)] {
      Log.Line("dsr " + Inner->Name());
      handler();
    });
  }

 private:
  std::unique_ptr<TSerialPort> Inner;
  TTraceLog& Log;
};

}  // namespace

std::unique_ptr<TSerialPort> TTracingSerialProvider::CreatePort() {
  return std::make_unique<TTracingPort>(Inner.CreatePort(), Log);
}

std::unique_ptr<TSerialProvider> OpenTrace(TTraceLog& log, const std::string& path, TSerialProvider& serial,
                                           const char* program) {
  std::string error;
  if (log.Open(path, error)) return std::make_unique<TTracingSerialProvider>(serial, log);
  std::fprintf(stderr, "%s: cannot create the trace file %s: %s\n", program, path.c_str(), error.c_str());
  return nullptr;
}
