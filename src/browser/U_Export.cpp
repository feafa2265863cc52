#include "browser/U_Export.h"

#include "app/Globals.h"
#include "core/Glob.h"
#include "core/qt/FolderChooser.h"
#include "core/qt/QtText.h"

TFormExport::TFormExport() {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(345, 150);
  Label2 = new QLabel(this);
  Label2->setGeometry(8, 6, 329, 15);
  AdvDirectoryEdit1 = new QLineEdit(this);
  AdvDirectoryEdit1->setGeometry(8, 22, 301, 23);
  AdvDirectoryEdit1Browse = new QToolButton(this);
  AdvDirectoryEdit1Browse->setGeometry(311, 22, 26, 23);
  AdvDirectoryEdit1Browse->setText(QStringLiteral("…"));
  Label1 = new QLabel(this);
  Label1->setGeometry(8, 48, 329, 15);
  ComboBox1 = new QComboBox(this);
  ComboBox1->setGeometry(8, 64, 329, 23);
  AdvEdit1Caption = new QLabel(this);
  AdvEdit1Caption->setGeometry(8, 92, 200, 15);
  AdvEdit1 = new QLineEdit(QStringLiteral("ExportData.RL2"), this);
  AdvEdit1->setGeometry(8, 108, 170, 24);
  Button1 = new QPushButton(QStringLiteral("Ok"), this);
  Button1->setGeometry(186, 108, 72, 25);
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Cancel"), this);
  Button2->setGeometry(264, 108, 73, 25);
  connect(Button1, &QPushButton::clicked, this, &TFormExport::Button1Click);
  connect(Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
  connect(ComboBox1, &QComboBox::activated, this, &TFormExport::ComboBox1Click);
  connect(AdvDirectoryEdit1Browse, &QToolButton::clicked, this, [this] {
    const QString dir = ChooseFolder(this, AdvDirectoryEdit1->text(), *Platform.Modal);
    if (!dir.isEmpty()) AdvDirectoryEdit1->setText(dir);
  });
}

int TFormExport::ShowExport() {
  FormShow();
  return ShowModal(*Platform.Modal);
}

void TFormExport::FormShow() {
  setWindowTitle(Q(GLOB->MainText(32)));
  Label2->setText(Q(GLOB->MainText(62)));
  Label1->setText(Q(GLOB->MainText(63)));
  AdvEdit1Caption->setText(Q(GLOB->MainText(113)));
  const TSettings& s = GLOB->Settings;
  for (int i = 0; i < s.DestDirCount; ++i) {
    const QString dir = Q(s.DestDirs[i]);
    if (ComboBox1->findText(dir) < 0) ComboBox1->addItem(dir);
  }
  ComboBox1->setCurrentIndex(0);
  AdvDirectoryEdit1->setText(ComboBox1->currentText());
  AdvEdit1->setFocus();
}

void TFormExport::ComboBox1Click(int index) {
  const QString dir = ComboBox1->itemText(index);
  AdvDirectoryEdit1->setText(dir);
  ComboBox1->removeItem(index);
  ComboBox1->insertItem(0, dir);
  ComboBox1->setCurrentIndex(0);
}

void TFormExport::Button1Click() {
  const QString dir = AdvDirectoryEdit1->text();
  if (ComboBox1->findText(dir) < 0) {
    ComboBox1->insertItem(0, dir);
    ComboBox1->setCurrentIndex(0);
  }
  done(mrOk);
}
