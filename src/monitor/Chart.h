// The chart model: series with their points, custom axes placed by percentages, the legend,
// the title lines, margins and the pseudo-3D view. The chart view paints it and feeds the mouse
// back; everything the chart does is decided here, so it is tested without drawing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "recording/Columns.h"

// Colours are 0x00BBGGRR: red in the low byte, as laboratory files store them.
using TColor = uint32_t;
constexpr TColor clRed = 0x0000FF, clBlue = 0xFF0000, clGreen = 0x008000, clYellow = 0x00FFFF,
                 clAqua = 0xFFFF00, clBlack = 0x000000, clWhite = 0xFFFFFF,
                 clLightGrey = 0xC5C5C5, clOrange = 0x0080FF;

struct TRange {
  double Min = 0;
  double Max = 0;
  bool operator==(const TRange&) const = default;
};

struct TRect {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  double Width() const { return Right - Left; }
  double Height() const { return Bottom - Top; }
};

class TChartAxis {
 public:
  explicit TChartAxis(bool horizontal) : Horizontal(horizontal) {}

  // A fixed range; the axis stops being automatic.
  void SetMinMax(double min, double max);
  void SetAutomatic(bool automatic) { AutomaticMinimum = AutomaticMaximum = automatic; }
  bool Automatic() const { return AutomaticMinimum && AutomaticMaximum; }

  bool Horizontal;
  double Minimum = 0, Maximum = 100;
  bool AutomaticMinimum = true, AutomaticMaximum = true;
  // Where the axis lies in the plot, in percent: start and end along it (from the top for a
  // vertical axis), and its position across (from the left edge; negative is further left).
  double StartPosition = 0, EndPosition = 100, PositionPercent = 0;
  bool Visible = true;
  std::string Title;
  bool TitleVisible = true;
  int TitleAngle = 0;
  bool GridVisible = false;
  TColor Color = clBlack;  // labels, line, grid and ticks
  int AxisLineWidth = 1;
  int TickLength = 4, InnerTickLength = 0, MinorTickLength = 2;
  double DesiredIncrement = 0;
  int LabelsSize = 0;  // width of the label area in pixels; 0: as the labels need
};

enum class TSeriesKind { Bar, Line };

class TChartSeries {
 public:
  TSeriesKind Kind = TSeriesKind::Line;
  std::string Title;
  TColor Color = clBlack;
  bool Active = true;
  bool ShowInLegend = true;
  bool ClipToBand = false;  // drawn inside its axis's band when the axes are stacked
  bool Dark3D = false;
  int HorizontalAxis = -1;  // custom axis index; -1: the chart's bottom axis
  int VerticalAxis = -1;    // custom axis index; -1: the chart's left axis
  TValueColumn Values;      // channel series
  TLabelColumn Labels;      // label series: null points with labels
  TMarkColumn Marks;        // the bar series of the marks
  bool IsLabelSeries = false;

  size_t Count() const;
  void Clear();
};

// The chart's geometry at one size: the plot rectangle and where each axis lies in it.
struct TChartLayout {
  TRect Chart;
  TRect Plot;
  double Depth = 0;  // pixels of the 3D depth
};

class TChart {
 public:
  TChart();

  std::vector<std::unique_ptr<TChartSeries>> Series;
  std::vector<std::unique_ptr<TChartAxis>> CustomAxes;
  TChartAxis BottomAxis{true};
  TChartAxis LeftAxis{false};

  bool LegendVisible = true;
  double LegendTopPercent = 1;
  int LegendSymbolWidth = 15;
  std::vector<std::string> TitleLines;
  bool TitleVisible = false;
  TColor TitleColor = clBlack;
  std::vector<std::string> SubTitleLines;
  TColor SubTitleColor = clRed;
  // Margins in percent of the chart's width (left, right) and height (top, bottom).
  double MarginLeft = 7, MarginRight = 1, MarginTop = 2, MarginBottom = 2;
  double PrintMargin = 1;
  int PrintResolution = 10;

  bool View3D = false;
  double Depth3DPercent = 10;
  double Zoom3DPercent = 93;
  bool Orthogonal = false;
  double Rotation = 345, Elevation = 345;  // degrees, changed by the rotate tool
  bool RotateToolActive = false;
  // The cursor tool: a vertical line that snaps to the points of one series.
  bool CursorActive = false;
  int CursorSeries = -1;
  long CursorRow = -1;
  TColor CursorColor = clOrange;
  int CursorWidth = 2;

  TChartAxis& Axis(int index) { return index < 0 ? LeftAxis : *CustomAxes[static_cast<size_t>(index)]; }
  const TChartAxis& Axis(int index) const {
    return index < 0 ? LeftAxis : *CustomAxes[static_cast<size_t>(index)];
  }
  TChartAxis& HorizontalAxisOf(const TChartSeries& s) {
    return s.HorizontalAxis < 0 ? BottomAxis : *CustomAxes[static_cast<size_t>(s.HorizontalAxis)];
  }
  const TChartAxis& HorizontalAxisOf(const TChartSeries& s) const {
    return s.HorizontalAxis < 0 ? BottomAxis : *CustomAxes[static_cast<size_t>(s.HorizontalAxis)];
  }

  // Removes every series and every custom axis.
  void Clear();

  // The range an axis shows: its own, or where automatic, that of the points of the series
  // drawn on it.
  TRange EffectiveRange(const TChartAxis& axis) const;
  // Makes the range of an automatic axis fixed at what it shows now.
  void FreezeRange(TChartAxis& axis);

  // Room that a vertical axis needs left of where it stands: its labels and title.
  struct TAxisRoom {
    double PositionPercent;
    double Pixels;
  };
  // Geometry at a size. legendWidth, the text heights and the axes' room come from the
  // painter's fonts; the left margin grows where the axes would not fit in it.
  TChartLayout Layout(double width, double height, double legendWidth, double titleHeight,
                      double bottomLabelsHeight, const std::vector<TAxisRoom>& leftRoom = {}) const;
  // Pixel span of an axis along its length: top to bottom, or left to right.
  static TRange AxisSpan(const TChartAxis& axis, const TChartLayout& layout);
  // The pixel across the plot where a vertical axis stands.
  static double AxisPosition(const TChartAxis& axis, const TChartLayout& layout);
  // Value of an axis at a pixel along it, and back.
  double ValueAt(const TChartAxis& axis, const TChartLayout& layout, double pixel) const;
  double PixelOf(const TChartAxis& axis, const TChartLayout& layout, double value) const;

 private:
  TRange DataRange(const TChartAxis& axis, bool& any) const;
};
