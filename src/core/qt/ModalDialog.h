// A window that is shown modally through the modal runner.
#pragma once

#include <QDialog>

#include "core/ModalRunner.h"

class TModalDialog : public QDialog, public TModalWindow {
 public:
  using QDialog::QDialog;
  int ShowModal(TModalRunner& runner) { return runner.Run(*this); }
  int ExecModal() override { return exec(); }
  void EndModal(int result) override { done(result); }
  std::string ModalName() const override { return metaObject()->className(); }
};
