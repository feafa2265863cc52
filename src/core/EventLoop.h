// The event loop the engine runs on: timers, tasks posted to the user-interface thread,
// a wait that keeps serving events, and the current date-time. The program hands the engine
// a Qt implementation; tests hand it virtual time.
#pragma once

#include <functional>
#include <memory>

// A timer as the desktop toolkits know it: it ticks every Interval milliseconds while enabled.
// Setting the interval or enabling it starts the count anew; an interval of 0 or less never ticks.
class TTimer {
 public:
  virtual ~TTimer() = default;
  virtual void SetInterval(int ms) = 0;
  virtual int Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetOnTick(std::function<void()> onTick) = 0;
};

class TEventLoop {
 public:
  virtual ~TEventLoop() = default;

  // A timer owned by the caller; it may be destroyed inside its own tick.
  virtual std::unique_ptr<TTimer> CreateTimer(int intervalMs, bool enabled,
                                              std::function<void()> onTick) = 0;

  // Runs the task on the user-interface thread after the handlers now running have returned.
  // The only call that other threads may make.
  virtual void Post(std::function<void()> task) = 0;

  // Serves the events that are due (waiting for the next one if none is), then returns:
  // the body of a wait that keeps the user interface alive.
  virtual void ServePending() = 0;

  // The local date-time: days since 30 December 1899, the time of day as the fraction.
  virtual double Now() const = 0;

  // Milliseconds since the loop was made, for logs that need a fine clock.
  virtual double ElapsedMs() const = 0;

  // The message loop of the program: Run returns once Quit has been called.
  virtual void Run() = 0;
  virtual void Quit() = 0;
  virtual bool QuitRequested() const = 0;
};

// Serves events until the condition holds.
void WaitUntil(TEventLoop& loop, const std::function<bool()>& done);
