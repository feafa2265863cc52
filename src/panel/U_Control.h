// TF_CONTROL: the control panel, where the operator records, watches the device, chooses the
// language and the destination directory, reads the analysis and leaves the program.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBox>
#include <QToolButton>
#include <QSystemTrayIcon>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/Pictures.h"
#include "core/EventLoop.h"
#include "device/DeviceView.h"
#include "device/Discovery.h"
#include "device/Download.h"
#include "monitor/MonitorChart.h"
#include "panel/LiveRecording.h"

class TDisplayWidget;
class TStatusBarWidget;

class QTableWidget;

class TF_CONTROL : public QWidget, public TDeviceView {
  Q_OBJECT
 public:
  TF_CONTROL();
  ~TF_CONTROL() override;

  // Puts the texts of the chosen language on every control of the panel.
  void ApplyLanguage();
  void rLANGUAGEClick();
  void bExitClick();
  // The orderly end of the program, after Exit was confirmed.
  void CloseProgram();
  void FormClose();
  void RestorePanelPosition();
  void ShowFileVersion();
  void pINTERVALChange();
  void bSTARTClick();
  void bSTOPClick();
  void bMARKClick();
  void VrClock1SecondsChanged();
  void AdvDirectoryEdit1Change();
  void pPATHSelect(int index);
  void HTMLStatusBar1PanelClick(int panel);
  void bSaveAsClick();
  void bOpenClick();
  // The print window, modally.
  void bPrintClick();
  // A bitmap of the chart as shown, beside the recording file.
  void bBMPClick();
  // Set points: the three rows of the analysis are picked on the chart.
  void Button6Click();
  // The figures of the picked rows into the chart's subtitle and the Calc grid.
  void ShowVentilation();
  // The program minimized: into the notification area where the desktop has one.
  void ApplicationMinimize();
  void VrTrayIcon1DblClick();
  void AdvDirectoryEdit1BrowseClick();
  // The operator has changed a row of a device panel.
  void InfoRowEdited(int panel, int row);
  int IndexOfGrid(const QTableWidget* grid) const;
  void DelayTimetCTRLTimer();

  // What the device link and the discovery change on the panel.
  void SetStatusText(int panel, const std::string& text) override;
  void SetStatusImage(int panel, int image) override;
  void SetStatusHint(int panel, const std::string& hint) override;
  void SetDisplays(const std::string& v, const std::string& f, const std::string& m) override;
  int AddDevicePanel() override;
  void ShowInfoPanel(int panel, TInfoPanel& rows) override;
  void InfoRowChanged(int panel, int row) override;
  void RemoveDevicePanel(int panel) override;
  void SetButtonEnabled(TPanelButton button, bool enabled) override;
  bool RecordingRunning() override;
  void StopRecording() override;
  void EnableScanTimer() override;
  bool DownloadWindowVisible() override;
  void HideDownloadWindow() override;
  char DecimalSeparator() override;

  // The page control and its pages, in tab order.
  QTabWidget* PageControl1;
  QWidget* TabMonitor;
  QWidget* TabPreset;
  QWidget* TabEnvironment;
  QWidget* TabCalc;
  QWidget* TabAbout;
  QPushButton* bExit;
  TStatusBarWidget* HTMLStatusBar1;

  // Monitor page.
  TDisplayWidget* DispV;
  TDisplayWidget* DispF;
  TDisplayWidget* DispM;
  QLabel* lDispV;
  QLabel* lDispF;
  QLabel* lDispM;
  QLabel* lCurTime;
  TDisplayWidget* VrClock1;
  QLabel* lRecTime;
  TDisplayWidget* VrClock2;
  QLabel* lInterval;
  QWidget* pSmpleInterval;
  QLineEdit* pINTERVAL;
  QLabel* lPostfix;
  QWidget* pPOSTFIX;
  QLineEdit* pFileNamePostfix;
  QLabel* lDESCR;
  QPlainTextEdit* Memo1;
  QGroupBox* PanHeader;
  QCheckBox* cbLegend;
  QCheckBox* cbMARKS;
  QCheckBox* cbAbsTimeScale;
  QCheckBox* cb3D;
  QCheckBox* cbRotate;
  QCheckBox* cbAutoScale;
  QCheckBox* cbScrool;
  QCheckBox* cbGRID;
  QCheckBox* cbONEAXES;
  QCheckBox* cbAUTO;
  QCheckBox* cbUNDOAUTO;
  QCheckBox* cbAXTITLE;
  QToolButton* bOpen;
  QToolButton* bPrint;
  QToolButton* bBMP;
  QToolButton* bSaveAs;
  QToolButton* bSTART;
  QToolButton* bMARK;
  QToolButton* bSTOP;

  // Devices page.
  QToolBox* AdvNavBar1;

  // Environment page.
  QGroupBox* rLANGUAGE;
  QButtonGroup* rLANGUAGEItems;
  QLabel* lDestDir;
  QLineEdit* AdvDirectoryEdit1;
  QToolButton* AdvDirectoryEdit1Browse;
  QLabel* Label4;
  QComboBox* pPATH;

  // Calc page.
  QTableWidget* AdvStringGrid1;
  QPushButton* Button6;

  // About page.
  QLabel* AboutImage;
  QLabel* lTitle;
  QLabel* lSubtitle;
  QLabel* lVersionCaption;
  QLabel* lVer;

  // Ticks when the wall clock's seconds change.
  std::unique_ptr<TTimer> ClockTimer;
  // Gives the last request 100 ms to leave when the panel closes.
  std::unique_ptr<TTimer> DelayTimetCTRL;
  QSystemTrayIcon* VrTrayIcon1;
  // The download of stored recordings; made before the discovery, whose devices use it.
  std::unique_ptr<TDownload> Download;
  // ScanTimer and ScanComPort: finding the device.
  std::unique_ptr<TDiscovery> Discovery;
  // The live recording and its sample timer TimerInterval.
  std::unique_ptr<TLiveRecording> Recording;
  // The information grid of each device panel on the Devices page.
  std::vector<QTableWidget*> InfoGrids;
  // The rows each grid shows, held where its editors can reach them.
  std::vector<std::unique_ptr<TInfoPanel*>> InfoPanels;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CreateLayout();
  void CreateMonitorPage();
  void CreateEnvironmentPage();
  void CreateCalcPage();
  void CreateAboutPage();
  void CreateStatusBar();
  void FormCreate();
  void ClockTimerTimer();
  QCheckBox* ChartOption(int column, int row);
  // The option boxes in the order of their options.
  QCheckBox* OptionBox(TChartOption option) const;
  void BindChartOptions();
  void ShowChartOption(TChartOption option);
  // The interval and postfix boxes as a recording runs or not.
  void SetRecordingBoxes(bool recording);
  QToolButton* SpeedButton(int index, TButtonPicture picture);
};
