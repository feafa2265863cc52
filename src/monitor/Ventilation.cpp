#include "monitor/Ventilation.h"

#include <algorithm>
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
  // Without rest rows the income and the debt have no level to stand on either.
  const struct {
    int Row;
    double Value;
    bool Defined;
    const char* Unit;
  } figures[] = {{103, v.RestLevel, v.RestDefined, " (l/min)"},
                 {104, v.VentIncome, v.RestDefined, " (l)"},
                 {105, v.VentDebt, v.RestDefined, " (l)"},
                 {106, v.VentRequest, v.RestDefined, " (l)"},
                 {107, v.MeanExerciseVent, v.MeanDefined, " (l/min)"}};
  std::vector<std::string> lines{glob.MainText(102)};
  for (const auto& f : figures)
    lines.push_back(std::string(glob.MainText(f.Row)) + " = " + FormatRounded(f.Value, 0, f.Defined, '.') + f.Unit);
  return lines;
}
