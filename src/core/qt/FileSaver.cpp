#include "core/qt/FileSaver.h"

TFileSaver::TFileSaver(QWidget* parent, const QString& title, const QString& start, const QString& filter)
    : QFileDialog(parent, title, start, filter), Chosen(start) {
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setOptions(QFileDialog::DontUseNativeDialog);
}

int TFileSaver::ExecModal() {
  const int result = exec();
  if (result == QDialog::Accepted && !selectedFiles().isEmpty()) Chosen = selectedFiles().first();
  return result == QDialog::Accepted ? mrOk : mrCancel;
}

QString ChooseFileToSave(QWidget* parent, const QString& title, const QString& start, const QString& filter,
                         TModalRunner& runner) {
  TFileSaver saver(parent, title, start, filter);
  return runner.Run(saver) == mrOk ? saver.Chosen : QString();
}
