// The control panel as the device link and the discovery see it: status bar, displays,
// buttons and the device panels of the Devices page.
#include <QDate>
#include <QDateEdit>
#include <QHeaderView>
#include <QIntValidator>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTime>
#include <QTimeEdit>
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

namespace {

QDate DateOf(double dateTime) { return QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(dateTime))); }

QTime TimeOf(double dateTime) {
  return QTime(0, 0).addMSecs(static_cast<int>(std::lround((dateTime - std::floor(dateTime)) * 86400000.0)));
}

double DateTimeOf(QDate date) { return static_cast<double>(QDate(1899, 12, 30).daysTo(date)); }

double DateTimeOf(QTime time) { return QTime(0, 0).msecsTo(time) / 86400000.0; }

// The value column of a device panel: an editor of the row's kind, and an edit that changes
// the value goes to the device.
class TInfoRowDelegate : public QStyledItemDelegate {
 public:
  TInfoRowDelegate(QObject* parent, TInfoPanel*& rows, std::function<void(int)> edited)
      : QStyledItemDelegate(parent), Rows(rows), Edited(std::move(edited)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    if (!Rows || index.column() != 1) return nullptr;
    const TInfoRow& row = Rows->Rows[static_cast<size_t>(index.row())];
    if (row.ReadOnly) return nullptr;
    switch (row.Kind) {
      case TInfoKind::Integer: {
        auto* edit = new QLineEdit(parent);
        edit->setValidator(new QIntValidator(0, 65535, edit));
        return edit;
      }
      case TInfoKind::Date: {
        auto* edit = new QDateEdit(parent);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        return edit;
      }
      case TInfoKind::Time: {
        auto* edit = new QTimeEdit(parent);
        edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        return edit;
      }
      default: return nullptr;
    }
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    const TInfoRow& row = Rows->Rows[static_cast<size_t>(index.row())];
    if (auto* date = qobject_cast<QDateEdit*>(editor)) date->setDate(DateOf(row.DateTime));
    else if (auto* time = qobject_cast<QTimeEdit*>(editor)) time->setTime(TimeOf(row.DateTime));
    else if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setText(Q(row.Text));
  }
  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    TInfoRow& row = Rows->Rows[static_cast<size_t>(index.row())];
    bool changed = false;
    if (auto* date = qobject_cast<QDateEdit*>(editor)) {
      const double value = DateTimeOf(date->date()) + (row.DateTime - std::floor(row.DateTime));
      changed = value != row.DateTime;
      row.DateTime = value;
    } else if (auto* time = qobject_cast<QTimeEdit*>(editor)) {
      const double value = std::floor(row.DateTime) + DateTimeOf(time->time());
      changed = value != row.DateTime;
      row.DateTime = value;
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      const std::string value = U8(line->text().trimmed());
      changed = value != row.Text;
      row.Text = value;
    }
    // Only a changed value is sent; leaving a row as it was sends nothing.
    if (changed) {
      row.Modified = true;
      Edited(index.row());
    }
  }

 private:
  TInfoPanel*& Rows;
  std::function<void(int)> Edited;
};

}  // namespace

void TF_CONTROL::InfoRowEdited(int panel, int row) {
  TQLNDevice* device = Devices->First();
  if (device) device->OnInfoRowEdited(row);
  InfoRowChanged(panel, row);
}

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
  grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::SelectedClicked);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  const int index = AdvNavBar1->addItem(grid, DevicePanelPicture(), QString());
  InfoGrids.push_back(grid);
  InfoPanels.push_back(std::make_unique<TInfoPanel*>(nullptr));
  TInfoPanel*& rows = *InfoPanels.back();
  grid->setItemDelegateForColumn(1, new TInfoRowDelegate(grid, rows, [this, grid](int row) {
    InfoRowEdited(IndexOfGrid(grid), row);
  }));
  // A check row ticked or cleared by the operator is an edit of its own.
  connect(grid, &QTableWidget::itemChanged, this, [this, grid, &rows](QTableWidgetItem* item) {
    if (!rows || item->column() != 1) return;
    TInfoRow& row = rows->Rows[static_cast<size_t>(item->row())];
    const bool checked = item->checkState() == Qt::Checked;
    if (row.Kind != TInfoKind::Check || row.ReadOnly || checked == row.Checked) return;
    row.Checked = checked;
    row.Modified = true;
    InfoRowEdited(IndexOfGrid(grid), item->row());
  });
  return index;
}

void TF_CONTROL::ShowInfoPanel(int panel, TInfoPanel& rows) {
  if (panel < 0 || panel >= static_cast<int>(InfoGrids.size())) return;
  AdvNavBar1->setItemText(panel, QStringLiteral("VT4800"));
  *InfoPanels[static_cast<size_t>(panel)] = &rows;
  QTableWidget* grid = InfoGrids[static_cast<size_t>(panel)];
  const QSignalBlocker quiet(grid);
  grid->setRowCount(InfoRowCount);
  for (int row = 0; row < InfoRowCount; ++row) {
    auto* caption = new QTableWidgetItem(Q(rows.Rows[static_cast<size_t>(row)].Caption));
    caption->setFlags(Qt::ItemIsEnabled);
    grid->setItem(row, 0, caption);
    grid->setItem(row, 1, new QTableWidgetItem);
    InfoRowChanged(panel, row);
  }
}

void TF_CONTROL::InfoRowChanged(int panel, int index) {
  if (panel < 0 || panel >= static_cast<int>(InfoGrids.size())) return;
  const TInfoPanel* rows = *InfoPanels[static_cast<size_t>(panel)];
  if (!rows) return;
  QTableWidget* grid = InfoGrids[static_cast<size_t>(panel)];
  const TInfoRow& row = rows->Rows[static_cast<size_t>(index)];
  QTableWidgetItem* value = grid->item(index, 1);
  if (!value) return;
  const QSignalBlocker quiet(grid);
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (!row.ReadOnly) flags |= row.Kind == TInfoKind::Check ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
  value->setFlags(flags);
  value->setForeground(row.WhiteText ? QColor(Qt::white) : palette().color(QPalette::Text));
  if (row.WhiteText) value->setBackground(QColor(40, 90, 160));
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
      value->setText(row.DateTime == 0 ? QString() : locale.toString(DateOf(row.DateTime), QLocale::ShortFormat));
      break;
    case TInfoKind::Time:
      value->setText(TimeOf(row.DateTime).toString(QStringLiteral("HH:mm:ss")));
      break;
  }
  grid->setRowHidden(index, !row.Visible);
}

int TF_CONTROL::IndexOfGrid(const QTableWidget* grid) const {
  for (size_t i = 0; i < InfoGrids.size(); ++i)
    if (InfoGrids[i] == grid) return static_cast<int>(i);
  return -1;
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
