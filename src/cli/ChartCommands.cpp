#include "cli/ChartCommands.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <charconv>
#include <cstdio>

#include "cli/CliRecording.h"
#include "monitor/ChartPainter.h"
#include "monitor/Ventilation.h"
#include "recording/LabFile.h"

namespace {

bool ParseRow(const std::string& text, long& row) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, row);
  return result.ec == std::errc() && result.ptr == end;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  long w = 0, h = 0;
  if (x == std::string::npos || !ParseRow(text.substr(0, x), w) || !ParseRow(text.substr(x + 1), h)) return false;
  if (w < 16 || h < 16 || w > 10000 || h > 10000) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

// The chart of a file just opened: the option boxes as the settings tick them, then the full
// time scale the Open button turns on.
int LoadAsOpened(TGLOB& glob, const std::string& path, const std::string& heartRate) {
  TMonitorChart& monitor = glob.Monitor;
  monitor.InitChart();
  for (int o = 0; o < ChartOptionCount; ++o)
    monitor.SetOption(static_cast<TChartOption>(o), OptionSetting(glob.Settings, static_cast<TChartOption>(o)));
  const int result = LoadRecording(glob, path, heartRate);
  if (result != lrOk) return result;
  monitor.SetOption(coAutoScale, true);
  monitor.RunOption(coAutoScale);
  monitor.Chart.SubTitleLines.clear();
  return lrOk;
}

const char* const FigureNames[] = {"RestLevel", "VentIncome", "VentDebt", "VentRequest", "MeanExerciseVent"};
const char* const MinuteNames[] = {"RestMinutes", "WorkMinutes", "RecoveryMinutes"};

}  // namespace

int AnalyzeCommand(const std::vector<std::string>& args) {
  TGLOB glob = FileGlob();
  glob.Settings.Language = 0;
  std::string heartRate;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) != 0) positional.push_back(args[i]);
    else if (!RecordingOptions("analyze", args, i, glob, heartRate)) return 2;
  }
  long points[3] = {};
  if (positional.size() != 4 || !ParseRow(positional[1], points[0]) || !ParseRow(positional[2], points[1]) ||
      !ParseRow(positional[3], points[2])) {
    std::fprintf(stderr, "usage: vt4800-cli analyze FILE P1 P2 P3 [--hrm FILE.HRM] (P: row numbers)\n");
    return 2;
  }
  const std::string& path = positional[0];
  const int result = LoadRecording(glob, path, heartRate);
  if (result != lrOk) {
    std::fprintf(stderr, "vt4800-cli analyze: %s %s\n", path.c_str(), Reason(result));
    return 1;
  }
  const TMonitorChart& chart = glob.Monitor;
  if (chart.ChannelCount() < 3) {
    std::fprintf(stderr, "vt4800-cli analyze: %s has no third channel (minute ventilation)\n", path.c_str());
    return 1;
  }
  const long rows = static_cast<long>(chart.RowCount());
  int picked[3];
  for (int i = 0; i < 3; ++i) {
    if (points[i] < 0 || points[i] >= rows) {
      std::fprintf(stderr, "vt4800-cli analyze: point %ld is not a row of the recording (0 to %ld)\n", points[i],
                   rows - 1);
      return 1;
    }
    picked[i] = static_cast<int>(points[i]);
  }
  const TVentilation v =
      ComputeVentilation(chart.Series(TMonitorChart::FirstChannel + 2).Values, picked[0], picked[1], picked[2]);
  // The subtitle's lines after the heading, each "name = value unit": the value with its unit.
  const std::vector<std::string> subtitle = VentilationSubtitle(v, glob);
  for (int i = 0; i < 5; ++i) {
    const std::string& line = subtitle[static_cast<size_t>(i) + 1];
    std::printf("%s: %s\n", FigureNames[i], line.substr(line.rfind(" = ") + 3).c_str());
  }
  const TVentilationGrid grid = VentilationGrid(v, picked, '.');
  for (int i = 0; i < 5; ++i) std::printf("%sGrid: %s\n", FigureNames[i], grid.Figures[i].c_str());
  for (int i = 0; i < 3; ++i) std::printf("%s: %s\n", MinuteNames[i], grid.Minutes[i].c_str());
  return 0;
}

int RenderCommand(const std::vector<std::string>& args) {
  TGLOB glob = FileGlob();
  std::string heartRate, output, path;
  int width = 1200, height = 700;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) output = args[++i];
    else if (args[i] == "--size" && i + 1 < args.size()) {
      if (!ParseSize(args[++i], width, height)) {
        std::fprintf(stderr, "vt4800-cli render: --size takes WIDTHxHEIGHT, 16 to 10000 pixels each\n");
        return 2;
      }
    } else if (args[i] == "--side-by-side") glob.Settings.OneAxes = false;
    else if (args[i].rfind("--", 0) != 0 && path.empty()) path = args[i];
    else if (!RecordingOptions("render", args, i, glob, heartRate)) return 2;
  }
  const std::string extension = LowerExtension(output);
  if (path.empty() || (extension != ".bmp" && extension != ".png" && extension != ".pdf")) {
    std::fprintf(stderr, "usage: vt4800-cli render FILE -o OUT.bmp|OUT.png|OUT.pdf [--size WxH] [--hrm FILE.HRM] "
                         "[--side-by-side]\n");
    return 2;
  }
  const int result = LoadAsOpened(glob, path, heartRate);
  if (result != lrOk) {
    std::fprintf(stderr, "vt4800-cli render: %s %s\n", path.c_str(), Reason(result));
    return 1;
  }
  // Fonts need a GUI application; without a display it draws offscreen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "vt4800-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  const QString file = QString::fromLocal8Bit(output.c_str());
  bool written;
  if (extension == ".pdf") {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(width >= height ? QPageLayout::Landscape : QPageLayout::Portrait);
    written = PrintChartPage(printer, glob.Monitor, TPaintOptions{true, false});
  } else {
    written = RenderChartImage(glob.Monitor, QSize(width, height)).save(file, extension == ".bmp" ? "BMP" : "PNG");
  }
  if (!written) {
    std::fprintf(stderr, "vt4800-cli render: cannot write %s\n", output.c_str());
    return 1;
  }
  std::printf("%s\n", output.c_str());
  return 0;
}
