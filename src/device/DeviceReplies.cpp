// The reply dispatcher of a linked device: what each reply means, the chain that reads the
// device's parameters after linking, the live values, and the writes of the Devices page.
#include <cmath>
#include <cstdlib>

#include "core/DateTime.h"
#include "core/Glob.h"
#include "device/DeviceView.h"
#include "device/Download.h"
#include "device/QLNDevice.h"

namespace {

bool ValidTime(int hour, int minute, int second) {
  return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

double TimeOfDay(int hour, int minute, int second) {
  return ((hour * 60.0 + minute) * 60.0 + second) / SecondsPerDay;
}

double DateOf(int year, int month, int day) { return EncodeDateTime({year, month, day}); }

// A BCD byte as the device's parameters carry it: widened as a signed byte.
int BcdParameter(int value) { return static_cast<int8_t>(TGLOB::IntToBcd(value)); }

bool ParseInteger(const std::string& text, int& value) {
  const char* begin = text.c_str();
  char* end = nullptr;
  const long parsed = std::strtol(begin, &end, 10);
  while (end && *end == ' ') ++end;
  if (end == begin || !end || *end != '\0') return false;
  value = static_cast<int>(parsed);
  return true;
}

}  // namespace

void TQLNDevice::OnReplyFrame() {
  ReadFrame();
  TDeviceView& view = Context.View;
  if (ReplyFrame[0] != FrameStart || ReplyFrame[2] != DeviceTypeVT4800) {
    view.SetStatusText(spReply, "---");
    WatchdogTimer->SetEnabled(true);
    return;
  }
  StatusByte = ReplyFrame[3];
  Busy = (StatusByte & StatusBusy) != 0;
  ReplyCode = static_cast<int8_t>(ReplyFrame[4]);
  view.SetStatusText(spReply, ReplyName(ReplyCode));
  if (!FirstFrameSeen) {
    QueueCommand(rqGetDevice, 0);
    FirstFrameSeen = true;
    WatchdogTimer->SetEnabled(true);
    return;
  }
  if (ReplyCode >= 0 && ReplyCode < ReplyCodeCount) RepliesSeen |= 1u << ReplyCode;
  switch (ReplyCode) {
    case rpDevice: OnDevice(); break;
    case rpSensor: OnSensor(); break;
    case rpData: OnData(); break;
    case rpClock: QueueCommand(rqGetDevice, 0); break;
    case rpFileCnt: OnFileCnt(); break;
    case rpMalarm: OnMalarm(); break;
    case rpFileSize: OnFileSize(); break;
    case rpKDiv: OnKDiv(); break;
    case rpProduce: OnProduce(); break;
    case rpUBatt: OnUBatt(); break;
    case rpRTC: OnRTC(); break;
    case rpTimeStamp: OnTimeStamp(); break;
    case rpFTP:
      if (Context.Download) Context.Download->OnFtpReply(*this);
      break;
    default: break;
  }
  WatchdogTimer->SetEnabled(true);
}

void TQLNDevice::OnDevice() {
  FirmwareVersion = ReplyFrame[5];
  DeviceNumber = ReplyFrame[6] + 256 * ReplyFrame[7];
  SetRow(irDeviceNumber, std::to_string(DeviceNumber));
  SetRow(irVersionFW, std::to_string(FirmwareVersion));
  if (LinkMode == lmReadingInfo) QueueCommand(rqGetSensor, 0);
}

void TQLNDevice::OnSensor() {
  SensorNumber = ReplyFrame[5] + 256 * ReplyFrame[6];
  SetRow(irSensorNumber, std::to_string(SensorNumber));
  if (LinkMode == lmReadingInfo) QueueCommand(rqGetMalarm, 0);
}

void TQLNDevice::OnMalarm() {
  AlarmFlags = ReplyFrame[5];
  AlarmEnabled = AlarmFlags & 1;
  AlarmLow = (ReplyFrame[6] + 256 * ReplyFrame[7]) / 10;
  AlarmHigh = (ReplyFrame[8] + 256 * ReplyFrame[9]) / 10;
  SetRowChecked(irAlarmEnable, AlarmEnabled != 0);
  SetRow(irAlarmLow, std::to_string(AlarmLow));
  SetRow(irAlarmHigh, std::to_string(AlarmHigh));
  if (LinkMode == lmReadingInfo) QueueCommand(rqGetFileCnt, 0);
}

void TQLNDevice::OnFileCnt() {
  // A count of -1 (byte 0) would be read as files present; the device holds at most 30.
  FileCount = std::clamp(ReplyFrame[5] - 1, 0, MaxDeviceFiles);
  SetRow(irRecordingFiles, std::to_string(FileCount));
  if (LinkMode == lmReadingInfo) QueueCommand(rqGetProduce, 0);
}

void TQLNDevice::OnProduce() {
  const int day = ReplyFrame[5], month = ReplyFrame[6], year = 2000 + ReplyFrame[7];
  const bool valid = ValidDate(year, month, day);
  if (valid) {
    ProduceDay = day;
    ProduceMonth = month;
    ProduceYear = year;
    ProduceDate = DateOf(year, month, day);
    SetRowDateTime(irProduceDate, ProduceDate);
  }
  if (LinkMode == lmReadingInfo && valid) QueueCommand(rqGetKDiv, 0);
}

void TQLNDevice::OnKDiv() {
  KDiv = ReplyFrame[5] + 256 * ReplyFrame[6];
  ZeroLevel = ReplyFrame[7];
  SetRow(irKDiv, std::to_string(KDiv));
  SetRow(irZeroLevel, std::to_string(ZeroLevel));
  if (LinkMode == lmReadingInfo) QueueCommand(FirmwareVersion >= 13 ? rqGetUBatt : rqGetData, 0);
}

void TQLNDevice::OnUBatt() {
  BatteryVolts = (ReplyFrame[5] + 256 * ReplyFrame[6]) / 8192.0;
  SetRow(irBattery, Decimal(BatteryVolts, 2));
  ShowStatus(StatusByte);
  QueueCommand(rqGetRTC, 0);
}

void TQLNDevice::QueueInvalidClockValue() {
  QueueCommand(rqPause, 200);
  QueueCommand(rqRequest32, 0);
  QueueCommand(rqPause, 50);
}

void TQLNDevice::OnRTC() {
  const int second = TGLOB::BcdToInt(ReplyFrame[5]), minute = TGLOB::BcdToInt(ReplyFrame[6]),
            hour = TGLOB::BcdToInt(ReplyFrame[7]), day = TGLOB::BcdToInt(ReplyFrame[8]),
            month = TGLOB::BcdToInt(ReplyFrame[9]), year = 2000 + TGLOB::BcdToInt(ReplyFrame[10]);
  if (!ValidTime(hour, minute, second)) {
    QueueInvalidClockValue();
  } else {
    SetRowDateTime(irClock, TimeOfDay(hour, minute, second));
    if (ValidDate(year, month, day))
      SetRowDateTime(irCalendar, DateOf(year, month, day));
    else
      QueueInvalidClockValue();
  }
  QueueCommand(rqGetData, 0);
}

void TQLNDevice::OnFileSize() {
  const int number = ReplyFrame[5];
  // A file number the tables have no slot for is passed over; the next Data reply asks again.
  if (number < 1 || number >= FileSizeSlots) return;
  FileIndex = number;
  CurrentFileSize = static_cast<int32_t>(ReplyFrame[6] | ReplyFrame[7] << 8 | ReplyFrame[8] << 16 |
                                         static_cast<uint32_t>(ReplyFrame[9]) << 24);
  FileSizes[static_cast<size_t>(number)] = CurrentFileSize;
  if (LinkMode == lmReadingInfo && FileIndex < FileCount)
    QueueCommand(rqGetFileSize, FileIndex + 1);
  else
    QueueCommand(rqGetTimeStamp, 1);
}

void TQLNDevice::OnTimeStamp() {
  FileIndex = std::min<int>(ReplyFrame[5], MaxDeviceFiles);
  const int year = 2000 + TGLOB::BcdToInt(ReplyFrame[6]), month = TGLOB::BcdToInt(ReplyFrame[7]),
            day = TGLOB::BcdToInt(ReplyFrame[8]), hour = TGLOB::BcdToInt(ReplyFrame[9]),
            minute = TGLOB::BcdToInt(ReplyFrame[10]), second = TGLOB::BcdToInt(ReplyFrame[11]);
  if (ValidDate(year, month, day) && ValidTime(hour, minute, second))
    FileStamps[static_cast<size_t>(FileIndex)] = DateOf(year, month, day) + TimeOfDay(hour, minute, second);
  else
    QueueInvalidClockValue();
  if (LinkMode == lmReadingInfo && FileIndex < FileCount) {
    QueueCommand(rqGetTimeStamp, FileIndex + 1);
  } else {
    FileListReady = 1;
    QueueCommand(rqGetData, 0);
    LinkMode = lmIdle;
  }
}

void TQLNDevice::OnData() {
  if (LinkMode == lmReadingInfo && FileCount != 0) QueueCommand(rqGetFileSize, 1);
  if (LinkMode != lmFileDone && (StatusByte & StatusValues)) {
    QueueCommand(rqAckData, 0);
    Volume = (ReplyFrame[5] + 256 * ReplyFrame[6]) * 0.01;
    Frequency = (ReplyFrame[7] + 256 * ReplyFrame[8]) * 0.001;
    Ventilation = Volume * Frequency;
    const std::string v = Decimal(Volume, 2), f = Decimal(Frequency, 1), m = Decimal(Ventilation, 1);
    SetRow(irVolume, v);
    SetRow(irBpm, f);
    SetRow(irVentilation, m);
    Context.View.SetDisplays(v, f, m);
  }
  // A finished file and a ready device: the next file follows after a moment.
  if (FirmwareVersion >= 20 && !Busy && LinkMode == lmFileDone && Context.Download)
    Context.Download->DelayTimer->SetEnabled(true);
  ShowStatus(StatusByte);
}

void TQLNDevice::ShowStatus(uint8_t status) {
  TGLOB& glob = Context.Glob;
  if (status == glob.LastStatusShown) return;
  TDeviceView& view = Context.View;
  if (FirmwareVersion >= 12) view.SetStatusText(spReadiness, Busy ? "Busy" : "Ready");
  view.SetStatusImage(spLink, status & StatusValues ? siLinkedValues : siLinked);
  BatteryLevel = status & StatusBatteryMask;
  if (FirmwareVersion >= 13 && BatteryLevel != BatteryLevelShown && BatteryLevel != 0) {
    BatteryLevelShown = BatteryLevel;
    const int image = BatteryLevel == 0x10   ? siBatteryLow
                      : BatteryLevel == 0x30 ? siBatteryQuarter
                      : BatteryLevel == 0x70 ? siBatteryHalf
                                             : siBatteryFull;
    view.SetStatusImage(spBattery, image);
  }
  glob.LastStatusShown = status;
}

void TQLNDevice::QueueDateWrite(int year, int month, int day) {
  QueueCommand(rqSetYear, BcdParameter(year - 2000));
  QueueCommand(rqSetMonth, BcdParameter(month));
  QueueCommand(rqSetDay, BcdParameter(day));
}

void TQLNDevice::QueueTimeWrite(int hour, int minute, int second) {
  QueueCommand(rqSetHour, BcdParameter(hour));
  QueueCommand(rqSetMinute, BcdParameter(minute));
  QueueCommand(rqSetSecond, BcdParameter(second));
}

void TQLNDevice::OnInfoRowEdited(int index) {
  if (index < 0 || index >= InfoRowCount) return;
  TInfoRow& row = Info.Rows[static_cast<size_t>(index)];
  if (!row.Modified) return;
  QueueCommand(rqRequest32, 0);
  int value = 0;
  const bool integer = ParseInteger(row.Text, value);
  const TDateTimeParts when = DecodeDateTime(row.DateTime);
  auto clearAction = [&] {
    row.Checked = false;
    Context.View.InfoRowChanged(DevicePanel, index);
  };
  switch (index) {
    case irDeviceNumber:
      if (integer) QueueCommand(rqSetDevice, value);
      break;
    case irProduceDate:
      QueueCommand(rqSetProduceDayMonth, when.Month * 256 + when.Day);
      QueueCommand(rqPause, 50);
      QueueCommand(rqSetProduceYear, when.Year - 2000);
      break;
    case irSensorNumber:
      if (integer) QueueCommand(rqSetSensor, value);
      break;
    case irAlarmEnable:
      AlarmFlags = static_cast<uint8_t>((AlarmFlags & ~1) | (row.Checked ? 1 : 0));
      QueueCommand(rqSetMalarm, static_cast<int8_t>(AlarmFlags));
      break;
    // The request carries the low 16 bits of the tenths; a huge number typed must not overflow
    // on its way there.
    case irAlarmLow:
      if (integer) QueueCommand(rqSetAlarmLow, static_cast<int>(int64_t{value} * 10));
      break;
    case irAlarmHigh:
      if (integer) QueueCommand(rqSetAlarmHigh, static_cast<int>(int64_t{value} * 10));
      break;
    case irKDiv:
      if (integer) QueueCommand(rqSetKDiv, value);
      break;
    case irZeroLevel:
      if (integer) {
        ZeroLevel = value;
        QueueCommand(rqSetZero, value);
      }
      break;
    case irCalendar:
      QueueDateWrite(when.Year, when.Month, when.Day);
      QueueCommand(rqGetRTC, 0);
      LinkMode = lmSettingWritten;
      break;
    case irClock:
      QueueTimeWrite(when.Hour, when.Minute, when.Second);
      QueueCommand(rqGetRTC, 0);
      LinkMode = lmSettingWritten;
      break;
    case irSyncClock: {
      clearAction();
      const TDateTimeParts now = DecodeDateTime(Context.Loop.Now());
      QueueDateWrite(now.Year, now.Month, now.Day);
      QueueTimeWrite(now.Hour, now.Minute, now.Second);
      QueueCommand(rqGetRTC, 0);
      LinkMode = lmSettingWritten;
      break;
    }
    case irFormatMemory:
      clearAction();
      QueueCommand(rqFormatMemory, 0);
      LinkMode = lmSettingWritten;
      break;
    case irRestoreFiles:
      clearAction();
      QueueCommand(rqRestoreFiles, 0);
      LinkMode = lmSettingWritten;
      break;
    case irEditEnable:
      Info.SetEditable(row.Checked);
      for (int i = 0; i < irEditEnable; ++i) Context.View.InfoRowChanged(DevicePanel, i);
      break;
    default:
      break;
  }
  row.Modified = false;
}
