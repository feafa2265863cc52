#include "monitor/ChartPainter.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainterPath>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "core/qt/QtText.h"

namespace {

constexpr double LegendPadding = 6;
constexpr double LegendBox = 11;

QFont ChartFont(double pixels, bool bold = false) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(static_cast<int>(std::lround(pixels)));
  font.setBold(bold);
  return font;
}

// Everything the parts of one drawing share.
struct TPainting {
  QPainter& P;
  const TMonitorChart& Monitor;
  const TChart& Chart;
  const TPaintOptions& Options;
  TChartLayout Layout;
  QFont LabelFont;
  double Scale;  // pixel sizes grow with a printer's resolution
  double DX = 0, DY = 0;  // offset of the back of the 3D box

  QColor Colour(TColor c) const { return Options.Monochrome ? QColor(Qt::black) : ToQColor(c); }
  // The chart's own greys and tints, pure grey on a monochrome page.
  QColor Shade(int r, int g, int b) const {
    if (!Options.Monochrome) return QColor(r, g, b);
    const int grey = qGray(r, g, b);
    return QColor(grey, grey, grey);
  }
  QPointF Back(QPointF p, double depth) const { return {p.x() + DX * depth, p.y() + DY * depth}; }
};

// A label step of 1, 2 or 5 times a power of ten, no smaller than minimum.
double NiceStep(double rough, double minimum) {
  rough = std::max(rough, minimum > 0 ? minimum : 0.0);
  if (!(rough > 0) || !std::isfinite(rough)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= rough * (1 - 1e-9)) return m * power;
  return 10 * power;
}

int DecimalsOf(double step) {
  if (step >= 1) return 0;
  return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 6);
}

void DrawWalls(TPainting& t) {
  const TRect& r = t.Layout.Plot;
  const QRectF front(r.Left, r.Top, r.Width(), r.Height());
  if (t.Chart.View3D && t.Layout.Depth > 0) {
    const QPointF tl = front.topLeft(), tr = front.topRight(), bl = front.bottomLeft(),
                  br = front.bottomRight();
    QPolygonF back({t.Back(tl, 1), t.Back(tr, 1), t.Back(br, 1), t.Back(bl, 1)});
    QPolygonF left({tl, t.Back(tl, 1), t.Back(bl, 1), bl});
    QPolygonF floor({bl, br, t.Back(br, 1), t.Back(bl, 1)});
    t.P.setPen(QPen(t.Shade(160, 168, 176), 1));
    t.P.setBrush(t.Shade(250, 251, 252));
    t.P.drawPolygon(back);
    t.P.setBrush(t.Shade(232, 236, 240));
    t.P.drawPolygon(left);
    t.P.setBrush(t.Shade(222, 227, 232));
    t.P.drawPolygon(floor);
  } else {
    t.P.setPen(QPen(t.Shade(160, 168, 176), 1));
    t.P.setBrush(Qt::white);
    t.P.drawRect(front);
  }
}

// The visible one of the two time axes, with the labels of its label series.
void DrawTimeAxis(TPainting& t) {
  for (int index : {TMonitorChart::ClockAxisIndex, TMonitorChart::ElapsedAxisIndex}) {
    if (index >= t.Monitor.AxisCount()) return;
    const TChartAxis& axis = t.Monitor.Axis(index);
    if (!axis.Visible) continue;
    const int labelSeries = index == TMonitorChart::ClockAxisIndex
                                ? TMonitorChart::ClockLabelSeriesIndex
                                : TMonitorChart::ElapsedLabelSeriesIndex;
    const TLabelColumn& labels = t.Monitor.Series(labelSeries).Labels;
    const TRect& plot = t.Layout.Plot;
    const TRange range = t.Chart.EffectiveRange(axis);
    const double y = plot.Bottom;
    // Light grey is the screen's colour of the time axes; on the light background its
    // labels need a darker shade of it to be read.
    const QColor colour = t.Colour(axis.Color == clLightGrey ? 0x808080 : axis.Color);
    t.P.setPen(QPen(colour, 1));
    t.P.drawLine(QPointF(plot.Left, y), QPointF(plot.Right, y));
    t.P.setFont(t.LabelFont);
    const QFontMetricsF metrics(t.LabelFont);
    const QString sample = labels.Size() > 0 ? Q(labels.Text(labels.Size() - 1)) : QStringLiteral("00000");
    const double labelWidth = metrics.horizontalAdvance(sample) + 12 * t.Scale;
    const double rows = std::max(range.Max - range.Min, 1e-9);
    const double step = NiceStep(rows * labelWidth / std::max(plot.Width(), 1.0), 1);
    for (double row = std::ceil(range.Min / step) * step; row <= range.Max + 1e-9; row += step) {
      const double x = t.Chart.PixelOf(axis, t.Layout, row);
      t.P.drawLine(QPointF(x, y), QPointF(x, y + 4 * t.Scale));
      const long k = std::lround(row);
      QString text = k >= 0 && static_cast<size_t>(k) < labels.Size() ? Q(labels.Text(static_cast<size_t>(k)))
                                                                      : QString();
      if (text.isEmpty()) text = QLocale::system().toString(k);
      const double w = metrics.horizontalAdvance(text);
      t.P.drawText(QPointF(std::clamp(x - w / 2, plot.Left - w / 2, plot.Right - w / 2),
                           y + 5 * t.Scale + metrics.ascent()),
                   text);
    }
    return;
  }
}

struct TAxisTicks {
  double Step = 1;
  int Decimals = 0;
};

TAxisTicks TicksOf(const TPainting& t, const TChartAxis& axis, const TRange& range, double length) {
  const double spacing = QFontMetricsF(t.LabelFont).height() * 1.6;
  const double rough = (range.Max - range.Min) * spacing / std::max(length, 1.0);
  TAxisTicks ticks;
  ticks.Step = NiceStep(rough, axis.DesiredIncrement);
  ticks.Decimals = DecimalsOf(ticks.Step);
  return ticks;
}

QString AxisLabel(const QLocale& locale, double value, const TAxisTicks& ticks) {
  return locale.toString(std::abs(value) < ticks.Step / 1e6 ? 0.0 : value, 'f', ticks.Decimals);
}

// Room left of an axis for its ticks, labels and title.
double AxisRoom(const TPainting& t, const TChartAxis& axis, double plotHeight) {
  const TRange range = t.Chart.EffectiveRange(axis);
  const double length = plotHeight * (axis.EndPosition - axis.StartPosition) / 100;
  const TAxisTicks ticks = TicksOf(t, axis, range, length);
  const QFontMetricsF metrics(t.LabelFont);
  const QLocale locale = QLocale::system();
  double widest = axis.LabelsSize * t.Scale;
  for (double v : {range.Min, range.Max, (range.Min + range.Max) / 2})
    widest = std::max(widest, metrics.horizontalAdvance(AxisLabel(locale, std::round(v / ticks.Step) * ticks.Step, ticks)));
  const double title = axis.TitleVisible && !axis.Title.empty() ? metrics.height() + 2 * t.Scale : 0;
  return axis.AxisLineWidth * t.Scale / 2 + (axis.TickLength + 6) * t.Scale + widest + title;
}

void DrawChannelAxis(TPainting& t, const TChartAxis& axis) {
  const TRange span = TChart::AxisSpan(axis, t.Layout);
  const TRange range = t.Chart.EffectiveRange(axis);
  const double x = TChart::AxisPosition(axis, t.Layout);
  const QColor colour = t.Colour(axis.Color);
  const TAxisTicks ticks = TicksOf(t, axis, range, span.Max - span.Min);
  const QFontMetricsF metrics(t.LabelFont);
  const QLocale locale = QLocale::system();

  if (axis.GridVisible) {
    QPen grid(colour, 1, Qt::DotLine);
    t.P.setPen(grid);
    for (double v = std::ceil(range.Min / ticks.Step) * ticks.Step; v <= range.Max + 1e-9; v += ticks.Step) {
      const double y = t.Chart.PixelOf(axis, t.Layout, v);
      t.P.drawLine(QPointF(t.Layout.Plot.Left, y), QPointF(t.Layout.Plot.Right, y));
    }
  }
  t.P.setPen(QPen(colour, axis.AxisLineWidth * t.Scale, Qt::SolidLine, Qt::FlatCap));
  t.P.drawLine(QPointF(x, span.Min), QPointF(x, span.Max));
  t.P.setPen(QPen(colour, 1));
  t.P.setFont(t.LabelFont);
  const double half = axis.AxisLineWidth * t.Scale / 2;
  double widest = 0;
  for (double v = std::ceil(range.Min / ticks.Step) * ticks.Step; v <= range.Max + 1e-9; v += ticks.Step) {
    const double y = t.Chart.PixelOf(axis, t.Layout, v);
    t.P.drawLine(QPointF(x - half - axis.TickLength * t.Scale, y), QPointF(x + half + axis.InnerTickLength * t.Scale, y));
    const double minor = t.Chart.PixelOf(axis, t.Layout, v + ticks.Step / 2);
    if (v + ticks.Step / 2 <= range.Max)
      t.P.drawLine(QPointF(x - half - axis.MinorTickLength * t.Scale, minor), QPointF(x - half, minor));
    const QString text = AxisLabel(locale, v, ticks);
    const double w = metrics.horizontalAdvance(text);
    widest = std::max(widest, w);
    const double textY = std::clamp(y + metrics.ascent() / 2 - 1, span.Min + metrics.ascent() - 2, span.Max + 2);
    t.P.drawText(QPointF(x - half - axis.TickLength * t.Scale - 2 * t.Scale - w, textY), text);
  }
  if (axis.TitleVisible && !axis.Title.empty()) {
    const double labels = std::max(widest, axis.LabelsSize * t.Scale);
    const double titleX = x - half - axis.TickLength * t.Scale - 4 * t.Scale - labels - 2 * t.Scale;
    t.P.save();
    t.P.translate(titleX, (span.Min + span.Max) / 2);
    t.P.rotate(-axis.TitleAngle);
    const QString title = Q(axis.Title);
    t.P.drawText(QPointF(-metrics.horizontalAdvance(title) / 2, 0), title);
    t.P.restore();
  }
}

// One channel line: every row where the rows are sparse, one minimum and maximum per pixel
// column where they are dense, and only the rows in view.
void DrawChannel(TPainting& t, const TChartSeries& series, double depth) {
  const TValueColumn& values = series.Values;
  if (values.Size() == 0) return;
  const TChartAxis& xAxis = t.Chart.HorizontalAxisOf(series);
  const TChartAxis& yAxis = t.Chart.Axis(series.VerticalAxis);
  const TRange xr = t.Chart.EffectiveRange(xAxis);
  const TRange xs = TChart::AxisSpan(xAxis, t.Layout);
  const TRange yr = t.Chart.EffectiveRange(yAxis);
  const TRange ys = TChart::AxisSpan(yAxis, t.Layout);
  if (xr.Max <= xr.Min || yr.Max <= yr.Min) return;
  const double pxPerRow = (xs.Max - xs.Min) / (xr.Max - xr.Min);
  const double pxPerValue = (ys.Max - ys.Min) / (yr.Max - yr.Min);
  auto px = [&](double row) { return xs.Min + (row - xr.Min) * pxPerRow + t.DX * depth; };
  auto py = [&](double v) { return ys.Max - (v - yr.Min) * pxPerValue + t.DY * depth; };
  const long last = static_cast<long>(values.Size()) - 1;
  const long first = std::clamp(static_cast<long>(std::floor(xr.Min)) - 1, 0L, last);
  const long end = std::clamp(static_cast<long>(std::ceil(xr.Max)) + 1, 0L, last);

  std::vector<QPointF> line;
  auto flush = [&] {
    if (line.size() > 1) t.P.drawPolyline(line.data(), static_cast<int>(line.size()));
    line.clear();
  };
  if (pxPerRow >= 0.5) {
    for (long k = first; k <= end; ++k) {
      const double v = values.At(static_cast<size_t>(k));
      if (TValueColumn::IsNull(v)) {
        flush();
        continue;
      }
      line.emplace_back(px(static_cast<double>(k)), py(v));
    }
    flush();
    return;
  }
  // Rows of pixel column c: those whose x falls in [c, c + 1). The envelope is drawn
  // aliased: smoothing a line that runs up and down every pixel costs much and shows nothing.
  t.P.setRenderHint(QPainter::Antialiasing, false);
  QPen thin = t.P.pen();
  thin.setWidthF(std::max(1.0, std::round(thin.widthF() * 0.8)));
  thin.setCosmetic(thin.widthF() <= 1);
  t.P.setPen(thin);
  const double rowsPerPx = 1 / pxPerRow;
  const double x0 = std::floor(px(static_cast<double>(first)));
  double lastY = NAN;
  for (double c = x0;; c += 1) {
    const double fromRow = xr.Min + (c - t.DX * depth - xs.Min) * rowsPerPx;
    const long a = std::max(first, static_cast<long>(std::ceil(fromRow)));
    const long b = std::min(end + 1, static_cast<long>(std::ceil(fromRow + rowsPerPx)));
    if (a > end) break;
    if (b <= a) continue;
    double lo, hi;
    if (!values.Extremes(static_cast<size_t>(a), static_cast<size_t>(b), lo, hi)) {
      flush();
      lastY = NAN;
      continue;
    }
    const double yLo = py(lo), yHi = py(hi);
    // Enter the column at the end nearer to where the line left the last one.
    const bool lowFirst = std::isnan(lastY) || std::abs(lastY - yLo) < std::abs(lastY - yHi);
    line.emplace_back(c, lowFirst ? yLo : yHi);
    if (yLo != yHi) line.emplace_back(c, lowFirst ? yHi : yLo);
    lastY = line.back().y();
  }
  flush();
}

void DrawChannels(TPainting& t) {
  const int count = std::min(t.Monitor.SeriesCount(), t.Monitor.AxisCount());
  int active = 0;
  for (int i = TMonitorChart::FirstChannel; i < count; ++i)
    if (t.Monitor.Series(i).Active) ++active;
  int slot = 0;
  for (int i = TMonitorChart::FirstChannel; i < count; ++i) {
    const TChartSeries& series = t.Monitor.Series(i);
    if (!series.Active) continue;
    t.P.save();
    TRect clip;
    if (!t.Monitor.ChannelClip(series, t.Layout, clip)) {
      const TRect& plot = t.Layout.Plot;
      clip = {plot.Left, plot.Top, plot.Right, plot.Bottom};
    }
    // A whole-pixel clip keeps the fast path of the raster engine.
    t.P.setClipRect(QRect(QPoint(static_cast<int>(std::lround(clip.Left)), static_cast<int>(std::lround(clip.Top))),
                          QPoint(static_cast<int>(std::lround(clip.Right)), static_cast<int>(std::lround(clip.Bottom)))));
    const QColor colour = t.Colour(series.Color);
    if (t.Chart.View3D && active > 0) {
      // Each channel has its own slice of the depth; a darker edge just behind the line
      // gives it a side.
      const double nearDepth = static_cast<double>(slot) / active;
      const double farDepth = nearDepth + 0.2 / active;
      if (series.Dark3D) {
        t.P.setPen(QPen(colour.darker(160), 1.5 * t.Scale));
        DrawChannel(t, series, farDepth);
      }
      t.P.setPen(QPen(colour, 1.5 * t.Scale));
      DrawChannel(t, series, nearDepth);
    } else {
      t.P.setPen(QPen(colour, 1.2 * t.Scale));
      DrawChannel(t, series, 0);
    }
    t.P.restore();
    ++slot;
  }
  for (int i = TMonitorChart::FirstChannel; i < count; ++i)
    if (t.Monitor.Series(i).Active) DrawChannelAxis(t, t.Monitor.Axis(i));
}

void DrawMarks(TPainting& t) {
  if (t.Monitor.SeriesCount() <= TMonitorChart::MarkSeriesIndex || t.Monitor.AxisCount() <= TMonitorChart::MarkAxisIndex)
    return;
  const TChartSeries& series = t.Monitor.Series(TMonitorChart::MarkSeriesIndex);
  if (!series.Active || series.Marks.MarkCount() == 0) return;
  const TMarkColumn& marks = series.Marks;
  const TChartAxis& xAxis = t.Chart.BottomAxis;
  const TChartAxis& yAxis = t.Monitor.Axis(TMonitorChart::MarkAxisIndex);
  const TRange xr = t.Chart.EffectiveRange(xAxis);
  const TRect& plot = t.Layout.Plot;
  const QFont font = ChartFont(10 * t.Scale);
  const QFontMetricsF metrics(font);
  t.P.save();
  t.P.setClipRect(QRectF(plot.Left, plot.Top - metrics.height() * 2, plot.Width(), plot.Height() + metrics.height() * 2));
  t.P.setFont(font);
  const QColor bar = t.Colour(series.Color);
  double lastBarX = -1e9, labelsEnd = -1e9;
  size_t m = marks.FirstMarkFrom(static_cast<size_t>(std::max(0.0, std::ceil(xr.Min))));
  while (m < marks.MarkCount() && static_cast<double>(marks.MarkRow(m)) <= xr.Max) {
    const double x = t.Chart.PixelOf(xAxis, t.Layout, static_cast<double>(marks.MarkRow(m)));
    const double top = t.Chart.PixelOf(yAxis, t.Layout, marks.MarkValue(m));
    const double bottom = t.Chart.PixelOf(yAxis, t.Layout, 0);
    if (x - lastBarX >= 1) {
      const double width = std::max(1.0 * t.Scale, plot.Width() / std::max(xr.Max - xr.Min, 1.0) * 0.01);
      t.P.fillRect(QRectF(x - width / 2, top, width, bottom - top), bar);
      lastBarX = x;
    }
    const QString text = Q(std::string(marks.MarkText(m)));
    const double w = metrics.horizontalAdvance(text) + 6 * t.Scale;
    // A label goes only where it does not cover the one before.
    if (!text.isEmpty() && x - w / 2 >= labelsEnd) {
      const QRectF box(x - w / 2, top - metrics.height() - 3 * t.Scale, w, metrics.height() + 2 * t.Scale);
      t.P.setPen(QPen(t.Shade(150, 140, 60), 1));
      t.P.setBrush(t.Shade(255, 255, 200));
      t.P.drawRect(box);
      t.P.setPen(Qt::black);
      t.P.drawText(box, Qt::AlignCenter, text);
      labelsEnd = box.right() + 2 * t.Scale;
    }
    // Marks closer than a pixel to this one share its bar: go on one pixel further.
    const double nextRow = t.Chart.ValueAt(xAxis, t.Layout, std::floor(x) + 1);
    m = std::max(m + 1, marks.FirstMarkFrom(static_cast<size_t>(std::max(0.0, std::ceil(nextRow)))));
  }
  t.P.restore();
}

double LegendWidth(const TPainting& t) {
  if (!t.Chart.LegendVisible) return 0;
  const QFontMetricsF metrics(t.LabelFont);
  double widest = 0;
  for (int i = TMonitorChart::FirstChannel; i < t.Monitor.SeriesCount(); ++i)
    if (t.Monitor.Series(i).ShowInLegend)
      widest = std::max(widest, metrics.horizontalAdvance(Q(t.Monitor.Series(i).Title)));
  if (widest == 0) return 0;
  return widest + (LegendBox + t.Chart.LegendSymbolWidth + 4 * LegendPadding) * t.Scale + 8 * t.Scale;
}

void DrawLegend(TPainting& t, double width, const QRectF& target, TPaintResult& result) {
  if (width <= 0) return;
  const QFontMetricsF metrics(t.LabelFont);
  const double rowHeight = std::max(metrics.height(), LegendBox * t.Scale) + 4 * t.Scale;
  std::vector<int> items;
  for (int i = TMonitorChart::FirstChannel; i < t.Monitor.SeriesCount(); ++i)
    if (t.Monitor.Series(i).ShowInLegend) items.push_back(i);
  const double left = target.width() - width + 2 * t.Scale;
  const double top = target.height() * t.Chart.LegendTopPercent / 100 + 4 * t.Scale;
  const QRectF frame(left, top, width - 6 * t.Scale, rowHeight * static_cast<double>(items.size()) + 2 * LegendPadding * t.Scale);
  t.P.setPen(QPen(t.Shade(170, 176, 184), 1));
  t.P.setBrush(Qt::white);
  t.P.drawRect(frame);
  t.P.setFont(t.LabelFont);
  double y = frame.top() + LegendPadding * t.Scale;
  for (int index : items) {
    const TChartSeries& series = t.Monitor.Series(index);
    const QColor colour = t.Colour(series.Color);
    const QRectF box(frame.left() + LegendPadding * t.Scale, y + (rowHeight - LegendBox * t.Scale) / 2, LegendBox * t.Scale, LegendBox * t.Scale);
    t.P.setPen(QPen(QColor(90, 90, 90), 1));
    t.P.setBrush(Qt::white);
    t.P.drawRect(box);
    if (series.Active) {
      t.P.setPen(QPen(QColor(30, 30, 30), 1.6 * t.Scale));
      t.P.drawPolyline(QPolygonF({QPointF(box.left() + box.width() * 0.2, box.center().y()),
                                  QPointF(box.left() + box.width() * 0.42, box.bottom() - box.height() * 0.2),
                                  QPointF(box.right() - box.width() * 0.15, box.top() + box.height() * 0.2)}));
    }
    const double symbolLeft = box.right() + LegendPadding * t.Scale;
    t.P.setPen(QPen(colour, 2.5 * t.Scale));
    t.P.drawLine(QPointF(symbolLeft, y + rowHeight / 2), QPointF(symbolLeft + t.Chart.LegendSymbolWidth * t.Scale, y + rowHeight / 2));
    t.P.setPen(colour);
    t.P.drawText(QPointF(symbolLeft + (t.Chart.LegendSymbolWidth + LegendPadding) * t.Scale, y + (rowHeight + metrics.ascent() - metrics.descent()) / 2), Q(series.Title));
    result.Legend.push_back({index, box, QRectF(frame.left(), y, frame.width(), rowHeight)});
    y += rowHeight;
  }
}

double TitleHeight(const TPainting& t) {
  const QFontMetricsF metrics(t.LabelFont);
  size_t lines = t.Chart.SubTitleLines.size();
  if (t.Chart.TitleVisible) lines += t.Chart.TitleLines.size();
  return static_cast<double>(lines) * (metrics.height() + 2 * t.Scale);
}

void DrawTitles(TPainting& t, const QRectF& target) {
  const QFontMetricsF metrics(t.LabelFont);
  double y = target.height() * t.Chart.MarginTop / 100 / 2 + metrics.ascent();
  t.P.setFont(t.LabelFont);
  if (t.Chart.TitleVisible) {
    t.P.setPen(t.Colour(t.Chart.TitleColor));
    for (const std::string& line : t.Chart.TitleLines) {
      const QString text = Q(line);
      t.P.drawText(QPointF((target.width() - metrics.horizontalAdvance(text)) / 2, y), text);
      y += metrics.height() + 2 * t.Scale;
    }
  }
  t.P.setPen(t.Colour(t.Chart.SubTitleColor));
  for (const std::string& line : t.Chart.SubTitleLines) {
    const QString text = Q(line);
    t.P.drawText(QPointF(t.Layout.Plot.Right - metrics.horizontalAdvance(text), y), text);
    y += metrics.height() + 2 * t.Scale;
  }
}

void DrawCursor(TPainting& t) {
  const TChart& c = t.Chart;
  if (!c.CursorActive || c.CursorRow < 0 || c.CursorSeries < 0 || c.CursorSeries >= t.Monitor.SeriesCount()) return;
  const TChartAxis& axis = c.HorizontalAxisOf(t.Monitor.Series(c.CursorSeries));
  const double x = c.PixelOf(axis, t.Layout, static_cast<double>(c.CursorRow));
  if (x < t.Layout.Plot.Left || x > t.Layout.Plot.Right) return;
  t.P.setPen(QPen(t.Colour(c.CursorColor), c.CursorWidth * t.Scale));
  t.P.drawLine(QPointF(x, t.Layout.Plot.Top), QPointF(x, t.Layout.Plot.Bottom));
}

}  // namespace

QColor ToQColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

TPaintResult PaintChart(QPainter& painter, const TMonitorChart& monitor, const QRectF& target,
                        const TPaintOptions& options) {
  TPaintResult result;
  painter.save();
  painter.translate(target.topLeft());
  painter.setClipRect(QRectF(0, 0, target.width(), target.height()));
  // Pixel sizes are for a screen; a printer page of many more pixels scales them up.
  const double scale =
      options.Paper ? std::max(1.0, std::min(target.width(), target.height()) / 700.0) : 1.0;
  TPainting t{painter, monitor, monitor.Chart, options, {}, ChartFont(11 * scale), scale};
  painter.fillRect(QRectF(0, 0, target.width(), target.height()),
                   options.Paper ? QColor(Qt::white) : t.Shade(244, 246, 248));
  const double legendWidth = LegendWidth(t);
  const double bottomLabels = QFontMetricsF(t.LabelFont).height() + 10 * scale;
  const double titleHeight = TitleHeight(t);
  // The room of the axes depends a little on the plot's height; the chart's own is near enough.
  std::vector<TChart::TAxisRoom> room;
  const double plotHeight = target.height() * (1 - (monitor.Chart.MarginTop + monitor.Chart.MarginBottom) / 100) - titleHeight - bottomLabels;
  for (int i = TMonitorChart::FirstChannel; i < std::min(monitor.SeriesCount(), monitor.AxisCount()); ++i)
    if (monitor.Series(i).Active)
      room.push_back({monitor.Axis(i).PositionPercent, AxisRoom(t, monitor.Axis(i), plotHeight)});
  t.Layout = monitor.Chart.Layout(target.width(), target.height(), legendWidth, titleHeight, bottomLabels, room);
  if (monitor.Chart.View3D) {
    const double angle = std::clamp(monitor.Chart.Rotation - 300.0, 5.0, 85.0) * M_PI / 180;
    const double lift = std::clamp((monitor.Chart.Elevation - 270.0) / 75.0, 0.1, 1.2);
    t.DX = t.Layout.Depth * std::cos(angle);
    t.DY = -t.Layout.Depth * std::sin(angle) * lift;
  }
  painter.setRenderHint(QPainter::Antialiasing, true);
  DrawWalls(t);
  DrawTimeAxis(t);
  DrawMarks(t);
  DrawChannels(t);
  DrawCursor(t);
  DrawTitles(t, target);
  DrawLegend(t, legendWidth, target, result);
  painter.restore();
  result.Layout = t.Layout;
  for (auto& item : result.Legend) {
    item.Box.translate(target.topLeft());
    item.Row.translate(target.topLeft());
  }
  return result;
}

QImage RenderChartImage(const TMonitorChart& monitor, QSize size, const TPaintOptions& options) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintChart(painter, monitor, QRectF(QPointF(0, 0), QSizeF(size)), options);
  return image;
}

QRectF ChartAreaOnPage(QSizeF printable, const TChart& chart) {
  const double margin = chart.PrintMargin / 100;
  return QRectF(printable.width() * margin, printable.height() * margin, printable.width() * (1 - 2 * margin),
                printable.height() * (1 - 2 * margin));
}

bool PrintChartPage(QPrinter& printer, const TMonitorChart& monitor, const TPaintOptions& options) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QSizeF printable = printer.pageLayout().paintRectPixels(printer.resolution()).size();
  PaintChart(painter, monitor, ChartAreaOnPage(printable, monitor.Chart), options);
  return painter.end();
}
