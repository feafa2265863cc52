// The control panel as the device link and the discovery see it: status bar, displays,
// buttons and the device panels of the Devices page.
#include <QDate>
#include <QHeaderView>
#include <QTime>
#include <cmath>
#include <QLocale>

#include "app/Globals.h"
#include "core/Glob.h"
#include "core/qt/QtText.h"
#include "device/Devices.h"
#include "device/InfoRows.h"
#include "device/U_DeviceLoadFile.h"
#include "panel/DisplayWidget.h"
#include "panel/StatusBarWidget.h"
#include "panel/U_Control.h"

void TF_CONTROL::SetStatusText(int panel, const std::string& text) { HTMLStatusBar1->SetText(panel, Q(text)); }
void TF_CONTROL::SetStatusImage(int panel, int image) { HTMLStatusBar1->SetImage(panel, image); }
void TF_CONTROL::SetStatusHint(int panel, const std::string& hint) { HTMLStatusBar1->SetHint(panel, Q(hint)); }

void TF_CONTROL::SetDisplays(const std::string& v, const std::string& f, const std::string& m) {
  DispV->setText(Q(v));
  DispF->setText(Q(f));
  DispM->setText(Q(m));
}

int TF_CONTROL::AddDevicePanel() {
  auto* grid = new QTableWidget(0, 2);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(24);
  grid->setColumnWidth(0, 200);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setShowGrid(true);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  const int index = AdvNavBar1->addItem(grid, DevicePanelPicture(), QString());
  InfoGrids.push_back(grid);
  InfoPanels.push_back(nullptr);
  return index;
}

void TF_CONTROL::ShowInfoPanel(int panel, TInfoPanel& rows) {
  if (panel < 0 || panel >= static_cast<int>(InfoGrids.size())) return;
  AdvNavBar1->setItemText(panel, QStringLiteral("VT4800"));
  InfoPanels[static_cast<size_t>(panel)] = &rows;
  QTableWidget* grid = InfoGrids[static_cast<size_t>(panel)];
  grid->setRowCount(InfoRowCount);
  for (int row = 0; row < InfoRowCount; ++row) {
    grid->setItem(row, 0, new QTableWidgetItem(Q(rows.Rows[static_cast<size_t>(row)].Caption)));
    grid->setItem(row, 1, new QTableWidgetItem);
    InfoRowChanged(panel, row);
  }
}

void TF_CONTROL::InfoRowChanged(int panel, int index) {
  if (panel < 0 || panel >= static_cast<int>(InfoGrids.size())) return;
  const TInfoPanel* rows = InfoPanels[static_cast<size_t>(panel)];
  if (!rows) return;
  QTableWidget* grid = InfoGrids[static_cast<size_t>(panel)];
  const TInfoRow& row = rows->Rows[static_cast<size_t>(index)];
  QTableWidgetItem* value = grid->item(index, 1);
  if (!value) return;
  const QLocale locale = QLocale::system();
  switch (row.Kind) {
    case TInfoKind::Integer:
    case TInfoKind::Number:
      value->setText(Q(row.Text));
      break;
    case TInfoKind::Check:
      value->setCheckState(row.Checked ? Qt::Checked : Qt::Unchecked);
      break;
    case TInfoKind::Date:
      value->setText(row.DateTime == 0 ? QString() : locale.toString(QDate(1899, 12, 30).addDays(static_cast<qint64>(row.DateTime)), QLocale::ShortFormat));
      break;
    case TInfoKind::Time:
      value->setText(QTime(0, 0).addMSecs(static_cast<int>(std::lround((row.DateTime - std::floor(row.DateTime)) * 86400000.0))).toString(QStringLiteral("HH:mm:ss")));
      break;
  }
  grid->setRowHidden(index, !row.Visible);
}

void TF_CONTROL::RemoveDevicePanel(int panel) {
  if (panel < 0 || panel >= static_cast<int>(InfoGrids.size())) return;
  QWidget* grid = AdvNavBar1->widget(panel);
  AdvNavBar1->removeItem(panel);
  delete grid;
  InfoGrids.erase(InfoGrids.begin() + panel);
  InfoPanels.erase(InfoPanels.begin() + panel);
}

void TF_CONTROL::SetButtonEnabled(TPanelButton button, bool enabled) {
  QToolButton* const buttons[] = {bOpen, bPrint, bBMP, bSaveAs, bSTART, bMARK, bSTOP};
  buttons[button]->setEnabled(enabled);
}

bool TF_CONTROL::RecordingRunning() { return Recording->Running(); }

void TF_CONTROL::StopRecording() { bSTOPClick(); }

void TF_CONTROL::EnableScanTimer() { Discovery->ScanTimer->SetEnabled(true); }

bool TF_CONTROL::DownloadWindowVisible() { return Form100 && Form100->isVisible(); }

void TF_CONTROL::HideDownloadWindow() { Form100->hide(); }

char TF_CONTROL::DecimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode()) : '.';
}

void TF_CONTROL::HTMLStatusBar1PanelClick(int panel) { Discovery->HTMLStatusBar1PanelClick(panel); }
