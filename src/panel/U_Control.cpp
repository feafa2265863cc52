#include "panel/U_Control.h"

#include <QCloseEvent>
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
#include "device/Devices.h"
#include "monitor/U_Monitor.h"
#include "panel/DisplayWidget.h"
#include "panel/StatusBarWidget.h"
#include "panel/U_Mesages.h"

namespace {

bool ValidSampleInterval(double seconds) { return seconds >= 0.001 && seconds <= 86400.0; }

// Milliseconds until the wall clock's next second.
int ToNextSecond(double now) {
  const int ms = DecodeDateTime(now).Millisecond;
  return std::max(1, 1000 - ms);
}

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
  Discovery = std::make_unique<TDiscovery>(TDeviceContext{*Platform.Loop, *Platform.Serial, *GLOB, *this, Platform.Trace},
                                           *Devices);
  connect(HTMLStatusBar1, &TStatusBarWidget::PanelClick, this, &TF_CONTROL::HTMLStatusBar1PanelClick);
  DelayTimetCTRL = Platform.Loop->CreateTimer(100, false, [this] { DelayTimetCTRLTimer(); });
  ClockTimer = Platform.Loop->CreateTimer(ToNextSecond(Platform.Loop->Now()), true,
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
  ClockTimer->SetInterval(ToNextSecond(now));
}

void TF_CONTROL::pINTERVALChange() {
  double seconds = 0;
  const bool valid = ParseLocaleDecimal(pINTERVAL->text(), seconds) && ValidSampleInterval(seconds);
  // A text that is no interval keeps the last good one and shows that it is wrong.
  QPalette colours = pINTERVAL->palette();
  colours.setColor(QPalette::Text, valid ? palette().color(QPalette::Text) : QColor(200, 0, 0));
  pINTERVAL->setPalette(colours);
  if (valid) GLOB->Settings.SampleInterval = seconds;
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
