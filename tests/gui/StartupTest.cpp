#include <QStringList>
#include <filesystem>
#include <fstream>

#include "ProgramFixture.h"
#include "app/U_Splash.h"
#include "core/Glob.h"
#include "core/Texts.h"
#include "core/qt/QtText.h"
#include "monitor/U_Monitor.h"
#include "panel/DisplayWidget.h"
#include "panel/StatusBarWidget.h"
#include "panel/U_Control.h"
#include "panel/U_Mesages.h"

namespace {

using StartupTest = ProgramFixture;

TEST_F(StartupTest, WindowsComeUpInOrderBehindTheSplash) {
  Start();
  // The settings file was written before any window existed.
  EXPECT_TRUE(std::filesystem::exists(ConfigPath()));
  QStringList classes;
  for (QWidget* w : Program->Windows()) {
    classes << QString::fromLatin1(w->metaObject()->className());
    EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
  }
  EXPECT_EQ(classes, QStringList({"TF_MONITOR", "TF_CONTROL", "TF_MESAGE", "TFormHint",
                                  "TF_DIALOG", "TFOpen", "TForm100", "TFormExport", "TFPrint"}));
  ASSERT_NE(Program->Splash(), nullptr);
  EXPECT_TRUE(Program->Splash()->isVisible());
  EXPECT_EQ(Program->Splash()->size(), QSize(604, 328));

  Loop.Advance(1999);
  EXPECT_TRUE(Program->Splash()->isVisible());
  EXPECT_FALSE(F_MONITOR->isVisible());

  Loop.Advance(1);
  EXPECT_EQ(Program->Splash(), nullptr);
  EXPECT_TRUE(F_MONITOR->isVisible());
  EXPECT_TRUE(F_CONTROL->isVisible());
  EXPECT_EQ(F_MONITOR->windowTitle(), Q("Ventora: Монитор"));
  for (QWidget* w : Program->Windows()) {
    if (w != F_MONITOR && w != F_CONTROL) {
      EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
    }
  }
}

TEST_F(StartupTest, FirstStartIsRussianAndTheLanguageSwitchesAtOnce) {
  StartAndShow();
  EXPECT_EQ(F_CONTROL->windowTitle(), Q("Ventora: Панель управления"));
  EXPECT_EQ(F_CONTROL->rLANGUAGEItems->checkedId(), 1);
  EXPECT_EQ(F_CONTROL->PageControl1->tabText(2), Q("Среда"));
  EXPECT_EQ(F_CONTROL->cbUNDOAUTO->text(), Q("Отмена zoom - шкала авто"));
  EXPECT_EQ(F_CONTROL->bSTART->toolTip(), Q("Начать запись"));
  EXPECT_EQ(F_CONTROL->AdvStringGrid1->item(5, 0)->text(), Q("Средняя вент. упражнения (л/мин)"));

  F_CONTROL->rLANGUAGEItems->button(0)->click();
  EXPECT_EQ(GLOB->Settings.Language, 0);
  EXPECT_EQ(GLOB->AppliedLanguage, 0);
  EXPECT_EQ(F_CONTROL->windowTitle(), Q("Ventora: Control panel"));
  EXPECT_EQ(F_CONTROL->PageControl1->tabText(2), Q("Enviroment"));
  EXPECT_EQ(F_CONTROL->bExit->text(), Q("Exit"));
  EXPECT_EQ(F_CONTROL->cbScrool->text(), Q("Autoscrooling"));
  EXPECT_EQ(F_CONTROL->lInterval->text(), Q("Sample interval (s)"));
  EXPECT_EQ(F_CONTROL->bMARK->toolTip(), Q("Add new mark"));
  // Only the control panel is relabelled: the monitor keeps its caption until shown again.
  EXPECT_EQ(F_MONITOR->windowTitle(), Q("Ventora: Монитор"));

  // Clicking the language already chosen runs nothing: a caption changed meanwhile stays.
  F_CONTROL->bExit->setText(QStringLiteral("marker"));
  F_CONTROL->rLANGUAGEItems->button(0)->click();
  EXPECT_EQ(F_CONTROL->bExit->text(), QStringLiteral("marker"));
}

TEST_F(StartupTest, ChartOptionsAndIntervalTakeTheSettings) {
  StartAndShow();
  const TSettings& s = GLOB->Settings;
  EXPECT_EQ(F_CONTROL->cbLegend->isChecked(), s.ShowLegend);
  EXPECT_EQ(F_CONTROL->cbONEAXES->isChecked(), s.OneAxes);
  EXPECT_EQ(F_CONTROL->cbGRID->isChecked(), s.ShowGrid);
  EXPECT_EQ(F_CONTROL->cbAXTITLE->isChecked(), s.AxisTitles);
  EXPECT_EQ(F_CONTROL->pINTERVAL->text(), QStringLiteral("1"));
  EXPECT_EQ(F_CONTROL->pPATH->currentText(), Dir.Path().c_str());
  EXPECT_EQ(F_CONTROL->AdvDirectoryEdit1->text(), Dir.Path().c_str());
  EXPECT_EQ(F_CONTROL->DispV->text(), QStringLiteral("?.?"));
  EXPECT_EQ(F_CONTROL->DispF->text(), QStringLiteral("?"));
  EXPECT_EQ(F_CONTROL->DispM->text(), QStringLiteral("?.?"));

  F_CONTROL->pINTERVAL->setText(QStringLiteral("0.5"));
  EXPECT_EQ(s.SampleInterval, 0.5);
  // Text that is no interval keeps the last good one.
  for (const char* bad : {"", "abc", "0", "-1"}) {
    F_CONTROL->pINTERVAL->setText(QString::fromLatin1(bad));
    EXPECT_EQ(s.SampleInterval, 0.5) << bad;
  }
}

TEST_F(StartupTest, NoSerialPortsMeansNoDiscoveryAndNoStart) {
  StartAndShow();
  EXPECT_TRUE(GLOB->ComPortNames.empty());
  EXPECT_EQ(F_CONTROL->HTMLStatusBar1->Panel(2).Text, QStringLiteral("No COM ports in the system!"));
  EXPECT_FALSE(F_CONTROL->bSTART->isEnabled());
  EXPECT_FALSE(F_CONTROL->bPrint->isEnabled());
  EXPECT_FALSE(F_CONTROL->bBMP->isEnabled());
  EXPECT_TRUE(F_CONTROL->bOpen->isEnabled());
}

TEST_F(StartupTest, ExitWithoutRecordingEndsWithoutAQuestion) {
  StartAndShow();
  F_CONTROL->bExit->click();
  EXPECT_TRUE(Modal.Shown().empty());
  EXPECT_TRUE(Loop.QuitRequested());
  EXPECT_FALSE(F_MONITOR->isVisible());
  EXPECT_FALSE(F_CONTROL->isVisible());
}

TEST_F(StartupTest, ExitWhileRecordingAsksAndNoKeepsRunning) {
  StartAndShow();
  GLOB->RecordFileOpen = true;
  QString asked;
  Modal.Expect([&](TModalWindow&) {
    asked = F_MESAGE->Mes->text();
    EXPECT_EQ(F_MESAGE->OKButton->text(), QStringLiteral("Yes"));
    EXPECT_FALSE(F_MESAGE->bCancel->isHidden());
    return mrNo;
  });
  F_CONTROL->bExit->click();
  EXPECT_EQ(asked, Q(MainTexts[msgConfirmExit][1]));
  EXPECT_FALSE(Loop.QuitRequested());
  EXPECT_TRUE(F_MONITOR->isVisible());

  Modal.ExpectResult(mrYes);
  F_CONTROL->bExit->click();
  EXPECT_TRUE(Loop.QuitRequested());
}

TEST_F(StartupTest, ExitWithABadSampleIntervalIsReportedAndDoesNotClose) {
  StartAndShow();
  F_CONTROL->pINTERVAL->setText(QStringLiteral("fast"));
  Modal.ExpectResult(mrOk);
  F_CONTROL->bExit->click();
  EXPECT_EQ(Modal.Shown(), std::deque<std::string>{"TExceptionReport"});
  EXPECT_FALSE(Loop.QuitRequested());
  // The close box still ends the program.
  F_CONTROL->close();
  EXPECT_TRUE(Loop.QuitRequested());
}

TEST_F(StartupTest, PanelCloseBoxEndsTheProgram) {
  StartAndShow();
  F_CONTROL->close();
  EXPECT_TRUE(Loop.QuitRequested());
  EXPECT_FALSE(F_MONITOR->isVisible());
}

TEST_F(StartupTest, WindowPlacesSurviveARestart) {
  StartAndShow();
  F_CONTROL->move(400, 200);
  F_MONITOR->move(30, 40);
  F_MONITOR->resize(640, 480);
  F_CONTROL->pINTERVAL->setText(QStringLiteral("2.5"));
  F_CONTROL->bExit->click();
  Stop();

  StartAndShow();
  const TSettings& s = GLOB->Settings;
  EXPECT_EQ(s.ControlLeft, 400);
  EXPECT_EQ(s.ControlTop, 200);
  EXPECT_EQ(s.MonitorLeft, 30);
  EXPECT_EQ(s.MonitorTop, 40);
  EXPECT_EQ(s.MonitorWidth, 640);
  EXPECT_EQ(s.MonitorHeight, 480);
  EXPECT_EQ(s.SampleInterval, 2.5);
  EXPECT_EQ(F_CONTROL->pos(), QPoint(400, 200));
  EXPECT_EQ(F_MONITOR->size(), QSize(640, 480));
}

TEST_F(StartupTest, CommandLineLoadsTheFileBeforeTheWindowsShow) {
  const std::string path = Dir.File("my run.rl2");
  {
    std::ofstream out(path, std::ios::binary);
    out << "Format-Version: 2\r\nColumn-Header:\tO2 (%)\tMarks\r\nData-Color: 255\t\r\nData-Table:\r\n"
           "20.9\t\r\n16.5\tpeak\r\n";
  }
  Start("\"" + path + "\"");
  EXPECT_EQ(Program->StartupFile(), path);
  EXPECT_FALSE(F_MONITOR->isVisible());
  EXPECT_TRUE(GLOB->FileShown);
  ASSERT_EQ(GLOB->Monitor.RowCount(), 2u);
  EXPECT_EQ(GLOB->Monitor.Series(3).Title, "O2 (%)");
  EXPECT_EQ(GLOB->Monitor.MarkText(1), "peak");
  EXPECT_TRUE(F_CONTROL->bPrint->isEnabled());
  EXPECT_TRUE(F_CONTROL->bBMP->isEnabled());
  Stop();
  // A file that cannot be read leaves the chart empty, and nothing is said.
  Start(Dir.File("missing.rl2"));
  EXPECT_EQ(GLOB->Monitor.ChannelCount(), 0);
  EXPECT_TRUE(Modal.Shown().empty());
  EXPECT_FALSE(F_CONTROL->bPrint->isEnabled());
}

}  // namespace

namespace {

TEST_F(StartupTest, DoubleClickOnTheTrayIconBringsThePanelBack) {
  StartAndShow();
  F_CONTROL->hide();
  F_MONITOR->hide();
  F_CONTROL->VrTrayIcon1->show();
  F_CONTROL->VrTrayIcon1DblClick();
  EXPECT_TRUE(F_CONTROL->isVisible());
  EXPECT_TRUE(F_MONITOR->isVisible());
  EXPECT_FALSE(F_CONTROL->isMinimized());
  EXPECT_FALSE(F_CONTROL->VrTrayIcon1->isVisible());
  EXPECT_EQ(F_CONTROL->VrTrayIcon1->toolTip(), QStringLiteral("RL2 Control"));
}

}  // namespace
