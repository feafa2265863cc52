#include "panel/U_Hint.h"

#include <QHBoxLayout>

TFormHint::TFormHint(QWidget* parent) : QWidget(parent) {
  setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                 Qt::WindowDoesNotAcceptFocus);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
  colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
  setPalette(colours);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 3, 6, 3);
  lHint = new QLabel(this);
  lHint->setAlignment(Qt::AlignCenter);
  layout->addWidget(lHint);
}

void TFormHint::SetHintText(const QString& text) {
  lHint->setText(text);
  adjustSize();
}
