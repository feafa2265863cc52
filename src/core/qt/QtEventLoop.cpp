#include "core/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <QTimer>

#include "core/DateTime.h"

namespace {

class TQtTimer : public TTimer {
 public:
  TQtTimer(int intervalMs, bool enabled, std::function<void()> onTick)
      : Timer(new QTimer), OnTick(std::make_shared<std::function<void()>>(std::move(onTick))) {
    Timer->setTimerType(Qt::PreciseTimer);
    Timer->setInterval(intervalMs);
    // The tick may destroy this timer: the handler is kept alive by the call itself.
    QObject::connect(Timer, &QTimer::timeout, [handler = OnTick] {
      auto keep = handler;
      if (*keep) (*keep)();
    });
    SetEnabled(enabled);
  }
  ~TQtTimer() override {
    Timer->stop();
    Timer->disconnect();
    Timer->deleteLater();
  }
  void SetInterval(int ms) override {
    Timer->setInterval(ms);
    Apply();
  }
  int Interval() const override { return Timer->interval(); }
  void SetEnabled(bool enabled) override {
    if (enabled == Enabled_) return;
    Enabled_ = enabled;
    Apply();
  }
  bool Enabled() const override { return Enabled_; }
  void SetOnTick(std::function<void()> onTick) override { *OnTick = std::move(onTick); }

 private:
  // An interval of 0 or less never ticks, as the engine expects of every timer.
  void Apply() {
    if (Enabled_ && Timer->interval() > 0)
      Timer->start();
    else
      Timer->stop();
  }
  QTimer* Timer;
  std::shared_ptr<std::function<void()>> OnTick;
  bool Enabled_ = false;
};

}  // namespace

TQtEventLoop::TQtEventLoop() { Clock.start(); }

std::unique_ptr<TTimer> TQtEventLoop::CreateTimer(int intervalMs, bool enabled,
                                                  std::function<void()> onTick) {
  return std::make_unique<TQtTimer>(intervalMs, enabled, std::move(onTick));
}

void TQtEventLoop::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task),
                            Qt::QueuedConnection);
}

void TQtEventLoop::ServePending() {
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

double TQtEventLoop::Now() const { return SystemNow(); }

double TQtEventLoop::ElapsedMs() const { return Clock.nsecsElapsed() / 1.0e6; }

void TQtEventLoop::Run() {
  if (!Quitting) QCoreApplication::exec();
}

void TQtEventLoop::Quit() {
  Quitting = true;
  QCoreApplication::quit();
}
