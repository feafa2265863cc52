// TF_MONITOR: the chart window and the program's main window: closing it ends the program.
#pragma once

#include <QWidget>

class TF_MONITOR : public QWidget {
  Q_OBJECT
 public:
  TF_MONITOR();
  void FormCreate();
  void FormShow();
  void FormClose();
  bool FormCloseQuery() const { return true; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};
