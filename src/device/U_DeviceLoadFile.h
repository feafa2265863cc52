// TForm100: the download of the recordings stored in the device. The list shows each file
// with its check box, its status and progress, its name (F2 renames it) and its size.
#pragma once

#include <QCheckBox>
#include <QPushButton>
#include <QTreeWidget>

#include "core/qt/ModalDialog.h"
#include "device/Download.h"

class TForm100 : public TModalDialog, public TDownloadView {
  Q_OBJECT
 public:
  TForm100();
  void FormShow();
  void Button1Click();
  void Button2Click();

  void RowsChanged() override;
  void RowChanged(int row) override;
  void SelectRow(int row) override;
  void HideWindow() override { hide(); }
  void ShowMessage(int message) override;

  QTreeWidget* AdvListView2;
  QCheckBox* Move;
  QPushButton* Button1;
  QPushButton* Button2;

 protected:
  void showEvent(QShowEvent* event) override;
  // The title bar's close hides the window; the next tick of the clock shows it again.
  void closeEvent(QCloseEvent* event) override;
  void reject() override { Button1Click(); }

 private:
  TDownload& Download() const;
};
