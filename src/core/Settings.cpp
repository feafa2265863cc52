#include "core/Settings.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

namespace {

const char SignatureText[] = "RLC ConfigFile.v2.0 VT4800 companion settings, Ventora";
static_assert(sizeof(SignatureText) - 1 == 54);

// A loaded bool byte may be anything: read it as a byte, never as a bool.
void RepairBool(bool& field) {
  uint8_t byte;
  std::memcpy(&byte, &field, 1);
  field = byte != 0;
}

// Everything after the first zero becomes zero; a field without one loses its last byte.
void RepairText(char* field, size_t width) {
  field[width - 1] = 0;
  const size_t length = std::strlen(field);
  std::memset(field + length, 0, width - length);
}

int32_t Clamp(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : (value > high ? high : value);
}

}  // namespace

void SetFixedText(char* field, size_t width, const char* text) {
  std::memset(field, 0, width);
  std::strncpy(field, text, width - 1);
}

TSettings DefaultSettings(const char* programDirectory) {
  TSettings s;
  std::memset(&s, 0, sizeof s);
  std::memcpy(s.CfgTag, "CFG", 4);
  s.CfgVersion = 4;
  s.CfgRevision = 2;
  SetFixedText(s.CfgSignature, sizeof s.CfgSignature, SignatureText);
  s.PrintLandscape = true;
  s.AxisTitles = true;
  s.PrintFileName = true;
  s.PrintDescription = true;
  s.PrintDate = true;
  s.PrintSampleInterval = true;
  s.PrinterIndex = -1;
  s.ShowLegend = true;
  s.Rotate = true;
  s.AutoTimeScale = true;
  s.OneAxes = true;
  s.SampleInterval = 1.0;
  s.Language = 1;
  s.MonitorWidth = 700;
  s.MonitorHeight = 545;
  s.ControlTop = 114;
  s.ControlLeft = 342;
  s.OpenTop = 140;
  s.OpenLeft = 75;
  s.OpenHeight = 350;
  s.OpenWidth = 700;
  s.DestDirCount = 1;
  s.OpenDirCount = 1;
  // A directory that does not fit its slot would name another directory: leave it empty.
  if (std::strlen(programDirectory) < SettingsDirSize) {
    SetFixedText(s.DestDirs[0], SettingsDirSize, programDirectory);
    SetFixedText(s.OpenDirs[0], SettingsDirSize, programDirectory);
  }
  s.NetPortA = 110;
  s.NetPortB = 25;
  SetFixedText(s.NetAddress, sizeof s.NetAddress, "127.0.0.1");
  SetFixedText(s.NetUser, sizeof s.NetUser, "kelvab");
  SetFixedText(s.NetPassword, sizeof s.NetPassword, "kelvab");
  s.NetTimeout = 30;
  return s;
}

void RepairSettings(TSettings& s, const TSettings& defaults) {
  for (bool* b : {&s.PrintColor, &s.PrintLandscape, &s.AxisTitles, &s.PrintFileName,
                  &s.PrintDescription, &s.PrintDate, &s.PrintSampleInterval, &s.ShowLegend,
                  &s.ShowMarks, &s.AbsTimeScale, &s.View3D, &s.Rotate, &s.AutoTimeScale,
                  &s.AutoScroll, &s.ShowGrid, &s.OneAxes, &s.AllVertAuto, &s.UndoZoomAuto,
                  &s.NetFlag})
    RepairBool(*b);
  RepairText(s.CfgTag, sizeof s.CfgTag);
  RepairText(s.CfgSignature, sizeof s.CfgSignature);
  for (int i = 0; i < SettingsDirSlots; ++i) {
    RepairText(s.DestDirs[i], SettingsDirSize);
    RepairText(s.OpenDirs[i], SettingsDirSize);
  }
  RepairText(s.NetAddress, sizeof s.NetAddress);
  RepairText(s.NetUser, sizeof s.NetUser);
  RepairText(s.NetPassword, sizeof s.NetPassword);
  std::memset(&s.Padding99, 0, sizeof s.Padding99);
  std::memset(s.Padding115, 0, sizeof s.Padding115);
  std::memset(s.Padding5313, 0, sizeof s.Padding5313);
  std::memset(s.Padding5388, 0, sizeof s.Padding5388);

  if (s.Language != 0 && s.Language != 1) s.Language = defaults.Language;
  if (s.MonitorState < 0 || s.MonitorState > 2) s.MonitorState = 0;
  if (s.ControlState < 0 || s.ControlState > 2) s.ControlState = 0;
  if (s.PrinterIndex < -1) s.PrinterIndex = -1;
  // The destination list always holds the destination itself.
  s.DestDirCount = Clamp(s.DestDirCount, 1, SettingsDirSlots);
  s.OpenDirCount = Clamp(s.OpenDirCount, 0, SettingsDirSlots);
  // The sample timer takes whole milliseconds: below 1 ms it would never tick.
  if (!std::isfinite(s.SampleInterval) || s.SampleInterval < 0.001 ||
      s.SampleInterval > 86400.0)
    s.SampleInterval = defaults.SampleInterval;
}
