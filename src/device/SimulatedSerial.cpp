#include "device/SimulatedSerial.h"

#include <algorithm>
#include <deque>

class TSimulatedPort : public TSerialPort {
 public:
  explicit TSimulatedPort(TSimulatedSerialProvider& provider) : Provider(provider) {}
  ~TSimulatedPort() override { Close(); }

  bool Open(const std::string& name, const TLineSettings&, std::string& error) override {
    Close();
    PortName = name;
    const auto& ports = Provider.Ports;
    if (std::find(ports.begin(), ports.end(), name) == ports.end()) {
      error = "no such port";
      return false;
    }
    if (Provider.Unopenable.count(name) || Provider.OpenPorts.count(name)) {
      error = "port busy";
      return false;
    }
    Provider.OpenPorts.insert(name);
    Opened = true;
    if (name == Provider.DevicePort) {
      *Alive = true;
      Provider.Device.Connect([this, alive = Alive](const std::vector<uint8_t>& frame) {
        if (!*alive) return;
        Input.insert(Input.end(), frame.begin(), frame.end());
        // DSR changes reach the program through its event loop, as the system's do.
        Provider.Loop.Post([this, alive] {
          if (*alive && OnDsr) OnDsr();
        });
      });
    }
    return true;
  }

  void Close() override {
    if (!Opened) return;
    Opened = false;
    Provider.OpenPorts.erase(PortName);
    if (PortName == Provider.DevicePort) Provider.Device.Disconnect();
    *Alive = false;
    Alive = std::make_shared<bool>(false);
    Input.clear();
  }

  bool IsOpen() const override { return Opened; }
  const std::string& Name() const override { return PortName; }

  bool WriteByte(uint8_t byte) override {
    if (!Opened) return false;
    if (PortName == Provider.DevicePort) Provider.Device.ReceiveByte(byte);
    return true;
  }

  size_t Read(uint8_t* buffer, size_t maxCount) override {
    const size_t count = std::min(maxCount, Input.size());
    std::copy_n(Input.begin(), count, buffer);
    Input.erase(Input.begin(), Input.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
  }

  void DiscardInput() override { Input.clear(); }
  void SetOnDsrChange(std::function<void()> handler) override { OnDsr = std::move(handler); }

 private:
  TSimulatedSerialProvider& Provider;
  std::string PortName;
  bool Opened = false;
  std::deque<uint8_t> Input;
  std::function<void()> OnDsr;
  // Frames and DSR changes still on their way find out whether this port is still there.
  std::shared_ptr<bool> Alive = std::make_shared<bool>(false);
};

TSimulatedSerialProvider::TSimulatedSerialProvider(TEventLoop& loop)
    : TSimulatedSerialProvider(loop, {}, "") {}

TSimulatedSerialProvider::TSimulatedSerialProvider(TEventLoop& loop, std::vector<std::string> ports,
                                                   std::string devicePort)
    : Device(loop), DevicePort(std::move(devicePort)), Loop(loop), Ports(std::move(ports)) {}

std::vector<std::string> TSimulatedSerialProvider::PortNames() { return Ports; }

std::unique_ptr<TSerialPort> TSimulatedSerialProvider::CreatePort() {
  return std::make_unique<TSimulatedPort>(*this);
}
