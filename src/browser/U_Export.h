// TFormExport: where the export of a device recording goes, the directory and the file name.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "core/qt/ModalDialog.h"

class TFormExport : public TModalDialog {
  Q_OBJECT
 public:
  TFormExport();
  // Shows the dialog modally; mrOk or mrCancel. After Ok the directory and the name are read.
  int ShowExport();
  void FormShow();
  void ComboBox1Click(int index);
  void Button1Click();
  void reject() override { done(mrCancel); }

  QLabel* Label2;
  QLineEdit* AdvDirectoryEdit1;
  QToolButton* AdvDirectoryEdit1Browse;
  QLabel* Label1;
  QComboBox* ComboBox1;
  QLabel* AdvEdit1Caption;
  QLineEdit* AdvEdit1;
  QPushButton* Button1;
  QPushButton* Button2;
};
