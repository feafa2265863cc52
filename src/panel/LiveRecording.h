// A live recording: Start creates the laboratory file, every tick of the sample timer adds a
// row of the first device's V, F and M (with the mark entered since the last tick) to the
// chart and to the file, Stop finishes the file. The control panel and the command-line tool
// drive it and show what it does.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/EventLoop.h"

class TGLOB;
class TDevices;

class TLiveRecording {
 public:
  TLiveRecording(TEventLoop& loop, TGLOB& glob, TDevices& devices);

  // Creates the file and starts the sample timer; false when the file cannot be created, and
  // then nothing has changed.
  bool Start(const std::string& postfix);
  // Ends the recording and finishes the file; the device is told with its closing request.
  void Stop();
  bool Running() const { return TimerInterval->Enabled(); }
  // A mark for the coming row; an empty text sets none.
  void SetMark(const std::string& text);
  // Once a second of the wall clock: the elapsed-time text of the coming rows.
  void SecondsChanged();
  void TimerIntervalTimer();

  std::unique_ptr<TTimer> TimerInterval;
  // The tick that took the mark; the file full at its row limit (the owner stops then).
  std::function<void()> OnMarkTaken;
  std::function<void()> OnFileFull;
  // A row has been added and written.
  std::function<void()> OnRow;

 private:
  TEventLoop& Loop;
  TGLOB& Glob;
  TDevices& Devices;
  std::string MarkText;
};
