// The 48-byte header that this program puts in front of a recording downloaded from the
// device. Numbers are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct TDeviceFileHeader {
  char Signature[7];
  uint8_t Reserved7;
  int32_t HeaderVersion;
  uint8_t Reserved12[4];
  double DurationSeconds;
  uint32_t RecordCount;
  uint8_t Reserved28[8];
  uint8_t StartYear;  // minus 2000
  uint8_t StartMonth;
  uint8_t StartDay;
  uint8_t StartHour;
  uint8_t StartMinute;
  uint8_t StartSecond;
  uint8_t TrailerBytes[4];
  uint8_t HeaderMark;
  uint8_t Reserved47;
};
#pragma pack(pop)

constexpr size_t DeviceFileHeaderSize = 48;
static_assert(sizeof(TDeviceFileHeader) == DeviceFileHeaderSize);
static_assert(offsetof(TDeviceFileHeader, HeaderVersion) == 8);
static_assert(offsetof(TDeviceFileHeader, DurationSeconds) == 16);
static_assert(offsetof(TDeviceFileHeader, RecordCount) == 24);
static_assert(offsetof(TDeviceFileHeader, StartYear) == 36);
static_assert(offsetof(TDeviceFileHeader, TrailerBytes) == 42);
static_assert(offsetof(TDeviceFileHeader, HeaderMark) == 46);

// The constant fields of every header this program writes; everything else zero.
TDeviceFileHeader NewDeviceFileHeader();
