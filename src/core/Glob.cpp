#include "core/Glob.h"

#include <filesystem>
#include <fstream>

#include "core/Texts.h"

namespace fs = std::filesystem;

namespace {

std::string WithExtension(const std::string& path, const char* extension) {
  return fs::path(path).replace_extension(extension).string();
}

std::string DirectoryOf(const std::string& path) {
  std::string dir = fs::path(path).parent_path().string();
  // The root keeps its separator: without it, it would name no directory.
  while (dir.size() > 1 && dir.back() == fs::path::preferred_separator) dir.pop_back();
  return dir;
}

template <int N>
const char* Lookup(const char* const (&table)[N][2], int row, int language) {
  return row >= 0 && row < N ? table[row][language] : "";
}

}  // namespace

TGLOB::TGLOB(const std::string& programPath, bool persistent) : Persistent(persistent) {
  ConfigFileName = WithExtension(programPath, ".cfg");
  PresetFileName = WithExtension(ConfigFileName, ".pset");
  Settings = DefaultSettings(DirectoryOf(ConfigFileName).c_str());
  DeviceFileHeader = NewDeviceFileHeader();
  if (Persistent) LoadConfig();
}

TGLOB::~TGLOB() {
  if (Persistent) SaveConfig();
  if (RecordFile) std::fclose(RecordFile);
  if (DeviceFile) std::fclose(DeviceFile);
  ClearChart();
}

void TGLOB::LoadConfig() {
  std::ifstream in(ConfigFileName, std::ios::binary);
  if (!in) {
    SaveConfig();
    return;
  }
  TSettings loaded;
  in.read(reinterpret_cast<char*>(&loaded), sizeof loaded);
  // A short file would leave part of the block unread: it is not accepted.
  const bool complete = static_cast<size_t>(in.gcount()) == sizeof loaded;
  in.close();
  if (complete && loaded.CfgVersion == 4 && loaded.CfgRevision == 2) {
    RepairSettings(loaded, Settings);
    Settings = loaded;
  } else {
    SaveConfig();
  }
}

void TGLOB::SaveConfig() const {
  std::ofstream out(ConfigFileName, std::ios::binary | std::ios::trunc);
  if (out) out.write(reinterpret_cast<const char*>(&Settings), sizeof Settings);
}

int TGLOB::BcdToInt(uint8_t bcd) { return (bcd >> 4) * 10 + (bcd & 0x0F); }

uint8_t TGLOB::IntToBcd(int value) {
  return static_cast<uint8_t>(((value / 10) << 4) | (value % 10));
}

int TGLOB::LookupLanguage() const {
  const int language = AppliedLanguage >= 0 ? AppliedLanguage : Settings.Language;
  return language == 0 ? 0 : 1;
}

const char* TGLOB::MainText(int row) const { return Lookup(MainTexts, row, LookupLanguage()); }

const char* TGLOB::DeviceInfoText(int row) const {
  return Lookup(DeviceInfoTexts, row, LookupLanguage());
}

const char* TGLOB::ButtonHint(int row) const {
  return Lookup(ButtonHints, row, LookupLanguage());
}

const char* TGLOB::PointPrompt(int row) const {
  return Lookup(PointPrompts, row, LookupLanguage());
}
