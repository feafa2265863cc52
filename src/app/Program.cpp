#include "app/Program.h"

#include <QApplication>

#include "app/U_Splash.h"
#include "browser/U_Export.h"
#include "browser/U_Open.h"
#include "core/CommandLine.h"
#include "core/EventLoop.h"
#include "core/Glob.h"
#include "recording/LabFile.h"
#include "device/Devices.h"
#include "device/U_DeviceLoadFile.h"
#include "monitor/U_Monitor.h"
#include "monitor/U_Print.h"
#include "panel/U_Control.h"
#include "panel/U_Dialog.h"
#include "panel/U_Hint.h"
#include "panel/U_Mesages.h"

TProgram::TProgram(const TPlatform& platform, const std::string& programPath,
                   const std::string& argumentText) {
  Platform = platform;
  Glob = std::make_unique<TGLOB>(programPath);
  GLOB = Glob.get();
  DeviceList = std::make_unique<TDevices>(*Glob);
  Devices = DeviceList.get();

  SplashForm = std::make_unique<TSplashForm>(*Platform.Loop, [this] { SplashDone(); });
  SplashForm->show();
  SplashForm->repaint();
  QApplication::setApplicationName(QStringLiteral("VT4800"));
  CreateForms();
  // A laboratory file named on the command line is loaded before any window shows; what
  // comes of it is not reported. Once it is on the chart it can be printed and snapshot like a
  // file opened in the browser.
  if (!argumentText.empty()) {
    StartupFilePath = LabFileArgument(argumentText);
    if (ReadLabHeader(*GLOB, StartupFilePath) == lrOk && LoadLabFile(*GLOB) == lrOk) {
      F_CONTROL->bPrint->setEnabled(true);
      F_CONTROL->bBMP->setEnabled(true);
    }
  }
}

template <class TForm>
static TForm* Create(std::vector<QWidget*>& forms, TForm*& global) {
  global = new TForm;
  forms.push_back(global);
  return global;
}

void TProgram::CreateForms() {
  Create(Forms, F_MONITOR);
  Create(Forms, F_CONTROL);
  Create(Forms, F_MESAGE);
  Create(Forms, FormHint);
  Create(Forms, F_DIALOG);
  Create(Forms, FOpen);
  Create(Forms, Form100);
  Create(Forms, FormExport);
  Create(Forms, FPrint);
}

void TProgram::SplashDone() {
  F_MONITOR->show();
  F_CONTROL->show();
  if (!GLOB->ComPortNames.empty()) F_CONTROL->EnableScanTimer();
  // The splash goes once the handler that closed it has returned.
  Platform.Loop->Post([this] { SplashForm.reset(); });
}

void TProgram::Run() { Platform.Loop->Run(); }

TProgram::~TProgram() {
  DeviceList.reset();
  Devices = nullptr;
  Glob.reset();
  GLOB = nullptr;
  SplashForm.reset();
  for (auto it = Forms.rbegin(); it != Forms.rend(); ++it) delete *it;
  F_MONITOR = nullptr;
  F_CONTROL = nullptr;
  F_MESAGE = nullptr;
  FormHint = nullptr;
  F_DIALOG = nullptr;
  FOpen = nullptr;
  Form100 = nullptr;
  FormExport = nullptr;
  FPrint = nullptr;
  Platform = {};
}
