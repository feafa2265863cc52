// Virtual time for tests: nothing happens until the test advances the clock, and then every
// due timer and posted task runs in a fixed order, so minutes of device traffic run in
// milliseconds and always the same way.
#pragma once

#include <cstdint>
#include <deque>

#include "core/EventLoop.h"
#include "core/TimerSet.h"

class TVirtualEventLoop : public TEventLoop {
 public:
  // startDateTime: what Now() returns before any time has passed.
  explicit TVirtualEventLoop(double startDateTime = 46000.5);

  std::unique_ptr<TTimer> CreateTimer(int intervalMs, bool enabled,
                                      std::function<void()> onTick) override;
  void Post(std::function<void()> task) override;
  // Runs the posted tasks, or else moves the clock to the next due timer and runs it;
  // throws when nothing is left that could run (a wait that would never end).
  void ServePending() override;
  double Now() const override;
  double ElapsedMs() const override { return static_cast<double>(NowMs); }
  // Serves events until Quit, or until nothing is left that could ever run.
  void Run() override;
  void Quit() override { Quitting = true; }
  bool QuitRequested() const override { return Quitting; }

  // Runs everything due within the next ms milliseconds, in order of due time; equal due
  // times run in the order the timers were created, posted tasks before timers.
  void Advance(int64_t ms);
  int64_t NowMilliseconds() const { return NowMs; }

 private:
  bool RunOnePostedTask();
  void MoveClockTo(int64_t due) { NowMs = std::max(NowMs, due); }

  double StartDateTime;
  int64_t NowMs = 0;
  bool Quitting = false;
  std::deque<std::function<void()>> Posted;
  TTimerSet Timers{[this] { return NowMs; }};
};
