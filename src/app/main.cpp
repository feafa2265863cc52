#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>

#include "app/Program.h"
#include "core/CommandLine.h"
#include "core/ModalRunner.h"
#include "core/qt/QtEventLoop.h"
#include "device/PosixSerial.h"
#include "device/SimulatedSerial.h"
#include "device/TraceLog.h"
#include "device/qt/QtPortList.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The monitor is the main window: the program ends when it closes, not with the last window.
  QApplication::setQuitOnLastWindowClosed(false);
  // Qt has taken its own options out of argv by now.
  const TCommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!commandLine.Error.empty()) std::fprintf(stderr, "vt4800: %s\n", commandLine.Error.c_str());

  TQtEventLoop loop;
  // With --simulate, simulated ports take the place of the system's, the device on COM3.
  std::unique_ptr<TSerialProvider> serial;
  if (commandLine.Simulate)
    serial = std::make_unique<TSimulatedSerialProvider>(loop, std::vector<std::string>{"COM1", "COM3", "COM10"}, "COM3");
  else
    serial = std::make_unique<TPosixSerialProvider>(loop, SystemPortNames);
  // --trace: every byte of the link into a log; a log that cannot be made is said and skipped.
  TTraceLog trace(loop);
  std::unique_ptr<TSerialProvider> traced;
  if (!commandLine.TraceFile.empty()) traced = OpenTrace(trace, commandLine.TraceFile, *serial, "vt4800");
  TDirectModalRunner modal;
  try {
    TProgram program({&loop, traced ? traced.get() : serial.get(), &modal, traced ? &trace : nullptr},
                     QFile::encodeName(QApplication::applicationFilePath()).toStdString(),
                     commandLine.ArgumentText);
    program.Run();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("VT4800"), QString::fromUtf8(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QStringLiteral("VT4800"), QString());
  }
  return 0;
}
