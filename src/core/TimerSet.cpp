#include "core/TimerSet.h"

#include <algorithm>

struct TTimerSet::TState {
  int64_t Id = 0;
  int IntervalMs = 0;
  bool Enabled = false;
  bool Alive = true;
  int64_t DueMs = 0;
  std::function<void()> OnTick;
};

namespace {

class TSetTimer : public TTimer {
 public:
  TSetTimer(std::shared_ptr<TTimerSet::TState> state, const std::function<int64_t()>& now)
      : State(std::move(state)), NowMs(now) {}
  ~TSetTimer() override {
    State->Alive = false;
    State->Enabled = false;
  }
  void SetInterval(int ms) override {
    State->IntervalMs = ms;
    State->DueMs = NowMs() + ms;
  }
  int Interval() const override { return State->IntervalMs; }
  void SetEnabled(bool enabled) override {
    if (enabled == State->Enabled) return;
    State->Enabled = enabled;
    State->DueMs = NowMs() + State->IntervalMs;
  }
  bool Enabled() const override { return State->Enabled; }
  void SetOnTick(std::function<void()> onTick) override { State->OnTick = std::move(onTick); }

 private:
  std::shared_ptr<TTimerSet::TState> State;
  const std::function<int64_t()>& NowMs;
};

}  // namespace

TTimerSet::TTimerSet(std::function<int64_t()> nowMs) : NowMs(std::move(nowMs)) {}

std::unique_ptr<TTimer> TTimerSet::Create(int intervalMs, bool enabled, std::function<void()> onTick) {
  auto state = std::make_shared<TState>();
  state->Id = NextId++;
  state->IntervalMs = intervalMs;
  state->Enabled = enabled;
  state->DueMs = NowMs() + intervalMs;
  state->OnTick = std::move(onTick);
  // Drop the states of destroyed timers now and then, so the list does not grow without end.
  std::erase_if(Timers, [](const std::shared_ptr<TState>& t) { return !t->Alive; });
  Timers.push_back(state);
  return std::make_unique<TSetTimer>(state, NowMs);
}

TTimerSet::TState* TTimerSet::First(int64_t limit) const {
  TState* best = nullptr;
  for (const auto& t : Timers) {
    if (!t->Alive || !t->Enabled || t->IntervalMs <= 0 || t->DueMs > limit) continue;
    if (!best || t->DueMs < best->DueMs || (t->DueMs == best->DueMs && t->Id < best->Id)) best = t.get();
  }
  return best;
}

bool TTimerSet::NextDue(int64_t& due) const {
  const TState* first = First(INT64_MAX);
  if (first) due = first->DueMs;
  return first != nullptr;
}

bool TTimerSet::RunNext(int64_t limit, const std::function<void(int64_t)>& beforeTick) {
  TState* timer = First(limit);
  if (!timer) return false;
  // Keep the state alive: the tick may destroy the timer that owns it.
  std::shared_ptr<TState> keep;
  for (const auto& t : Timers)
    if (t.get() == timer) keep = t;
  beforeTick(timer->DueMs);
  timer->DueMs = NowMs() + timer->IntervalMs;
  if (keep->OnTick) keep->OnTick();
  return true;
}
