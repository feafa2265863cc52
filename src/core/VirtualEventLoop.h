// Virtual time for tests: nothing happens until the test advances the clock, and then every
// due timer and posted task runs in a fixed order, so minutes of device traffic run in
// milliseconds and always the same way.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "core/EventLoop.h"

class TVirtualEventLoop : public TEventLoop {
 public:
  // startDateTime: what Now() returns before any time has passed.
  explicit TVirtualEventLoop(double startDateTime = 46000.5);
  ~TVirtualEventLoop() override;

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
  // Runs the posted tasks and the timers due now, without moving the clock.
  void RunDue() { Advance(0); }
  int64_t NowMilliseconds() const { return NowMs; }

  struct TimerState;

 private:
  bool RunOnePostedTask();
  TimerState* NextDueTimer(int64_t limit) const;
  void RunTimer(TimerState* timer);

  double StartDateTime;
  int64_t NowMs = 0;
  int64_t NextTimerId = 0;
  bool Quitting = false;
  std::deque<std::function<void()>> Posted;
  std::vector<std::shared_ptr<TimerState>> Timers;
};
