#include "browser/U_Export.h"

#include "app/Globals.h"
#include "core/Glob.h"
#include "core/qt/QtText.h"

TFormExport::TFormExport() { resize(480, 260); }

void TFormExport::FormShow() { setWindowTitle(Q(GLOB->MainText(32))); }

void TFormExport::showEvent(QShowEvent* event) {
  FormShow();
  TModalDialog::showEvent(event);
}
