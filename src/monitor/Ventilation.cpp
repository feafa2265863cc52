#include "monitor/Ventilation.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/Format.h"
#include "core/Glob.h"

namespace {

constexpr double MinutesPerRow = 1.0 / 60;
const char* const NoValue = "\xE2\x80\x94";  // an em dash

// The sum over rows [first, last) of m minus a level; rows the channel does not have, and null
// points, add nothing.
double SumAbove(const TValueColumn& m, int first, int last, double level) {
  double sum = 0;
  const int end = std::min(last, static_cast<int>(m.Size()));
  for (int i = std::max(first, 0); i < end; ++i) {
    const double value = m.At(static_cast<size_t>(i));
    if (!TValueColumn::IsNull(value)) sum += value - level;
  }
  return sum;
}

struct TFigure {
  double Value;
  bool Defined;
};

// The five figures in their order; without rest rows the income and the debt have no level to
// stand on either.
std::array<TFigure, 5> Figures(const TVentilation& v) {
  return {{{v.RestLevel, v.RestDefined},
           {v.VentIncome, v.RestDefined},
           {v.VentDebt, v.RestDefined},
           {v.VentRequest, v.RestDefined},
           {v.MeanExerciseVent, v.MeanDefined}}};
}

}  // namespace

TVentilation ComputeVentilation(const TValueColumn& m, int p1, int p2, int p3) {
  TVentilation v;
  v.RestDefined = p1 > 0;
  v.RestLevel = v.RestDefined ? SumAbove(m, 0, p1, 0) / p1 : 0;
  v.VentIncome = SumAbove(m, p1, p2, v.RestLevel) * MinutesPerRow;
  v.VentDebt = SumAbove(m, std::max(p1, p2), p3, v.RestLevel) * MinutesPerRow;
  v.VentRequest = v.VentIncome + v.VentDebt;
  v.MeanDefined = v.RestDefined && p2 != p1;
  v.MeanExerciseVent = v.MeanDefined ? v.VentRequest / ((p2 - p1) * MinutesPerRow) : 0;
  return v;
}

std::string FormatRounded(double value, int decimals, bool defined, char separator) {
  if (!defined || !std::isfinite(value)) return NoValue;
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(value * scale) / scale;
  return FormatFixed(rounded == 0 ? 0.0 : rounded, decimals, separator);
}

std::vector<std::string> VentilationSubtitle(const TVentilation& v, const TGLOB& glob) {
  const char* const units[] = {" (l/min)", " (l)", " (l)", " (l)", " (l/min)"};
  const std::array<TFigure, 5> figures = Figures(v);
  std::vector<std::string> lines{glob.MainText(102)};
  for (size_t i = 0; i < figures.size(); ++i)
    lines.push_back(std::string(glob.MainText(103 + static_cast<int>(i))) + " = " +
                    FormatRounded(figures[i].Value, 0, figures[i].Defined, '.') + units[i]);
  return lines;
}

TVentilationGrid VentilationGrid(const TVentilation& v, const int points[3], char separator) {
  TVentilationGrid grid;
  const std::array<TFigure, 5> figures = Figures(v);
  for (size_t i = 0; i < figures.size(); ++i)
    grid.Figures[i] = FormatRounded(figures[i].Value, 1, figures[i].Defined, separator);
  const double minutes[] = {points[0] * MinutesPerRow, (points[1] - points[0]) * MinutesPerRow,
                            (points[2] - points[1]) * MinutesPerRow};
  for (int i = 0; i < 3; ++i) grid.Minutes[i] = FormatRounded(minutes[i], 1, true, separator);
  return grid;
}
