// The program's life: the globals built in order, the splash, the fixed set of windows, the
// file named on the command line, the message loop, and the end in the reverse order.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/Globals.h"

class TProgram {
 public:
  // programPath: the program file, beside which the settings file lies.
  // argumentText: the command line after the program's own options.
  TProgram(const TPlatform& platform, const std::string& programPath,
           const std::string& argumentText);
  // Destroys the device list, then the state object (which writes the settings file), then
  // the windows.
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  // The message loop, until the main window closes.
  void Run();

  // The windows 1 to 9, in the order they were created.
  const std::vector<QWidget*>& Windows() const { return Forms; }
  TSplashForm* Splash() const { return SplashForm.get(); }
  // The laboratory file named on the command line (empty when none).
  const std::string& StartupFile() const { return StartupFilePath; }

 private:
  void CreateForms();
  void SplashDone();

  std::unique_ptr<TGLOB> Glob;
  std::unique_ptr<TDevices> DeviceList;
  std::unique_ptr<TSplashForm> SplashForm;
  std::vector<QWidget*> Forms;
  std::string StartupFilePath;
};
