#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "core/Glob.h"
#include "core/Texts.h"

namespace {

TEST(Texts, RowsKeepTheirNumbers) {
  EXPECT_STREQ(MainTexts[0][0], "");
  EXPECT_STREQ(MainTexts[4][1], "Операционная система не позволяет открыть поток");
  EXPECT_STREQ(MainTexts[5][0],
               "The programm \"VT4800\" will be close.\nDo you confirm this command?");
  EXPECT_STREQ(MainTexts[72][0], "Scale \"O2+T\"");
  EXPECT_STREQ(MainTexts[110][0], "Laboratory  *.RL2");
  EXPECT_STREQ(MainTexts[134][1], "Нижний порог тревоги (л/мин)");
  EXPECT_STREQ(DeviceInfoTexts[9][0], "Edit enable");
  EXPECT_STREQ(ButtonHints[4][0], "Exit programm");
  EXPECT_STREQ(PointPrompts[2][1], "Укажите точку окончания восстановления");
  EXPECT_STREQ(FileTypeExts[1], "VT1");
}

TEST(Texts, LookupFollowsTheLanguageOnScreen) {
  TTempDir dir;
  TGLOB glob(dir.File("vt4800"));
  // Before anything is on screen, the chosen language (Russian by default).
  EXPECT_STREQ(glob.MainText(26), "Выход");
  glob.AppliedLanguage = 0;
  EXPECT_STREQ(glob.MainText(26), "Exit");
  EXPECT_STREQ(glob.DeviceInfoText(0), "Alarm Hi level (l/min)");
  EXPECT_STREQ(glob.ButtonHint(7), "Add new mark");
  EXPECT_STREQ(glob.PointPrompt(0), "Set point start work");
  glob.AppliedLanguage = 1;
  EXPECT_STREQ(glob.ButtonHint(7), "Добавить новую метку");
  // A row that does not exist is empty, never a read past the table.
  EXPECT_STREQ(glob.MainText(135), "");
  EXPECT_STREQ(glob.MainText(-1), "");
}

}  // namespace
