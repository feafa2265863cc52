// The control panel's status bar: five panels side by side, each showing a text or one of the
// status images, each with a hint of its own, and a click that names the panel.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class TStatusBarWidget : public QWidget {
  Q_OBJECT
 public:
  enum TPanelKind { pkText, pkImage };
  struct TPanel {
    TPanelKind Kind = pkText;
    int Width = 0;  // 0: takes what the fixed panels leave
    QString Text;
    int Image = -1;
    QString Hint;
  };

  TStatusBarWidget(QWidget* parent, std::vector<TPanel> panels);
  int PanelCount() const { return static_cast<int>(Panels.size()); }
  const TPanel& Panel(int index) const { return Panels.at(static_cast<size_t>(index)); }
  void SetText(int index, const QString& text);
  void SetImage(int index, int image);
  void SetHint(int index, const QString& hint);
  // The panel under a point of the bar, or -1.
  int PanelAt(QPoint point) const;
  QRect PanelRect(int index) const;

 signals:
  void PanelClick(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  std::vector<TPanel> Panels;
};
