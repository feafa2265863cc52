// TFPrint: the print window. While it is open the chart wears its print look (black title and
// subtitle, no legend, the title lines on top), shown in the preview as the page will come out.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include "core/qt/ModalDialog.h"

class TPrintPreview;

class TFPrint : public TModalDialog {
  Q_OBJECT
 public:
  TFPrint();
  // Opens the window modally with the print look, and puts the screen look back after.
  int Execute();

  void FormCreate();
  void FormShow();
  void FormHide();
  void ShowPrintTitle();
  void cmbPRINTERSChange(int index);
  void rbLadscapeClick();
  void rbPortraiteClick();
  void cbPRINTCOLORClick();
  void cbFNAMEClick();
  void cbDATEClick();
  void cbDESCRClick();
  void cbSINTERVALClick();
  void bPrintClick();
  void bCancelClick();
  void PrintChart();
  void reject() override { bCancelClick(); }

  // The list holds the system's printers, then the PDF file; this is the PDF file's index.
  int PdfIndex() const { return static_cast<int>(PrinterNames.size()); }
  // The file the PDF entry prints to, asked for at Print; a script may set it beforehand.
  QString PdfFileName;

  TPrintPreview* Preview;
  QLabel* lbPrnChoice;
  QComboBox* cmbPRINTERS;
  QGroupBox* gbORIENTATION;
  QRadioButton* rbLadscape;
  QRadioButton* rbPortraite;
  QGroupBox* gbPRINTING;
  QCheckBox* cbFNAME;
  QCheckBox* cbDATE;
  QCheckBox* cbDESCR;
  QCheckBox* cbSINTERVAL;
  QCheckBox* cbPRINTCOLOR;
  QPushButton* bCancel;
  QPushButton* bPrint;
  QPrinter Printer;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Selects the printer of a list index (-1: the system's default) and returns the index selected.
  int SelectPrinter(int index);
  void SetOrientation(bool landscape);
  void PlaceControls();
  bool ChoosePdfFile();

  QStringList PrinterNames;
  int SelectedPrinter = 0;
  bool PrintInitializing = false;
};
