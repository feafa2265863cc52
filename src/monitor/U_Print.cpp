#include "monitor/U_Print.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>

#include "app/Globals.h"
#include "core/Glob.h"
#include "core/Paths.h"
#include "core/Texts.h"
#include "core/qt/FileSaver.h"
#include "core/qt/LocaleNumbers.h"
#include "core/qt/PanelFont.h"
#include "core/qt/QtText.h"
#include "monitor/ChartPainter.h"
#include "monitor/PrintLook.h"
#include "monitor/PrintPreview.h"
#include "panel/U_Mesages.h"

namespace {
constexpr int PanelWidth = 153;
}

TFPrint::TFPrint() : Printer(QPrinter::HighResolution) {
  resize(640, 427);
  setMinimumSize(640, 420);
  setFont(PanelFont());
  Preview = new TPrintPreview(GLOB->Monitor, this);
  lbPrnChoice = new QLabel(this);
  cmbPRINTERS = new QComboBox(this);
  gbORIENTATION = new QGroupBox(this);
  rbLadscape = new QRadioButton(gbORIENTATION);
  rbLadscape->setGeometry(8, 20, 134, 20);
  rbPortraite = new QRadioButton(gbORIENTATION);
  rbPortraite->setGeometry(8, 42, 134, 20);
  gbPRINTING = new QGroupBox(this);
  cbFNAME = new QCheckBox(gbPRINTING);
  cbDATE = new QCheckBox(gbPRINTING);
  cbDESCR = new QCheckBox(gbPRINTING);
  cbSINTERVAL = new QCheckBox(gbPRINTING);
  int y = 20;
  for (QCheckBox* box : {cbFNAME, cbDATE, cbDESCR, cbSINTERVAL}) {
    box->setGeometry(8, y, 134, 20);
    y += 22;
  }
  cbPRINTCOLOR = new QCheckBox(this);
  bCancel = new QPushButton(this);
  bPrint = new QPushButton(this);
  bPrint->setDefault(true);
  connect(cmbPRINTERS, &QComboBox::activated, this, &TFPrint::cmbPRINTERSChange);
  connect(rbLadscape, &QRadioButton::clicked, this, &TFPrint::rbLadscapeClick);
  connect(rbPortraite, &QRadioButton::clicked, this, &TFPrint::rbPortraiteClick);
  connect(cbPRINTCOLOR, &QCheckBox::clicked, this, &TFPrint::cbPRINTCOLORClick);
  connect(cbFNAME, &QCheckBox::clicked, this, &TFPrint::cbFNAMEClick);
  connect(cbDATE, &QCheckBox::clicked, this, &TFPrint::cbDATEClick);
  connect(cbDESCR, &QCheckBox::clicked, this, &TFPrint::cbDESCRClick);
  connect(cbSINTERVAL, &QCheckBox::clicked, this, &TFPrint::cbSINTERVALClick);
  connect(bPrint, &QPushButton::clicked, this, &TFPrint::bPrintClick);
  connect(bCancel, &QPushButton::clicked, this, &TFPrint::bCancelClick);
  PlaceControls();
  FormCreate();
}

void TFPrint::resizeEvent(QResizeEvent* event) {
  PlaceControls();
  TModalDialog::resizeEvent(event);
}

// The preview takes what the panel on the right leaves; the buttons keep to the bottom.
void TFPrint::PlaceControls() {
  const int x = width() - PanelWidth + 4, w = PanelWidth - 8;
  Preview->setGeometry(0, 0, width() - PanelWidth, height());
  lbPrnChoice->setGeometry(x, 8, w, 16);
  cmbPRINTERS->setGeometry(x, 26, w, 24);
  gbORIENTATION->setGeometry(x, 58, w, 70);
  gbPRINTING->setGeometry(x, 136, w, 114);
  cbPRINTCOLOR->setGeometry(x + 6, 258, w - 6, 20);
  bCancel->setGeometry(x, height() - 33, 70, 25);
  bPrint->setGeometry(x + w - 70, height() - 33, 70, 25);
}

int TFPrint::Execute() {
  FormShow();
  const int result = ShowModal(*Platform.Modal);
  FormHide();
  return result;
}

void TFPrint::FormCreate() {
  PrintInitializing = true;
  const TSettings& s = GLOB->Settings;
  PrinterNames = QPrinterInfo::availablePrinterNames();
  for (const QString& name : PrinterNames) cmbPRINTERS->addItem(name);
  cmbPRINTERS->addItem(QString());  // the PDF file, named in the language on screen
  cmbPRINTERS->setCurrentIndex(SelectPrinter(s.PrinterIndex));
  cbPRINTCOLOR->setChecked(s.PrintColor);
  rbLadscape->setChecked(s.PrintLandscape);
  rbPortraite->setChecked(!s.PrintLandscape);
  cbFNAME->setChecked(s.PrintFileName);
  cbDATE->setChecked(s.PrintDate);
  cbDESCR->setChecked(s.PrintDescription);
  cbSINTERVAL->setChecked(s.PrintSampleInterval);
  SetOrientation(s.PrintLandscape);
  PrintInitializing = false;
}

void TFPrint::FormShow() {
  const struct {
    QWidget* Control;
    int Row;
  } captions[] = {{this, 31},         {lbPrnChoice, 34}, {gbORIENTATION, 35}, {rbLadscape, 36},
                  {rbPortraite, 37},  {gbPRINTING, 38},  {cbFNAME, 39},       {cbDATE, 40},
                  {cbDESCR, 41},      {cbSINTERVAL, 42}, {cbPRINTCOLOR, 43},  {bCancel, 50},
                  {bPrint, 38}};
  for (const auto& c : captions) {
    const QString text = Q(GLOB->MainText(c.Row));
    if (c.Control == this) setWindowTitle(text);
    else if (auto* group = qobject_cast<QGroupBox*>(c.Control)) group->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(c.Control)) button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(c.Control)) label->setText(text);
  }
  cmbPRINTERS->setItemText(PdfIndex(), Q(PdfPrinterText[GLOB->LookupLanguage()]));
  EnterPrintLook(GLOB->Monitor.Chart);
  cbDESCR->setEnabled(!GLOB->RecordingHeader.Description.empty());
  ShowPrintTitle();
}

void TFPrint::FormHide() {
  LeavePrintLook(GLOB->Monitor.Chart, GLOB->Settings.ShowLegend);
  GLOB->Monitor.Changed();
}

void TFPrint::ShowPrintTitle() {
  if (PrintInitializing) return;
  const TRecordingHeader& h = GLOB->RecordingHeader;
  const TPrintTitle title =
      MakePrintTitle(*GLOB, U8(FormatLocaleShortDateTime(h.StartTime)), U8(FormatLocaleGeneral(h.LoadedInterval)));
  TChart& chart = GLOB->Monitor.Chart;
  chart.TitleLines = title.Lines;
  chart.TitleVisible = title.Visible;
  GLOB->Monitor.Changed();
  Preview->update();
}

int TFPrint::SelectPrinter(int index) {
  if (index < 0 || index > PdfIndex()) {
    // The system's default printer; without one, the PDF file.
    const int defaultIndex = static_cast<int>(PrinterNames.indexOf(QPrinterInfo::defaultPrinterName()));
    index = defaultIndex >= 0 ? defaultIndex : PrinterNames.isEmpty() ? PdfIndex() : 0;
  }
  if (index == PdfIndex()) {
    Printer.setOutputFormat(QPrinter::PdfFormat);
  } else {
    Printer.setOutputFormat(QPrinter::NativeFormat);
    Printer.setPrinterName(PrinterNames[index]);
  }
  SelectedPrinter = index;
  return index;
}

void TFPrint::SetOrientation(bool landscape) {
  Printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  Preview->SetPageLayout(Printer.pageLayout());
}

void TFPrint::cmbPRINTERSChange(int index) {
  GLOB->Settings.PrinterIndex = SelectPrinter(index);
  // A printer's own page size may differ; the orientation stays the operator's.
  SetOrientation(GLOB->Settings.PrintLandscape);
}

void TFPrint::rbLadscapeClick() {
  if (PrintInitializing) return;
  GLOB->Settings.PrintLandscape = true;
  SetOrientation(true);
}

void TFPrint::rbPortraiteClick() {
  if (PrintInitializing) return;
  GLOB->Settings.PrintLandscape = false;
  SetOrientation(false);
}

void TFPrint::cbPRINTCOLORClick() { GLOB->Settings.PrintColor = cbPRINTCOLOR->isChecked(); }

void TFPrint::cbFNAMEClick() {
  GLOB->Settings.PrintFileName = cbFNAME->isChecked();
  ShowPrintTitle();
}

void TFPrint::cbDATEClick() {
  GLOB->Settings.PrintDate = cbDATE->isChecked();
  ShowPrintTitle();
}

void TFPrint::cbDESCRClick() {
  GLOB->Settings.PrintDescription = cbDESCR->isChecked();
  ShowPrintTitle();
}

void TFPrint::cbSINTERVALClick() {
  GLOB->Settings.PrintSampleInterval = cbSINTERVAL->isChecked();
  ShowPrintTitle();
}

void TFPrint::bPrintClick() { PrintChart(); }

void TFPrint::bCancelClick() { EndModal(mrCancel); }

bool TFPrint::ChoosePdfFile() {
  const std::string& recording = GLOB->FileShown ? GLOB->OpenPath : GLOB->FileName;
  const QString start = recording.empty() ? QDir::home().filePath(QStringLiteral("chart.pdf"))
                                          : QFile::decodeName(ReplaceExtension(recording, ".pdf").c_str());
  const QString title = Q(PdfPrinterText[GLOB->LookupLanguage()]);
  const QString chosen = ChooseFileToSave(this, title, start, QStringLiteral("PDF (*.pdf)"), *Platform.Modal);
  if (chosen.isEmpty()) return false;
  Printer.setOutputFileName(chosen);
  return true;
}

void TFPrint::PrintChart() {
  // Without a file to print to nothing is printed and the window stays open.
  if (SelectedPrinter == PdfIndex() && !ChoosePdfFile()) return;
  const TSettings& s = GLOB->Settings;
  Printer.setColorMode(s.PrintColor ? QPrinter::Color : QPrinter::GrayScale);
  TMonitorChart& monitor = GLOB->Monitor;
  BeginPrintedPage(monitor, s.PrintColor);
  const bool printed = PrintChartPage(Printer, monitor, TPaintOptions{true, !s.PrintColor});
  EndPrintedPage(monitor);
  monitor.Changed();
  // A page that could not be written is said; the window stays open to choose again.
  if (!printed) {
    F_MESAGE->ShowTableMessage(msgErrorWriteFile);
    return;
  }
  EndModal(mrOk);
}
