// TForm100: the download of the recordings stored in the device.
#pragma once

#include "core/qt/ModalDialog.h"

class TForm100 : public TModalDialog {
  Q_OBJECT
 public:
  TForm100();
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;
};
