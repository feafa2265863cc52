// TF_DIALOG: the one-line prompt that asks for the text of a mark.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/qt/ModalDialog.h"

class TF_DIALOG : public TModalDialog {
  Q_OBJECT
 public:
  explicit TF_DIALOG(QWidget* parent = nullptr);
  // Shows the prompt modally with an empty box; mrOk or mrCancel. The typed text stays in
  // pNEWNAME until the prompt is shown again.
  int ShowPrompt();
  void reject() override { done(mrCancel); }

  QLabel* Picture;
  QLabel* lPROMPT;
  QLineEdit* pNEWNAME;
  QPushButton* bOK;
  QPushButton* bCANCEL;
};
