#include "browser/U_Open.h"

#include "app/Globals.h"
#include "core/Glob.h"
#include "core/qt/QtText.h"

TFOpen::TFOpen() { resize(700, 350); }

void TFOpen::FormShow() { setWindowTitle(Q(GLOB->MainText(44))); }

void TFOpen::showEvent(QShowEvent* event) {
  FormShow();
  TModalDialog::showEvent(event);
}
