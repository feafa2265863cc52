// What the device link and the discovery change on the control panel. The control panel
// implements it; the engine's tests use a recording fake.
#pragma once

#include <string>

struct TInfoPanel;

enum TPanelButton { pbOpen, pbPrint, pbBMP, pbSaveAs, pbStart, pbMark, pbStop };

// Status bar panels.
enum TStatusPanel { spLink = 0, spReply = 1, spPort = 2, spReadiness = 3, spBattery = 4 };

// Images of the status bar.
enum TStatusImage {
  siNoDevice = 0,
  siLinked = 1,
  siLinkedValues = 2,
  siNoBattery = 3,
  siBatteryLow = 4,
  siBatteryQuarter = 5,
  siBatteryHalf = 6,
  siBatteryFull = 7
};

class TDeviceView {
 public:
  virtual ~TDeviceView() = default;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  virtual void SetStatusImage(int panel, int image) = 0;
  virtual void SetStatusHint(int panel, const std::string& hint) = 0;
  virtual void SetDisplays(const std::string& v, const std::string& f, const std::string& m) = 0;
  // The Devices page: a panel per device object, filled once the device has identified itself.
  // AddDevicePanel returns the page's active panel index at that moment.
  virtual int AddDevicePanel() = 0;
  virtual void ShowInfoPanel(int panel, TInfoPanel& rows) = 0;
  virtual void InfoRowChanged(int panel, int row) = 0;
  virtual void RemoveDevicePanel(int panel) = 0;
  virtual void SetButtonEnabled(TPanelButton button, bool enabled) = 0;
  virtual bool RecordingRunning() = 0;
  // Stops the recording as the Stop button does.
  virtual void StopRecording() = 0;
  // Discovery goes on.
  virtual void EnableScanTimer() = 0;
  virtual bool DownloadWindowVisible() = 0;
  virtual void HideDownloadWindow() = 0;
  // The decimal separator of the operator's numbers.
  virtual char DecimalSeparator() = 0;
};
