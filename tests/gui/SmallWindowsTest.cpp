#include "ProgramFixture.h"
#include "core/Glob.h"
#include "core/Texts.h"
#include "core/qt/QtText.h"
#include "panel/U_Dialog.h"
#include "panel/U_Hint.h"
#include "panel/U_Mesages.h"

namespace {

using SmallWindowsTest = ProgramFixture;

TEST_F(SmallWindowsTest, MessageBoxButtonsAndTexts) {
  StartAndShow();
  struct Case {
    int Message;
    const char* FirstButton;
    bool SecondShown;
  };
  for (const Case& c : {Case{msgConfirmExit, "Yes", true}, Case{msgErrorCreateLabFile, "Ok", false},
                        Case{msgErrorWriteFile, "Ok", false}}) {
    Modal.Expect([&](TModalWindow&) {
      EXPECT_EQ(F_MESAGE->OKButton->text(), QString::fromLatin1(c.FirstButton));
      EXPECT_EQ(!F_MESAGE->bCancel->isHidden(), c.SecondShown);
      EXPECT_EQ(F_MESAGE->bCancel->text(), QStringLiteral("No"));
      EXPECT_EQ(F_MESAGE->Mes->text(), Q(MainTexts[c.Message][1]));
      EXPECT_EQ(F_MESAGE->windowTitle(), Q("Ventora: Сообщения"));
      // The question keeps its line break.
      if (c.Message == msgConfirmExit) {
        EXPECT_TRUE(F_MESAGE->Mes->text().contains(QLatin1Char('\n')));
      }
      return mrYes;
    });
    EXPECT_EQ(F_MESAGE->ShowTableMessage(c.Message), mrYes);
  }
}

TEST_F(SmallWindowsTest, MessageFollowsTheLanguageAndTheCloseBoxIsNotYes) {
  StartAndShow();
  GLOB->Settings.Language = 0;
  GLOB->AppliedLanguage = 0;
  Modal.Expect([](TModalWindow& window) {
    EXPECT_EQ(F_MESAGE->Mes->text(), Q(MainTexts[msgConfirmExit][0]));
    dynamic_cast<QDialog&>(window).close();
    return dynamic_cast<QDialog&>(window).result();
  });
  EXPECT_NE(F_MESAGE->ShowTableMessage(msgConfirmExit), mrYes);
}

TEST_F(SmallWindowsTest, PromptComesUpEmptyAndKeepsTheTypedText) {
  StartAndShow();
  F_DIALOG->pNEWNAME->setText(QStringLiteral("old mark"));
  Modal.Expect([](TModalWindow&) {
    EXPECT_TRUE(F_DIALOG->pNEWNAME->text().isEmpty());
    EXPECT_EQ(F_DIALOG->windowTitle(), Q("Ventora: Метки"));
    EXPECT_EQ(F_DIALOG->lPROMPT->text(), Q("Введите метку"));
    F_DIALOG->pNEWNAME->setText(QStringLiteral("step test"));
    return mrOk;
  });
  EXPECT_EQ(F_DIALOG->ShowPrompt(), mrOk);
  EXPECT_EQ(F_DIALOG->pNEWNAME->text(), QStringLiteral("step test"));
  EXPECT_EQ(F_DIALOG->pNEWNAME->maxLength(), 50);

  // Escape (reject) answers Cancel.
  Modal.Expect([](TModalWindow& window) {
    dynamic_cast<QDialog&>(window).reject();
    return dynamic_cast<QDialog&>(window).result();
  });
  EXPECT_EQ(F_DIALOG->ShowPrompt(), mrCancel);
}

TEST_F(SmallWindowsTest, HintFitsItsText) {
  StartAndShow();
  FormHint->SetHintText(QStringLiteral("short"));
  const int shortWidth = FormHint->width();
  FormHint->SetHintText(Q("Укажите точку окончания восстановления"));
  EXPECT_GT(FormHint->width(), shortWidth);
  EXPECT_FALSE(FormHint->isVisible());
}

}  // namespace
