#include "device/U_DeviceLoadFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/Globals.h"
#include "core/Glob.h"
#include "core/qt/QtText.h"
#include "device/Devices.h"
#include "panel/U_Control.h"
#include "panel/U_Mesages.h"

namespace {

constexpr int ProgressRole = Qt::UserRole + 1;

// Column 1 carries the row's progress bar under its status text; only column 2 is edited.
class TListDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QVariant progress = index.data(ProgressRole);
    if (index.column() != 1 || !progress.isValid() || progress.toInt() < 0) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QBrush>());
    QStyleOptionProgressBar bar;
    bar.rect = option.rect.adjusted(2, 2, -2, -2);
    bar.minimum = 0;
    bar.maximum = 100;
    bar.progress = progress.toInt();
    bar.text = index.data(Qt::DisplayRole).toString().isEmpty() ? QStringLiteral("%1%").arg(bar.progress)
                                                              : index.data(Qt::DisplayRole).toString();
    bar.textVisible = true;
    bar.state = QStyle::State_Enabled;
    QApplication::style()->drawControl(QStyle::CE_ProgressBar, &bar, painter);
  }
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return index.column() == 2 ? QStyledItemDelegate::createEditor(parent, option, index) : nullptr;
  }
};

}  // namespace

TForm100::TForm100() {
  setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  resize(600, 320);
  auto* layout = new QVBoxLayout(this);
  AdvListView2 = new QTreeWidget(this);
  AdvListView2->setColumnCount(4);
  AdvListView2->setRootIsDecorated(false);
  AdvListView2->setItemDelegate(new TListDelegate(AdvListView2));
  AdvListView2->setEditTriggers(QAbstractItemView::EditKeyPressed);
  AdvListView2->header()->setStretchLastSection(false);
  AdvListView2->setColumnWidth(0, 70);
  AdvListView2->setColumnWidth(1, 110);
  AdvListView2->setColumnWidth(2, 280);
  AdvListView2->setColumnWidth(3, 100);
  layout->addWidget(AdvListView2);
  Move = new QCheckBox(this);
  layout->addWidget(Move);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  Button2 = new QPushButton(QStringLiteral("Ok"), this);
  Button2->setDefault(true);
  Button1 = new QPushButton(this);
  buttons->addWidget(Button2);
  buttons->addWidget(Button1);
  layout->addLayout(buttons);
  connect(Button2, &QPushButton::clicked, this, &TForm100::Button2Click);
  connect(Button1, &QPushButton::clicked, this, &TForm100::Button1Click);
  connect(Move, &QCheckBox::toggled, this, [this](bool on) { Download().Move = on; });
  connect(AdvListView2, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    const int row = AdvListView2->indexOfTopLevelItem(item);
    if (row < 0 || row >= static_cast<int>(Download().Rows.size())) return;
    TDownloadRow& r = Download().Rows[static_cast<size_t>(row)];
    if (column == 2) r.Name = U8(item->text(2));
    if (column == 0) r.Checked = item->checkState(0) == Qt::Checked;
  });
  Download().View = this;
}

TDownload& TForm100::Download() const { return *F_CONTROL->Download; }

void TForm100::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) FormShow();
  TModalDialog::showEvent(event);
}

void TForm100::closeEvent(QCloseEvent* event) {
  event->accept();
  hide();
}

void TForm100::FormShow() {
  setWindowTitle(Q(GLOB->MainText(33)));
  AdvListView2->setHeaderLabels({Q(GLOB->MainText(117)), Q(GLOB->MainText(118)), Q(GLOB->MainText(119)),
                                 Q(GLOB->MainText(120))});
  Move->setText(Q(GLOB->MainText(121)));
  Button1->setText(Q(GLOB->MainText(50)));
  if (TQLNDevice* device = Devices->First()) Download().FormShow(*device);
}

void TForm100::RowsChanged() {
  const QSignalBlocker quiet(AdvListView2);
  AdvListView2->clear();
  for (size_t i = 0; i < Download().Rows.size(); ++i) {
    auto* item = new QTreeWidgetItem(AdvListView2);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
    RowChanged(static_cast<int>(i));
  }
}

void TForm100::RowChanged(int row) {
  QTreeWidgetItem* item = AdvListView2->topLevelItem(row);
  if (!item || row >= static_cast<int>(Download().Rows.size())) return;
  const QSignalBlocker quiet(AdvListView2);
  const TDownloadRow& r = Download().Rows[static_cast<size_t>(row)];
  item->setText(0, QString::number(r.FileNumber));
  item->setCheckState(0, r.Checked ? Qt::Checked : Qt::Unchecked);
  item->setText(1, Q(r.Status));
  item->setData(1, ProgressRole, r.Progress);
  item->setText(2, Q(r.Name));
  item->setText(3, QString::number(r.Points));
  // Odd rows, and their odd columns, in the colours of the list.
  for (int column = 0; column < 4; ++column) {
    const bool odd = row % 2 == 1;
    item->setBackground(column, !odd ? QColor(Qt::white) : column % 2 == 1 ? QColor(210, 255, 239) : QColor(234, 254, 255));
  }
  AdvListView2->viewport()->update();
}

void TForm100::SelectRow(int row) {
  if (QTreeWidgetItem* item = AdvListView2->topLevelItem(row)) AdvListView2->setCurrentItem(item);
}

void TForm100::ShowMessage(int message) { F_MESAGE->ShowTableMessage(message); }

void TForm100::Button2Click() {
  if (TQLNDevice* device = Devices->First()) Download().Button2Click(*device);
}

void TForm100::Button1Click() { Download().Button1Click(); }
