#include "FuzzSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "monitor/MonitorChart.h"

namespace fs = std::filesystem;

namespace {

struct TScratchDir {
  TScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "vt4800-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    Path = pattern;
  }
  ~TScratchDir() {
    std::error_code ignored;
    fs::remove_all(Path, ignored);
  }
  fs::path Path;
};

}  // namespace

std::string ScratchFile(const std::string& name) {
  static TScratchDir dir;
  return (dir.Path / name).string();
}

void WriteScratch(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::abort();
  }
}

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void RequireRecording(const TMonitorChart& chart, const TRecordingShape& shape) {
  Require(chart.SeriesCount() >= TMonitorChart::FirstChannel, "the three auxiliary series are there");
  Require(chart.AxisCount() == chart.SeriesCount(), "one custom axis per series");
  const TChartSeries& marks = chart.Series(TMonitorChart::MarkSeriesIndex);
  const TLabelColumn& elapsed = chart.Series(TMonitorChart::ElapsedLabelSeriesIndex).Labels;
  const TLabelColumn& clock = chart.Series(TMonitorChart::ClockLabelSeriesIndex).Labels;
  Require(elapsed.Size() == shape.ElapsedLabels, "elapsed labels as the rules give");
  Require(clock.Size() == shape.ClockLabels, "clock labels as the rules give");
  for (const TLabelColumn* labels : {&elapsed, &clock})
    if (labels->Size() > 0) {
      Require(!labels->Text(0).empty(), "a label has a text");
      Require(!labels->Text(labels->Size() - 1).empty(), "a label has a text");
    }
  const TMarkColumn& m = marks.Marks;
  Require(m.Size() == shape.MarkPoints, "mark points as the rules give");
  for (size_t i = 0; i < m.MarkCount(); ++i) {
    Require(m.MarkRow(i) < m.Size(), "a mark lies on a row");
    Require(i == 0 || m.MarkRow(i) > m.MarkRow(i - 1), "marks in row order");
    Require(!m.MarkText(i).empty(), "a mark has a text");
    Require(m.TextAt(m.MarkRow(i)) == m.MarkText(i), "a row's mark is found by its row");
  }
  for (int s = TMonitorChart::FirstChannel; s < chart.SeriesCount(); ++s) {
    const TValueColumn& values = chart.Series(s).Values;
    Require(values.Size() == shape.Rows, "every channel series holds every row");
    for (size_t row = 0; row < values.Size(); ++row) {
      const double v = values.At(row);
      Require(!std::isinf(v), "no channel value is infinite");
      Require(shape.NullsAllowed || !std::isnan(v), "no null value where the file cannot give one");
    }
    double low, high;
    if (values.Extremes(low, high)) Require(low <= high, "extremes in order");
  }
}
