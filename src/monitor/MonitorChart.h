// The monitor's chart as the program uses it: the fixed auxiliary series and axes, the channels
// of a device, a heart-rate overlay or a laboratory file, the layout of the channel axes, the
// display options of the control panel, and what zoom, undo and pan do to the axes.
#pragma once

#include <functional>
#include <string>

#include "core/Settings.h"
#include "monitor/Chart.h"

// The twelve display options, as their check boxes on the control panel.
enum TChartOption {
  coLegend,
  coMarks,
  coAbsTimeScale,
  co3D,
  coRotate,
  coAutoScale,
  coScroll,
  coGrid,
  coOneAxes,
  coAllAuto,
  coUndoAuto,
  coAxisTitle,
  ChartOptionCount
};

// The setting each option box starts from.
bool OptionSetting(const TSettings& settings, TChartOption option);

enum class TMouseButton { Left, Right };

// Titles of the channels a heart-rate file lays over a recording.
constexpr const char* HrChannelTitle = "HR (b/min)";
constexpr const char* MbrChannelTitle = "MBR (b/l)";

class TMonitorChart {
 public:
  static constexpr int MarkSeriesIndex = 0;
  static constexpr int ElapsedLabelSeriesIndex = 1;
  static constexpr int ClockLabelSeriesIndex = 2;
  static constexpr int FirstChannel = 3;
  static constexpr int ClockAxisIndex = 0;
  static constexpr int ElapsedAxisIndex = 1;
  static constexpr int MarkAxisIndex = 2;
  // Range bookkeeping covers the first ten channel axes.
  static constexpr int RangeSlots = 10;

  explicit TMonitorChart(TSettings& settings);

  TChart Chart;

  // 1 stacked in bands, 0 side by side; as the unticked "Axes on one line" box says at first.
  int AxesMode = 0;
  bool AutoScrollActive = false;
  TRange HomeRange[RangeSlots] = {};
  bool HomeRangeSet[RangeSlots] = {};
  TRange ViewRange[RangeSlots] = {};
  TRange SavedBottomRange;
  bool ClickArmed = false;
  double PressX = 0, PressY = 0;
  bool ZoomHorizontal = false;

  // The option check boxes. A change of state, by the operator or by the program, runs the
  // option's action; OnOptionChanged lets the check boxes on screen follow.
  struct TOptionBox {
    bool Checked = false;
    bool Enabled = true;
  };
  TOptionBox Options[ChartOptionCount];
  std::function<void(TChartOption)> OnOptionChanged;
  // Anything on the chart changed: the view paints it again. Whoever appends rows calls
  // Changed once the rows are in.
  std::function<void()> OnChanged;
  void Changed() const {
    if (OnChanged) OnChanged();
  }
  void SetOption(TChartOption option, bool checked);
  // The option's action with the state it has, as if its box had been clicked.
  void RunOption(TChartOption option);
  bool Option(TChartOption option) const { return Options[option].Checked; }

  TChartSeries& Series(int index) { return *Chart.Series[static_cast<size_t>(index)]; }
  const TChartSeries& Series(int index) const { return *Chart.Series[static_cast<size_t>(index)]; }
  TChartAxis& Axis(int index) { return *Chart.CustomAxes[static_cast<size_t>(index)]; }
  const TChartAxis& Axis(int index) const { return *Chart.CustomAxes[static_cast<size_t>(index)]; }
  int SeriesCount() const { return static_cast<int>(Chart.Series.size()); }
  int AxisCount() const { return static_cast<int>(Chart.CustomAxes.size()); }
  int ChannelCount() const { return std::max(0, SeriesCount() - FirstChannel); }
  // Rows of the recording: the points of the first channel.
  size_t RowCount() const;
  // Value of channel c (0 = series 3) at row k.
  double Value(int channel, size_t row) const;
  // Mark text of row k, empty when it has none or does not exist.
  std::string_view MarkText(size_t row) const;

  // One row of a live recording or a laboratory file: both time labels (in the formats of
  // their columns), a value for each channel (channels beyond the values get a null point) and
  // the mark, a bar of markValue or, with an empty text, a null point.
  void AppendRow(double clockLabel, double elapsedLabel, const double* values, int valueCount,
                 double markValue, std::string_view markText);

  void InitChart();
  void ClearChart();
  void ClearSeries();
  void AddDeviceChannels();
  void AddHeartRateChannels();
  // A laboratory channel; returns its series index.
  int AddChannelSeries(const std::string& title, TColor color);
  void StyleChannelAxis(TChartAxis& axis, TColor color);
  void ArrangeAxes(int mode);
  void ScrollTimeAxes();
  // Where a channel series may draw in the stacked layout; false when it is not clipped.
  bool ChannelClip(const TChartSeries& series, const TChartLayout& layout, TRect& clip) const;

  // The mouse on the chart. The view passes the layout it drew with.
  void MonitorMouseDown(TMouseButton button, bool shift, double x, double y,
                        const TChartLayout& layout);
  void MonitorMouseUp();
  // A zoom rectangle dragged from (x0, y0) to (x1, y1): too small is ignored, towards the
  // upper left undoes, otherwise zooms. Returns false when ignored.
  bool DragZoom(double x0, double y0, double x1, double y1, const TChartLayout& layout);
  void MonitorZoom(double x0, double y0, double x1, double y1, const TChartLayout& layout);
  void MonitorUndoZoom(double y0, const TChartLayout& layout);
  // A pan by dx pixels: the time axes follow the pointer, then the pan handler runs.
  void DragPan(double dx, const TChartLayout& layout);
  void MonitorScroll(const TChartLayout& layout);
  // A legend check box toggles its channel and the bands are shared out again.
  void ClickLegend(int seriesIndex);
  void MonitorClickLegend();

  // The smallest zoom rectangle taken, in pixels.
  static constexpr double MinimumZoomPixels = 10;

 private:
  struct TChannelSpec {
    const char* Title;
    TColor Color;
    double Min, Max;
  };
  int AddChannel(const std::string& title, TColor color);
  void AddFixedChannels(const TChannelSpec* specs, int count);
  void SetAxisAutomatic(TChartAxis& axis, bool automatic);
  bool AxisSpanContains(int axis, double y, const TChartLayout& layout, bool strictly) const;
  static int Slot(int axisIndex) { return axisIndex - FirstChannel; }
  static bool HasSlot(int axisIndex) { return Slot(axisIndex) >= 0 && Slot(axisIndex) < RangeSlots; }

  TSettings& Settings;
};
