#include "core/VirtualEventLoop.h"

#include <algorithm>
#include <stdexcept>

constexpr double MsPerDay = 86400000.0;

struct TVirtualEventLoop::TimerState {
  int64_t Id = 0;
  int IntervalMs = 0;
  bool Enabled = false;
  bool Alive = true;
  int64_t DueMs = 0;
  std::function<void()> OnTick;
};

namespace {

class TVirtualTimer : public TTimer {
 public:
  TVirtualTimer(std::shared_ptr<TVirtualEventLoop::TimerState> state, const int64_t& nowMs)
      : State(std::move(state)), NowMs(nowMs) {}
  ~TVirtualTimer() override {
    State->Alive = false;
    State->Enabled = false;
  }
  void SetInterval(int ms) override {
    State->IntervalMs = ms;
    Restart();
  }
  int Interval() const override { return State->IntervalMs; }
  void SetEnabled(bool enabled) override {
    if (enabled == State->Enabled) return;
    State->Enabled = enabled;
    Restart();
  }
  bool Enabled() const override { return State->Enabled; }
  void SetOnTick(std::function<void()> onTick) override { State->OnTick = std::move(onTick); }

 private:
  void Restart() { State->DueMs = NowMs + State->IntervalMs; }
  std::shared_ptr<TVirtualEventLoop::TimerState> State;
  const int64_t& NowMs;
};

}  // namespace

void WaitUntil(TEventLoop& loop, const std::function<bool()>& done) {
  while (!done()) loop.ServePending();
}

TVirtualEventLoop::TVirtualEventLoop(double startDateTime) : StartDateTime(startDateTime) {}

TVirtualEventLoop::~TVirtualEventLoop() = default;

std::unique_ptr<TTimer> TVirtualEventLoop::CreateTimer(int intervalMs, bool enabled,
                                                       std::function<void()> onTick) {
  auto state = std::make_shared<TimerState>();
  state->Id = NextTimerId++;
  state->IntervalMs = intervalMs;
  state->Enabled = enabled;
  state->DueMs = NowMs + intervalMs;
  state->OnTick = std::move(onTick);
  // Drop the states of destroyed timers now and then, so the list does not grow without end.
  std::erase_if(Timers, [](const std::shared_ptr<TimerState>& t) { return !t->Alive; });
  Timers.push_back(state);
  return std::make_unique<TVirtualTimer>(state, NowMs);
}

void TVirtualEventLoop::Post(std::function<void()> task) { Posted.push_back(std::move(task)); }

double TVirtualEventLoop::Now() const { return StartDateTime + NowMs / MsPerDay; }

bool TVirtualEventLoop::RunOnePostedTask() {
  if (Posted.empty()) return false;
  auto task = std::move(Posted.front());
  Posted.pop_front();
  task();
  return true;
}

TVirtualEventLoop::TimerState* TVirtualEventLoop::NextDueTimer(int64_t limit) const {
  TimerState* best = nullptr;
  for (const auto& t : Timers) {
    if (!t->Alive || !t->Enabled || t->IntervalMs <= 0 || t->DueMs > limit) continue;
    if (!best || t->DueMs < best->DueMs || (t->DueMs == best->DueMs && t->Id < best->Id))
      best = t.get();
  }
  return best;
}

void TVirtualEventLoop::RunTimer(TimerState* timer) {
  // Keep the state alive: the tick may destroy the timer that owns it.
  std::shared_ptr<TimerState> keep;
  for (const auto& t : Timers)
    if (t.get() == timer) keep = t;
  NowMs = std::max(NowMs, timer->DueMs);
  timer->DueMs = NowMs + timer->IntervalMs;
  if (keep->OnTick) keep->OnTick();
}

void TVirtualEventLoop::Advance(int64_t ms) {
  const int64_t target = NowMs + std::max<int64_t>(ms, 0);
  for (;;) {
    if (RunOnePostedTask()) continue;
    TimerState* timer = NextDueTimer(target);
    if (!timer) break;
    RunTimer(timer);
  }
  NowMs = std::max(NowMs, target);
}

void TVirtualEventLoop::ServePending() {
  if (RunOnePostedTask()) {
    while (RunOnePostedTask()) {
    }
    return;
  }
  TimerState* timer = NextDueTimer(INT64_MAX);
  // Real time would wait here for ever; in a test that is a fault of the test.
  if (!timer) throw std::logic_error("virtual time: a wait with nothing left to run");
  RunTimer(timer);
}

void TVirtualEventLoop::Run() {
  while (!Quitting) {
    if (Posted.empty() && !NextDueTimer(INT64_MAX)) return;
    ServePending();
  }
}
