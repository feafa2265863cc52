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
  // A sheet of paper: white background, line widths and fonts grown with the page.
  bool Paper = false;
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

// Where the chart lies in the printable part of a page: inside the chart's print margins,
// stretched to them.
QRectF ChartAreaOnPage(QSizeF printable, const TChart& chart);

// The chart on the printer's page, inside its margins; false when the printer (or the PDF
// file) could not be written.
bool PrintChartPage(QPrinter& printer, const TMonitorChart& monitor, const TPaintOptions& options);

QColor ToQColor(TColor color);
