#include <gtest/gtest.h>

#include "TempDir.h"
#include "core/Glob.h"
#include "monitor/Ventilation.h"

namespace {

TValueColumn Channel(const std::vector<std::pair<int, double>>& runs) {
  TValueColumn m;
  for (auto [rows, value] : runs)
    for (int i = 0; i < rows; ++i) m.Append(value);
  return m;
}

TEST(Ventilation, WorkedExample) {
  const TValueColumn m = Channel({{60, 10}, {120, 40}, {180, 20}});
  const TVentilation v = ComputeVentilation(m, 60, 180, 300);
  EXPECT_DOUBLE_EQ(v.RestLevel, 10);
  EXPECT_DOUBLE_EQ(v.VentIncome, 60);
  EXPECT_DOUBLE_EQ(v.VentDebt, 20);
  EXPECT_DOUBLE_EQ(v.VentRequest, 80);
  EXPECT_DOUBLE_EQ(v.MeanExerciseVent, 40);
  TTempDir dir;
  TGLOB glob(dir.File("vt4800"), false);
  glob.AppliedLanguage = 0;
  EXPECT_EQ(VentilationSubtitle(v, glob),
            (std::vector<std::string>{"Resume:", "Rest level (l/min)  = 10 (l/min)", "Ventilatin income (l) = 60 (l)",
                                      "Ventilatin debt (l) = 20 (l)", "Ventilatin request (l) = 80 (l)",
                                      "Mean vent. during exercise (l/min) = 40 (l/min)"}));
  const int points[] = {60, 180, 300};
  const TVentilationGrid grid = VentilationGrid(v, points, '.');
  EXPECT_EQ(std::vector<std::string>(grid.Figures, grid.Figures + 5),
            (std::vector<std::string>{"10.0", "60.0", "20.0", "80.0", "40.0"}));
  EXPECT_EQ(std::vector<std::string>(grid.Minutes, grid.Minutes + 3), (std::vector<std::string>{"1.0", "2.0", "2.0"}));
}

TEST(Ventilation, RoundingSignsAndPointsOutOfOrder) {
  EXPECT_EQ(FormatRounded(12.5, 0, true, '.'), "13");
  EXPECT_EQ(FormatRounded(12.5, 1, true, ','), "12,5");
  EXPECT_EQ(FormatRounded(12.25, 1, true, '.'), "12.3");  // halves away from zero
  EXPECT_EQ(FormatRounded(-0.04, 1, true, '.'), "0.0");
  // A recovery below the rest level is a negative debt.
  const TVentilation below = ComputeVentilation(Channel({{60, 10}, {60, 30}, {120, 4}}), 60, 120, 240);
  EXPECT_DOUBLE_EQ(below.VentDebt, -12);
  EXPECT_EQ(FormatRounded(below.VentDebt, 0, true, '.'), "-12");
  // Right to left: no income, and the mean divides by a negative work time.
  const TVentilation back = ComputeVentilation(Channel({{300, 20}}), 200, 100, 250);
  EXPECT_DOUBLE_EQ(back.VentIncome, 0);
  EXPECT_TRUE(back.MeanDefined);
  EXPECT_DOUBLE_EQ(back.MeanExerciseVent, 0);
}

TEST(Ventilation, FiguresWithoutRowsHaveNoValue) {
  TTempDir dir;
  TGLOB glob(dir.File("vt4800"), false);
  glob.AppliedLanguage = 0;
  const TValueColumn m = Channel({{100, 15}});
  const TVentilation noRest = ComputeVentilation(m, 0, 50, 90);
  EXPECT_FALSE(noRest.RestDefined);
  EXPECT_EQ(VentilationSubtitle(noRest, glob)[1], "Rest level (l/min)  = \xE2\x80\x94 (l/min)");
  const TVentilation noWork = ComputeVentilation(m, 40, 40, 90);
  EXPECT_TRUE(noWork.RestDefined);
  EXPECT_FALSE(noWork.MeanDefined);
  EXPECT_EQ(VentilationSubtitle(noWork, glob)[5], "Mean vent. during exercise (l/min) = \xE2\x80\x94 (l/min)");
  // Rows past the end of the channel add nothing.
  const TVentilation past = ComputeVentilation(m, 50, 500, 900);
  EXPECT_DOUBLE_EQ(past.VentIncome, 0);
  for (const std::string& line : VentilationSubtitle(past, glob)) EXPECT_EQ(line.find("nan"), std::string::npos);
}

}  // namespace
