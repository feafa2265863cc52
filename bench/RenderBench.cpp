// vt4800-cli render of a 999,999-row three-channel laboratory file into a 1200 x 700 bitmap, the
// whole process timed; and gnuplot plotting the same three columns into a PNG of that size.
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "core/Glob.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Runs = 5;

// Milliseconds of one run of a shell command; negative when it failed.
double RunMs(const std::string& command) {
  const auto begin = Clock::now();
  const int status = std::system(command.c_str());
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

double MedianMs(const std::string& command, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double ms = RunMs(command);
    if (ms < 0) return -1;
    times.push_back(ms);
  }
  return Median(times);
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_bench PATH-OF-vt4800-cli\n");
    return 2;
  }
  const auto dir = std::filesystem::temp_directory_path() / "vt4800-render-bench";
  std::filesystem::create_directories(dir);
  const auto file = dir / "long.rl2";
  TGLOB glob((dir / "vt4800").string(), false);
  WriteLongLabFile(glob, file.string());

  const std::string render = Quoted(argv[1]) + " render " + Quoted(file) + " -o " + Quoted(dir / "chart.bmp") +
                             " --size 1200x700 >/dev/null 2>&1";
  const double ours = MedianMs(render, Runs);
  if (ours < 0) {
    std::printf("render-1m-ms: failed (%s)\n", render.c_str());
    return 1;
  }
  std::printf("render-1m-ms: %.0f ms\n", ours);

  // The data table starts after the 11 header lines; the last field of a row is the mark.
  const std::string script = "set terminal png size 1200,700; set output " + Quoted(dir / "gnuplot.png") +
                             "; set datafile separator '\\t'; plot " + Quoted(file) +
                             " skip 11 using 0:1 with lines, '' skip 11 using 0:2 with lines, "
                             "'' skip 11 using 0:3 with lines";
  const double gnuplot = std::system("command -v gnuplot >/dev/null") == 0
                             ? MedianMs("gnuplot -e \"" + script + "\" >/dev/null 2>&1", 3)
                             : -1;
  if (gnuplot > 0)
    std::printf("render-vs-gnuplot: %.2f x\n", gnuplot / ours);
  else
    std::printf("render-vs-gnuplot: unavailable (gnuplot missing or failed)\n");
  std::filesystem::remove_all(dir);
  return 0;
}
