// The whole program in virtual time, with simulated ports and scripted modal windows, in a
// directory of its own.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <ostream>

#include "TempDir.h"
#include "app/Program.h"
#include "core/ModalRunner.h"
#include "core/VirtualEventLoop.h"
#include "device/SimulatedSerial.h"

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

class ProgramFixture : public ::testing::Test {
 protected:
  void Start(const std::string& argumentText = {}) {
    Serial = std::make_unique<TSimulatedSerialProvider>(Loop, PortNames, DevicePort);
    Program = std::make_unique<TProgram>(TPlatform{&Loop, Serial.get(), &Modal}, ProgramPath(),
                                         argumentText);
  }
  // Starts and waits until the splash has gone.
  void StartAndShow(const std::string& argumentText = {}) {
    Start(argumentText);
    Loop.Advance(2000);
  }
  void Stop() {
    Program.reset();
    Serial.reset();
  }
  std::string ProgramPath() const { return Dir.File("vt4800"); }
  std::string ConfigPath() const { return Dir.File("vt4800.cfg"); }

  TTempDir Dir;
  TVirtualEventLoop Loop;
  // The system's serial ports: none unless a test names them.
  std::vector<std::string> PortNames;
  std::string DevicePort;
  std::unique_ptr<TSimulatedSerialProvider> Serial;
  TScriptedModalRunner Modal;
  std::unique_ptr<TProgram> Program;
};
