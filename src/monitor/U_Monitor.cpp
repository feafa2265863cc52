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

TF_MONITOR::TF_MONITOR() : QWidget(nullptr, Qt::Window) {
  setWindowIcon(ProgramIcon());
  Monitor = new TChartView(this, GLOB->Monitor);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Monitor);
  GLOB->Monitor.InitChart();
  GLOB->Monitor.OnChanged = [this] { Monitor->update(); };
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
