#include "BenchFiles.h"

#include <algorithm>
#include <cmath>

#include "core/Glob.h"
#include "recording/LabFile.h"

void WriteLongLabFile(TGLOB& glob, const std::string& path) {
  glob.Monitor.InitChart();
  glob.Monitor.AddDeviceChannels();
  glob.RecordingHeader.DeviceName = "VT4800";
  CreateLabFile(glob, path);
  double values[3];
  for (int k = 0; k < LongFileRows; ++k) {
    values[0] = 1.5 + std::sin(k * 0.02);
    values[1] = 18 + 6 * std::sin(k * 0.013);
    values[2] = values[0] * values[1];
    glob.Monitor.AppendRow(0, 0, values, 3, 1.0, k % 500 == 0 ? "mark" : "");
    AppendLabRow(glob);
  }
  FinishLabFile(glob);
  glob.Monitor.ClearChart();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}
