#include "core/VirtualEventLoop.h"

#include <algorithm>
#include <stdexcept>

#include "core/DateTime.h"

void WaitUntil(TEventLoop& loop, const std::function<bool()>& done) {
  while (!done()) loop.ServePending();
}

TVirtualEventLoop::TVirtualEventLoop(double startDateTime) : StartDateTime(startDateTime) {}

std::unique_ptr<TTimer> TVirtualEventLoop::CreateTimer(int intervalMs, bool enabled,
                                                       std::function<void()> onTick) {
  return Timers.Create(intervalMs, enabled, std::move(onTick));
}

void TVirtualEventLoop::Post(std::function<void()> task) { Posted.push_back(std::move(task)); }

double TVirtualEventLoop::Now() const { return StartDateTime + NowMs / (SecondsPerDay * 1000.0); }

bool TVirtualEventLoop::RunOnePostedTask() {
  if (Posted.empty()) return false;
  auto task = std::move(Posted.front());
  Posted.pop_front();
  task();
  return true;
}

void TVirtualEventLoop::Advance(int64_t ms) {
  const int64_t target = NowMs + std::max<int64_t>(ms, 0);
  const auto moveClock = [this](int64_t due) { MoveClockTo(due); };
  for (;;) {
    if (RunOnePostedTask()) continue;
    if (!Timers.RunNext(target, moveClock)) break;
  }
  NowMs = std::max(NowMs, target);
}

void TVirtualEventLoop::ServePending() {
  if (RunOnePostedTask()) {
    while (RunOnePostedTask()) {
    }
    return;
  }
  // Real time would wait here for ever; in a test that is a fault of the test.
  if (!Timers.RunNext(INT64_MAX, [this](int64_t due) { MoveClockTo(due); }))
    throw std::logic_error("virtual time: a wait with nothing left to run");
}

void TVirtualEventLoop::Run() {
  int64_t due;
  while (!Quitting) {
    if (Posted.empty() && !Timers.NextDue(due)) return;
    ServePending();
  }
}
