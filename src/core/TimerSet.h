// The timers of an event loop that keeps its own: due times in milliseconds of the loop's
// clock, run in order of due time and, among equals, in the order they were made.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/EventLoop.h"

class TTimerSet {
 public:
  explicit TTimerSet(std::function<int64_t()> nowMs);
  std::unique_ptr<TTimer> Create(int intervalMs, bool enabled, std::function<void()> onTick);
  // The due time of the first enabled timer; false when none is enabled.
  bool NextDue(int64_t& due) const;
  // Runs the first timer due at or before limit; false when there is none. beforeTick gets
  // the timer's due time just before its tick runs.
  bool RunNext(int64_t limit, const std::function<void(int64_t)>& beforeTick);

  struct TState;

 private:
  TState* First(int64_t limit) const;
  std::function<int64_t()> NowMs;
  int64_t NextId = 0;
  std::vector<std::shared_ptr<TState>> Timers;
};
