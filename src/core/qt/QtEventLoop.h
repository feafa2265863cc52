// The event loop of the running program: Qt's, with precise timers.
#pragma once

#include <QElapsedTimer>

#include "core/EventLoop.h"

class TQtEventLoop : public TEventLoop {
 public:
  TQtEventLoop();
  std::unique_ptr<TTimer> CreateTimer(int intervalMs, bool enabled,
                                      std::function<void()> onTick) override;
  void Post(std::function<void()> task) override;
  void ServePending() override;
  double Now() const override;
  double ElapsedMs() const override;
  void Run() override;
  void Quit() override;
  bool QuitRequested() const override { return Quitting; }

 private:
  QElapsedTimer Clock;
  bool Quitting = false;
};
