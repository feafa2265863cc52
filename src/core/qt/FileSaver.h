// The chooser of a file to write, Qt's own dialog like the folder chooser, run through the
// modal runner.
#pragma once

#include <QFileDialog>
#include <string>

#include "core/ModalRunner.h"

class TFileSaver : public QFileDialog, public TModalWindow {
  Q_OBJECT
 public:
  TFileSaver(QWidget* parent, const QString& title, const QString& start, const QString& filter);
  int ExecModal() override;
  void EndModal(int result) override { done(result); }
  std::string ModalName() const override { return "TFileSaver"; }
  // The file chosen (set by the dialog on Ok, or by a script).
  QString Chosen;
};

// Empty when the operator cancels.
QString ChooseFileToSave(QWidget* parent, const QString& title, const QString& start, const QString& filter,
                         TModalRunner& runner);
