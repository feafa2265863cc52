// The device as the command-line tool follows it: nothing to show but what it prints at the
// end; the discovery goes on when a link is lost.
#pragma once

#include "device/DeviceView.h"
#include "device/Discovery.h"
#include "panel/LiveRecording.h"

class TCliDeviceView : public TDeviceView {
 public:
  TDiscovery* Discovery = nullptr;
  TLiveRecording* Recording = nullptr;
  void SetStatusText(int, const std::string&) override {}
  void SetStatusImage(int, int) override {}
  void SetStatusHint(int, const std::string&) override {}
  void SetDisplays(const std::string&, const std::string&, const std::string&) override {}
  int AddDevicePanel() override { return 0; }
  void ShowInfoPanel(int, TInfoPanel&) override {}
  void InfoRowChanged(int, int) override {}
  void RemoveDevicePanel(int) override {}
  void SetButtonEnabled(TPanelButton, bool) override {}
  bool RecordingRunning() override { return Recording && Recording->Running(); }
  void StopRecording() override { Recording->Stop(); }
  void EnableScanTimer() override {
    if (Discovery) Discovery->ScanTimer->SetEnabled(true);
  }
  bool DownloadWindowVisible() override { return false; }
  void HideDownloadWindow() override {}
  char DecimalSeparator() override { return '.'; }
};
