#include "panel/U_Dialog.h"

#include "app/Globals.h"
#include "app/Pictures.h"
#include "core/Glob.h"
#include "core/qt/QtText.h"

TF_DIALOG::TF_DIALOG(QWidget* parent) : TModalDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowStaysOnTopHint);
  setFixedSize(330, 104);
  Picture = new QLabel(this);
  Picture->setGeometry(10, 12, 32, 32);
  Picture->setPixmap(PromptPicture());
  lPROMPT = new QLabel(this);
  lPROMPT->setGeometry(52, 10, 268, 18);
  pNEWNAME = new QLineEdit(this);
  pNEWNAME->setGeometry(52, 32, 268, 24);
  pNEWNAME->setMaxLength(50);
  bOK = new QPushButton(QStringLiteral("OK"), this);
  bOK->setGeometry(152, 70, 80, 25);
  bOK->setDefault(true);
  bCANCEL = new QPushButton(QStringLiteral("Cancel"), this);
  bCANCEL->setGeometry(240, 70, 80, 25);
  connect(bOK, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(bCANCEL, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

int TF_DIALOG::ShowPrompt() {
  setWindowTitle(Q(GLOB->MainText(29)));
  lPROMPT->setText(Q(GLOB->MainText(75)));
  pNEWNAME->clear();
  pNEWNAME->setFocus();
  return ShowModal(*Platform.Modal);
}
