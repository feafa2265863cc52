// The folder chooser of the directory boxes, titled "Select Directory". It is Qt's own dialog,
// not the desktop's, so it works on every platform, and it runs through the modal runner.
#pragma once

#include <QFileDialog>
#include <string>

#include "core/ModalRunner.h"

class TFolderChooser : public QFileDialog, public TModalWindow {
  Q_OBJECT
 public:
  explicit TFolderChooser(QWidget* parent, const QString& start);
  int ExecModal() override;
  void EndModal(int result) override { done(result); }
  std::string ModalName() const override { return "TFolderChooser"; }
  // The folder chosen (set by the dialog on Ok, or by a script).
  QString Chosen;
};

// Empty when the operator cancels.
QString ChooseFolder(QWidget* parent, const QString& start, TModalRunner& runner);
