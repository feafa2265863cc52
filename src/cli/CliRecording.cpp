#include "cli/CliRecording.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "recording/DeviceFile.h"
#include "recording/HeartRate.h"
#include "recording/LabFile.h"

TGLOB FileGlob() { return TGLOB((std::filesystem::temp_directory_path() / "vt4800-cli").string(), false); }

const char* Reason(int result) {
  switch (result) {
    case lrCannotOpen: return "cannot be opened";
    case lrNewerFormat: return "is of a newer format than version 2";
    case lrNotLaboratory: return "is not a laboratory file";
    default: return "cannot be read";
  }
}

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

std::string Number(double value) {
  if (TValueColumn::IsNull(value)) return "";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

int LoadRecording(TGLOB& glob, const std::string& path, const std::string& heartRate) {
  int result;
  if (LowerExtension(path) == ".vt1") {
    glob.OpenPath = path;
    result = LoadDeviceFile(glob) == dfOk ? lrOk : lrCannotOpen;
  } else {
    result = ReadLabHeader(glob, path);
    if (result == lrOk) result = LoadLabFile(glob);
  }
  if (result == lrOk && !heartRate.empty() &&
      ImportHeartRate(heartRate, glob.HeartRateParams, glob.Monitor) != hrImported)
    return lrCannotOpen;
  return result;
}

bool RecordingOptions(const char* command, const std::vector<std::string>& args, size_t& i, TGLOB& glob,
                      std::string& heartRate) {
  if (args[i] == "--no-filter") {
    glob.VT1Filter = false;
  } else if (args[i] == "--filter" && i + 1 < args.size()) {
    glob.VT1Filter = true;
    glob.VT1FilterThreshold = std::atof(args[++i].c_str()) / 100;
  } else if (args[i] == "--hrm" && i + 1 < args.size()) {
    heartRate = args[++i];
  } else {
    std::fprintf(stderr, "vt4800-cli %s: unknown option '%s'\n", command, args[i].c_str());
    return false;
  }
  return true;
}

