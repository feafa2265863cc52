#include "panel/StatusBarWidget.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "app/Pictures.h"

TStatusBarWidget::TStatusBarWidget(QWidget* parent, std::vector<TPanel> panels)
    : QWidget(parent), Panels(std::move(panels)) {}

void TStatusBarWidget::SetText(int index, const QString& text) {
  Panels.at(static_cast<size_t>(index)).Text = text;
  update(PanelRect(index));
}

void TStatusBarWidget::SetImage(int index, int image) {
  Panels.at(static_cast<size_t>(index)).Image = image;
  update(PanelRect(index));
}

void TStatusBarWidget::SetHint(int index, const QString& hint) {
  Panels.at(static_cast<size_t>(index)).Hint = hint;
}

QRect TStatusBarWidget::PanelRect(int index) const {
  int fixed = 0;
  for (const TPanel& p : Panels) fixed += p.Width;
  const int spare = std::max(0, width() - fixed);
  int x = 0;
  for (int i = 0; i < PanelCount(); ++i) {
    const int w = Panels[static_cast<size_t>(i)].Width ? Panels[static_cast<size_t>(i)].Width
                                                        : spare;
    if (i == index) return QRect(x, 0, w, height());
    x += w;
  }
  return {};
}

int TStatusBarWidget::PanelAt(QPoint point) const {
  for (int i = 0; i < PanelCount(); ++i)
    if (PanelRect(i).contains(point)) return i;
  return -1;
}

void TStatusBarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  for (int i = 0; i < PanelCount(); ++i) {
    const TPanel& p = Panels[static_cast<size_t>(i)];
    const QRect r = PanelRect(i).adjusted(1, 1, -1, -1);
    painter.setPen(palette().mid().color());
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(palette().light().color());
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (p.Kind == pkImage) {
      const QPixmap image = StatusImage(p.Image);
      painter.drawPixmap(r.center() - QPoint(image.width() / 2 - 1, image.height() / 2 - 1),
                         image);
    } else {
      painter.setPen(palette().windowText().color());
      const QRect textRect = r.adjusted(4, 0, -3, 0);
      painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                       fontMetrics().elidedText(p.Text, Qt::ElideRight, textRect.width()));
    }
  }
}

void TStatusBarWidget::mouseReleaseEvent(QMouseEvent* event) {
  const int index = PanelAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index >= 0) emit PanelClick(index);
}

bool TStatusBarWidget::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int index = PanelAt(help->pos());
    if (index >= 0) {
      const TPanel& p = Panels[static_cast<size_t>(index)];
      // A text cut short by the panel is shown whole in the hint.
      const QString hint = !p.Hint.isEmpty() ? p.Hint : (p.Kind == pkText ? p.Text : QString());
      if (!hint.isEmpty()) {
        QToolTip::showText(help->globalPos(), hint, this, PanelRect(index));
        return true;
      }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  return QWidget::event(event);
}
