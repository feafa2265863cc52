#include <QApplication>
#include <QMouseEvent>

#include "ProgramFixture.h"
#include "core/Glob.h"
#include "core/qt/QtText.h"
#include "monitor/ChartView.h"
#include "monitor/U_Monitor.h"
#include "panel/U_Control.h"
#include "panel/U_Hint.h"

namespace {

class AnalysisTest : public ProgramFixture {
 protected:
  void SetUp() override {
    StartAndShow();
    F_CONTROL->rLANGUAGEItems->button(0)->click();
    GLOB->Monitor.AddDeviceChannels();
    for (int k = 0; k < 360; ++k) {
      const double m = k < 60 ? 10 : k < 180 ? 40 : 20;
      const double values[] = {1.0, m, m};
      GLOB->Monitor.AppendRow(0, 0, values, 3, 1.0, "");
    }
  }
  // A press and a release on the chart at the row, as the cursor line snaps to it.
  void Pick(long row) {
    GLOB->Monitor.Chart.CursorRow = row;
    GLOB->Monitor.MonitorMouseUp();
    F_MONITOR->MonitorClick();
  }
  QString Cell(int row, int column) const { return F_CONTROL->AdvStringGrid1->item(row, column)->text(); }
};

TEST_F(AnalysisTest, ThreePicksGiveTheFiguresInTheSubtitleAndTheGrid) {
  GLOB->Monitor.Chart.SubTitleLines = {"old"};
  F_CONTROL->Button6Click();
  EXPECT_FALSE(F_CONTROL->isVisible());
  EXPECT_TRUE(FormHint->isVisible());
  EXPECT_EQ(FormHint->lHint->text(), QStringLiteral("Set point start work"));
  EXPECT_TRUE(GLOB->Monitor.Chart.SubTitleLines.empty());
  EXPECT_TRUE(GLOB->Monitor.Chart.CursorActive);

  // A click without a release since the last pick counts for nothing.
  Pick(60);
  GLOB->Monitor.Chart.CursorRow = 100;
  F_MONITOR->MonitorClick();
  EXPECT_EQ(GLOB->CalcPointCount, 1);
  EXPECT_EQ(FormHint->lHint->text(), QStringLiteral("Set point end work"));
  Pick(180);
  EXPECT_EQ(FormHint->lHint->text(), QStringLiteral("Set point end relax"));
  Pick(300);
  EXPECT_FALSE(GLOB->Monitor.Chart.CursorActive);
  EXPECT_FALSE(FormHint->isVisible());
  EXPECT_TRUE(F_CONTROL->isVisible());
  ASSERT_EQ(GLOB->Monitor.Chart.SubTitleLines.size(), 6u);
  EXPECT_EQ(GLOB->Monitor.Chart.SubTitleLines[1], "Rest level (l/min)  = 10 (l/min)");
  EXPECT_EQ(GLOB->Monitor.Chart.SubTitleLines[5], "Mean vent. during exercise (l/min) = 40 (l/min)");
  const QStringList values = {Cell(1, 1), Cell(2, 1), Cell(3, 1), Cell(4, 1), Cell(5, 1)};
  EXPECT_EQ(values, QStringList({"10.0", "60.0", "20.0", "80.0", "40.0"}));
  EXPECT_EQ(QStringList({Cell(1, 2), Cell(2, 2), Cell(3, 2)}), QStringList({"1.0", "2.0", "2.0"}));
  EXPECT_EQ(Cell(0, 2), QStringLiteral("time"));
  // A fourth click is ignored.
  Pick(10);
  EXPECT_EQ(GLOB->CalcPoints[0], 60);
}

TEST_F(AnalysisTest, ThreeClicksOfTheMouseOnTheMonitorPickTheRows) {
  F_MONITOR->resize(900, 600);
  TChartView* view = F_MONITOR->Monitor;
  view->resize(900, 600);
  F_CONTROL->Button6Click();
  const TChartLayout layout = view->CurrentLayout();
  const TChartAxis& rows = GLOB->Monitor.Chart.HorizontalAxisOf(GLOB->Monitor.Series(TMonitorChart::FirstChannel + 2));
  const double y = (layout.Plot.Top + layout.Plot.Bottom) / 2;
  auto send = [view](QEvent::Type type, QPointF at) {
    QMouseEvent event(type, at, view->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
  };
  for (long row : {60L, 180L, 300L}) {
    const QPointF at(GLOB->Monitor.Chart.PixelOf(rows, layout, static_cast<double>(row)), y);
    send(QEvent::MouseMove, at);
    send(QEvent::MouseButtonPress, at);
    send(QEvent::MouseButtonRelease, at);
  }
  EXPECT_EQ(GLOB->CalcPointCount, 3);
  EXPECT_EQ(std::vector<int>(GLOB->CalcPoints, GLOB->CalcPoints + 3), (std::vector<int>{60, 180, 300}));
  const QStringList values = {Cell(1, 1), Cell(2, 1), Cell(3, 1), Cell(4, 1), Cell(5, 1)};
  EXPECT_EQ(values, QStringList({"10.0", "60.0", "20.0", "80.0", "40.0"}));
  EXPECT_TRUE(F_CONTROL->isVisible());
}

TEST_F(AnalysisTest, NoWorkTimeShowsNoMeanAndNothingStops) {
  F_CONTROL->Button6Click();
  Pick(0);
  Pick(0);
  Pick(100);
  EXPECT_EQ(Cell(1, 1), Q("\xE2\x80\x94"));
  EXPECT_EQ(Cell(5, 1), Q("\xE2\x80\x94"));
  EXPECT_TRUE(F_CONTROL->isVisible());
}

TEST_F(AnalysisTest, SetPointsDoesNothingWithoutAThirdChannel) {
  GLOB->Monitor.ClearChart();
  GLOB->Monitor.InitChart();
  F_CONTROL->Button6Click();
  EXPECT_TRUE(F_CONTROL->isVisible());
  EXPECT_FALSE(FormHint->isVisible());
}

}  // namespace
