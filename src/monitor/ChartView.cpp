#include "monitor/ChartView.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

TChartView::TChartView(QWidget* parent, TMonitorChart& monitor) : QWidget(parent), Monitor(monitor) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 150);
}

TChartLayout TChartView::CurrentLayout() {
  if (Painted.Layout.Chart.Width() != width() || Painted.Layout.Chart.Height() != height()) {
    // Lay out by painting off screen: the fonts decide the legend's and the labels' room.
    QImage scratch(size(), QImage::Format_RGB32);
    QPainter painter(&scratch);
    Painted = PaintChart(painter, Monitor, rect());
  }
  return Painted.Layout;
}

void TChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Painted = PaintChart(painter, Monitor, rect());
  if (Drag == TDrag::Zoom) {
    painter.setPen(QPen(QColor(40, 40, 40), 1, Qt::DashLine));
    painter.setBrush(QColor(60, 120, 200, 40));
    painter.drawRect(QRect(DragStart, DragNow).normalized());
  }
}

int TChartView::LegendItemAt(QPointF point, bool boxOnly) const {
  for (const auto& item : Painted.Legend)
    if ((boxOnly ? item.Box.adjusted(-2, -2, 2, 2) : item.Row).contains(point)) return item.Series;
  return -1;
}

void TChartView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const int legendSeries = LegendItemAt(p, false);
  if (event->button() == Qt::LeftButton && legendSeries >= 0) {
    if (LegendItemAt(p, true) >= 0) Monitor.ClickLegend(legendSeries);
    update();
    return;
  }
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  const TChartLayout layout = CurrentLayout();
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  Monitor.MonitorMouseDown(event->button() == Qt::RightButton ? TMouseButton::Right : TMouseButton::Left,
                           shift, p.x(), p.y(), layout);
  setCursor(shift ? Qt::SizeVerCursor : Qt::SizeHorCursor);
  DragStart = DragLast = DragNow = p;
  if (event->button() == Qt::RightButton)
    Drag = TDrag::Pan;
  else
    Drag = Monitor.Chart.View3D && Monitor.Chart.RotateToolActive ? TDrag::Rotate : TDrag::Zoom;
}

void TChartView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  DragNow = p;
  switch (Drag) {
    case TDrag::Zoom:
      update();
      break;
    case TDrag::Pan:
      if (p.x() != DragLast.x()) Monitor.DragPan(p.x() - DragLast.x(), CurrentLayout());
      break;
    case TDrag::Rotate:
      Monitor.Chart.Rotation = std::clamp(Monitor.Chart.Rotation + (p.x() - DragLast.x()) * 0.5, 270.0, 360.0);
      Monitor.Chart.Elevation = std::clamp(Monitor.Chart.Elevation - (p.y() - DragLast.y()) * 0.5, 270.0, 360.0);
      update();
      break;
    case TDrag::None:
      break;
  }
  DragLast = p;
  MoveCursorTool(p);
}

void TChartView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const TDrag drag = Drag;
  Drag = TDrag::None;
  if (drag == TDrag::Zoom)
    Monitor.DragZoom(DragStart.x(), DragStart.y(), p.x(), p.y(), CurrentLayout());
  unsetCursor();
  if (drag != TDrag::None) Monitor.MonitorMouseUp();
  const bool click = (p - DragStart).manhattanLength() < 3;
  if (drag == TDrag::Zoom && click && event->button() == Qt::LeftButton && OnClick) OnClick(p);
  update();
}

void TChartView::leaveEvent(QEvent*) {
  if (Drag == TDrag::Zoom) update();
}

void TChartView::MoveCursorTool(QPointF point) {
  TChart& chart = Monitor.Chart;
  if (!chart.CursorActive || chart.CursorSeries < 0 || chart.CursorSeries >= Monitor.SeriesCount()) return;
  const TChartSeries& series = Monitor.Series(chart.CursorSeries);
  if (series.Count() == 0) return;
  const TChartLayout layout = CurrentLayout();
  const double row = chart.ValueAt(chart.HorizontalAxisOf(series), layout, point.x());
  const long snapped = std::clamp(std::lround(row), 0L, static_cast<long>(series.Count()) - 1);
  if (snapped != chart.CursorRow) {
    chart.CursorRow = snapped;
    update();
  }
  if (OnCursorMove) OnCursorMove(snapped, point.toPoint());
}
