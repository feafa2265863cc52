// The five ventilation figures from three picked rows of the minute-ventilation channel: the
// rest level before work, the income during work, the debt during recovery, their sum, and the
// mean ventilation of the exercise. Every row counts as one second.
#pragma once

#include <string>
#include <vector>

#include "recording/Columns.h"

class TGLOB;

struct TVentilation {
  // A figure without rows to stand on (no rest rows, no work time) has no value.
  bool RestDefined = false, MeanDefined = false;
  double RestLevel = 0, VentIncome = 0, VentDebt = 0, VentRequest = 0, MeanExerciseVent = 0;
};

// p1 start of work, p2 end of work, p3 end of recovery, as row indices of m.
TVentilation ComputeVentilation(const TValueColumn& m, int p1, int p2, int p3);

// "Resume:" and a line per figure, name " = " value rounded to a whole number and its unit, in the
// language on screen; a figure without a value reads "—".
std::vector<std::string> VentilationSubtitle(const TVentilation& v, const TGLOB& glob);

// The Calc grid's texts, one decimal: the five figures, then the minutes of rest, work and
// recovery between the picked rows.
struct TVentilationGrid {
  std::string Figures[5];
  std::string Minutes[3];
};
TVentilationGrid VentilationGrid(const TVentilation& v, const int points[3], char separator);

// A number with the given decimals, halves rounded away from zero, "—" for none.
std::string FormatRounded(double value, int decimals, bool defined, char separator);
