// A large digital display of one live value, and the digital clocks beside it.
#pragma once

#include <QLabel>

class TDisplayWidget : public QLabel {
  Q_OBJECT
 public:
  // pixelSize: height of the digits.
  TDisplayWidget(QWidget* parent, int pixelSize);
};
