#include "cli/FileCommands.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "browser/Export.h"
#include "cli/CliRecording.h"
#include "recording/HeartRate.h"
#include "recording/LabFile.h"

namespace {

bool OneFile(const char* command, const std::vector<std::string>& args) {
  if (args.size() == 1) return true;
  std::fprintf(stderr, "usage: vt4800-cli %s FILE\n", command);
  return false;
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
