// Figures of the chart with a day-long live recording: the cost of a row, its memory, and the
// time of a repaint, zoomed out and zoomed in.
#include <QApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "BenchFiles.h"
#include "monitor/ChartPainter.h"
#include "monitor/MonitorChart.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Rows = 1000000;

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4096;
}

void Fill(TMonitorChart& monitor) {
  TLabelColumn& clock = monitor.Series(TMonitorChart::ClockLabelSeriesIndex).Labels;
  TLabelColumn& elapsed = monitor.Series(TMonitorChart::ElapsedLabelSeriesIndex).Labels;
  clock.SetFormat(TLabelFormat::LiveClock);
  elapsed.SetFormat(TLabelFormat::LiveElapsed);
  const double start = 46000.375;
  double values[3];
  for (int k = 0; k < Rows; ++k) {
    const double t = k / 86400.0;
    values[0] = 1.5 + std::sin(k * 0.02) + 0.3 * std::sin(k * 0.0001);
    values[1] = 18 + 6 * std::sin(k * 0.013);
    values[2] = values[0] * values[1];
    const bool marked = k % 50 == 0;
    monitor.AppendRow(start + t, t, values, 3, 1.0, marked ? std::string_view("mark") : std::string_view());
  }
}

double MedianRepaintMs(const TMonitorChart& monitor, QImage& image, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    image.fill(Qt::white);
    QPainter painter(&image);
    const auto begin = Clock::now();
    PaintChart(painter, monitor, QRectF(0, 0, image.width(), image.height()));
    painter.end();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
  }
  return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const char* pngPrefix = argc > 2 && std::strcmp(argv[1], "--png") == 0 ? argv[2] : nullptr;

  TSettings settings = DefaultSettings("/tmp");
  settings.ShowMarks = true;
  TMonitorChart monitor(settings);
  monitor.InitChart();
  monitor.AddDeviceChannels();
  for (int o = 0; o < ChartOptionCount; ++o)
    monitor.SetOption(TChartOption(o), OptionSetting(settings, TChartOption(o)));

  const long before = ResidentBytes();
  const auto begin = Clock::now();
  Fill(monitor);
  const double appendNs = std::chrono::duration<double, std::nano>(Clock::now() - begin).count() / Rows;
  const long after = ResidentBytes();
  std::printf("chart-append-ns-per-row: %.1f ns\n", appendNs);
  std::printf("chart-bytes-per-row: %.1f bytes\n", static_cast<double>(after - before) / Rows);

  QImage image(1200, 700, QImage::Format_RGB32);
  std::printf("chart-repaint-full-ms: %.2f ms\n", MedianRepaintMs(monitor, image, 15));
  if (pngPrefix) image.save(QString::fromUtf8(pngPrefix) + "-full.png");

  monitor.SetOption(coAutoScale, false);
  for (int index : {TMonitorChart::ClockAxisIndex, TMonitorChart::ElapsedAxisIndex})
    monitor.Axis(index).SetMinMax(Rows / 2 - 500, Rows / 2 + 500);
  monitor.Chart.BottomAxis.SetMinMax(Rows / 2 - 500, Rows / 2 + 500);
  std::printf("chart-repaint-zoomed-ms: %.2f ms\n", MedianRepaintMs(monitor, image, 15));
  if (pngPrefix) image.save(QString::fromUtf8(pngPrefix) + "-zoomed.png");
  return 0;
}
