// The control panel in the chosen language.
#include "app/Globals.h"
#include "core/Glob.h"
#include "core/qt/LocaleNumbers.h"
#include "core/qt/QtText.h"
#include "device/Devices.h"
#include "panel/U_Control.h"

void TF_CONTROL::ApplyLanguage() {
  TSettings& s = GLOB->Settings;
  if (s.Language == GLOB->AppliedLanguage) return;
  GLOB->AppliedLanguage = s.Language;
  // Checking the item raises the group's click, which comes back here and stops above.
  rLANGUAGEItems->button(s.Language)->setChecked(true);
  auto text = [](int row) { return Q(GLOB->MainText(row)); };

  const int tabRows[] = {21, 22, 23, 24, 25};
  for (int page = 0; page < 5; ++page) PageControl1->setTabText(page, text(tabRows[page]));
  bExit->setText(text(26));
  setWindowTitle(text(27));
  PanHeader->setTitle(text(56));

  // Each box takes its caption, then its state; a changed state runs the box's action.
  const int captionRows[ChartOptionCount] = {57, 76, 74, 55, 54, 69, 77, 78, 79, 80, 81, 82};
  for (int o = 0; o < ChartOptionCount; ++o) {
    const auto option = static_cast<TChartOption>(o);
    OptionBox(option)->setText(text(captionRows[o]));
    GLOB->Monitor.SetOption(option, OptionSetting(s, option));
  }

  lCurTime->setText(text(58));
  lRecTime->setText(text(59));
  lPostfix->setText(text(66));
  lDESCR->setText(text(67));
  lInterval->setText(text(61));
  pINTERVAL->setText(FormatLocaleGeneral(s.SampleInterval));

  lDestDir->setText(text(62));
  pPATH->setCurrentText(Q(s.DestDirs[0]));
  Label4->setText(text(63));

  const int gridRows[] = {101, 103, 104, 105, 106, 107};
  for (int row = 0; row < 6; ++row) AdvStringGrid1->item(row, 0)->setText(text(gridRows[row]));
  Button6->setText(text(108));

  const struct {
    QToolButton* Button;
    int Hint;
  } hints[] = {{bSTART, 0}, {bSTOP, 1}, {bBMP, 2}, {bSaveAs, 3},
               {bOpen, 5},  {bPrint, 6}, {bMARK, 7}};
  for (const auto& h : hints) h.Button->setToolTip(Q(GLOB->ButtonHint(h.Hint)));
}

void TF_CONTROL::rLANGUAGEClick() {
  GLOB->Settings.Language = rLANGUAGEItems->checkedId();
  ApplyLanguage();
  if (TQLNDevice* device = Devices->First()) device->QueueCommand(rqRequest35, 0);
}
