// TSplashForm: the picture shown for two seconds while the program comes up.
#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/EventLoop.h"

class TSplashForm : public QWidget {
  Q_OBJECT
 public:
  // onTimer: what the splash timer does once it has closed the splash.
  TSplashForm(TEventLoop& loop, std::function<void()> onTimer);
  void SplashTimerTimer();

  QLabel* Image1;
  std::unique_ptr<TTimer> SplashTimer;

 private:
  std::function<void()> OnTimer;
};
