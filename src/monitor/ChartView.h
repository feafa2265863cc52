// The chart on screen: paints the monitor's chart and turns the mouse into zoom, undo, pan,
// legend clicks, 3D rotation and the cursor line.
#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

#include "monitor/ChartPainter.h"

class TChartView : public QWidget {
  Q_OBJECT
 public:
  TChartView(QWidget* parent, TMonitorChart& monitor);

  const TPaintResult& LastPaint() const { return Painted; }
  // The layout at the view's present size (painted or not).
  TChartLayout CurrentLayout();

  // The cursor line moved to a row of its series; the point under the pointer is (x, y).
  std::function<void(long row, QPoint position)> OnCursorMove;
  // A click on the chart that was no drag.
  std::function<void(QPoint position)> OnClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  enum class TDrag { None, Zoom, Pan, Rotate };
  int LegendItemAt(QPointF point, bool boxOnly) const;
  void MoveCursorTool(QPointF point);

  TMonitorChart& Monitor;
  TPaintResult Painted;
  TDrag Drag = TDrag::None;
  QPoint DragStart, DragLast, DragNow;
};
