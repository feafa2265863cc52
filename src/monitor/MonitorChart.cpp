#include "monitor/MonitorChart.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double TimeAxisStart = 0, TimeAxisEnd = 100;

}  // namespace

bool OptionSetting(const TSettings& s, TChartOption option) {
  switch (option) {
    case coLegend: return s.ShowLegend;
    case coMarks: return s.ShowMarks;
    case coAbsTimeScale: return s.AbsTimeScale;
    case co3D: return s.View3D;
    case coRotate: return s.Rotate;
    case coAutoScale: return s.AutoTimeScale;
    case coScroll: return s.AutoScroll;
    case coGrid: return s.ShowGrid;
    case coOneAxes: return s.OneAxes;
    case coAllAuto: return s.AllVertAuto;
    case coUndoAuto: return s.UndoZoomAuto;
    case coAxisTitle: return s.AxisTitles;
    case ChartOptionCount: break;
  }
  return false;
}

TMonitorChart::TMonitorChart(TSettings& settings) : Settings(settings) {
  // The chart starts as it is with every option box unticked; ticking runs the actions.
  Chart.LegendVisible = false;
  Options[coRotate].Enabled = false;
}

size_t TMonitorChart::RowCount() const {
  return SeriesCount() > FirstChannel ? Series(FirstChannel).Count() : 0;
}

double TMonitorChart::Value(int channel, size_t row) const {
  const int index = FirstChannel + channel;
  if (channel < 0 || index >= SeriesCount() || row >= Series(index).Values.Size())
    return TValueColumn::Null;
  return Series(index).Values.At(row);
}

std::string_view TMonitorChart::MarkText(size_t row) const {
  return SeriesCount() > MarkSeriesIndex ? Series(MarkSeriesIndex).Marks.TextAt(row)
                                         : std::string_view();
}

void TMonitorChart::AppendRow(double clockLabel, double elapsedLabel, const double* values,
                              int valueCount, double markValue, std::string_view markText) {
  if (SeriesCount() < FirstChannel) return;
  Series(ClockLabelSeriesIndex).Labels.AppendTime(clockLabel);
  Series(ElapsedLabelSeriesIndex).Labels.AppendTime(elapsedLabel);
  for (int c = 0; c < ChannelCount(); ++c)
    Series(FirstChannel + c).Values.Append(c < valueCount ? values[c] : TValueColumn::Null);
  TMarkColumn& marks = Series(MarkSeriesIndex).Marks;
  if (markText.empty())
    marks.AppendNull();
  else
    marks.AppendMark(markValue, markText);
}

void TMonitorChart::SetOption(TChartOption option, bool checked) {
  if (Options[option].Checked == checked) return;
  Options[option].Checked = checked;
  if (OnOptionChanged) OnOptionChanged(option);
  RunOption(option);
}

void TMonitorChart::SetAxisAutomatic(TChartAxis& axis, bool automatic) {
  // A range that stops being automatic keeps what it shows.
  if (!automatic && (axis.AutomaticMinimum || axis.AutomaticMaximum)) Chart.FreezeRange(axis);
  axis.SetAutomatic(automatic);
}

void TMonitorChart::RunOption(TChartOption option) {
  const bool on = Options[option].Checked;
  auto enable = [this](TChartOption dependent, bool enabled) {
    if (Options[dependent].Enabled == enabled) return;
    Options[dependent].Enabled = enabled;
    if (OnOptionChanged) OnOptionChanged(dependent);
  };
  auto channelAxes = [this](auto&& apply) {
    for (int i = FirstChannel; i < AxisCount(); ++i) apply(i, Axis(i));
  };
  switch (option) {
    case coLegend:
      Settings.ShowLegend = on;
      Chart.LegendVisible = on;
      break;
    case coMarks:
      Settings.ShowMarks = on;
      if (SeriesCount() > MarkSeriesIndex) Series(MarkSeriesIndex).Active = on;
      break;
    case coAbsTimeScale:
      Settings.AbsTimeScale = on;
      if (AxisCount() > ElapsedAxisIndex) {
        Axis(ClockAxisIndex).Visible = on;
        Axis(ElapsedAxisIndex).Visible = !on;
      }
      break;
    case co3D:
      Settings.View3D = on;
      Chart.View3D = on;
      enable(coRotate, on);
      Chart.RotateToolActive = Options[coRotate].Enabled && Options[coRotate].Checked;
      break;
    case coRotate:
      Settings.Rotate = on;
      Chart.RotateToolActive = Options[coRotate].Enabled && on;
      break;
    case coAutoScale:
      Settings.AutoTimeScale = on;
      if (AxisCount() > ElapsedAxisIndex) {
        SetAxisAutomatic(Axis(ClockAxisIndex), on);
        SetAxisAutomatic(Axis(ElapsedAxisIndex), on);
      }
      SetAxisAutomatic(Chart.BottomAxis, on);
      enable(coScroll, !on);
      AutoScrollActive = !on && Options[coScroll].Checked;
      break;
    case coScroll:
      // Auto-scroll is in effect only while the full time scale is off.
      AutoScrollActive = on && !Options[coAutoScale].Checked;
      break;
    case coGrid:
      Settings.ShowGrid = on;
      channelAxes([on](int, TChartAxis& axis) { axis.GridVisible = on; });
      break;
    case coOneAxes:
      Settings.OneAxes = on;
      ArrangeAxes(on ? 1 : 0);
      break;
    case coAllAuto:
      if (on)
        channelAxes([this](int index, TChartAxis& axis) {
          if (HasSlot(index)) ViewRange[Slot(index)] = Chart.EffectiveRange(axis);
          axis.SetAutomatic(true);
        });
      break;
    case coUndoAuto:
      break;
    case coAxisTitle:
      Settings.AxisTitles = on;
      channelAxes([on](int, TChartAxis& axis) { axis.TitleVisible = on; });
      break;
    case ChartOptionCount:
      break;
  }
  Changed();
}

void TMonitorChart::InitChart() {
  auto addAxis = [this](bool horizontal) -> TChartAxis& {
    Chart.CustomAxes.push_back(std::make_unique<TChartAxis>(horizontal));
    return *Chart.CustomAxes.back();
  };
  for (int i = 0; i < 2; ++i) {
    TChartAxis& time = addAxis(true);
    time.SetMinMax(TimeAxisStart, TimeAxisEnd);
    time.Color = clLightGrey;
    time.Visible = i == ClockAxisIndex ? Settings.AbsTimeScale : !Settings.AbsTimeScale;
  }
  TChartAxis& markAxis = addAxis(false);
  markAxis.SetMinMax(0, 100);
  markAxis.AutomaticMaximum = true;
  markAxis.Visible = false;
  markAxis.StartPosition = 5;
  markAxis.EndPosition = 100;
  Chart.BottomAxis.SetMinMax(TimeAxisStart, TimeAxisEnd);
  Chart.PrintMargin = 1;
  Chart.PrintResolution = 10;

  auto marks = std::make_unique<TChartSeries>();
  marks->Kind = TSeriesKind::Bar;
  marks->Title = "Marks";
  marks->Color = clYellow;
  marks->ShowInLegend = false;
  marks->HorizontalAxis = -1;
  marks->VerticalAxis = MarkAxisIndex;
  marks->Active = Settings.ShowMarks;
  Chart.Series.push_back(std::move(marks));
  for (int axis : {ElapsedAxisIndex, ClockAxisIndex}) {
    auto labels = std::make_unique<TChartSeries>();
    labels->IsLabelSeries = true;
    labels->ShowInLegend = false;
    labels->HorizontalAxis = axis;
    labels->VerticalAxis = -1;
    Chart.Series.push_back(std::move(labels));
  }
  Changed();
}

void TMonitorChart::ClearChart() {
  Chart.Clear();
  Changed();
}

void TMonitorChart::ClearSeries() {
  for (auto& s : Chart.Series) s->Clear();
  Changed();
}

int TMonitorChart::AddChannel(const std::string& title, TColor color) {
  auto series = std::make_unique<TChartSeries>();
  series->Title = title;
  series->Color = color;
  series->ClipToBand = true;
  auto axis = std::make_unique<TChartAxis>(false);
  axis->Title = title;
  axis->TitleVisible = Settings.AxisTitles;
  StyleChannelAxis(*axis, color);
  Chart.CustomAxes.push_back(std::move(axis));
  series->VerticalAxis = AxisCount() - 1;
  series->HorizontalAxis = ClockAxisIndex;
  Chart.Series.push_back(std::move(series));
  return SeriesCount() - 1;
}

int TMonitorChart::AddChannelSeries(const std::string& title, TColor color) {
  const int index = AddChannel(title, color);
  if (HasSlot(index)) HomeRangeSet[Slot(index)] = false;
  return index;
}

void TMonitorChart::AddFixedChannels(const TChannelSpec* specs, int count) {
  for (int i = 0; i < count; ++i) {
    const TChannelSpec& spec = specs[i];
    const int index = AddChannel(spec.Title, spec.Color);
    Series(index).Dark3D = true;
    TChartAxis& axis = Axis(index);
    axis.LabelsSize = 20;
    axis.SetMinMax(spec.Min, spec.Max);
    if (HasSlot(index)) {
      HomeRange[Slot(index)] = {spec.Min, spec.Max};
      HomeRangeSet[Slot(index)] = true;
    }
  }
  ArrangeAxes(AxesMode);
}

void TMonitorChart::AddDeviceChannels() {
  static const TChannelSpec device[] = {{"V (l)", clRed, 0, 5},
                                        {"F (1/min)", clBlue, 0, 70},
                                        {"M (l/min)", clGreen, 0, 200}};
  AddFixedChannels(device, 3);
}

void TMonitorChart::AddHeartRateChannels() {
  static const TChannelSpec heart[] = {{HrChannelTitle, clYellow, 50, 250},
                                       {MbrChannelTitle, clAqua, 0, 5}};
  AddFixedChannels(heart, 2);
}

void TMonitorChart::StyleChannelAxis(TChartAxis& axis, TColor color) {
  axis.Color = color;
  axis.AxisLineWidth = 4;
  axis.GridVisible = Settings.ShowGrid;
  axis.TickLength = 5;
  axis.InnerTickLength = 5;
  axis.MinorTickLength = 3;
  axis.DesiredIncrement = 0.1;
  axis.TitleAngle = 90;
}

void TMonitorChart::ArrangeAxes(int mode) {
  AxesMode = mode;
  const int last = std::min(SeriesCount(), AxisCount());
  int n = 0;
  for (int i = FirstChannel; i < last; ++i)
    if (Series(i).Active) ++n;
  if (n == 0) return;
  const double x = 100.0 / n;
  int b = 0;
  for (int i = FirstChannel; i < last; ++i) {
    if (!Series(i).Active) continue;
    TChartAxis& axis = Axis(i);
    if (mode == 1) {
      axis.PositionPercent = 0;
      axis.EndPosition = 100 - b * x;
      axis.StartPosition = 100 - (b + 1) * x + 2;
    } else {
      axis.PositionPercent = -8.0 * b;
      axis.StartPosition = 0;
      axis.EndPosition = 100;
    }
    ++b;
  }
  Chart.MarginLeft = mode == 1 ? 5 : std::trunc(4.5 * n + 4);
  Changed();
}

void TMonitorChart::ScrollTimeAxes() {
  if (Settings.AutoTimeScale || !AutoScrollActive || AxisCount() <= ElapsedAxisIndex) return;
  auto scroll = [this](TChartAxis& axis, const TChartSeries& series) {
    const TRange r = Chart.EffectiveRange(axis);
    if (series.Count() == 0 || static_cast<double>(series.Count() - 1) <= r.Max) return;
    axis.SetMinMax(r.Min + 1, r.Max + 1);
  };
  scroll(Axis(ClockAxisIndex), Series(ClockLabelSeriesIndex));
  scroll(Axis(ElapsedAxisIndex), Series(ElapsedLabelSeriesIndex));
  scroll(Chart.BottomAxis, Series(MarkSeriesIndex));
  Changed();
}

bool TMonitorChart::ChannelClip(const TChartSeries& series, const TChartLayout& layout,
                                TRect& clip) const {
  if (AxesMode == 0 || !series.ClipToBand || series.VerticalAxis < 0) return false;
  const TRange across = TChart::AxisSpan(Chart.HorizontalAxisOf(series), layout);
  const TRange along = TChart::AxisSpan(Axis(series.VerticalAxis), layout);
  clip = {across.Min, along.Min - 1, across.Max, along.Max + 1};
  return true;
}

bool TMonitorChart::AxisSpanContains(int axis, double y, const TChartLayout& layout,
                                     bool strictly) const {
  const TRange span = TChart::AxisSpan(Axis(axis), layout);
  return strictly ? span.Min < y && y < span.Max : span.Min <= y && y <= span.Max;
}

void TMonitorChart::MonitorMouseDown(TMouseButton button, bool shift, double x, double y,
                                     const TChartLayout&) {
  PressX = x;
  PressY = y;
  SavedBottomRange = Chart.EffectiveRange(Chart.BottomAxis);
  if (button == TMouseButton::Right)
    for (int i = FirstChannel; i < AxisCount(); ++i)
      if (HasSlot(i)) ViewRange[Slot(i)] = Chart.EffectiveRange(Axis(i));
  ZoomHorizontal = shift;
}

void TMonitorChart::MonitorMouseUp() { ClickArmed = true; }

bool TMonitorChart::DragZoom(double x0, double y0, double x1, double y1,
                             const TChartLayout& layout) {
  const double along = ZoomHorizontal ? x1 - x0 : y1 - y0;
  if (std::abs(along) < MinimumZoomPixels) return false;
  if (along < 0) {
    // The component's undo: the standard axes show everything again.
    Chart.BottomAxis.SetAutomatic(true);
    Chart.LeftAxis.SetAutomatic(true);
    MonitorUndoZoom(y0, layout);
    return true;
  }
  if (ZoomHorizontal) {
    const TChartAxis& bottom = Chart.BottomAxis;
    Chart.BottomAxis.SetMinMax(Chart.ValueAt(bottom, layout, x0), Chart.ValueAt(bottom, layout, x1));
  }
  MonitorZoom(x0, y0, x1, y1, layout);
  return true;
}

void TMonitorChart::MonitorZoom(double x0, double y0, double x1, double y1,
                                const TChartLayout& layout) {
  if (AxisCount() <= MarkAxisIndex) return;
  Axis(MarkAxisIndex).SetAutomatic(true);
  if (!ZoomHorizontal) {
    const int last = std::min(SeriesCount(), AxisCount());
    for (int i = FirstChannel; i < last; ++i) {
      // Only the axes on screen: a hidden channel's axis keeps its old band.
      if (!Series(i).Active || !AxisSpanContains(i, y0, layout, false)) continue;
      TChartAxis& axis = Axis(i);
      const double a = Chart.ValueAt(axis, layout, y1), b = Chart.ValueAt(axis, layout, y0);
      const TRange range{std::min(a, b), std::max(a, b)};
      if (HasSlot(i)) ViewRange[Slot(i)] = range;
      axis.SetMinMax(range.Min, range.Max);
      RunOption(coAutoScale);
      if (Option(coOneAxes)) break;
    }
    Changed();
    return;
  }
  SetOption(coAutoScale, false);
  RunOption(coAutoScale);
  SavedBottomRange = Chart.EffectiveRange(Chart.BottomAxis);
  for (int index : {ClockAxisIndex, ElapsedAxisIndex}) {
    TChartAxis& axis = Axis(index);
    axis.SetMinMax(Chart.ValueAt(axis, layout, x0), Chart.ValueAt(axis, layout, x1));
  }
  Changed();
}

void TMonitorChart::MonitorUndoZoom(double y0, const TChartLayout& layout) {
  if (AxisCount() <= MarkAxisIndex) return;
  Axis(MarkAxisIndex).SetAutomatic(true);
  if (ZoomHorizontal) {
    SetOption(coAutoScale, true);
    RunOption(coAutoScale);
    return;
  }
  Chart.BottomAxis.SetMinMax(SavedBottomRange.Min, SavedBottomRange.Max);
  if (!Settings.UndoZoomAuto)
    SetOption(coAllAuto, false);
  else if (!Settings.OneAxes)
    SetOption(coAllAuto, true);
  for (int i = FirstChannel; i < AxisCount(); ++i) {
    if (Settings.OneAxes && !AxisSpanContains(i, y0, layout, false)) continue;
    TChartAxis& axis = Axis(i);
    // A channel without a home range (a laboratory channel) returns to its data's range.
    if (Option(coUndoAuto) || !HasSlot(i) || !HomeRangeSet[Slot(i)]) {
      axis.SetAutomatic(true);
      continue;
    }
    const TRange home = HomeRange[Slot(i)];
    axis.SetMinMax(home.Min, home.Max);
    ViewRange[Slot(i)] = home;
  }
  Changed();
}

void TMonitorChart::DragPan(double dx, const TChartLayout& layout) {
  if (AxisCount() <= ElapsedAxisIndex) return;
  for (TChartAxis* axis : {&Chart.BottomAxis, &Axis(ClockAxisIndex), &Axis(ElapsedAxisIndex)}) {
    const TRange r = Chart.EffectiveRange(*axis);
    const TRange span = TChart::AxisSpan(*axis, layout);
    const double perPixel = span.Max > span.Min ? (r.Max - r.Min) / (span.Max - span.Min) : 0;
    const double shift = -dx * perPixel;
    axis->SetMinMax(r.Min + shift, r.Max + shift);
  }
  MonitorScroll(layout);
}

void TMonitorChart::MonitorScroll(const TChartLayout& layout) {
  SetOption(coAutoScale, false);
  SetOption(coAllAuto, false);
  if (AxisCount() > MarkAxisIndex) Axis(MarkAxisIndex).SetAutomatic(true);
  SavedBottomRange = Chart.EffectiveRange(Chart.BottomAxis);
  for (int i = FirstChannel; i < AxisCount(); ++i) {
    if (!HasSlot(i)) continue;
    TChartAxis& axis = Axis(i);
    if (AxisSpanContains(i, PressY, layout, true))
      ViewRange[Slot(i)] = Chart.EffectiveRange(axis);
    else
      axis.SetMinMax(ViewRange[Slot(i)].Min, ViewRange[Slot(i)].Max);
  }
  Changed();
}

void TMonitorChart::ClickLegend(int seriesIndex) {
  if (seriesIndex < FirstChannel || seriesIndex >= SeriesCount()) return;
  Series(seriesIndex).Active = !Series(seriesIndex).Active;
  MonitorClickLegend();
}

void TMonitorChart::MonitorClickLegend() { RunOption(coOneAxes); }
