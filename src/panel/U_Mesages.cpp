#include "panel/U_Mesages.h"

#include "app/Globals.h"
#include "app/Pictures.h"
#include "core/Glob.h"
#include "core/Texts.h"
#include "core/qt/QtText.h"

TF_MESAGE::TF_MESAGE(QWidget* parent) : TModalDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(437, 135);
  Picture = new QLabel(this);
  Picture->setGeometry(12, 14, 32, 32);
  Picture->setPixmap(MessagePicture());
  Mes = new QLabel(this);
  Mes->setGeometry(56, 8, 373, 91);
  Mes->setWordWrap(true);
  Mes->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QFont messageFont = Mes->font();
  messageFont.setPixelSize(13);
  Mes->setFont(messageFont);
  OKButton = new QPushButton(this);
  OKButton->setGeometry(260, 103, 82, 25);
  OKButton->setDefault(true);
  bCancel = new QPushButton(QStringLiteral("No"), this);
  bCancel->setGeometry(348, 103, 82, 25);
  connect(OKButton, &QPushButton::clicked, this, [this] { done(mrYes); });
  connect(bCancel, &QPushButton::clicked, this, [this] { done(mrNo); });
}

int TF_MESAGE::ShowTableMessage(int n) {
  const bool question = n == msgConfirmExit;
  OKButton->setText(question ? QStringLiteral("Yes") : QStringLiteral("Ok"));
  bCancel->setVisible(question);
  // A lone button stands where the pair ends.
  OKButton->move(question ? 260 : 348, OKButton->y());
  Mes->setText(Q(GLOB->MainText(n)));
  setWindowTitle(Q(GLOB->MainText(30)));
  OKButton->setFocus();
  return ShowModal(*Platform.Modal);
}
