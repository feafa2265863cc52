// Loading a laboratory file of 999,999 rows and three channels into the chart, and the same
// file read by pandas for comparison.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "core/Glob.h"
#include "recording/LabFile.h"

namespace {

using Clock = std::chrono::steady_clock;

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
  WriteLongLabFile(glob, path);

  std::vector<double> times;
  for (int run = 0; run < 5; ++run) {
    const auto begin = Clock::now();
    ReadLabHeader(glob, path);
    LoadLabFile(glob);
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
    if (glob.Monitor.RowCount() != LongFileRows) std::fprintf(stderr, "loaded %zu rows\n", glob.Monitor.RowCount());
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
