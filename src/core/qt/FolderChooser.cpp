#include "core/qt/FolderChooser.h"

TFolderChooser::TFolderChooser(QWidget* parent, const QString& start) : QFileDialog(parent, QStringLiteral("Select Directory"), start) {
  setFileMode(QFileDialog::Directory);
  setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
}

int TFolderChooser::ExecModal() {
  const int result = exec();
  if (result == QDialog::Accepted && !selectedFiles().isEmpty()) Chosen = selectedFiles().first();
  return result == QDialog::Accepted ? mrOk : mrCancel;
}

QString ChooseFolder(QWidget* parent, const QString& start, TModalRunner& runner) {
  TFolderChooser chooser(parent, start);
  return runner.Run(chooser) == mrOk ? chooser.Chosen : QString();
}
