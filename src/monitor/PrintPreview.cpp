#include "monitor/PrintPreview.h"

#include <QPainter>
#include <algorithm>

#include "monitor/ChartPainter.h"

namespace {
// The sheet is drawn at screen resolution and scaled to the widget, so fonts and lines keep the
// proportions they have on paper.
constexpr int SheetDpi = 96;
constexpr double Gap = 10;
}  // namespace

TPrintPreview::TPrintPreview(const TMonitorChart& monitor, QWidget* parent) : QWidget(parent), Monitor(monitor) {}

void TPrintPreview::SetPageLayout(const QPageLayout& layout) {
  Layout = layout;
  update();
}

QRectF TPrintPreview::SheetRect() const {
  const QSizeF page = Layout.fullRectPixels(SheetDpi).size();
  if (page.isEmpty()) return {};
  const double scale = std::min((width() - 2 * Gap) / page.width(), (height() - 2 * Gap) / page.height());
  const QSizeF sheet = page * std::max(scale, 0.0);
  return QRectF((width() - sheet.width()) / 2, (height() - sheet.height()) / 2, sheet.width(), sheet.height());
}

void TPrintPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(128, 128, 128));
  const QRectF sheet = SheetRect();
  if (sheet.isEmpty()) return;
  painter.fillRect(sheet.translated(3, 3), QColor(64, 64, 64));
  painter.fillRect(sheet, Qt::white);
  const QRectF full = Layout.fullRectPixels(SheetDpi);
  const QRectF printable = Layout.paintRectPixels(SheetDpi);
  painter.translate(sheet.topLeft());
  painter.scale(sheet.width() / full.width(), sheet.height() / full.height());
  painter.translate(printable.topLeft());
  PaintChart(painter, Monitor, ChartAreaOnPage(printable.size(), Monitor.Chart), TPaintOptions{true, false});
}
