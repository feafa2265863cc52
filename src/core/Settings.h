// The persistent settings block. The settings file is this record byte for byte:
// 5392 bytes, little-endian, packed.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "the settings file is the little-endian image of TSettings");

constexpr int SettingsDirSlots = 10;
constexpr int SettingsDirSize = 256;

#pragma pack(push, 1)
struct TSettings {
  char CfgTag[4];
  int32_t CfgVersion;
  int32_t CfgRevision;
  char CfgSignature[80];
  bool PrintColor;
  bool PrintLandscape;
  bool AxisTitles;
  bool PrintFileName;
  bool PrintDescription;
  bool PrintDate;
  bool PrintSampleInterval;
  uint8_t Padding99;
  int32_t PrinterIndex;
  bool ShowLegend;
  bool ShowMarks;
  bool AbsTimeScale;
  bool View3D;
  bool Rotate;
  bool AutoTimeScale;
  bool AutoScroll;
  bool ShowGrid;
  bool OneAxes;
  bool AllVertAuto;
  bool UndoZoomAuto;
  uint8_t Padding115[5];
  double SampleInterval;
  int32_t Language;
  int32_t MonitorState;
  int32_t MonitorTop;
  int32_t MonitorLeft;
  int32_t MonitorWidth;
  int32_t MonitorHeight;
  int32_t ControlState;
  int32_t ControlTop;
  int32_t ControlLeft;
  int32_t OpenTop;
  int32_t OpenLeft;
  int32_t OpenHeight;
  int32_t OpenWidth;
  int32_t DestDirCount;
  char DestDirs[SettingsDirSlots][SettingsDirSize];
  int32_t OpenDirCount;
  char OpenDirs[SettingsDirSlots][SettingsDirSize];
  int32_t NetEnable;
  bool NetFlag;
  uint8_t Padding5313[3];
  int32_t NetPortA;
  int32_t NetPortB;
  char NetAddress[20];
  char NetUser[20];
  char NetPassword[20];
  int32_t NetTimeout;
  uint8_t Padding5388[4];
};
#pragma pack(pop)

constexpr size_t SettingsFileSize = 5392;
static_assert(sizeof(TSettings) == SettingsFileSize);
static_assert(sizeof(bool) == 1);
static_assert(offsetof(TSettings, CfgSignature) == 12);
static_assert(offsetof(TSettings, PrintColor) == 92);
static_assert(offsetof(TSettings, PrinterIndex) == 100);
static_assert(offsetof(TSettings, ShowLegend) == 104);
static_assert(offsetof(TSettings, UndoZoomAuto) == 114);
static_assert(offsetof(TSettings, SampleInterval) == 120);
static_assert(offsetof(TSettings, Language) == 128);
static_assert(offsetof(TSettings, MonitorState) == 132);
static_assert(offsetof(TSettings, ControlState) == 152);
static_assert(offsetof(TSettings, OpenTop) == 164);
static_assert(offsetof(TSettings, DestDirCount) == 180);
static_assert(offsetof(TSettings, DestDirs) == 184);
static_assert(offsetof(TSettings, OpenDirCount) == 2744);
static_assert(offsetof(TSettings, OpenDirs) == 2748);
static_assert(offsetof(TSettings, NetEnable) == 5308);
static_assert(offsetof(TSettings, NetFlag) == 5312);
static_assert(offsetof(TSettings, NetPortA) == 5316);
static_assert(offsetof(TSettings, NetAddress) == 5324);
static_assert(offsetof(TSettings, NetUser) == 5344);
static_assert(offsetof(TSettings, NetPassword) == 5364);
static_assert(offsetof(TSettings, NetTimeout) == 5384);

// The settings as a fresh start has them; the directory entries are the program's directory.
TSettings DefaultSettings(const char* programDirectory);

// Makes a block read from a file safe to use: bytes of booleans other than 0 and 1,
// languages and window states out of range, directory counts above 10, texts without their
// terminating zero, unusable sample intervals and stray padding are put right.
void RepairSettings(TSettings& settings, const TSettings& defaults);

// Copies text into a zero-filled fixed field, cutting it to fit with its terminating zero.
void SetFixedText(char* field, size_t width, const char* text);
