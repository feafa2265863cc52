// TFOpen: the file browser, which lists the recordings of one kind in one directory and opens
// one of them into the monitor's chart.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "browser/FileListing.h"
#include "core/EventLoop.h"
#include "core/qt/ModalDialog.h"

class TFOpen : public TModalDialog {
  Q_OBJECT
 public:
  TFOpen();
  ~TFOpen() override;

  // Shows the browser modally: mrOk when a file was opened (loaded into the chart, or laid
  // over it), mrCancel otherwise.
  int Execute();
  // Lists the files of the kind FileKind in the directory: the first of them at once, the rest
  // a slice at a time from the event loop. 1 (and nothing done) before the browser is ready.
  int ScanDirectory(const QString& directory);
  void FormShow();
  void FormClose();
  void AdvDirectoryEdit1Change();
  void AdvDirectoryEdit1BrowseClick();
  void cmbHISTORYSelect(int index);
  void RadioGroup1Click();
  void CheckBox1Click();
  void Edit1Change();
  void AdvListView1SelectItem();
  void bOpenClick();
  void bCancelClick();
  void reject() override { bCancelClick(); }

  QLabel* Label1;
  QLineEdit* AdvDirectoryEdit1;
  QToolButton* AdvDirectoryEdit1Browse;
  QLabel* lHistory;
  QComboBox* cmbHISTORY;
  QTableWidget* AdvListView1;
  QPlainTextEdit* MDescript;
  QGroupBox* RadioGroup1;
  QButtonGroup* RadioGroup1Items;
  QLabel* Image1;
  QLabel* Image2;
  QLabel* Image3;
  QCheckBox* CheckBox1;
  QLineEdit* Edit1;
  QProgressBar* AdvProgressBar1;
  QPushButton* bOpen;
  QPushButton* bCancel;

 private:
  void CreateLayout();
  void SetColumnWidths();
  void FormCreate();
  void ListTimerTimer();
  void AppendRows(const std::vector<TListedFile>& files);
  const TListedFile* SelectedFile() const;
  // Puts the directory at the top of the history, ten entries at most, and writes the history
  // to the settings.
  void StoreHistory(const QString& directory);
  void WriteHistory();
  void ShowProgress(size_t done, size_t total);

  bool BrowserReady = false;
  bool Opened = false;
  std::unique_ptr<TDirectoryListing> DirectoryListing;
  std::vector<TListedFile> Files;
  // The pictures of the rows, one per kind and status.
  std::map<std::pair<int, std::optional<int>>, QIcon> RowIcons;
  // Lists the next slice of a large directory while the window keeps serving its events.
  std::unique_ptr<TTimer> ListTimer;
};
