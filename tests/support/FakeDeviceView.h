// The control panel as a device sees it, recording what it is told.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "device/DeviceView.h"
#include "device/Discovery.h"
#include "device/InfoRows.h"

class TFakeDeviceView : public TDeviceView {
 public:
  std::map<int, std::string> Texts;
  std::map<int, std::vector<std::string>> TextHistory;
  std::map<int, int> Images;
  std::map<int, std::string> Hints;
  std::vector<std::string> Displays = {"?.?", "?", "?.?"};
  std::map<int, bool> Buttons;
  int PanelsAdded = 0, PanelsRemoved = 0, PanelsShown = 0;
  bool Recording = false;
  int RecordingsStopped = 0;
  bool DownloadVisible = false;
  TDiscovery* Discovery = nullptr;

  void SetStatusText(int panel, const std::string& text) override {
    Texts[panel] = text;
    TextHistory[panel].push_back(text);
  }
  void SetStatusImage(int panel, int image) override { Images[panel] = image; }
  void SetStatusHint(int panel, const std::string& hint) override { Hints[panel] = hint; }
  void SetDisplays(const std::string& v, const std::string& f, const std::string& m) override {
    Displays = {v, f, m};
  }
  int AddDevicePanel() override { return PanelsAdded++; }
  void ShowInfoPanel(int, TInfoPanel&) override { ++PanelsShown; }
  void InfoRowChanged(int, int) override {}
  void RemoveDevicePanel(int) override { ++PanelsRemoved; }
  void SetButtonEnabled(TPanelButton button, bool enabled) override { Buttons[button] = enabled; }
  bool RecordingRunning() override { return Recording; }
  void StopRecording() override {
    Recording = false;
    ++RecordingsStopped;
  }
  void EnableScanTimer() override {
    if (Discovery) Discovery->ScanTimer->SetEnabled(true);
  }
  bool DownloadWindowVisible() override { return DownloadVisible; }
  void HideDownloadWindow() override { DownloadVisible = false; }
  char DecimalSeparator() override { return '.'; }
};
