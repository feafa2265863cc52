#include "device/U_DeviceLoadFile.h"

#include "app/Globals.h"
#include "core/Glob.h"
#include "core/qt/QtText.h"

TForm100::TForm100() { resize(560, 320); }

void TForm100::FormShow() { setWindowTitle(Q(GLOB->MainText(33))); }

void TForm100::showEvent(QShowEvent* event) {
  FormShow();
  TModalDialog::showEvent(event);
}
