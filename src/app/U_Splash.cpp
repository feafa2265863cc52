#include "app/U_Splash.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/Pictures.h"

TSplashForm::TSplashForm(TEventLoop& loop, std::function<void()> onTimer)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      OnTimer(std::move(onTimer)) {
  setFixedSize(604, 328);
  Image1 = new QLabel(this);
  Image1->setGeometry(0, 0, 604, 328);
  Image1->setPixmap(SplashPicture());
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  SplashTimer = loop.CreateTimer(2000, true, [this] { SplashTimerTimer(); });
}

void TSplashForm::SplashTimerTimer() {
  SplashTimer->SetEnabled(false);
  close();
  OnTimer();
}
