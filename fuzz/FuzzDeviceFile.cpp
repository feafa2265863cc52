// The device file: its header as the browser lists it, and the loader onto the one-second
// grid, with the smoothing filter off and on.
#include <cmath>

#include "FuzzSupport.h"
#include "browser/FileListing.h"
#include "core/Glob.h"
#include "recording/DeviceFile.h"

namespace {

constexpr size_t RecordsAt = 56;  // our header, then the device's own

void RequireDeviceRecording(const TGLOB& glob, size_t size) {
  const TMonitorChart& chart = glob.Monitor;
  Require(chart.ChannelCount() == 3, "V, F and M");
  const size_t rows = chart.Series(TMonitorChart::FirstChannel).Values.Size();
  const size_t records = size > RecordsAt ? (size - RecordsAt) / 4 : 0;
  Require((rows == 0) == (records == 0), "a row from the first record on");
  Require(rows <= MaxDeviceFileRows, "no more rows than a device file may give");
  RequireRecording(chart, {rows, rows, 0, 0, false});
  for (int s = TMonitorChart::FirstChannel; s < chart.SeriesCount(); ++s)
    for (size_t row = 0; row < rows; ++row)
      Require(chart.Series(s).Values.At(row) >= 0, "volumes and frequencies are never negative");
  const TRecordingHeader& h = glob.RecordingHeader;
  Require(std::isfinite(h.StartTime) && std::isfinite(h.StopTime), "start and stop are moments");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = ScratchFile("input.vt1");
  WriteScratch(path, data, size);
  TGLOB glob(std::string(), false);
  Require(ReadDeviceFileHeader(glob, path) == dfOk, "a file that opens has a header");
  TDirectoryListing listing(path.substr(0, path.rfind('/')), fkDevice, {});
  TListedFile file;
  Require(listing.Next(file), "the browser lists every device file");
  Require(!file.Start.empty() && !file.Duration.empty() && !file.Points.empty(), "a listed file shows its header");
  glob.OpenPath = path;
  for (const bool filter : {false, true}) {
    glob.VT1Filter = filter;
    Require(LoadDeviceFile(glob) == dfOk, "a file that opens loads");
    RequireDeviceRecording(glob, size);
  }
  return 0;
}
