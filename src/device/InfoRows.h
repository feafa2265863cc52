// The rows of a device's information panel on the Devices page: what the device reported and
// what the operator may set. The page shows these rows; edits come back through them.
#pragma once

#include <array>
#include <string>

class TGLOB;

enum TInfoRowIndex {
  irDeviceNumber,
  irVersionFW,
  irProduceDate,
  irSensorNumber,
  irVolume,
  irBpm,
  irVentilation,
  irRecordingFiles,
  irAlarmEnable,
  irAlarmLow,
  irAlarmHigh,
  irKDiv,
  irZeroLevel,
  irBattery,
  irCalendar,
  irClock,
  irSyncClock,
  irFormatMemory,
  irRestoreFiles,
  irEditEnable,
  InfoRowCount
};

enum class TInfoKind { Integer, Number, Check, Date, Time };

struct TInfoRow {
  std::string Caption;
  TInfoKind Kind = TInfoKind::Integer;
  bool Settable = false;  // a row the operator may change; otherwise information
  bool ReadOnly = true;
  bool Visible = true;
  bool Modified = false;  // the operator changed it and has not left it yet
  bool WhiteText = false;
  std::string Text;      // integers and numbers, as shown
  bool Checked = false;  // check rows
  double DateTime = 0;   // date and time rows
};

struct TInfoPanel {
  // Captions in the language on screen now; every row read-only but the switch.
  void Build(const TGLOB& glob);
  // The switch: settable rows become editable, information rows hide; or back.
  void SetEditable(bool editable);
  std::array<TInfoRow, InfoRowCount> Rows;
  bool Built = false;
};
