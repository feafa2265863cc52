#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>

#include "app/Program.h"
#include "core/CommandLine.h"
#include "core/ModalRunner.h"
#include "core/qt/QtEventLoop.h"
#include "device/SimulatedSerial.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The monitor is the main window: the program ends when it closes, not with the last window.
  QApplication::setQuitOnLastWindowClosed(false);
  // Qt has taken its own options out of argv by now.
  const TCommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!commandLine.Error.empty()) std::fprintf(stderr, "vt4800: %s\n", commandLine.Error.c_str());

  TQtEventLoop loop;
  TSimulatedSerialProvider serial(loop, {"COM1", "COM3", "COM10"}, "COM3");
  TDirectModalRunner modal;
  try {
    TProgram program({&loop, &serial, &modal},
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
