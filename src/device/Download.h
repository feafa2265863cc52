// Fetching the recordings stored in the device: the list of the download window, one file
// after another from the highest number down, each in 16-byte FTP blocks into a device file,
// and the device told at the end, its memory formatted when the operator asks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/EventLoop.h"
#include "device/QLNDevice.h"

class TDevices;

struct TDownloadRow {
  int FileNumber = 0;
  bool Checked = true;
  std::string Status;
  std::string Name;  // editable: the file's name in the destination directory
  int Points = 0;
  int Progress = -1;  // percent, -1 while none is shown
};

// The window that shows the list.
class TDownloadView {
 public:
  virtual ~TDownloadView() = default;
  virtual void RowsChanged() = 0;
  virtual void RowChanged(int row) = 0;
  virtual void SelectRow(int row) = 0;
  virtual void HideWindow() = 0;
  // A numbered message, shown modally.
  virtual void ShowMessage(int message) = 0;
};

class TDownload {
 public:
  TDownload(TEventLoop& loop, TGLOB& glob, TDeviceView& deviceView, TDevices& devices);
  ~TDownload();

  // Fills the list from the device's file tables.
  void FormShow(TQLNDevice& device);
  // Starts fetching file FileIndex; false when its file cannot be created.
  bool Button2Click(TQLNDevice& device);
  void Button1Click();
  void DelayTimerTimer();
  void OnFtpReply(TQLNDevice& device);
  // Stores one block of 16 image bytes; true when the file is complete.
  bool StoreFileBlock(TQLNDevice& device, uint8_t* block);
  // A download cut short: the partial file is removed and the state made clean for the next.
  void Abort();

  std::vector<TDownloadRow> Rows;
  bool Move = false;  // delete the files from the device after the download
  int BytesReceived = 0;
  int DownloadProgress = 0;
  std::unique_ptr<TTimer> DelayTimer;
  TDownloadView* View = nullptr;

 private:
  void SetRow(int row, const std::string& status, int progress);
  TQLNDevice* Device() const;
  TEventLoop& Loop;
  TGLOB& Glob;
  TDeviceView& DeviceView;
  TDevices& Devices;
};

// " [yyyy-mm-dd] (hh-mm-ss).vt1": the name a stored recording gets from its start.
std::string DownloadFileName(double start);
