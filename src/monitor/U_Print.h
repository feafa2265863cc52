// TFPrint: the print preview and the print options.
#pragma once

#include "core/qt/ModalDialog.h"

class TFPrint : public TModalDialog {
  Q_OBJECT
 public:
  TFPrint();
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;
};
