#include <gtest/gtest.h>

#include "TempDir.h"
#include "core/Glob.h"
#include "monitor/MonitorChart.h"
#include "monitor/PrintLook.h"

namespace {

class PrintLookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Glob.Settings.Language = 0;
    Glob.FileName = "/data/live run.rl2";
    Glob.OpenPath = "/stored/opened.rl2";
    Glob.RecordingHeader.Description = "Step test";
  }
  void Options(bool file, bool date, bool description, bool interval) {
    Glob.Settings.PrintFileName = file;
    Glob.Settings.PrintDate = date;
    Glob.Settings.PrintDescription = description;
    Glob.Settings.PrintSampleInterval = interval;
  }
  TTempDir Dir;
  TGLOB Glob{Dir.File("vt4800"), false};
};

TEST_F(PrintLookTest, TitleLinesFollowTheOptionsInTheirOrder) {
  struct {
    bool File, Date, Description, Interval;
    std::vector<std::string> Lines;
    bool Visible;
  } const cases[] = {
      {true, true, true, true,
       {"File : live run.rl2", "Date : 01.04.2009", "Description : Step test", "Sample interval (s) : 0.5"}, true},
      {false, false, false, false, {}, false},
      {false, true, false, true, {"Date : 01.04.2009", "Sample interval (s) : 0.5"}, true},
  };
  for (const auto& c : cases) {
    Options(c.File, c.Date, c.Description, c.Interval);
    const TPrintTitle title = MakePrintTitle(Glob, "01.04.2009", "0.5");
    EXPECT_EQ(title.Lines, c.Lines);
    EXPECT_EQ(title.Visible, c.Visible);
  }
}

TEST_F(PrintLookTest, AnEmptyDescriptionAddsNoLineButKeepsTheTitle) {
  Options(false, false, true, false);
  Glob.RecordingHeader.Description.clear();
  const TPrintTitle title = MakePrintTitle(Glob, "", "1");
  EXPECT_TRUE(title.Lines.empty());
  EXPECT_TRUE(title.Visible);
}

TEST_F(PrintLookTest, TheOpenedFileIsNamedWhenTheChartShowsIt) {
  Options(true, false, false, false);
  Glob.FileShown = true;
  EXPECT_EQ(MakePrintTitle(Glob, "", "").Lines, std::vector<std::string>{"File : opened.rl2"});
  Glob.Settings.Language = 1;
  EXPECT_EQ(MakePrintTitle(Glob, "", "").Lines, std::vector<std::string>{"Файл : opened.rl2"});
}

TEST_F(PrintLookTest, ThePrintedPageChangesColoursAndPutsTheTimeAxesBack) {
  TMonitorChart& monitor = Glob.Monitor;
  monitor.InitChart();
  EnterPrintLook(monitor.Chart);
  EXPECT_FALSE(monitor.Chart.LegendVisible);
  EXPECT_EQ(monitor.Chart.SubTitleColor, clBlack);
  for (bool colour : {true, false}) {
    BeginPrintedPage(monitor, colour);
    EXPECT_EQ(monitor.Axis(TMonitorChart::ClockAxisIndex).Color, colour ? clBlack : clLightGrey);
    EndPrintedPage(monitor);
    EXPECT_EQ(monitor.Axis(TMonitorChart::ClockAxisIndex).Color, clLightGrey);
    EXPECT_EQ(monitor.Axis(TMonitorChart::ElapsedAxisIndex).Color, clLightGrey);
  }
  monitor.Chart.TitleVisible = true;
  for (bool legend : {true, false}) {
    LeavePrintLook(monitor.Chart, legend);
    EXPECT_EQ(monitor.Chart.LegendVisible, legend);
    EXPECT_FALSE(monitor.Chart.TitleVisible);
    // The ventilation figures stay readable on screen.
    EXPECT_EQ(monitor.Chart.SubTitleColor, clRed);
  }
}

}  // namespace
