#include <gtest/gtest.h>

#include "monitor/MonitorChart.h"

namespace {

constexpr int V = 3, F = 4, M = 5;

class MonitorChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Monitor.InitChart();
    ApplySettings();
  }
  // As the control panel does at start: every box takes its setting.
  void ApplySettings() {
    for (int o = 0; o < ChartOptionCount; ++o)
      Monitor.SetOption(TChartOption(o), OptionSetting(Settings, TChartOption(o)));
  }
  void AddDeviceRows(int rows) {
    for (int k = 0; k < rows; ++k) {
      Monitor.Series(0).Marks.AppendNull();
      Monitor.Series(1).Labels.AppendText("e");
      Monitor.Series(2).Labels.AppendText("c");
      for (int c = 0; c < Monitor.ChannelCount(); ++c)
        Monitor.Series(3 + c).Values.Append(1.0 + c + (k % 10) * 0.1);
    }
  }
  TChartLayout Layout() const { return Monitor.Chart.Layout(1000, 700, 0, 0, 0); }
  double BandMiddle(int axis) const {
    const TRange span = TChart::AxisSpan(Monitor.Axis(axis), Layout());
    return (span.Min + span.Max) / 2;
  }
  TRange RangeOf(int axis) const { return Monitor.Chart.EffectiveRange(Monitor.Axis(axis)); }
  void ExpectBand(int axis, double start, double end) {
    EXPECT_NEAR(Monitor.Axis(axis).StartPosition, start, 0.05) << "axis " << axis;
    EXPECT_NEAR(Monitor.Axis(axis).EndPosition, end, 0.05) << "axis " << axis;
  }
  void Press(TMouseButton button, bool shift, double x, double y) {
    Monitor.MonitorMouseDown(button, shift, x, y, Layout());
  }

  TSettings Settings = DefaultSettings("/data");
  TMonitorChart Monitor{Settings};
};

TEST_F(MonitorChartTest, InitChartBuildsTheFixedSeriesAndAxes) {
  ASSERT_EQ(Monitor.SeriesCount(), 3);
  ASSERT_EQ(Monitor.AxisCount(), 3);
  EXPECT_EQ(Monitor.Series(0).Kind, TSeriesKind::Bar);
  EXPECT_EQ(Monitor.Series(0).VerticalAxis, TMonitorChart::MarkAxisIndex);
  EXPECT_EQ(Monitor.Series(0).Color, clYellow);
  EXPECT_FALSE(Monitor.Series(0).Active);  // ShowMarks is off
  EXPECT_EQ(Monitor.Series(1).HorizontalAxis, TMonitorChart::ElapsedAxisIndex);
  EXPECT_EQ(Monitor.Series(2).HorizontalAxis, TMonitorChart::ClockAxisIndex);
  for (int s = 0; s < 3; ++s) EXPECT_FALSE(Monitor.Series(s).ShowInLegend);
  EXPECT_TRUE(Monitor.Axis(0).Horizontal);
  EXPECT_FALSE(Monitor.Axis(0).Visible);  // AbsTimeScale off: elapsed time shows
  EXPECT_TRUE(Monitor.Axis(1).Visible);
  EXPECT_EQ(Monitor.Axis(0).Color, clLightGrey);
  const TChartAxis& marks = Monitor.Axis(2);
  EXPECT_FALSE(marks.Visible);
  EXPECT_TRUE(marks.AutomaticMaximum);
  EXPECT_EQ(marks.StartPosition, 5);
  EXPECT_EQ(Monitor.RowCount(), 0u);
  EXPECT_EQ(Monitor.ChannelCount(), 0);
}

TEST_F(MonitorChartTest, DeviceChannelsStackedOrSideBySide) {
  Monitor.AddDeviceChannels();
  ASSERT_EQ(Monitor.SeriesCount(), 6);
  ASSERT_EQ(Monitor.AxisCount(), 6);
  EXPECT_EQ(Monitor.Series(V).Title, "V (l)");
  EXPECT_EQ(Monitor.Series(F).Color, clBlue);
  EXPECT_EQ(Monitor.Axis(M).Title, "M (l/min)");
  EXPECT_EQ(RangeOf(F), (TRange{0, 70}));
  EXPECT_EQ(Monitor.HomeRange[2], (TRange{0, 200}));
  EXPECT_EQ(Monitor.Axis(V).LabelsSize, 20);
  EXPECT_EQ(Monitor.Axis(V).AxisLineWidth, 4);

  EXPECT_EQ(Monitor.AxesMode, 1);
  ExpectBand(M, 2.0, 33.33);
  ExpectBand(F, 35.33, 66.67);
  ExpectBand(V, 68.67, 100);
  for (int a : {V, F, M}) EXPECT_EQ(Monitor.Axis(a).PositionPercent, 0);
  EXPECT_EQ(Monitor.Chart.MarginLeft, 5);

  Monitor.SetOption(coOneAxes, false);
  EXPECT_FALSE(Settings.OneAxes);
  EXPECT_EQ(Monitor.AxesMode, 0);
  EXPECT_EQ(Monitor.Axis(V).PositionPercent, 0);
  EXPECT_EQ(Monitor.Axis(F).PositionPercent, -8);
  EXPECT_EQ(Monitor.Axis(M).PositionPercent, -16);
  for (int a : {V, F, M}) ExpectBand(a, 0, 100);
  EXPECT_EQ(Monitor.Chart.MarginLeft, 17);
}

TEST_F(MonitorChartTest, AnUntickedOneAxesSettingAtStartPutsTheAxesSideBySide) {
  TSettings settings = DefaultSettings("/data");
  settings.OneAxes = false;
  TMonitorChart monitor{settings};
  monitor.InitChart();
  for (int o = 0; o < ChartOptionCount; ++o)
    monitor.SetOption(TChartOption(o), OptionSetting(settings, TChartOption(o)));
  monitor.AddDeviceChannels();
  EXPECT_EQ(monitor.AxesMode, 0);
  EXPECT_EQ(monitor.Axis(M).PositionPercent, -16);
}

TEST_F(MonitorChartTest, HiddenChannelGivesItsBandToTheOthers) {
  Monitor.AddDeviceChannels();
  Monitor.ClickLegend(F);
  EXPECT_FALSE(Monitor.Series(F).Active);
  ExpectBand(V, 52, 100);
  ExpectBand(M, 2, 50);
  ExpectBand(F, 35.33, 66.67);  // keeps its old band
  Monitor.ClickLegend(F);
  ExpectBand(F, 35.33, 66.67);
  ExpectBand(V, 68.67, 100);

  // With nothing shown, nothing moves.
  for (int a : {V, F, M}) Monitor.Series(a).Active = false;
  Monitor.ArrangeAxes(0);
  ExpectBand(V, 68.67, 100);
  EXPECT_EQ(Monitor.Chart.MarginLeft, 5);
}

TEST_F(MonitorChartTest, NewChannelAxesTakeGridAndTitleFromTheSettings) {
  Settings.ShowGrid = true;
  Settings.AxisTitles = false;
  const int index = Monitor.AddChannelSeries("O2 (%)", 0x123456);
  EXPECT_TRUE(Monitor.Axis(index).GridVisible);
  EXPECT_FALSE(Monitor.Axis(index).TitleVisible);
  EXPECT_TRUE(Monitor.Axis(index).Automatic());
  EXPECT_EQ(Monitor.Series(index).HorizontalAxis, TMonitorChart::ClockAxisIndex);
  EXPECT_EQ(Monitor.Axis(index).Color, 0x123456u);
}

TEST_F(MonitorChartTest, FullTimeScaleGovernsAutoScroll) {
  EXPECT_TRUE(Monitor.Option(coAutoScale));
  EXPECT_FALSE(Monitor.Options[coScroll].Enabled);
  Monitor.SetOption(coScroll, true);
  EXPECT_FALSE(Monitor.AutoScrollActive);
  EXPECT_FALSE(Settings.AutoScroll);  // never written back

  Monitor.SetOption(coAutoScale, false);
  EXPECT_TRUE(Monitor.Options[coScroll].Enabled);
  EXPECT_TRUE(Monitor.AutoScrollActive);
  EXPECT_FALSE(Settings.AutoTimeScale);
  Monitor.SetOption(coAutoScale, true);
  EXPECT_FALSE(Monitor.AutoScrollActive);
  EXPECT_TRUE(Monitor.Axis(0).Automatic());
  EXPECT_TRUE(Monitor.Chart.BottomAxis.Automatic());
  Monitor.SetOption(coScroll, false);
  Monitor.SetOption(coAutoScale, false);
  EXPECT_FALSE(Monitor.AutoScrollActive);
}

TEST_F(MonitorChartTest, OptionsActOnTheChartAndTheirSettings) {
  Monitor.AddDeviceChannels();
  EXPECT_TRUE(Monitor.Chart.LegendVisible);
  Monitor.SetOption(coLegend, false);
  EXPECT_FALSE(Monitor.Chart.LegendVisible);
  EXPECT_FALSE(Settings.ShowLegend);

  Monitor.SetOption(coMarks, true);
  EXPECT_TRUE(Monitor.Series(0).Active);
  Monitor.SetOption(coAbsTimeScale, true);
  EXPECT_TRUE(Monitor.Axis(0).Visible);
  EXPECT_FALSE(Monitor.Axis(1).Visible);

  EXPECT_FALSE(Monitor.Options[coRotate].Enabled);
  EXPECT_FALSE(Monitor.Chart.RotateToolActive);
  Monitor.SetOption(co3D, true);
  EXPECT_TRUE(Monitor.Chart.View3D);
  EXPECT_TRUE(Monitor.Options[coRotate].Enabled);
  EXPECT_TRUE(Monitor.Chart.RotateToolActive);
  Monitor.SetOption(coRotate, false);
  EXPECT_FALSE(Monitor.Chart.RotateToolActive);
  EXPECT_FALSE(Settings.Rotate);

  Monitor.SetOption(coGrid, true);
  Monitor.SetOption(coAxisTitle, false);
  for (int a : {V, F, M}) {
    EXPECT_TRUE(Monitor.Axis(a).GridVisible);
    EXPECT_FALSE(Monitor.Axis(a).TitleVisible);
  }
  EXPECT_TRUE(Settings.ShowGrid);
  EXPECT_FALSE(Settings.AxisTitles);
}

TEST_F(MonitorChartTest, AllAxesAutoRecordsTheRangesItReplaces) {
  Monitor.AddDeviceChannels();
  AddDeviceRows(20);
  Monitor.SetOption(coAllAuto, true);
  EXPECT_EQ(Monitor.ViewRange[0], (TRange{0, 5}));
  EXPECT_EQ(Monitor.ViewRange[2], (TRange{0, 200}));
  for (int a : {V, F, M}) EXPECT_TRUE(Monitor.Axis(a).Automatic());
  EXPECT_NEAR(RangeOf(V).Max, 1.9, 1e-9);  // the data's range now
  Monitor.SetOption(coAllAuto, false);
  for (int a : {V, F, M}) EXPECT_TRUE(Monitor.Axis(a).Automatic());
  EXPECT_FALSE(Settings.AllVertAuto);
}

TEST_F(MonitorChartTest, AutoScrollMovesTheTimeAxesOnlyPastRow100) {
  Monitor.AddDeviceChannels();
  Monitor.SetOption(coAutoScale, false);
  Monitor.SetOption(coScroll, true);
  ASSERT_TRUE(Monitor.AutoScrollActive);
  for (int k = 0; k < 101; ++k) {
    Monitor.ScrollTimeAxes();
    AddDeviceRows(1);
  }
  EXPECT_EQ(RangeOf(1), (TRange{0, 100}));  // last point at row 100
  for (int tick = 1; tick <= 5; ++tick) {
    Monitor.ScrollTimeAxes();
    AddDeviceRows(1);
  }
  // Rows 101 to 105 arrived; each tick after the first saw the last point beyond 100.
  EXPECT_EQ(RangeOf(1), (TRange{4, 104}));
  EXPECT_EQ(RangeOf(0), (TRange{4, 104}));
  EXPECT_EQ(Monitor.Chart.EffectiveRange(Monitor.Chart.BottomAxis), (TRange{4, 104}));
}

TEST_F(MonitorChartTest, StackedVerticalZoomTouchesOnlyTheBandUnderThePress) {
  Monitor.AddDeviceChannels();
  AddDeviceRows(50);
  const TRange span = TChart::AxisSpan(Monitor.Axis(F), Layout());
  const double y0 = span.Min + (span.Max - span.Min) * 0.25;  // F = 52.5
  const double y1 = span.Min + (span.Max - span.Min) * 0.75;  // F = 17.5
  Press(TMouseButton::Left, false, 500, y0);
  ASSERT_TRUE(Monitor.DragZoom(500, y0, 520, y1, Layout()));
  EXPECT_NEAR(RangeOf(F).Min, 17.5, 1e-9);
  EXPECT_NEAR(RangeOf(F).Max, 52.5, 1e-9);
  EXPECT_NEAR(Monitor.ViewRange[1].Max, 52.5, 1e-9);
  EXPECT_EQ(RangeOf(V), (TRange{0, 5}));
  EXPECT_EQ(RangeOf(M), (TRange{0, 200}));
  EXPECT_TRUE(Monitor.Option(coAutoScale));  // time stays whole
}

TEST_F(MonitorChartTest, SideBySideVerticalZoomTouchesEveryAxis) {
  Monitor.AddDeviceChannels();
  Monitor.SetOption(coOneAxes, false);
  const TRange span = TChart::AxisSpan(Monitor.Axis(V), Layout());
  const double y0 = span.Min + (span.Max - span.Min) * 0.2, y1 = span.Min + (span.Max - span.Min) * 0.6;
  Press(TMouseButton::Left, false, 500, y0);
  Monitor.DragZoom(500, y0, 500, y1, Layout());
  // Each axis takes the values under the rectangle on its own scale.
  EXPECT_NEAR(RangeOf(V).Min, 2, 1e-9);
  EXPECT_NEAR(RangeOf(V).Max, 4, 1e-9);
  EXPECT_NEAR(RangeOf(F).Max, 56, 1e-9);
  EXPECT_NEAR(RangeOf(M).Min, 80, 1e-9);
}

TEST_F(MonitorChartTest, VerticalUndoReturnsHomeOrToAutomatic) {
  Monitor.AddDeviceChannels();
  AddDeviceRows(50);
  // A time window of its own, as a horizontal zoom leaves it.
  Monitor.SetOption(coAutoScale, false);
  Monitor.Chart.BottomAxis.SetMinMax(10, 20);
  const double y = BandMiddle(M);
  for (bool undoAuto : {false, true}) {
    Monitor.SetOption(coUndoAuto, undoAuto);
    Press(TMouseButton::Left, false, 500, y);
    Monitor.DragZoom(500, y, 500, y + 40, Layout());
    ASSERT_NE(RangeOf(M), (TRange{0, 200}));
    Press(TMouseButton::Left, false, 500, y);
    ASSERT_TRUE(Monitor.DragZoom(500, y, 480, y - 30, Layout()));
    if (undoAuto) {
      EXPECT_TRUE(Monitor.Axis(M).Automatic());
    } else {
      EXPECT_EQ(RangeOf(M), (TRange{0, 200}));
      EXPECT_EQ(Monitor.ViewRange[2], (TRange{0, 200}));
    }
    // The time window stays as it was.
    EXPECT_EQ(Monitor.Chart.EffectiveRange(Monitor.Chart.BottomAxis), (TRange{10, 20}));
  }
}

TEST_F(MonitorChartTest, HorizontalZoomAndUndoWorkOnTimeOnly) {
  Monitor.AddDeviceChannels();
  AddDeviceRows(201);  // rows 0 to 200 fill the plot
  const TChartLayout layout = Layout();
  const double x0 = layout.Plot.Left + layout.Plot.Width() * 0.25;
  const double x1 = layout.Plot.Left + layout.Plot.Width() * 0.5;
  Press(TMouseButton::Left, true, x0, 300);
  ASSERT_TRUE(Monitor.DragZoom(x0, 300, x1, 310, layout));
  EXPECT_FALSE(Monitor.Option(coAutoScale));
  EXPECT_NEAR(RangeOf(0).Min, 50, 1e-9);
  EXPECT_NEAR(RangeOf(0).Max, 100, 1e-9);
  EXPECT_NEAR(RangeOf(1).Max, 100, 1e-9);
  EXPECT_NEAR(Monitor.Chart.EffectiveRange(Monitor.Chart.BottomAxis).Min, 50, 1e-9);
  EXPECT_EQ(RangeOf(V), (TRange{0, 5}));

  Press(TMouseButton::Left, true, x1, 300);
  ASSERT_TRUE(Monitor.DragZoom(x1, 300, x0, 300, layout));
  EXPECT_TRUE(Monitor.Option(coAutoScale));
  EXPECT_EQ(RangeOf(1), (TRange{0, 200}));
  EXPECT_EQ(RangeOf(0), (TRange{0, 200}));
}

TEST_F(MonitorChartTest, TinyRectanglesAreIgnored) {
  Monitor.AddDeviceChannels();
  Press(TMouseButton::Left, false, 500, BandMiddle(V));
  EXPECT_FALSE(Monitor.DragZoom(500, BandMiddle(V), 600, BandMiddle(V) + 9, Layout()));
  EXPECT_EQ(RangeOf(V), (TRange{0, 5}));
}

TEST_F(MonitorChartTest, PanMovesTimeAndUnticksFullScaleAndAllAuto) {
  Monitor.AddDeviceChannels();
  AddDeviceRows(201);
  Monitor.SetOption(coAllAuto, true);
  const TRange vBefore = RangeOf(V);
  const TChartLayout layout = Layout();
  Press(TMouseButton::Right, false, 500, BandMiddle(F));
  Monitor.DragPan(-layout.Plot.Width() / 4, layout);  // dragged left: later rows come in
  EXPECT_FALSE(Monitor.Option(coAutoScale));
  EXPECT_FALSE(Monitor.Option(coAllAuto));
  EXPECT_NEAR(RangeOf(1).Min, 50, 1e-9);
  EXPECT_NEAR(RangeOf(1).Max, 250, 1e-9);
  EXPECT_EQ(RangeOf(V), vBefore);
  EXPECT_FALSE(Monitor.Axis(V).Automatic());  // held at the range it had
}

TEST_F(MonitorChartTest, LaboratoryChannelsUndoToTheirData) {
  for (int c = 0; c < 20; ++c) Monitor.AddChannelSeries("C" + std::to_string(c), 0x102030u * c);
  Monitor.ArrangeAxes(1);
  for (int k = 0; k < 30; ++k) {
    for (int c = 0; c < 20; ++c) Monitor.Series(3 + c).Values.Append(k + c);
  }
  const int first = 3, last = 22;
  const TRange before = RangeOf(first);
  for (int axis : {first, last}) {
    const double y = BandMiddle(axis);
    Press(TMouseButton::Left, false, 500, y);
    Monitor.DragZoom(500, y - 5, 500, y + 5, Layout());
    Press(TMouseButton::Left, false, 500, y);
    Monitor.DragZoom(500, y, 500, y - 20, Layout());
    EXPECT_TRUE(Monitor.Axis(axis).Automatic()) << axis;
  }
  EXPECT_EQ(RangeOf(first), before);
  // Panning with twenty channels keeps to the ten slots and leaves the rest alone.
  Press(TMouseButton::Right, false, 500, BandMiddle(last));
  Monitor.DragPan(10, Layout());
  EXPECT_TRUE(Monitor.Axis(last).Automatic());
}

TEST_F(MonitorChartTest, StackedChannelsDrawOnlyInTheirBand) {
  Monitor.AddDeviceChannels();
  TRect clip;
  ASSERT_TRUE(Monitor.ChannelClip(Monitor.Series(F), Layout(), clip));
  const TRange band = TChart::AxisSpan(Monitor.Axis(F), Layout());
  EXPECT_DOUBLE_EQ(clip.Top, band.Min - 1);
  EXPECT_DOUBLE_EQ(clip.Bottom, band.Max + 1);
  EXPECT_DOUBLE_EQ(clip.Left, Layout().Plot.Left);
  Monitor.SetOption(coOneAxes, false);
  EXPECT_FALSE(Monitor.ChannelClip(Monitor.Series(F), Layout(), clip));
}

TEST_F(MonitorChartTest, RowsReadBackByChannelAndMark) {
  Monitor.AddDeviceChannels();
  AddDeviceRows(3);
  Monitor.Series(0).Marks.AppendMark(1.0, "mark");
  EXPECT_EQ(Monitor.RowCount(), 3u);
  EXPECT_DOUBLE_EQ(Monitor.Value(1, 2), 2.2);
  EXPECT_TRUE(std::isnan(Monitor.Value(1, 3)));
  EXPECT_TRUE(std::isnan(Monitor.Value(7, 0)));
  EXPECT_EQ(Monitor.MarkText(3), "mark");
  EXPECT_EQ(Monitor.MarkText(2), "");
  Monitor.ClearSeries();
  EXPECT_EQ(Monitor.RowCount(), 0u);
  EXPECT_EQ(Monitor.SeriesCount(), 6);
}

}  // namespace
