#include "panel/U_Control.h"

#include <QCloseEvent>
#include <QFile>
#include <QSignalBlocker>

#include "app/ExceptionReport.h"
#include "app/Globals.h"
#include "app/Pictures.h"
#include "app/WindowGeometry.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/SerialPort.h"
#include "core/Texts.h"
#include "core/qt/LocaleNumbers.h"
#include "core/qt/QtText.h"
#include "browser/Export.h"
#include "browser/U_Export.h"
#include "core/qt/FolderChooser.h"
#include "device/Devices.h"
#include "recording/LabFile.h"
#include "device/U_DeviceLoadFile.h"
#include "monitor/U_Monitor.h"
#include "panel/DisplayWidget.h"
#include "panel/StatusBarWidget.h"
#include "panel/U_Dialog.h"
#include "panel/U_Mesages.h"

namespace {

bool ValidSampleInterval(double seconds) { return seconds >= 0.001 && seconds <= 86400.0; }

}  // namespace

TF_CONTROL::TF_CONTROL()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowStaysOnTopHint) {
  setWindowIcon(ProgramIcon());
  CreateLayout();
  connect(rLANGUAGEItems, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) rLANGUAGEClick();
  });
  connect(bExit, &QPushButton::clicked, this, &TF_CONTROL::bExitClick);
  connect(pINTERVAL, &QLineEdit::textChanged, this, &TF_CONTROL::pINTERVALChange);
  connect(AdvDirectoryEdit1, &QLineEdit::textChanged, this, &TF_CONTROL::AdvDirectoryEdit1Change);
  connect(pPATH, &QComboBox::activated, this, &TF_CONTROL::pPATHSelect);
  BindChartOptions();
  Download = std::make_unique<TDownload>(*Platform.Loop, *GLOB, *this, *Devices);
  Discovery = std::make_unique<TDiscovery>(
      TDeviceContext{*Platform.Loop, *Platform.Serial, *GLOB, *this, Platform.Trace, Download.get()}, *Devices);
  connect(HTMLStatusBar1, &TStatusBarWidget::PanelClick, this, &TF_CONTROL::HTMLStatusBar1PanelClick);
  Recording = std::make_unique<TLiveRecording>(*Platform.Loop, *GLOB, *Devices);
  Recording->OnMarkTaken = [this] { bMARK->setEnabled(true); };
  Recording->OnFileFull = [this] { bSTOPClick(); };
  connect(bSTART, &QToolButton::clicked, this, &TF_CONTROL::bSTARTClick);
  connect(bSTOP, &QToolButton::clicked, this, &TF_CONTROL::bSTOPClick);
  connect(bMARK, &QToolButton::clicked, this, &TF_CONTROL::bMARKClick);
  connect(bSaveAs, &QToolButton::clicked, this, &TF_CONTROL::bSaveAsClick);
  connect(bOpen, &QToolButton::clicked, this, &TF_CONTROL::bOpenClick);
  connect(bPrint, &QToolButton::clicked, this, &TF_CONTROL::bPrintClick);
  connect(bBMP, &QToolButton::clicked, this, &TF_CONTROL::bBMPClick);
  connect(Button6, &QPushButton::clicked, this, &TF_CONTROL::Button6Click);
  VrTrayIcon1 = new QSystemTrayIcon(ProgramIcon(), this);
  VrTrayIcon1->setToolTip(QStringLiteral("RL2 Control"));
  connect(VrTrayIcon1, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) VrTrayIcon1DblClick();
  });
  connect(AdvDirectoryEdit1Browse, &QToolButton::clicked, this, &TF_CONTROL::AdvDirectoryEdit1BrowseClick);
  connect(Memo1, &QPlainTextEdit::textChanged, this, [this] {
    // The description box takes at most 80 characters.
    const QString text = Memo1->toPlainText();
    if (text.size() > 80) Memo1->setPlainText(text.left(80));
  });
  DelayTimetCTRL = Platform.Loop->CreateTimer(100, false, [this] { DelayTimetCTRLTimer(); });
  ClockTimer = Platform.Loop->CreateTimer(MsToNextSecond(Platform.Loop->Now()), true,
                                          [this] { ClockTimerTimer(); });
  FormCreate();
}

// The state object goes before the windows at the end of the run.
TF_CONTROL::~TF_CONTROL() {
  if (GLOB) GLOB->Monitor.OnOptionChanged = nullptr;
}

QCheckBox* TF_CONTROL::OptionBox(TChartOption option) const {
  QCheckBox* const boxes[ChartOptionCount] = {cbLegend,    cbMARKS, cbAbsTimeScale, cb3D,
                                               cbRotate,    cbAutoScale, cbScrool,   cbGRID,
                                               cbONEAXES,   cbAUTO,  cbUNDOAUTO,     cbAXTITLE};
  return boxes[option];
}

// The chart model keeps the options; each box shows one and hands its clicks to it.
void TF_CONTROL::BindChartOptions() {
  for (int o = 0; o < ChartOptionCount; ++o) {
    const auto option = static_cast<TChartOption>(o);
    connect(OptionBox(option), &QCheckBox::toggled, this,
            [option](bool checked) { GLOB->Monitor.SetOption(option, checked); });
    ShowChartOption(option);
  }
  GLOB->Monitor.OnOptionChanged = [this](TChartOption option) { ShowChartOption(option); };
}

void TF_CONTROL::ShowChartOption(TChartOption option) {
  QCheckBox* box = OptionBox(option);
  const QSignalBlocker quiet(box);
  box->setChecked(GLOB->Monitor.Options[option].Checked);
  box->setEnabled(GLOB->Monitor.Options[option].Enabled);
}

void TF_CONTROL::FormCreate() {
  TSettings& s = GLOB->Settings;
  ShowFileVersion();
  RestoreWindowPlace(*this, s.ControlState, s.ControlTop, s.ControlLeft);
  GLOB->Monitor.SetOption(coAxisTitle, s.AxisTitles);
  for (int i = 0; i < s.DestDirCount; ++i) pPATH->addItem(Q(s.DestDirs[i]));
  pPATH->setCurrentIndex(0);
  AdvStringGrid1->setFixedHeight(150);
  PageControl1->setCurrentIndex(0);
  ApplyLanguage();
  RestorePanelPosition();
  for (QToolButton* b : {bPrint, bBMP, bSTART}) b->setEnabled(false);

  Discovery->BuildPortList();
  AdvDirectoryEdit1->setText(pPATH->currentText());
  ClockTimerTimer();

}

void TF_CONTROL::RestorePanelPosition() {
  move(GLOB->Settings.ControlLeft, GLOB->Settings.ControlTop);
}

void TF_CONTROL::ShowFileVersion() { lVer->setText(QStringLiteral(VT4800_VERSION)); }

void TF_CONTROL::ClockTimerTimer() {
  const double now = Platform.Loop->Now();
  const TDateTimeParts t = DecodeDateTime(now);
  VrClock1->setText(QStringLiteral("%1:%2:%3")
                        .arg(t.Hour, 2, 10, QLatin1Char('0'))
                        .arg(t.Minute, 2, 10, QLatin1Char('0'))
                        .arg(t.Second, 2, 10, QLatin1Char('0')));
  ClockTimer->SetInterval(MsToNextSecond(now));
  VrClock1SecondsChanged();
}

void TF_CONTROL::VrClock1SecondsChanged() {
  // The list of the device's recordings is read: the download window offers them.
  const TQLNDevice* device = Devices->First();
  if (device && device->FileListReady && device->FileIndex > 0 && Form100 && !Form100->isVisible()) Form100->show();
  if (!Recording || !Recording->Running()) return;
  Recording->SecondsChanged();
  const TDateTimeParts e = DecodeDateTime(GLOB->ElapsedSpan);
  const long long hours = static_cast<long long>(GLOB->ElapsedSpan) * 24 + e.Hour;
  VrClock2->setText(QStringLiteral("%1:%2:%3").arg(hours).arg(e.Minute, 2, 10, QLatin1Char('0')).arg(e.Second, 2, 10, QLatin1Char('0')));
}

void TF_CONTROL::SetRecordingBoxes(bool recording) {
  for (QWidget* panel : {pSmpleInterval, pPOSTFIX}) panel->setEnabled(!recording);
  for (QLineEdit* edit : {pINTERVAL, pFileNamePostfix}) {
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, recording ? QColor(213, 245, 253) : QColor(Qt::white));
    edit->setPalette(colours);
  }
}

void TF_CONTROL::bSTARTClick() {
  if (Recording->Running()) {
    bSTART->setChecked(true);  // the latching button stays down
    return;
  }
  if (!Recording->Start(U8(pFileNamePostfix->text()))) {
    bSTART->setChecked(false);
    F_MESAGE->ShowTableMessage(msgErrorCreateLabFile);
    return;
  }
  bSTART->setChecked(true);
  PageControl1->setTabEnabled(1, false);
  bSTOP->setEnabled(true);
  bPrint->setEnabled(true);
  bBMP->setEnabled(true);
  bOpen->setEnabled(false);
  SetRecordingBoxes(true);
  bMARK->setEnabled(!GLOB->MarkPending);
  F_MONITOR->setWindowTitle(Q(GLOB->MainText(64)) + QLatin1Char('"') + Q(GLOB->FileName) + QLatin1Char('"'));
  VrClock2->setText(QStringLiteral("0:00:00"));
}

void TF_CONTROL::bSTOPClick() {
  // The description box is the recording's description.
  GLOB->RecordingHeader.Description = U8(Memo1->toPlainText().simplified());
  Recording->Stop();
  bSTOP->setEnabled(false);
  bOpen->setEnabled(true);
  bSTART->setChecked(false);
  bMARK->setEnabled(false);
  PageControl1->setTabEnabled(1, true);
  SetRecordingBoxes(false);
  F_MONITOR->setWindowTitle(Q(GLOB->MainText(65)) + QLatin1Char('"') + Q(GLOB->FileName) + QLatin1Char('"'));
}

void TF_CONTROL::bMARKClick() {
  if (F_DIALOG->ShowPrompt() != mrOk) return;
  const std::string text = U8(F_DIALOG->pNEWNAME->text());
  if (text.empty()) return;
  Recording->SetMark(text);
  bMARK->setEnabled(false);
}

void TF_CONTROL::pINTERVALChange() {
  double seconds = 0;
  const bool valid = ParseLocaleDecimal(pINTERVAL->text(), seconds) && ValidSampleInterval(seconds);
  // A text that is no interval keeps the last good one and shows that it is wrong.
  QPalette colours = pINTERVAL->palette();
  colours.setColor(QPalette::Text, valid ? palette().color(QPalette::Text) : QColor(200, 0, 0));
  pINTERVAL->setPalette(colours);
  if (!valid) return;
  GLOB->Settings.SampleInterval = seconds;
  GLOB->RecordingHeader.LoadedInterval = seconds;
}

void TF_CONTROL::AdvDirectoryEdit1Change() {
  const QString dir = AdvDirectoryEdit1->text();
  for (int i = pPATH->count() - 1; i >= 0; --i)
    if (pPATH->itemText(i).compare(dir, Qt::CaseInsensitive) == 0) pPATH->removeItem(i);
  pPATH->insertItem(0, dir);
  pPATH->setCurrentIndex(0);
  SetFixedText(GLOB->Settings.DestDirs[0], SettingsDirSize, U8(dir).c_str());
}

void TF_CONTROL::pPATHSelect(int index) {
  const QString dir = pPATH->itemText(index);
  pPATH->removeItem(index);
  pPATH->insertItem(0, dir);
  pPATH->setCurrentIndex(0);
  TSettings& s = GLOB->Settings;
  for (int i = 0; i < s.DestDirCount && i < pPATH->count(); ++i)
    SetFixedText(s.DestDirs[i], SettingsDirSize, U8(pPATH->itemText(i)).c_str());
  AdvDirectoryEdit1->setText(dir);
}

void TF_CONTROL::bSaveAsClick() {
  // No port is probed while the dialog is open.
  Discovery->ScanTimer->SetEnabled(false);
  if (FormExport->ShowExport() == mrOk) {
    const std::string path = ExportPath(U8(FormExport->AdvDirectoryEdit1->text()), U8(FormExport->AdvEdit1->text()));
    // A file that cannot be written is said, rather than an export that seems to have worked.
    if (ExportRecording(*GLOB, path) != lrOk) F_MESAGE->ShowTableMessage(msgErrorWriteFile);
  }
  if (!GLOB->ComPortNames.empty()) Discovery->ScanTimer->SetEnabled(true);
}

void TF_CONTROL::AdvDirectoryEdit1BrowseClick() {
  const QString dir = ChooseFolder(this, AdvDirectoryEdit1->text(), *Platform.Modal);
  if (dir.isEmpty()) return;
  // A path longer than its settings slot would name another directory: it is refused.
  if (QFile::encodeName(dir).size() >= SettingsDirSize) {
    ShowExceptionReport(QStringLiteral("The directory path is longer than 255 characters: %1").arg(dir));
    return;
  }
  AdvDirectoryEdit1->setText(dir);
}

void TF_CONTROL::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && isMinimized()) ApplicationMinimize();
  QWidget::changeEvent(event);
}

void TF_CONTROL::ApplicationMinimize() {
  // Without a notification area the windows simply stay minimized.
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
  F_MONITOR->hide();
  hide();
  VrTrayIcon1->show();
}

void TF_CONTROL::VrTrayIcon1DblClick() {
  F_MONITOR->showNormal();
  showNormal();
  raise();
  activateWindow();
  VrTrayIcon1->hide();
}

void TF_CONTROL::bExitClick() {
  if (GLOB->RecordFileOpen && F_MESAGE->ShowTableMessage(msgConfirmExit) != mrYes) return;
  CloseProgram();
}

void TF_CONTROL::CloseProgram() {
  double seconds = 0;
  if (!ParseLocaleDecimal(pINTERVAL->text(), seconds) || !ValidSampleInterval(seconds)) {
    ShowExceptionReport(QStringLiteral("'%1' is not a valid sample interval").arg(pINTERVAL->text()));
    return;
  }
  GLOB->Settings.SampleInterval = seconds;
  // A recording that runs when the program ends is finished as Stop does.
  if (Recording->Running()) bSTOPClick();
  if (TQLNDevice* device = Devices->First()) {
    device->QueueCommandAndWait(rqRequest35, 0);
    // The wait serves events: the link may have gone meanwhile.
    if ((device = Devices->First())) device->Port->Close();
  }
  F_MONITOR->close();
  close();
  Discovery->CloseScanPort();
}

void TF_CONTROL::FormClose() {
  TSettings& s = GLOB->Settings;
  StoreWindowPlace(*this, s.ControlState, s.ControlTop, s.ControlLeft);
  if (Recording->Running()) bSTOPClick();
  // After Exit has closed the link's port, nothing more can go out.
  TQLNDevice* device = Devices->First();
  if (device && device->Port->IsOpen()) {
    device->QueueCommand(rqRequest35, 0);
    DelayTimetCTRL->SetEnabled(true);
    WaitUntil(*Platform.Loop, [this] { return !DelayTimetCTRL->Enabled(); });
  }
  F_MONITOR->close();
}

void TF_CONTROL::DelayTimetCTRLTimer() { DelayTimetCTRL->SetEnabled(false); }

void TF_CONTROL::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}
