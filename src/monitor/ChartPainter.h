// The one routine that draws the monitor's chart, for the screen, for an image (the BMP
// snapshot) and for a printed page.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <vector>

#include "monitor/MonitorChart.h"

class QPrinter;

struct TPaintOptions {
  // The print look: title lines on top, black title and subtitle, no legend.
  bool PrintLook = false;
  bool Monochrome = false;
};

// What the painter drew where, for the mouse.
struct TPaintResult {
  TChartLayout Layout;
  struct TLegendItem {
    int Series;
    QRectF Box;  // the check box
    QRectF Row;  // the whole entry
  };
  std::vector<TLegendItem> Legend;
};

TPaintResult PaintChart(QPainter& painter, const TMonitorChart& monitor, const QRectF& target,
                        const TPaintOptions& options = {});

// The chart as it is shown, into an image of the given size.
QImage RenderChartImage(const TMonitorChart& monitor, QSize size,
                        const TPaintOptions& options = {});

// The chart on the printer's page, inside its margins.
void PrintChartPage(QPrinter& printer, const TMonitorChart& monitor, const TPaintOptions& options);

QColor ToQColor(TColor color);
