#include "ScriptedSerial.h"

#include <algorithm>

namespace {

class TScriptedPort : public TSerialPort {
 public:
  explicit TScriptedPort(TScriptedLine& line) : Line(line) {}
  bool Open(const std::string& name, const TLineSettings&, std::string& error) override {
    PortName = name;
    if (Line.RefuseOpen) {
      error = "refused";
      return false;
    }
    Line.Open = true;
    return true;
  }
  void Close() override { Line.Open = false; }
  bool IsOpen() const override { return Line.Open; }
  const std::string& Name() const override { return PortName; }
  bool WriteByte(uint8_t byte) override {
    Line.Written.push_back(byte);
    return true;
  }
  size_t Read(uint8_t* buffer, size_t maxCount) override {
    const size_t n = std::min(maxCount, Line.Input.size());
    std::copy_n(Line.Input.begin(), n, buffer);
    Line.Input.erase(Line.Input.begin(), Line.Input.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
  }
  void DiscardInput() override { Line.Input.clear(); }
  void SetOnDsrChange(std::function<void()> handler) override { Line.OnDsr = std::move(handler); }

 private:
  TScriptedLine& Line;
  std::string PortName;
};

}  // namespace

std::unique_ptr<TSerialPort> TScriptedProvider::CreatePort() { return std::make_unique<TScriptedPort>(Line); }

std::vector<uint8_t> Frame(uint8_t status, uint8_t code, std::vector<uint8_t> payload) {
  std::vector<uint8_t> frame(25, 0);
  frame[0] = 0x55;
  frame[2] = 4;
  frame[3] = status;
  frame[4] = code;
  std::copy(payload.begin(), payload.end(), frame.begin() + 5);
  return frame;
}
