#include <QApplication>
#include <QMouseEvent>

#include "ProgramFixture.h"
#include "core/Glob.h"
#include "monitor/ChartPainter.h"
#include "monitor/ChartView.h"
#include "monitor/U_Monitor.h"
#include "panel/U_Control.h"

namespace {

constexpr int V = 3, F = 4, M = 5;

class ChartViewTest : public ProgramFixture {
 protected:
  void SetUp() override {
    StartAndShow();
    Chart = &GLOB->Monitor;
    Chart->AddDeviceChannels();
    for (int k = 0; k < 200; ++k) {
      // Now and then a value beyond its axis, which must not spill into the next band.
      const double values[] = {k % 50 == 25 ? 8.0 : 2.0 + (k % 20) * 0.05,
                               k % 45 == 10 ? -20.0 : 20.0 + k % 7,
                               k % 60 == 30 ? 260.0 : 40.0 + k % 30};
      Chart->AppendRow(0, 0, values, 3, 1.0, k % 40 == 0 ? "m" : "");
    }
    View = F_MONITOR->Monitor;
    F_MONITOR->resize(900, 600);
    View->resize(900, 600);
  }
  TRange RangeOf(int axis) const { return Chart->Chart.EffectiveRange(Chart->Axis(axis)); }
  double BandY(int axis, double fraction) {
    const TRange span = TChart::AxisSpan(Chart->Axis(axis), View->CurrentLayout());
    return span.Min + (span.Max - span.Min) * fraction;
  }
  double PlotX(double fraction) {
    const TRect& plot = View->CurrentLayout().Plot;
    return plot.Left + plot.Width() * fraction;
  }
  void Send(QEvent::Type type, Qt::MouseButton button, QPointF at, Qt::KeyboardModifiers keys = {}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, View->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, keys);
    QApplication::sendEvent(View, &event);
  }
  void Drag(Qt::MouseButton button, QPointF from, QPointF to, Qt::KeyboardModifiers keys = {}) {
    Send(QEvent::MouseButtonPress, button, from, keys);
    Send(QEvent::MouseMove, button, (from + to) / 2, keys);
    Send(QEvent::MouseMove, button, to, keys);
    Send(QEvent::MouseButtonRelease, button, to, keys);
  }

  TMonitorChart* Chart = nullptr;
  TChartView* View = nullptr;
};

TEST_F(ChartViewTest, MouseZoomsUndoesAndPans) {
  // A drag down inside the F band zooms F alone to the values under it.
  Drag(Qt::LeftButton, {PlotX(0.5), BandY(F, 0.25)}, {PlotX(0.55), BandY(F, 0.75)});
  EXPECT_NEAR(RangeOf(F).Min, 17.5, 0.3);
  EXPECT_NEAR(RangeOf(F).Max, 52.5, 0.3);
  EXPECT_EQ(RangeOf(V), (TRange{0, 5}));
  EXPECT_EQ(RangeOf(M), (TRange{0, 200}));

  // A drag up undoes it.
  Drag(Qt::LeftButton, {PlotX(0.5), BandY(F, 0.6)}, {PlotX(0.45), BandY(F, 0.2)});
  EXPECT_EQ(RangeOf(F), (TRange{0, 70}));

  // With Shift, time: the first half of the rows.
  Drag(Qt::LeftButton, {PlotX(0.0), BandY(V, 0.5)}, {PlotX(0.5), BandY(V, 0.5)}, Qt::ShiftModifier);
  EXPECT_FALSE(F_CONTROL->cbAutoScale->isChecked());
  EXPECT_NEAR(RangeOf(TMonitorChart::ElapsedAxisIndex).Min, 0, 0.5);
  EXPECT_NEAR(RangeOf(TMonitorChart::ElapsedAxisIndex).Max, 99.5, 0.5);

  // Right drag to the left brings later rows in and unticks "All Axes auto".
  F_CONTROL->cbAUTO->setChecked(true);
  const double before = RangeOf(TMonitorChart::ElapsedAxisIndex).Min;
  Drag(Qt::RightButton, {PlotX(0.6), BandY(M, 0.5)}, {PlotX(0.4), BandY(M, 0.5)});
  EXPECT_NEAR(RangeOf(TMonitorChart::ElapsedAxisIndex).Min, before + 19.9, 0.5);
  EXPECT_FALSE(F_CONTROL->cbAUTO->isChecked());

  // Shift and a drag to the left shows all rows again.
  Drag(Qt::LeftButton, {PlotX(0.8), BandY(V, 0.5)}, {PlotX(0.3), BandY(V, 0.5)}, Qt::ShiftModifier);
  EXPECT_TRUE(F_CONTROL->cbAutoScale->isChecked());
  EXPECT_EQ(RangeOf(TMonitorChart::ElapsedAxisIndex), (TRange{0, 199}));
}

TEST_F(ChartViewTest, LegendCheckBoxHidesAChannel) {
  View->grab();  // paints the view
  const auto& legend = View->LastPaint().Legend;
  ASSERT_EQ(legend.size(), 3u);
  Send(QEvent::MouseButtonPress, Qt::LeftButton, legend[1].Box.center());
  Send(QEvent::MouseButtonRelease, Qt::LeftButton, legend[1].Box.center());
  EXPECT_FALSE(Chart->Series(F).Active);
  EXPECT_NEAR(Chart->Axis(V).StartPosition, 52, 1e-9);
}

TEST_F(ChartViewTest, StackedChannelsStayInTheirBands) {
  const QImage image = RenderChartImage(*Chart, QSize(900, 600));
  QImage scratch(900, 600, QImage::Format_RGB32);
  QPainter painter(&scratch);
  const TPaintResult painted = PaintChart(painter, *Chart, QRectF(0, 0, 900, 600));
  const TChartLayout& layout = painted.Layout;
  struct Channel {
    int Axis;
    bool (*Is)(QColor);
    int Inside = 0, Outside = 0;
  } channels[] = {
      {V, [](QColor c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; }},
      {F, [](QColor c) { return c.blue() > 150 && c.red() < 90 && c.green() < 90; }},
      {M, [](QColor c) { return c.green() > 90 && c.red() < 70 && c.blue() < 70; }},
  };
  // Inside the plot, right of the axis lines and their ticks.
  for (int y = static_cast<int>(layout.Plot.Top); y < layout.Plot.Bottom; ++y)
    for (int x = static_cast<int>(layout.Plot.Left) + 10; x < layout.Plot.Right; ++x) {
      const QColor c = image.pixelColor(x, y);
      for (Channel& ch : channels) {
        if (!ch.Is(c)) continue;
        const TRange band = TChart::AxisSpan(Chart->Axis(ch.Axis), layout);
        // The band in whole pixels and one pixel more on each side.
        const bool inside = y >= std::lround(band.Min) - 1 && y <= std::lround(band.Max) + 1;
        (inside ? ch.Inside : ch.Outside)++;
      }
    }
  for (const Channel& ch : channels) {
    EXPECT_GT(ch.Inside, 100) << "axis " << ch.Axis;
    EXPECT_EQ(ch.Outside, 0) << "axis " << ch.Axis;
  }
}

}  // namespace
