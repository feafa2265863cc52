#include "ProgramFixture.h"
#include "core/Glob.h"
#include "core/Texts.h"
#include "core/qt/QtText.h"
#include "device/Devices.h"
#include "monitor/U_Monitor.h"
#include "panel/U_Control.h"
#include "panel/U_Dialog.h"
#include "panel/U_Mesages.h"

namespace {

class RecordingPanelTest : public ProgramFixture {
 protected:
  void SetUp() override {
    PortNames = {"COM3"};
    DevicePort = "COM3";
    StartAndShow();
    Loop.Advance(3000);
    ASSERT_NE(Devices->First(), nullptr);
    SetFixedText(GLOB->Settings.DestDirs[0], SettingsDirSize, Dir.Path().c_str());
  }
  // Open, Print, BMP, Start (down), Mark, Stop, the Devices tab, the interval box.
  std::vector<bool> States() const {
    const TF_CONTROL& p = *F_CONTROL;
    return {p.bOpen->isEnabled(), p.bPrint->isEnabled(), p.bBMP->isEnabled(), p.bSTART->isChecked(),
            p.bMARK->isEnabled(), p.bSTOP->isEnabled(), p.PageControl1->isTabEnabled(1), p.pSmpleInterval->isEnabled()};
  }
};

TEST_F(RecordingPanelTest, ButtonsAndCaptionsFollowStartMarkAndStop) {
  EXPECT_EQ(States(), (std::vector<bool>{false, false, false, false, false, false, true, true}));
  EXPECT_TRUE(F_CONTROL->bSTART->isEnabled());

  F_CONTROL->bSTART->click();
  EXPECT_EQ(States(), (std::vector<bool>{false, true, true, true, true, true, false, false}));
  EXPECT_EQ(F_MONITOR->windowTitle(), Q("Запись в файл: \"") + Q(GLOB->FileName) + QLatin1Char('"'));
  EXPECT_EQ(F_CONTROL->pINTERVAL->palette().color(QPalette::Base), QColor(213, 245, 253));

  Modal.Expect([](TModalWindow&) {
    EXPECT_EQ(F_DIALOG->lPROMPT->text(), Q("Введите метку"));
    F_DIALOG->pNEWNAME->setText(QStringLiteral("m1"));
    return mrOk;
  });
  F_CONTROL->bMARK->click();
  EXPECT_FALSE(F_CONTROL->bMARK->isEnabled());
  Loop.Advance(1000);  // the tick takes the mark
  EXPECT_TRUE(F_CONTROL->bMARK->isEnabled());
  EXPECT_EQ(GLOB->Monitor.MarkText(0), "m1");

  // A cancelled prompt and an empty one set no mark.
  Modal.ExpectResult(mrCancel);
  F_CONTROL->bMARK->click();
  Modal.ExpectResult(mrOk);
  F_CONTROL->bMARK->click();
  EXPECT_TRUE(F_CONTROL->bMARK->isEnabled());

  F_CONTROL->Memo1->setPlainText(QStringLiteral("first\nrun"));
  F_CONTROL->bSTOP->click();
  EXPECT_EQ(States(), (std::vector<bool>{true, true, true, false, false, false, true, true}));
  EXPECT_EQ(F_MONITOR->windowTitle(), Q("Предыдущий сеанс сохранен в файл: \"") + Q(GLOB->FileName) + QLatin1Char('"'));
  EXPECT_EQ(GLOB->RecordingHeader.Description, "first run");
  EXPECT_FALSE(GLOB->RecordFileOpen);
}

TEST_F(RecordingPanelTest, StartThatCannotCreateTheFileShowsMessage4) {
  SetFixedText(GLOB->Settings.DestDirs[0], SettingsDirSize, Dir.File("gone").c_str());
  QString message;
  Modal.Expect([&](TModalWindow&) {
    message = F_MESAGE->Mes->text();
    return mrYes;
  });
  F_CONTROL->bSTART->click();
  EXPECT_EQ(message, Q(MainTexts[msgErrorCreateLabFile][1]));
  EXPECT_FALSE(F_CONTROL->bSTART->isChecked());
  EXPECT_FALSE(F_CONTROL->bSTOP->isEnabled());
  EXPECT_TRUE(F_CONTROL->PageControl1->isTabEnabled(1));
}

TEST_F(RecordingPanelTest, LeavingDuringARecordingFinishesTheFile) {
  F_CONTROL->bSTART->click();
  Loop.Advance(3000);
  Modal.ExpectResult(mrYes);
  F_CONTROL->bExit->click();
  EXPECT_TRUE(Loop.QuitRequested());
  EXPECT_FALSE(GLOB->RecordFileOpen);
  EXPECT_EQ(GLOB->RecordingHeader.DataCount, 3);
}

}  // namespace
