// An event loop of plain C++ in real time, for the command-line tool: timers on the steady
// clock, tasks posted from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "core/EventLoop.h"
#include "core/TimerSet.h"

class TSteadyEventLoop : public TEventLoop {
 public:
  TSteadyEventLoop();
  std::unique_ptr<TTimer> CreateTimer(int intervalMs, bool enabled,
                                      std::function<void()> onTick) override;
  void Post(std::function<void()> task) override;
  void ServePending() override;
  double Now() const override;
  double ElapsedMs() const override;
  void Run() override;
  void Quit() override { Quitting = true; }
  bool QuitRequested() const override { return Quitting; }

 private:
  int64_t NowMs() const;
  std::chrono::steady_clock::time_point Start;
  bool Quitting = false;
  std::mutex Lock;
  std::condition_variable Wake;
  std::deque<std::function<void()>> Posted;
  TTimerSet Timers{[this] { return NowMs(); }};
};
