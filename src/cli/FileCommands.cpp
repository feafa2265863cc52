#include "cli/FileCommands.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <cstdio>
#include <filesystem>

#include "core/Glob.h"
#include "browser/Export.h"
#include "recording/DeviceFile.h"
#include "recording/HeartRate.h"
#include "recording/LabFile.h"

namespace {

const char* Reason(int result) {
  switch (result) {
    case lrCannotOpen: return "cannot be opened";
    case lrNewerFormat: return "is of a newer format than version 2";
    case lrNotLaboratory: return "is not a laboratory file";
    default: return "cannot be read";
  }
}

// The state object of a file command: no settings read or written.
TGLOB FileGlob() { return TGLOB((std::filesystem::temp_directory_path() / "vt4800-cli").string(), false); }

bool OneFile(const char* command, const std::vector<std::string>& args) {
  if (args.size() == 1) return true;
  std::fprintf(stderr, "usage: vt4800-cli %s FILE\n", command);
  return false;
}

std::string Number(double value) {
  if (TValueColumn::IsNull(value)) return "";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace

namespace {

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

int HeartRateInfo(const std::string& path) {
  if (!std::filesystem::is_regular_file(path)) {
    std::fprintf(stderr, "vt4800-cli info: %s cannot be opened\n", path.c_str());
    return 1;
  }
  THeartRateParams p;
  ReadHeartRateParams(path, p);
  std::printf("Date: %s\nStartTime: %s\nLength: %s\nInterval: %d\nPoints: %d\n", p.HrDate.c_str(),
              p.HrStartTime.c_str(), p.HrLength.c_str(), p.HrInterval, p.HrPoints);
  return 0;
}

// Loads a laboratory or device file into the chart, with a heart-rate file laid over it.
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

// The options of a command on a recording: the filter of device files and a heart-rate file.
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

}  // namespace

int InfoCommand(const std::vector<std::string>& args) {
  if (!OneFile("info", args)) return 2;
  if (LowerExtension(args[0]) == ".hrm") return HeartRateInfo(args[0]);
  TGLOB glob = FileGlob();
  const int result = ReadLabHeader(glob, args[0]);
  if (result != lrOk) {
    std::fprintf(stderr, "vt4800-cli info: %s %s\n", args[0].c_str(), Reason(result));
    return 1;
  }
  const TRecordingHeader& h = glob.RecordingHeader;
  std::string names, colours;
  for (size_t i = 0; i < h.ColumnNames.size(); ++i) names += (i ? "\t" : "") + h.ColumnNames[i];
  for (size_t i = 0; i < h.ColumnColors.size(); ++i) colours += (i ? "\t" : "") + std::to_string(h.ColumnColors[i]);
  std::printf("Format-Version: %d\nDevice-Name: %s\nChannels-Count: %d\nStarted-Record: %s\nStopped-Record: %s\n"
              "Sample-Interval: %s\nDescription: %s\nData-Count: %d\nColumn-Header: %s\nData-Color: %s\n"
              "Data-Table: %s\n",
              h.FormatVersion, h.DeviceName.c_str(), h.ChannelsCount, FormatLabDateTime(h.StartTime).c_str(),
              FormatLabDateTime(h.StopTime).c_str(), Number(h.LoadedInterval).c_str(), h.Description.c_str(),
              h.DataCount, names.c_str(), colours.c_str(),
              h.DataTableOffset < 0 ? "missing" : std::to_string(h.DataTableOffset).c_str());
  return 0;
}

int DumpCommand(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::fprintf(stderr, "usage: vt4800-cli dump FILE [--hrm FILE.HRM] [--filter PCT | --no-filter]\n");
    return 2;
  }
  const std::string& path = args[0];
  TGLOB glob = FileGlob();
  std::string heartRate;
  for (size_t i = 1; i < args.size(); ++i)
    if (!RecordingOptions("dump", args, i, glob, heartRate)) return 2;
  const int result = LoadRecording(glob, path, heartRate);
  if (result != lrOk) {
    std::fprintf(stderr, "vt4800-cli dump: %s %s\n", path.c_str(), Reason(result));
    return 1;
  }
  const TMonitorChart& chart = glob.Monitor;
  const TLabelColumn& elapsed = chart.Series(TMonitorChart::ElapsedLabelSeriesIndex).Labels;
  const TLabelColumn& clock = chart.Series(TMonitorChart::ClockLabelSeriesIndex).Labels;
  std::string line;
  for (size_t row = 0; row < chart.RowCount(); ++row) {
    line = elapsed.Text(row) + "\t" + clock.Text(row);
    for (int c = 0; c < chart.ChannelCount(); ++c) line += "\t" + Number(chart.Value(c, row));
    line += "\t";
    line += chart.MarkText(row);
    line += "\n";
    std::fputs(line.c_str(), stdout);
  }
  return 0;
}

int ExportCommand(const std::vector<std::string>& args) {
  TGLOB glob = FileGlob();
  std::string heartRate, output;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) output = args[++i];
    else if (args[i] == "--interval" && i + 1 < args.size()) glob.Settings.SampleInterval = std::atof(args[++i].c_str());
    else if (!RecordingOptions("export", args, i, glob, heartRate)) return 2;
  }
  if (args.empty() || output.empty()) {
    std::fprintf(stderr, "usage: vt4800-cli export FILE.VT1 [--hrm FILE.HRM] [--interval S] [--filter PCT | --no-filter] -o OUT\n");
    return 2;
  }
  const int result = LoadRecording(glob, args[0], heartRate);
  if (result != lrOk) {
    std::fprintf(stderr, "vt4800-cli export: %s %s\n", args[0].c_str(), Reason(result));
    return 1;
  }
  const std::filesystem::path out(output);
  const std::string path = ExportPath(out.parent_path().string(), out.filename().string());
  if (ExportRecording(glob, path) != lrOk) {
    std::fprintf(stderr, "vt4800-cli export: cannot create %s\n", path.c_str());
    return 1;
  }
  std::printf("%s\n", path.c_str());
  return 0;
}
