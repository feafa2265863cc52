// Loading a laboratory file of 999,999 rows and three channels into the chart, and the same
// file read by pandas for comparison.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Glob.h"
#include "recording/LabFile.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Rows = 999999;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void WriteFile(TGLOB& glob, const std::string& path) {
  glob.Monitor.InitChart();
  glob.Monitor.AddDeviceChannels();
  glob.RecordingHeader.DeviceName = "VT4800";
  CreateLabFile(glob, path);
  double values[3];
  for (int k = 0; k < Rows; ++k) {
    values[0] = 1.5 + std::sin(k * 0.02);
    values[1] = 18 + 6 * std::sin(k * 0.013);
    values[2] = values[0] * values[1];
    glob.Monitor.AppendRow(0, 0, values, 3, 1.0, k % 500 == 0 ? "mark" : "");
    AppendLabRow(glob);
  }
  FinishLabFile(glob);
  glob.Monitor.ClearChart();
}

// Seconds pandas takes for read_csv of the table; negative when pandas is not there.
double PandasSeconds(const std::string& path) {
  const std::string command =
      "/usr/bin/python3 -c \"import sys, time, pandas\n"
      "best = []\n"
      "for _ in range(3):\n"
      "    t = time.perf_counter()\n"
      "    pandas.read_csv(sys.argv[1], sep='\\t', skiprows=11, header=None)\n"
      "    best.append(time.perf_counter() - t)\n"
      "print(sorted(best)[1])\" '" + path + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  double seconds = -1;
  if (std::fscanf(pipe, "%lf", &seconds) != 1) seconds = -1;
  pclose(pipe);
  return seconds;
}

}  // namespace

int main() {
  const auto dir = std::filesystem::temp_directory_path() / "vt4800-bench";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "long.rl2").string();
  TGLOB glob((dir / "vt4800").string(), false);
  WriteFile(glob, path);

  std::vector<double> times;
  for (int run = 0; run < 5; ++run) {
    const auto begin = Clock::now();
    ReadLabHeader(glob, path);
    LoadLabFile(glob);
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
    if (glob.Monitor.RowCount() != Rows) std::fprintf(stderr, "loaded %zu rows\n", glob.Monitor.RowCount());
  }
  const double ours = Median(times);
  std::printf("lab-load-ms: %.1f ms\n", ours);
  const double pandas = PandasSeconds(path);
  if (pandas > 0)
    std::printf("lab-load-vs-pandas: %.2f x\n", pandas * 1000 / ours);
  else
    std::printf("lab-load-vs-pandas: unavailable (python3-pandas missing)\n");
  std::filesystem::remove_all(dir);
  return 0;
}
