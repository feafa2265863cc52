// Heart-rate files: the parameters the browser lists, and the import over a recording. The
// first byte picks the recording the file is laid over; the rest is the file.
#include <cmath>
#include <vector>

#include "FuzzSupport.h"
#include "browser/FileListing.h"
#include "core/Glob.h"
#include "recording/HeartRate.h"

namespace {

constexpr int MSeries = 5, HrSeries = 6, MbrSeries = 7;

// A recording of `channels` channels (3: a device file's V, F, M) and `rows` rows, its M
// channel with zero and null values among the others.
void MakeRecording(TMonitorChart& chart, int channels, size_t rows) {
  chart.InitChart();
  if (channels == 3) {
    chart.AddDeviceChannels();
  } else {
    for (int c = 0; c < channels; ++c) chart.AddChannelSeries("C" + std::to_string(c), clRed);
    chart.ArrangeAxes(1);
  }
  std::vector<double> values(static_cast<size_t>(channels));
  for (size_t row = 0; row < rows; ++row) {
    for (int c = 0; c < channels; ++c) values[static_cast<size_t>(c)] = static_cast<double>(row % 7) * 1.5;
    if (channels > 2 && row % 11 == 3) values[2] = TValueColumn::Null;
    chart.AppendRow(static_cast<double>(row), static_cast<double>(row), values.data(), channels, 30, "");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const int ChannelChoices[] = {3, 4, 6, 2};
  const int channels = ChannelChoices[data[0] & 3];
  const size_t rows = (data[0] >> 2) * 3u;
  const std::string path = ScratchFile("input.hrm");
  WriteScratch(path, data + 1, size - 1);

  TGLOB glob(std::string(), false);
  TMonitorChart& chart = glob.Monitor;
  MakeRecording(chart, channels, rows);
  const int seriesBefore = chart.SeriesCount();
  const int result = ImportHeartRate(path, glob.HeartRateParams, chart);
  Require(glob.HeartRateParams.HrPoints >= 0, "no negative number of points");
  if (seriesBefore <= MSeries) {
    Require(result == hrNotImported && chart.SeriesCount() == seriesBefore, "nothing to lay the heart rate over");
    return 0;
  }
  Require(result == hrImported, "a file that opens is imported");
  Require(chart.SeriesCount() == std::max(seriesBefore, MbrSeries + 1), "HR and MBR are series 6 and 7");
  Require(chart.AxisCount() == chart.SeriesCount(), "one custom axis per series");
  Require(chart.Series(HrSeries).Title == HrChannelTitle && chart.Series(MbrSeries).Title == MbrChannelTitle,
          "the overlay's channels carry its titles");
  for (int s = TMonitorChart::FirstChannel; s < MSeries + 1; ++s)
    Require(chart.Series(s).Values.Size() == rows, "the recording's own channels keep their rows");
  const TValueColumn& ventilation = chart.Series(MSeries).Values;
  const TValueColumn& hr = chart.Series(HrSeries).Values;
  const TValueColumn& mbr = chart.Series(MbrSeries).Values;
  Require(mbr.Size() <= rows, "MBR never runs past the recording");
  Require(hr.Size() == mbr.Size() || (hr.Size() == mbr.Size() + 1 && mbr.Size() == rows),
          "HR takes one point more than MBR only where the recording ran out");
  for (size_t row = 0; row < hr.Size(); ++row)
    Require(std::isfinite(hr.At(row)) && hr.At(row) >= 0, "a heart rate is a count");
  for (size_t row = 0; row < mbr.Size(); ++row) {
    const bool defined = std::isfinite(hr.At(row) / ventilation.At(row));
    Require(defined ? mbr.At(row) == hr.At(row) / ventilation.At(row) : std::isnan(mbr.At(row)),
            "MBR is HR over M, null where that has no value");
  }
  TDirectoryListing listing(path.substr(0, path.rfind('/')), fkHeartRate, {});
  TListedFile file;
  Require(listing.Next(file) && file.Points == std::to_string(glob.HeartRateParams.HrPoints),
          "the browser lists the file with its points");
  return 0;
}
