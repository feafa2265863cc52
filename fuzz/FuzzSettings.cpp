// The settings file: loaded at start, repaired or replaced, written back at the end.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FuzzSupport.h"
#include "core/Glob.h"

namespace {

bool Terminated(const char* field, size_t width) { return std::memchr(field, 0, width) != nullptr; }

void RequireUsable(const TSettings& s) {
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&s);
  for (size_t at : {offsetof(TSettings, PrintColor), offsetof(TSettings, ShowLegend), offsetof(TSettings, NetFlag)}) {
    const size_t count = at == offsetof(TSettings, PrintColor) ? 7 : at == offsetof(TSettings, ShowLegend) ? 11 : 1;
    for (size_t i = at; i < at + count; ++i) Require(bytes[i] <= 1, "every boolean byte is 0 or 1");
  }
  Require(s.Language == 0 || s.Language == 1, "a language the tables have");
  Require(s.DestDirCount >= 1 && s.DestDirCount <= SettingsDirSlots, "the destination list holds the destination");
  Require(s.OpenDirCount >= 0 && s.OpenDirCount <= SettingsDirSlots, "no more open directories than slots");
  Require(s.MonitorState >= 0 && s.MonitorState <= 2 && s.ControlState >= 0 && s.ControlState <= 2,
          "window states the windows know");
  Require(std::isfinite(s.SampleInterval) && s.SampleInterval >= 0.001 && s.SampleInterval <= 86400.0,
          "a sample interval the timer can keep");
  Require(s.PrinterIndex >= -1, "a printer or none");
  for (int i = 0; i < SettingsDirSlots; ++i)
    Require(Terminated(s.DestDirs[i], SettingsDirSize) && Terminated(s.OpenDirs[i], SettingsDirSize),
            "every directory text ends inside its slot");
  Require(Terminated(s.CfgTag, sizeof s.CfgTag) && Terminated(s.CfgSignature, sizeof s.CfgSignature) &&
              Terminated(s.NetAddress, sizeof s.NetAddress) && Terminated(s.NetUser, sizeof s.NetUser) &&
              Terminated(s.NetPassword, sizeof s.NetPassword),
          "every text ends inside its field");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string program = ScratchFile("vt4800");
  const std::string file = program + ".cfg";
  WriteScratch(file, data, size);
  const std::string directory = program.substr(0, program.rfind('/'));
  const TSettings defaults = DefaultSettings(directory.c_str());
  TSettings loaded;
  {
    TGLOB glob(program);
    RequireUsable(glob.Settings);
    int32_t version = 0, revision = 0;
    if (size >= 12) {
      std::memcpy(&version, data + 4, 4);
      std::memcpy(&revision, data + 8, 4);
    }
    const bool accepted = size >= SettingsFileSize && version == 4 && revision == 2;
    Require(accepted || std::memcmp(&glob.Settings, &defaults, sizeof defaults) == 0,
            "a file not accepted gives the defaults");
    loaded = glob.Settings;
  }
  std::ifstream in(file, std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Require(written.size() == SettingsFileSize, "the settings file is written whole");
  Require(std::memcmp(written.data(), &loaded, SettingsFileSize) == 0, "the file written is the block in memory");
  TGLOB again(program, false);
  again.LoadConfig();
  Require(std::memcmp(&again.Settings, &loaded, sizeof loaded) == 0, "settings read back as they were written");
  return 0;
}
