#include "monitor/U_Monitor.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "app/Globals.h"
#include "app/Pictures.h"
#include "app/WindowGeometry.h"
#include "core/EventLoop.h"
#include "core/Glob.h"
#include "core/qt/QtText.h"
#include "monitor/ChartView.h"
#include "panel/U_Control.h"
#include "panel/U_Hint.h"

TF_MONITOR::TF_MONITOR() : QWidget(nullptr, Qt::Window) {
  setWindowIcon(ProgramIcon());
  Monitor = new TChartView(this, GLOB->Monitor);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Monitor);
  GLOB->Monitor.InitChart();
  GLOB->Monitor.OnChanged = [this] { Monitor->update(); };
  Monitor->OnClick = [this](QPoint) { MonitorClick(); };
  // The hint follows the pointer while points are picked.
  Monitor->OnCursorMove = [this](long, QPoint at) {
    if (FormHint) FormHint->move(x() + at.x() + 15, y() + at.y() + 50);
  };
  FormCreate();
}

// The state object goes before the windows at the end of the run.
TF_MONITOR::~TF_MONITOR() {
  if (GLOB) GLOB->Monitor.OnChanged = nullptr;
}

void TF_MONITOR::FormCreate() {
  hide();
  const TSettings& s = GLOB->Settings;
  RestoreWindowGeometry(*this, s.MonitorState, s.MonitorTop, s.MonitorLeft, s.MonitorWidth,
                        s.MonitorHeight);
}

void TF_MONITOR::FormShow() { setWindowTitle(Q(GLOB->MainText(28))); }

void TF_MONITOR::FormClose() {
  TSettings& s = GLOB->Settings;
  StoreWindowGeometry(*this, s.MonitorState, s.MonitorTop, s.MonitorLeft, s.MonitorWidth,
                      s.MonitorHeight);
}

void TF_MONITOR::showEvent(QShowEvent* event) {
  // Restoring a minimized window shows it again: only a real show sets the caption.
  if (!event->spontaneous()) FormShow();
  QWidget::showEvent(event);
}

void TF_MONITOR::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
  Platform.Loop->Quit();
}

void TF_MONITOR::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && isMinimized() && F_CONTROL) F_CONTROL->ApplicationMinimize();
  QWidget::changeEvent(event);
}

void TF_MONITOR::MonitorClick() {
  TMonitorChart& chart = GLOB->Monitor;
  if (!chart.Chart.CursorActive || GLOB->CalcPointCount >= 3 || !chart.ClickArmed) return;
  chart.ClickArmed = false;
  GLOB->CalcPoints[GLOB->CalcPointCount++] = static_cast<int>(chart.Chart.CursorRow);
  if (GLOB->CalcPointCount < 3) {
    FormHint->SetHintText(Q(GLOB->PointPrompt(GLOB->CalcPointCount)));
    return;
  }
  chart.Chart.CursorActive = false;
  FormHint->hide();
  F_CONTROL->ShowVentilation();
}
