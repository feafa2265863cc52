#include "core/SteadyEventLoop.h"

#include "core/DateTime.h"

TSteadyEventLoop::TSteadyEventLoop() : Start(std::chrono::steady_clock::now()) {}

int64_t TSteadyEventLoop::NowMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - Start).count();
}

double TSteadyEventLoop::ElapsedMs() const {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
}

double TSteadyEventLoop::Now() const { return SystemNow(); }

std::unique_ptr<TTimer> TSteadyEventLoop::CreateTimer(int intervalMs, bool enabled,
                                                      std::function<void()> onTick) {
  return Timers.Create(intervalMs, enabled, std::move(onTick));
}

void TSteadyEventLoop::Post(std::function<void()> task) {
  {
    std::lock_guard<std::mutex> guard(Lock);
    Posted.push_back(std::move(task));
  }
  Wake.notify_one();
}

void TSteadyEventLoop::ServePending() {
  std::deque<std::function<void()>> tasks;
  {
    std::unique_lock<std::mutex> guard(Lock);
    if (Posted.empty()) {
      int64_t due = 0;
      // Without a timer, wake now and then: whoever waits checks what it waits for.
      const int64_t wait = Timers.NextDue(due) ? std::max<int64_t>(0, due - NowMs()) : 100;
      Wake.wait_for(guard, std::chrono::milliseconds(wait), [this] { return !Posted.empty(); });
    }
    tasks.swap(Posted);
  }
  for (auto& task : tasks) task();
  const int64_t now = NowMs();
  while (Timers.RunNext(now, [](int64_t) {})) {
  }
}

void TSteadyEventLoop::Run() {
  while (!Quitting) ServePending();
}
