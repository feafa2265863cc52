// TF_MONITOR: the chart window and the program's main window: closing it ends the program.
#pragma once

#include <QWidget>

class TChartView;

class TF_MONITOR : public QWidget {
  Q_OBJECT
 public:
  TF_MONITOR();
  ~TF_MONITOR() override;
  void FormCreate();
  void FormShow();
  void FormClose();
  bool FormCloseQuery() const { return true; }
  // A click on the chart: the next point of the analysis.
  void MonitorClick();

  // The chart Monitor: a view of the chart model the state object holds.
  TChartView* Monitor;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
};
