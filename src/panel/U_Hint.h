// TFormHint: a floating one-line hint; whoever shows it sets its text and moves it.
#pragma once

#include <QLabel>
#include <QWidget>

class TFormHint : public QWidget {
  Q_OBJECT
 public:
  explicit TFormHint(QWidget* parent = nullptr);
  // Sets the text and fits the window to it.
  void SetHintText(const QString& text);

  QLabel* lHint;
};
