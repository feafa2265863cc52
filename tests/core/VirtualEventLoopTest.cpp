#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/VirtualEventLoop.h"

namespace {

struct Log {
  TVirtualEventLoop* Loop;
  std::vector<std::string> Lines;
  void Add(const std::string& what) {
    Lines.push_back(std::to_string(Loop->NowMilliseconds()) + " " + what);
  }
};

TEST(VirtualEventLoop, EqualDueTimesRunInCreationOrder) {
  TVirtualEventLoop loop;
  Log log{&loop, {}};
  // C is created last but enabled first: creation, not enabling, decides among equals.
  auto a = loop.CreateTimer(10, false, [&] { log.Add("a"); });
  auto b = loop.CreateTimer(10, true, [&] { log.Add("b"); });
  auto c = loop.CreateTimer(10, true, [&] { log.Add("c"); });
  a->SetEnabled(true);
  loop.Post([&] { log.Add("posted"); });
  loop.Advance(20);
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"0 posted", "10 a", "10 b", "10 c", "20 a",
                                                 "20 b", "20 c"}));
}

TEST(VirtualEventLoop, TimerChangesItsOwnIntervalInItsTick) {
  TVirtualEventLoop loop;
  Log log{&loop, {}};
  std::unique_ptr<TTimer> timer;
  timer = loop.CreateTimer(10, true, [&] {
    log.Add("tick");
    timer->SetInterval(timer->Interval() == 10 ? 50 : 10);
  });
  loop.Advance(200);
  // 10, then 50 later, then 10 later, and so on: each new interval counts from the tick.
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"10 tick", "60 tick", "70 tick", "120 tick",
                                                 "130 tick", "180 tick", "190 tick"}));
  EXPECT_EQ(loop.NowMilliseconds(), 200);
}

TEST(VirtualEventLoop, WaitInsideAHandlerServesOtherEvents) {
  TVirtualEventLoop loop;
  Log log{&loop, {}};
  bool sent = false;
  auto sender = loop.CreateTimer(30, true, [&] {
    log.Add("sender");
    loop.Post([&] {
      log.Add("posted by sender");
      sent = true;
    });
  });
  std::unique_ptr<TTimer> waiter;
  waiter = loop.CreateTimer(10, true, [&] {
    waiter->SetEnabled(false);
    log.Add("wait begins");
    WaitUntil(loop, [&] { return sent; });
    log.Add("wait ends");
  });
  loop.Advance(35);
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"10 wait begins", "30 sender",
                                                 "30 posted by sender", "30 wait ends"}));
  EXPECT_EQ(loop.NowMilliseconds(), 35);
}

TEST(VirtualEventLoop, TimerDestroyedInItsOwnTickStops) {
  TVirtualEventLoop loop;
  int ticks = 0;
  std::unique_ptr<TTimer> timer;
  timer = loop.CreateTimer(5, true, [&] {
    ++ticks;
    timer.reset();
  });
  loop.Advance(100);
  EXPECT_EQ(ticks, 1);
}

TEST(VirtualEventLoop, TimersThatMustNotTick) {
  TVirtualEventLoop loop;
  int ticks = 0;
  auto disabled = loop.CreateTimer(5, false, [&] { ++ticks; });
  auto zero = loop.CreateTimer(0, true, [&] { ++ticks; });
  auto negative = loop.CreateTimer(-3, true, [&] { ++ticks; });
  loop.Advance(100);
  EXPECT_EQ(ticks, 0);
  // Enabling counts the interval from that moment.
  disabled->SetEnabled(true);
  loop.Advance(4);
  EXPECT_EQ(ticks, 0);
  loop.Advance(1);
  EXPECT_EQ(ticks, 1);
}

TEST(VirtualEventLoop, WaitWithNothingScheduledFailsInsteadOfHanging) {
  TVirtualEventLoop loop;
  EXPECT_THROW(WaitUntil(loop, [] { return false; }), std::logic_error);
}

TEST(VirtualEventLoop, NowFollowsTheVirtualClock) {
  TVirtualEventLoop loop(45000.0);
  loop.Advance(86400000 / 2);
  EXPECT_DOUBLE_EQ(loop.Now(), 45000.5);
  EXPECT_DOUBLE_EQ(loop.ElapsedMs(), 43200000.0);
}

TEST(VirtualEventLoop, RunEndsAtQuitOrWhenNothingIsLeft) {
  TVirtualEventLoop loop;
  int ticks = 0;
  auto timer = loop.CreateTimer(100, true, [&] {
    if (++ticks == 3) loop.Quit();
  });
  loop.Run();
  EXPECT_EQ(ticks, 3);
  EXPECT_TRUE(loop.QuitRequested());
  EXPECT_EQ(loop.NowMilliseconds(), 300);

  TVirtualEventLoop idle;
  idle.Run();
  EXPECT_FALSE(idle.QuitRequested());
}

}  // namespace
