// The control panel's file buttons: the file browser and what an opened file switches on, the
// print window and the bitmap snapshot.
#include <QFile>

#include "app/Globals.h"
#include "browser/U_Open.h"
#include "core/Glob.h"
#include "core/Texts.h"
#include "core/qt/QtText.h"
#include "monitor/ChartPainter.h"
#include "monitor/ChartView.h"
#include "monitor/Snapshot.h"
#include "monitor/U_Monitor.h"
#include "monitor/U_Print.h"
#include "panel/U_Mesages.h"
#include "panel/U_Control.h"

void TF_CONTROL::bOpenClick() {
  // No port is probed while the browser is open; afterwards the scan is as it was.
  const bool scanning = Discovery->ScanTimer->Enabled();
  Discovery->ScanTimer->SetEnabled(false);
  if (FOpen->Execute() == mrOk) {
    Button6->setVisible(true);
    bPrint->setEnabled(true);
    bBMP->setEnabled(true);
    GLOB->Monitor.SetOption(coAutoScale, true);
    GLOB->Monitor.RunOption(coAutoScale);
    GLOB->Monitor.Chart.SubTitleLines.clear();
    GLOB->Monitor.Changed();
    F_MONITOR->setWindowTitle(Q(GLOB->MainText(68)) + QLatin1Char('"') + Q(GLOB->OpenPath) + QLatin1Char('"'));
  }
  if (!GLOB->ComPortNames.empty()) Discovery->ScanTimer->SetEnabled(scanning);
}

void TF_CONTROL::bPrintClick() { FPrint->Execute(); }

void TF_CONTROL::bBMPClick() {
  const QImage image = RenderChartImage(GLOB->Monitor, F_MONITOR->Monitor->size());
  // A snapshot that could not be written is said, not taken for made.
  if (!image.save(QFile::decodeName(MakeSnapshotName(*GLOB).c_str()), "BMP"))
    F_MESAGE->ShowTableMessage(msgErrorWriteFile);
}
