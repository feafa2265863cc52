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
    Program = std::make_unique<TProgram>(TPlatform{&Loop, &Serial, &Modal}, ProgramPath(),
                                         argumentText);
  }
  // Starts and waits until the splash has gone.
  void StartAndShow(const std::string& argumentText = {}) {
    Start(argumentText);
    Loop.Advance(2000);
  }
  void Stop() { Program.reset(); }
  std::string ProgramPath() const { return Dir.File("vt4800"); }
  std::string ConfigPath() const { return Dir.File("vt4800.cfg"); }

  TTempDir Dir;
  TVirtualEventLoop Loop;
  TSimulatedSerialProvider Serial{Loop};
  TScriptedModalRunner Modal;
  std::unique_ptr<TProgram> Program;
};
