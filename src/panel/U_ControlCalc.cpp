// The Calc page: picking the three rows of the ventilation analysis and showing its figures.
#include "app/Globals.h"
#include "core/Glob.h"
#include "core/qt/QtText.h"
#include "monitor/ChartView.h"
#include "monitor/U_Monitor.h"
#include "panel/U_Control.h"
#include "panel/U_Hint.h"

void TF_CONTROL::Button6Click() {
  TMonitorChart& chart = GLOB->Monitor;
  if (chart.SeriesCount() <= TMonitorChart::FirstChannel + 2) return;
  chart.Chart.SubTitleLines.clear();
  chart.Chart.CursorSeries = TMonitorChart::FirstChannel + 2;
  chart.Chart.CursorActive = true;
  Discovery->ScanTimer->SetEnabled(false);
  GLOB->CalcPointCount = 0;
  FormHint->SetHintText(Q(GLOB->PointPrompt(0)));
  FormHint->show();
  hide();
  F_MONITOR->Monitor->setFocus();
  chart.Changed();
}

void TF_CONTROL::ShowVentilation() {
  const int* p = GLOB->CalcPoints;
  TMonitorChart& chart = GLOB->Monitor;
  const TVentilation v = ComputeVentilation(chart.Series(TMonitorChart::FirstChannel + 2).Values, p[0], p[1], p[2]);
  GLOB->Ventilation = v;
  chart.Chart.SubTitleLines = VentilationSubtitle(v, *GLOB);
  chart.Changed();
  const TVentilationGrid grid = VentilationGrid(v, p, DecimalSeparator());
  auto cell = [this](int row, int column, const std::string& text) { AdvStringGrid1->item(row, column)->setText(Q(text)); };
  for (int row = 1; row <= 5; ++row) cell(row, 1, grid.Figures[row - 1]);
  for (int row = 1; row <= 3; ++row) cell(row, 2, grid.Minutes[row - 1]);
  show();
}
