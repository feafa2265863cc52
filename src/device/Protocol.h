// The VT4800 protocol: 3-byte requests (code, parameter high, parameter low), 25-byte replies
// signalled by a DSR change, and the phases of a link.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t FrameSize = 25;
constexpr uint8_t FrameStart = 0x55;
constexpr uint8_t DeviceTypeVT4800 = 4;
constexpr uint8_t ProbeByte = 0x00;

enum TRequest : uint8_t {
  rqGetDevice = 1,
  rqGetSensor = 2,
  rqGetData = 3,
  rqGetFileCnt = 5,
  rqGetMalarm = 6,
  rqGetFileSize = 7,
  rqNextBlock = 9,
  rqGetKDiv = 10,
  rqGetProduce = 11,
  rqGetUBatt = 12,
  rqGetRTC = 13,
  rqGetTimeStamp = 14,
  rqSetDevice = 15,
  rqSetSensor = 16,
  rqSetProduceDayMonth = 17,
  rqSetProduceYear = 18,
  rqSetKDiv = 19,
  rqSetZero = 20,
  rqSetMalarm = 21,
  rqSetAlarmLow = 22,
  rqSetAlarmHigh = 23,
  rqAckData = 24,
  rqSetSecond = 25,
  rqSetMinute = 26,
  rqSetHour = 27,
  rqSetDay = 29,
  rqSetMonth = 30,
  rqSetYear = 31,
  rqRequest32 = 32,
  rqSignal = 33,
  rqRequest35 = 35,
  rqStartTransfer = 36,
  rqEndTransfer = 37,
  rqFormatMemory = 39,
  rqRestoreFiles = 40,
  rqPause = 255,  // a pause in the queue, never sent
};

enum TReply : uint8_t {
  rpUnknown = 0,
  rpDevice = 1,
  rpSensor = 2,
  rpData = 3,
  rpClock = 4,
  rpFileCnt = 5,
  rpMalarm = 6,
  rpFileSize = 7,
  rpFileData = 8,
  rpKDiv = 9,
  rpProduce = 10,
  rpUBatt = 11,
  rpRTC = 12,
  rpTimeStamp = 13,
  rpFTP = 14,
};
constexpr int ReplyCodeCount = 15;

// The name of a reply code on the status bar; codes without one read "Unknown".
const char* ReplyName(int code);

enum TLinkMode : uint8_t {
  lmIdle = 0,
  lmReadingInfo = 1,
  lmDownloading = 2,
  lmFileDone = 3,
  lmSettingWritten = 4,
};

// Status byte bits.
constexpr uint8_t StatusValues = 0x01;
constexpr uint8_t StatusBusy = 0x02;
constexpr uint8_t StatusBatteryMask = 0xF0;

// The device keeps at most 30 recordings; file numbers run from 1.
constexpr int MaxDeviceFiles = 30;
constexpr int FileSizeSlots = 32;
constexpr int FileStampSlots = 33;

// Line time of one byte at 57600 baud, 8N1: ten bits.
constexpr double ByteLineMs = 10.0 * 1000.0 / 57600.0;
