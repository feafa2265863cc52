#include "device/Discovery.h"

#include <algorithm>

#include "core/Format.h"
#include "core/Glob.h"
#include "device/DeviceView.h"
#include "device/Devices.h"

namespace {

constexpr int ScanIntervalMs = 1000;
constexpr size_t ProbeReadBytes = 20;

TLineSettings ProbeLineSettings() {
  TLineSettings s;
  s.DsrSensitivity = true;
  s.ReadTimeoutMs = 100;
  return s;
}

}  // namespace

TDiscovery::TDiscovery(const TDeviceContext& context, TDevices& devices)
    : Context(context), Devices(devices) {
  ScanTimer = Context.Loop.CreateTimer(ScanIntervalMs, false, [this] { ScanTimerTimer(); });
  ScanComPort = Context.Serial.CreatePort();
  ScanComPort->SetOnDsrChange([this] { ScanComPortRxFlag(); });
}

TDiscovery::~TDiscovery() {
  ScanComPort->SetOnDsrChange(nullptr);
  ScanComPort->Close();
}

void TDiscovery::BuildPortList() {
  TGLOB& glob = Context.Glob;
  glob.ComPortNames = Context.Serial.PortNames();
  if (glob.ComPortNames.empty()) {
    Context.View.SetStatusText(spPort, "No COM ports in the system!");
    return;
  }
  std::sort(glob.ComPortNames.begin(), glob.ComPortNames.end());
  // One flag for every port, however many the system has.
  glob.PortScanFlags.assign(glob.ComPortNames.size(), 1);
}

void TDiscovery::CloseScanPort() { ScanComPort->Close(); }

void TDiscovery::ScanTimerTimer() {
  TGLOB& glob = Context.Glob;
  TDeviceView& view = Context.View;
  ScanComPort->Close();
  if (!PendingPort.empty()) {
    const std::string port = PendingPort;
    PendingPort.clear();
    ScanTimer->SetEnabled(false);
    Devices.Add(port, Context);
    return;
  }
  const int count = static_cast<int>(glob.ComPortNames.size());
  do {
    ++glob.ScanPos;
    if (glob.ScanPos >= count) {
      ScanTimer->SetEnabled(false);
      glob.ScanPos = -1;
      view.SetStatusText(spReply, "");
      view.SetStatusText(spPort, glob.MainText(97));
      ScanComPort->Close();
      return;
    }
  } while (glob.PortScanFlags[static_cast<size_t>(glob.ScanPos)] == 0);
  const std::string& name = glob.ComPortNames[static_cast<size_t>(glob.ScanPos)];
  view.SetStatusText(spPort, glob.MainText(98) + name);
  view.SetStatusText(spReply, "");
  std::string error;
  if (!ScanComPort->Open(name, ProbeLineSettings(), error)) {
    view.SetStatusText(spPort, glob.MainText(100) + name);
    glob.PortScanFlags[static_cast<size_t>(glob.ScanPos)] = 0;
    return;
  }
  ScanComPort->WriteByte(ProbeByte);
  view.SetButtonEnabled(pbStart, glob.DeviceCount != 0);
}

void TDiscovery::ScanComPortRxFlag() {
  uint8_t answer[ProbeReadBytes] = {};
  ScanComPort->Read(answer, sizeof answer);
  ScanComPort->DiscardInput();
  TDeviceView& view = Context.View;
  if (answer[0] != FrameStart) {
    view.SetStatusText(spReply, "***");
    return;
  }
  TGLOB& glob = Context.Glob;
  if (glob.ScanPos < 0 || static_cast<size_t>(glob.ScanPos) >= glob.ComPortNames.size()) return;
  const std::string& name = glob.ComPortNames[static_cast<size_t>(glob.ScanPos)];
  view.SetStatusText(spPort, glob.MainText(99) + name);
  view.SetStatusImage(spLink, siNoDevice);
  view.SetButtonEnabled(pbStart, true);
  glob.PortScanFlags[static_cast<size_t>(glob.ScanPos)] = 0;
  PendingPort = name;
}

void TDiscovery::HTMLStatusBar1PanelClick(int panel) {
  TQLNDevice* device = Devices.First();
  if (panel == spLink) {
    if (device) return;
    Context.Glob.ScanPos = -1;
    ScanTimer->SetEnabled(true);
    Context.View.SetStatusText(spReply, "---");
  } else if (panel == spBattery && device) {
    device->QueueCommand(rqGetUBatt, 0);
    Context.View.SetStatusHint(
        spBattery, "V BATT = " + FormatFixed(device->BatteryVolts, 2, Context.View.DecimalSeparator()) + "V");
  }
}
