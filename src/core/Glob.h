// TGLOB: the program's global state. It owns the settings block (the settings file is its
// byte image) and the state that several windows share.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "monitor/MonitorChart.h"
#include "monitor/Ventilation.h"
#include "recording/DeviceFileHeader.h"
#include "recording/HeartRate.h"
#include "recording/RecordingHeader.h"

class TGLOB {
 public:
  // programPath: the program file; the settings file lies beside it with the extension .cfg.
  // Reads the settings file, writing the defaults when it is missing or not accepted.
  // A state object that is not persistent keeps the defaults and writes nothing.
  explicit TGLOB(const std::string& programPath, bool persistent = true);
  // Writes the settings file, then empties the chart.
  ~TGLOB();
  TGLOB(const TGLOB&) = delete;
  TGLOB& operator=(const TGLOB&) = delete;

  void LoadConfig();
  // A settings file that cannot be written is passed over silently.
  void SaveConfig() const;

  // Removes every series and axis of the chart; empties every series but keeps them.
  void ClearChart() { Monitor.ClearChart(); }
  void ClearSeries() { Monitor.ClearSeries(); }

  static int BcdToInt(uint8_t bcd);
  static uint8_t IntToBcd(int value);

  // Texts in the language on screen.
  const char* MainText(int row) const;
  const char* DeviceInfoText(int row) const;
  const char* ButtonHint(int row) const;
  const char* PointPrompt(int row) const;
  // The language of the lookups: the one on screen, or the chosen one before the first
  // ApplyLanguage has put any on screen.
  int LookupLanguage() const;

  TSettings Settings;
  const bool Persistent;

  // Language whose texts are on screen; -1 until the first ApplyLanguage.
  int AppliedLanguage = -1;
  std::string ConfigFileName;
  std::string PresetFileName;

  // Serial ports and discovery. PortScanFlags has one entry per port, however many.
  std::vector<std::string> ComPortNames;
  int ScanPos = -1;
  std::vector<int32_t> PortScanFlags;
  int DeviceCount = 0;
  // The last status byte of the device shown on the status bar, kept across links.
  uint8_t LastStatusShown = 0;

  // Live recording. ElapsedSpan is the span ElapsedText prints.
  bool MarkPending = false;
  double ElapsedOrigin = 0;
  double ElapsedSpan = 0;
  std::string ElapsedText;
  std::string FileNamePostfix;

  // The one recording: its header and the chart whose series hold its rows.
  TRecordingHeader RecordingHeader;
  TMonitorChart Monitor{Settings};

  // The ventilation analysis: the rows picked and the figures from them.
  int CalcPoints[3] = {0, 0, 0};
  int CalcPointCount = 0;
  TVentilation Ventilation;

  // Files.
  std::string FileName;
  std::string OpenPath;
  std::string HeartRatePath;
  int FileKind = fkDevice;
  bool FileShown = false;
  std::FILE* RecordFile = nullptr;
  bool RecordFileOpen = false;  // a laboratory file is open for writing: a recording runs
  int SnapshotCount = 0;
  std::string SnapshotFileName;
  int32_t StopTimePos = 0, DescriptionPos = 0, DataCountPos = 0;
  TDeviceFileHeader DeviceFileHeader;
  std::FILE* DeviceFile = nullptr;  // the device file being downloaded
  THeartRateParams HeartRateParams;
  bool VT1Filter = false;
  double VT1FilterThreshold = 0.15;
};
