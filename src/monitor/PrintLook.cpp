#include "monitor/PrintLook.h"

#include "core/Glob.h"
#include "core/Paths.h"
#include "monitor/MonitorChart.h"

namespace {

constexpr int FilePrefixRow = 93, DatePrefixRow = 94, DescriptionPrefixRow = 95, IntervalPrefixRow = 96;

void SetTimeAxesColour(TMonitorChart& monitor, TColor colour) {
  for (int index : {TMonitorChart::ClockAxisIndex, TMonitorChart::ElapsedAxisIndex})
    if (index < monitor.AxisCount()) monitor.Axis(index).Color = colour;
}

}  // namespace

std::string PrintedFileName(const TGLOB& glob) { return WithoutDirectory(glob.FileShown ? glob.OpenPath : glob.FileName); }

TPrintTitle MakePrintTitle(const TGLOB& glob, const std::string& dateText, const std::string& intervalText) {
  const TSettings& s = glob.Settings;
  const std::string& description = glob.RecordingHeader.Description;
  TPrintTitle title;
  if (s.PrintFileName) title.Lines.push_back(glob.MainText(FilePrefixRow) + PrintedFileName(glob));
  if (s.PrintDate) title.Lines.push_back(glob.MainText(DatePrefixRow) + dateText);
  if (s.PrintDescription && !description.empty())
    title.Lines.push_back(glob.MainText(DescriptionPrefixRow) + description);
  if (s.PrintSampleInterval) title.Lines.push_back(glob.MainText(IntervalPrefixRow) + intervalText);
  title.Visible = s.PrintFileName || s.PrintDate || s.PrintDescription || s.PrintSampleInterval;
  return title;
}

void EnterPrintLook(TChart& chart) {
  chart.TitleColor = clBlack;
  chart.SubTitleColor = clBlack;
  chart.LegendVisible = false;
}

void LeavePrintLook(TChart& chart, bool showLegend) {
  // The screen keeps the subtitle's own red: in white the ventilation figures on the chart
  // would vanish after the first print.
  chart.TitleColor = clWhite;
  chart.SubTitleColor = clRed;
  chart.LegendVisible = showLegend;
  chart.TitleVisible = false;
}

void BeginPrintedPage(TMonitorChart& monitor, bool colour) {
  if (colour) {
    SetTimeAxesColour(monitor, clBlack);
    monitor.Chart.TitleColor = clBlack;
    monitor.Chart.SubTitleColor = clBlack;
  }
}

void EndPrintedPage(TMonitorChart& monitor) { SetTimeAxesColour(monitor, clLightGrey); }
