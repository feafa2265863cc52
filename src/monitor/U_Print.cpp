#include "monitor/U_Print.h"

#include "app/Globals.h"
#include "core/Glob.h"
#include "core/qt/QtText.h"

TFPrint::TFPrint() { resize(760, 540); }

void TFPrint::FormShow() { setWindowTitle(Q(GLOB->MainText(31))); }

void TFPrint::showEvent(QShowEvent* event) {
  FormShow();
  TModalDialog::showEvent(event);
}
