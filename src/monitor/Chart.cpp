#include "monitor/Chart.h"

#include <algorithm>
#include <cmath>

void TChartAxis::SetMinMax(double min, double max) {
  if (min > max) std::swap(min, max);
  Minimum = min;
  Maximum = max;
  AutomaticMinimum = AutomaticMaximum = false;
}

size_t TChartSeries::Count() const {
  if (Kind == TSeriesKind::Bar) return Marks.Size();
  return IsLabelSeries ? Labels.Size() : Values.Size();
}

void TChartSeries::Clear() {
  Values.Clear();
  Labels.Clear();
  Marks.Clear();
}

TChart::TChart() {
  BottomAxis.Visible = false;
  LeftAxis.Visible = false;
}

void TChart::Clear() {
  Series.clear();
  CustomAxes.clear();
}

TRange TChart::DataRange(const TChartAxis& axis, bool& any) const {
  double lo = INFINITY, hi = -INFINITY;
  for (const auto& s : Series) {
    // The rows of the recording set the time scale, whichever channels are shown.
    if (!s->Active && !axis.Horizontal) continue;
    if (axis.Horizontal) {
      if (&HorizontalAxisOf(*s) != &axis || s->Count() == 0) continue;
      lo = std::min(lo, 0.0);
      hi = std::max(hi, static_cast<double>(s->Count() - 1));
    } else if (&Axis(s->VerticalAxis) == &axis) {
      double min, max;
      if (s->Kind == TSeriesKind::Bar) {
        if (s->Marks.MarkCount() == 0) continue;
        // Bars stand on zero.
        lo = std::min(lo, 0.0);
        hi = std::max(hi, s->Marks.MaxValue());
      } else if (!s->IsLabelSeries && s->Values.Extremes(min, max)) {
        lo = std::min(lo, min);
        hi = std::max(hi, max);
      }
    }
  }
  any = lo <= hi;
  return {lo, hi};
}

TRange TChart::EffectiveRange(const TChartAxis& axis) const {
  TRange r{axis.Minimum, axis.Maximum};
  if (!axis.AutomaticMinimum && !axis.AutomaticMaximum) return r;
  bool any = false;
  const TRange data = DataRange(axis, any);
  if (!any) return r;
  if (axis.AutomaticMinimum) r.Min = data.Min;
  if (axis.AutomaticMaximum) r.Max = data.Max;
  // A range of one value still needs a scale.
  if (r.Max <= r.Min) {
    if (axis.Horizontal) {
      r.Max = r.Min + 1;
    } else {
      const double pad = r.Min == 0 ? 1 : std::abs(r.Min) * 0.1;
      if (axis.AutomaticMinimum) r.Min -= pad;
      if (axis.AutomaticMaximum || r.Max <= r.Min) r.Max = r.Min + 2 * pad;
    }
  }
  return r;
}

void TChart::FreezeRange(TChartAxis& axis) {
  const TRange r = EffectiveRange(axis);
  axis.SetMinMax(r.Min, r.Max);
}

TChartLayout TChart::Layout(double width, double height, double legendWidth, double titleHeight,
                            double bottomLabelsHeight, const std::vector<TAxisRoom>& leftRoom) const {
  TChartLayout l;
  l.Chart = {0, 0, width, height};
  l.Plot.Left = width * MarginLeft / 100;
  l.Plot.Right = width - width * MarginRight / 100 - legendWidth;
  // An axis at p percent of the plot width needs left >= -p/100 * (right - left) + room.
  for (const TAxisRoom& room : leftRoom) {
    const double f = std::max(0.0, -room.PositionPercent / 100);
    l.Plot.Left = std::max(l.Plot.Left, (f * l.Plot.Right + room.Pixels) / (1 + f));
  }
  l.Plot.Top = height * MarginTop / 100 + titleHeight;
  l.Plot.Bottom = height - height * MarginBottom / 100 - bottomLabelsHeight;
  if (View3D) {
    // The front plane gives room to the depth behind it, and the whole is seen a little
    // from afar.
    l.Depth = std::min(l.Plot.Width(), l.Plot.Height()) * Depth3DPercent / 100;
    l.Plot.Right -= l.Depth;
    l.Plot.Top += l.Depth;
    const double zoom = Zoom3DPercent / 100;
    const double cx = (l.Plot.Left + l.Plot.Right) / 2, cy = (l.Plot.Top + l.Plot.Bottom) / 2;
    l.Plot = {cx - (cx - l.Plot.Left) * zoom, cy - (cy - l.Plot.Top) * zoom,
              cx + (l.Plot.Right - cx) * zoom, cy + (l.Plot.Bottom - cy) * zoom};
    l.Depth *= zoom;
  }
  if (l.Plot.Right < l.Plot.Left + 1) l.Plot.Right = l.Plot.Left + 1;
  if (l.Plot.Bottom < l.Plot.Top + 1) l.Plot.Bottom = l.Plot.Top + 1;
  return l;
}

TRange TChart::AxisSpan(const TChartAxis& axis, const TChartLayout& l) {
  if (axis.Horizontal)
    return {l.Plot.Left + axis.StartPosition / 100 * l.Plot.Width(),
            l.Plot.Left + axis.EndPosition / 100 * l.Plot.Width()};
  return {l.Plot.Top + axis.StartPosition / 100 * l.Plot.Height(),
          l.Plot.Top + axis.EndPosition / 100 * l.Plot.Height()};
}

double TChart::AxisPosition(const TChartAxis& axis, const TChartLayout& l) {
  if (axis.Horizontal) return l.Plot.Bottom - axis.PositionPercent / 100 * l.Plot.Height();
  return l.Plot.Left + axis.PositionPercent / 100 * l.Plot.Width();
}

double TChart::ValueAt(const TChartAxis& axis, const TChartLayout& layout, double pixel) const {
  const TRange r = EffectiveRange(axis);
  const TRange span = AxisSpan(axis, layout);
  const double length = span.Max - span.Min;
  if (length <= 0) return r.Min;
  const double f = (pixel - span.Min) / length;
  // Vertical axes grow upwards.
  return axis.Horizontal ? r.Min + f * (r.Max - r.Min) : r.Max - f * (r.Max - r.Min);
}

double TChart::PixelOf(const TChartAxis& axis, const TChartLayout& layout, double value) const {
  const TRange r = EffectiveRange(axis);
  const TRange span = AxisSpan(axis, layout);
  const double extent = r.Max - r.Min;
  const double f = extent == 0 ? 0 : (value - r.Min) / extent;
  return axis.Horizontal ? span.Min + f * (span.Max - span.Min) : span.Max - f * (span.Max - span.Min);
}
