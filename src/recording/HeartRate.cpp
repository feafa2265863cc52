#include "recording/HeartRate.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string_view>

#include "monitor/MonitorChart.h"
#include "recording/IniFile.h"

namespace {

constexpr int MSeries = 5, HrSeries = 6, MbrSeries = 7;
constexpr std::string_view IntervalLine = "Interval=";
constexpr std::string_view SamplesHeading = "[HRData]";

// The decimal digits the text starts with; false when it starts with none. The value stops
// growing at a billion, far beyond any length or heart rate, so that junk cannot overflow.
bool LeadingDigits(std::string_view text, int64_t& value) {
  constexpr int64_t Cap = 1000000000;
  value = 0;
  size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min(Cap, value * 10 + (text[i] - '0'));
  return i > 0;
}

// hours:minutes:seconds, each part by its leading digits: "0:30:0.0" and "00:30:00.0" are
// both 1800 seconds, whatever the width of the hours.
int64_t LengthSeconds(std::string_view length) {
  static constexpr int64_t Scales[] = {3600, 60, 1};
  int64_t seconds = 0;
  for (const int64_t scale : Scales) {
    const size_t colon = length.find(':');
    int64_t part = 0;
    LeadingDigits(length.substr(0, colon), part);
    seconds += scale * part;
    if (colon == std::string_view::npos) break;
    length.remove_prefix(colon + 1);
  }
  return seconds;
}

// The file's yyyymmdd as dd-mm-yyyy. Any other text is not a date of that form and is kept as
// it is rather than shuffled into nonsense.
std::string ShownDate(const std::string& date) {
  const bool digits = std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (date.size() != 8 || !digits) return date;
  return date.substr(6, 2) + "-" + date.substr(4, 2) + "-" + date.substr(0, 4);
}

// Reads on past the first line that starts with the prefix; false when none does.
bool SkipPast(std::istream& in, std::string_view prefix, std::string& line) {
  while (ReadTextLine(in, line))
    if (line.starts_with(prefix)) return true;
  return false;
}

// The heart rate of a sample line is its first column: monitors that also record speed,
// cadence or altitude write those as further tab-separated columns.
bool SampleRate(std::string_view line, int64_t& rate) {
  const size_t start = line.find_first_not_of(" \t");
  return start != std::string_view::npos && LeadingDigits(line.substr(start), rate);
}

// No ventilation (M of 0 or a null M) gives no beats per litre: a null point, never infinity.
double BeatsPerLitre(double rate, double ventilation) {
  const double value = rate / ventilation;
  return std::isfinite(value) ? value : TValueColumn::Null;
}

// A series already at the index (an earlier import, or a channel of a laboratory file) is
// emptied and takes the heart-rate title, so that the legend tells what it now holds.
void TakeOver(TMonitorChart& chart, int index, const char* title, TColor color) {
  TChartSeries& series = chart.Series(index);
  series.Clear();
  series.Title = title;
  series.Color = color;
  if (series.VerticalAxis >= 0 && series.VerticalAxis < chart.AxisCount()) {
    TChartAxis& axis = chart.Axis(series.VerticalAxis);
    axis.Title = title;
    axis.Color = color;
  }
}

// HR and MBR are series 6 and 7: new channels after V, F, M, taken over where series are there.
void PrepareSeries(TMonitorChart& chart) {
  if (chart.SeriesCount() == HrSeries) {
    chart.AddHeartRateChannels();
    return;
  }
  // A laboratory file of four channels leaves no series for MBR.
  if (chart.SeriesCount() == MbrSeries) {
    chart.AddChannelSeries(MbrChannelTitle, clAqua);
    chart.ArrangeAxes(chart.AxesMode);
  }
  TakeOver(chart, HrSeries, HrChannelTitle, clYellow);
  TakeOver(chart, MbrSeries, MbrChannelTitle, clAqua);
}

// Each sample fills `repeats` rows from row 0 until the samples or the rows of M run out.
void LaySamples(std::istream& in, int repeats, TMonitorChart& chart) {
  const TValueColumn& ventilation = chart.Series(MSeries).Values;
  TValueColumn& rates = chart.Series(HrSeries).Values;
  TValueColumn& beatsPerLitre = chart.Series(MbrSeries).Values;
  size_t row = 0;
  std::string line;
  int64_t rate = 0;
  while (ReadTextLine(in, line)) {
    if (!SampleRate(line, rate)) continue;
    for (int i = 0; i < repeats; ++i) {
      rates.Append(static_cast<double>(rate));
      if (row >= ventilation.Size()) return;
      beatsPerLitre.Append(BeatsPerLitre(static_cast<double>(rate), ventilation.At(row)));
      ++row;
    }
  }
}

}  // namespace

void ReadHeartRateParams(const std::string& path, THeartRateParams& params) {
  const TIniFile ini(path);
  params.HrDate = ShownDate(ini.ReadString("Params", "Date", "04.01.1961"));
  params.HrStartTime = ini.ReadString("Params", "StartTime", "12:00:0.0");
  params.HrLength = ini.ReadString("Params", "Length", "0:30:0.0");
  params.HrInterval = ini.ReadInteger("Params", "Interval", 0);
  const int64_t points = params.HrInterval > 0 ? LengthSeconds(params.HrLength) / params.HrInterval : 0;
  params.HrPoints = static_cast<int>(std::min<int64_t>(points, INT_MAX));
}

int ImportHeartRate(const std::string& path, THeartRateParams& params, TMonitorChart& chart) {
  ReadHeartRateParams(path, params);
  std::ifstream in(path, std::ios::binary);
  if (!in) return hrNotImported;
  // MBR divides by M at series 5: a chart without it has nothing to lay the heart rate over.
  if (chart.SeriesCount() <= MSeries) return hrNotImported;
  // The sample stream is found by its own lines, apart from the params: the interval line,
  // then the heading of the samples after it.
  std::string line;
  int repeats = 0;
  if (SkipPast(in, IntervalLine, line)) ParseInteger(std::string_view(line).substr(IntervalLine.size()), repeats);
  const bool hasSamples = SkipPast(in, SamplesHeading, line);
  PrepareSeries(chart);
  if (hasSamples && repeats > 0) LaySamples(in, repeats, chart);
  chart.Changed();
  return hrImported;
}
