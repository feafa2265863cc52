// TF_MESAGE: the message box. It shows a numbered message of the text table and, for the one
// question of the program, asks Yes or No.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "core/qt/ModalDialog.h"

class TF_MESAGE : public TModalDialog {
  Q_OBJECT
 public:
  explicit TF_MESAGE(QWidget* parent = nullptr);
  // Shows message n modally; mrYes, mrNo, or mrNone when closed with the close box.
  int ShowTableMessage(int n);

  QLabel* Picture;
  QLabel* Mes;
  QPushButton* OKButton;
  QPushButton* bCancel;
};
