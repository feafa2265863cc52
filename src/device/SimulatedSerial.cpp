#include "device/SimulatedSerial.h"

namespace {

// A port of a system that has none: it never opens.
class TAbsentPort : public TSerialPort {
 public:
  bool Open(const std::string& name, const TLineSettings&, std::string& error) override {
    PortName = name;
    error = "no such port";
    return false;
  }
  void Close() override {}
  bool IsOpen() const override { return false; }
  const std::string& Name() const override { return PortName; }
  bool WriteByte(uint8_t) override { return false; }
  size_t Read(uint8_t*, size_t) override { return 0; }
  void DiscardInput() override {}
  void SetOnDsrChange(std::function<void()>) override {}

 private:
  std::string PortName;
};

}  // namespace

std::vector<std::string> TSimulatedSerialProvider::PortNames() { return {}; }

std::unique_ptr<TSerialPort> TSimulatedSerialProvider::CreatePort() {
  return std::make_unique<TAbsentPort>();
}
