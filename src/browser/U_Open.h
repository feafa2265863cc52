// TFOpen: the file browser, which lists the recordings of one directory and opens one.
#pragma once

#include "core/qt/ModalDialog.h"

class TFOpen : public TModalDialog {
  Q_OBJECT
 public:
  TFOpen();
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;
};
