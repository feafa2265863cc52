// TFormExport: the export of a device recording as a laboratory file.
#pragma once

#include "core/qt/ModalDialog.h"

class TFormExport : public TModalDialog {
  Q_OBJECT
 public:
  TFormExport();
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;
};
