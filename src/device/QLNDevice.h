// TQLNDevice: one attached VT4800. It owns the serial port of the link, the command queue that
// a 1 ms timer empties one byte a tick, the frame read on each DSR change, the 500 ms
// watchdog, and the reply dispatcher that reads the device's parameters and live values.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/EventLoop.h"
#include "core/SerialPort.h"
#include "device/InfoRows.h"
#include "device/Protocol.h"

class TGLOB;
class TDeviceView;
class TDevices;
class TTraceLog;
class TDownload;

// What a device object works with.
struct TDeviceContext {
  TEventLoop& Loop;
  TSerialProvider& Serial;
  TGLOB& Glob;
  TDeviceView& View;
  TTraceLog* Trace = nullptr;        // the traffic log, when one is kept
  TDownload* Download = nullptr;     // the download of stored recordings, where there is one
};

class TQLNDevice {
 public:
  static constexpr int QueueBytes = 150;
  static constexpr int QueueEntries = QueueBytes / 3;

  // Opens the port and starts identifying the device. A port that will not open leaves the
  // object unlinked: its watchdog drops it as it drops a silent device.
  TQLNDevice(const std::string& portName, const TDeviceContext& context, TDevices& owner);
  ~TQLNDevice();
  TQLNDevice(const TQLNDevice&) = delete;
  TQLNDevice& operator=(const TQLNDevice&) = delete;

  // Appends a request and returns the new write position; -1 when the ring is full (the
  // request is refused rather than written over one still waiting).
  int QueueCommand(uint8_t code, int parameter);
  // Queues and serves events until everything queued so far has left, or the link is gone.
  void QueueCommandAndWait(uint8_t code, int parameter);
  int PendingEntries() const;

  void OnSendTick();
  void OnIdentFrame();
  void OnReplyFrame();
  void OnLinkLost();
  // The operator left a row of the information panel.
  void OnInfoRowEdited(int row);
  void ShowStatus(uint8_t status);

  // Link.
  std::string PortName;
  std::unique_ptr<TSerialPort> Port;
  std::unique_ptr<TTimer> WatchdogTimer;
  std::unique_ptr<TTimer> SendTimer;
  std::array<uint8_t, 25> ReplyFrame{};
  std::array<uint8_t, QueueBytes> CommandQueue{};
  int QueueWritePos = 0, QueueReadPos = 0;
  uint8_t DeviceType = 0;
  uint8_t LinkMode = lmReadingInfo;
  bool FirstFrameSeen = false;
  bool Busy = false;
  int ScanIndex = -1;
  int DevicePanel = -1;
  bool Identified = false;
  // Bit n is set once a reply of code n has been decoded.
  uint32_t RepliesSeen = 0;
  bool Seen(int reply) const { return (RepliesSeen >> reply) & 1; }
  // Requests refused because the ring was full, and the reason the port did not open.
  int RefusedCommands = 0;
  std::string OpenError;

  // Protocol.
  int8_t ReplyCode = 0;
  uint8_t StatusByte = 0;
  int FirmwareVersion = 0;
  int DeviceNumber = 0;
  int SensorNumber = 0;
  uint8_t AlarmFlags = 0;
  int AlarmEnabled = 0;
  int AlarmLow = 0, AlarmHigh = 0;
  int FileCount = 0;
  double ProduceDate = 0;
  int ProduceDay = 0, ProduceMonth = 0, ProduceYear = 0;
  int KDiv = 0;
  int ZeroLevel = 0;
  double BatteryVolts = 0;
  int FileIndex = 0;
  int CurrentFileSize = 0;
  std::array<int32_t, FileSizeSlots> FileSizes{};
  std::array<double, FileStampSlots> FileStamps{};
  int FileListReady = 0;
  uint8_t BlockCounter = 255;  // number of the last FTP block stored

  // Live values and status.
  double Volume = 0, Frequency = 0, Ventilation = 0;
  uint8_t BatteryLevel = 0;
  uint8_t BatteryLevelShown = 255;

  TInfoPanel Info;

 private:
  size_t ReadFrame();
  void BuildInfoPanel();
  void SetRow(int row, const std::string& text);
  void SetRowChecked(int row, bool checked);
  void SetRowDateTime(int row, double value);
  std::string Decimal(double value, int decimals) const;
  void QueueInvalidClockValue();
  // The replies.
  void OnDevice();
  void OnSensor();
  void OnData();
  void OnFileCnt();
  void OnMalarm();
  void OnFileSize();
  void OnKDiv();
  void OnProduce();
  void OnUBatt();
  void OnRTC();
  void OnTimeStamp();
  void QueueDateWrite(int year, int month, int day);
  void QueueTimeWrite(int hour, int minute, int second);

  TDeviceContext Context;
  TDevices& Owner;
  // Set while the object lives, so that a wait inside it can tell it has gone.
  std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
};
