#include "panel/DisplayWidget.h"

TDisplayWidget::TDisplayWidget(QWidget* parent, int pixelSize) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(16, 28, 40));
  colours.setColor(QPalette::WindowText, QColor(80, 255, 150));
  setPalette(colours);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  QFont digits(QStringLiteral("DejaVu Sans Mono"));
  digits.setStyleHint(QFont::Monospace);
  digits.setBold(true);
  digits.setPixelSize(pixelSize);
  setFont(digits);
}
