#include "browser/U_Open.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QTime>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>

#include "app/Globals.h"
#include "app/WindowGeometry.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/Texts.h"
#include "core/qt/FolderChooser.h"
#include "core/qt/LocaleNumbers.h"
#include "core/qt/QtText.h"
#include "monitor/ChartPainter.h"
#include "panel/U_Control.h"
#include "recording/DeviceFile.h"
#include "recording/LabFile.h"

namespace {

constexpr int HistoryEntries = 10;
// A slice of the listing: as many files as fit in this time, and at most this many, so the
// window answers the operator while a large directory is read.
constexpr double SliceMs = 20;
constexpr size_t SliceFiles = 256;

// Colours of the list, as the laboratory files keep colours (0x00BBGGRR).
constexpr TColor HeaderColour = 16768991;
constexpr TColor SelectedColour = 11767802;
constexpr TColor SelectedTextColour = 4194368;
constexpr TColor OddRowColour = 16776938;
constexpr TColor OddCellColour = 15728594;

// The status picture of a device file whose trailer starts with the device's end mark ("END").
constexpr int EndMarkStatus = lpFirstStatus + 'E';

// The system's short date, then its long time without the zone; the date alone at midnight.
std::string LocaleDateTimeText(double dateTime) {
  const TDateTimeParts p = DecodeDateTime(dateTime);
  const QLocale locale = QLocale::system();
  QString text = locale.toString(QDate(p.Year, p.Month, p.Day), QLocale::ShortFormat);
  if (p.Hour == 0 && p.Minute == 0 && p.Second == 0 && p.Millisecond == 0) return U8(text);
  QString pattern = locale.timeFormat(QLocale::LongFormat);
  pattern.remove(QLatin1Char('t'));
  text += QLatin1Char(' ') + locale.toString(QTime(p.Hour, p.Minute, p.Second), pattern.simplified());
  return U8(text);
}

// Pictures are drawn on a 32-unit square, whatever their size.
QPixmap Drawn(int size, const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  draw(painter);
  return pixmap;
}

// A page with a folded corner and the three curves of a recording.
void DrawLaboratory(QPainter& p) {
  QPainterPath page;
  page.moveTo(6, 2);
  page.lineTo(20, 2);
  page.lineTo(27, 9);
  page.lineTo(27, 30);
  page.lineTo(6, 30);
  page.closeSubpath();
  p.setPen(QPen(QColor(51, 65, 120), 1.6));
  p.setBrush(QColor(250, 251, 255));
  p.drawPath(page);
  p.setBrush(QColor(196, 206, 236));
  p.drawPolygon(QPolygonF({QPointF(20, 2), QPointF(20, 9), QPointF(27, 9)}));
  const QColor curves[] = {QColor(220, 38, 38), QColor(37, 99, 235), QColor(22, 150, 60)};
  for (int i = 0; i < 3; ++i) {
    const qreal y = 14 + i * 5.5;
    QPainterPath curve;
    curve.moveTo(9, y);
    curve.cubicTo(13, y - 4, 16, y + 4, 20, y);
    curve.lineTo(24, y - 1.5);
    p.setPen(QPen(curves[i], 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
  }
}

// The hand-held monitor: its display with a breath and two buttons.
void DrawDevice(QPainter& p) {
  QLinearGradient body(0, 2, 0, 30);
  body.setColorAt(0, QColor(94, 234, 212));
  body.setColorAt(1, QColor(14, 124, 123));
  p.setPen(QPen(QColor(15, 76, 80), 1.6));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(7, 2, 18, 28), 5, 5);
  p.setBrush(QColor(12, 32, 46));
  p.drawRoundedRect(QRectF(10, 6, 12, 11), 2, 2);
  QPainterPath wave;
  wave.moveTo(11.5, 13);
  wave.cubicTo(14, 6, 16, 6, 16, 11.5);
  wave.cubicTo(16, 16, 18, 16, 20.5, 9);
  p.setPen(QPen(QColor(62, 224, 192), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(wave);
  p.setPen(QPen(QColor(15, 76, 80), 1.2));
  p.setBrush(QColor(240, 250, 250));
  p.drawEllipse(QPointF(12.5, 23.5), 2.6, 2.6);
  p.drawEllipse(QPointF(19.5, 23.5), 2.6, 2.6);
}

// A heart.
void DrawHeartRate(QPainter& p) {
  QPainterPath heart;
  heart.moveTo(16, 28);
  heart.cubicTo(4, 20, 1, 13, 4, 8);
  heart.cubicTo(7, 3, 14, 3, 16, 9);
  heart.cubicTo(18, 3, 25, 3, 28, 8);
  heart.cubicTo(31, 13, 28, 20, 16, 28);
  QRadialGradient fill(QPointF(11, 10), 18);
  fill.setColorAt(0, QColor(252, 165, 165));
  fill.setColorAt(1, QColor(200, 30, 45));
  p.setPen(QPen(QColor(127, 20, 30), 1.6));
  p.setBrush(fill);
  p.drawPath(heart);
  p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({QPointF(7, 15), QPointF(12, 15), QPointF(14, 11), QPointF(17, 19), QPointF(19, 15),
                            QPointF(25, 15)}));
}

QPixmap KindPicture(int picture, int size) {
  switch (picture) {
    case lpLaboratory: return Drawn(size, DrawLaboratory);
    case lpDevice: return Drawn(size, DrawDevice);
    default: return Drawn(size, DrawHeartRate);
  }
}

// The first trailer byte of a device file: none (a grey ring), the device's end mark (a green
// tick) or another byte (an amber dot).
QPixmap StatusPicture(int picture) {
  return Drawn(16, [picture](QPainter& p) {
    if (picture == lpFirstStatus) {
      p.setPen(QPen(QColor(148, 163, 184), 3));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(16, 16), 10, 10);
      return;
    }
    const bool ended = picture == EndMarkStatus;
    p.setPen(QPen(ended ? QColor(21, 128, 61) : QColor(180, 83, 9), 2));
    p.setBrush(ended ? QColor(34, 197, 94) : QColor(251, 191, 36));
    p.drawEllipse(QPointF(16, 16), 12, 12);
    if (ended) {
      p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({QPointF(10, 16.5), QPointF(14.5, 21), QPointF(22, 11.5)}));
    }
  });
}

constexpr QSize RowIconSize(34, 16);

// The kind picture, then the status picture when the file has one.
QIcon RowIcon(int kindPicture, std::optional<int> statusPicture) {
  if (!statusPicture) return QIcon(KindPicture(kindPicture, 16));
  QPixmap pixmap(RowIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.drawPixmap(0, 0, KindPicture(kindPicture, 16));
  painter.drawPixmap(18, 0, StatusPicture(*statusPicture));
  return QIcon(pixmap);
}

}  // namespace

TFOpen::TFOpen() {
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);
  CreateLayout();
  connect(AdvDirectoryEdit1, &QLineEdit::textChanged, this, &TFOpen::AdvDirectoryEdit1Change);
  connect(AdvDirectoryEdit1Browse, &QToolButton::clicked, this, &TFOpen::AdvDirectoryEdit1BrowseClick);
  connect(cmbHISTORY, &QComboBox::activated, this, &TFOpen::cmbHISTORYSelect);
  connect(RadioGroup1Items, &QButtonGroup::idClicked, this, &TFOpen::RadioGroup1Click);
  connect(CheckBox1, &QCheckBox::toggled, this, &TFOpen::CheckBox1Click);
  connect(Edit1, &QLineEdit::textChanged, this, &TFOpen::Edit1Change);
  connect(AdvListView1, &QTableWidget::itemSelectionChanged, this, &TFOpen::AdvListView1SelectItem);
  connect(AdvListView1, &QTableWidget::cellDoubleClicked, this, &TFOpen::bOpenClick);
  connect(bOpen, &QPushButton::clicked, this, &TFOpen::bOpenClick);
  connect(bCancel, &QPushButton::clicked, this, &TFOpen::bCancelClick);
  ListTimer = Platform.Loop->CreateTimer(1, false, [this] { ListTimerTimer(); });
  FormCreate();
}

TFOpen::~TFOpen() = default;

void TFOpen::CreateLayout() {
  setMinimumWidth(700);

  Label1 = new QLabel(this);
  AdvDirectoryEdit1 = new QLineEdit(this);
  AdvDirectoryEdit1Browse = new QToolButton(this);
  AdvDirectoryEdit1Browse->setText(QStringLiteral("…"));
  AdvDirectoryEdit1Browse->setToolTip(QStringLiteral("Select Directory"));
  lHistory = new QLabel(this);
  cmbHISTORY = new QComboBox(this);
  cmbHISTORY->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cmbHISTORY->setMinimumContentsLength(20);
  auto* places = new QGridLayout;
  places->setHorizontalSpacing(8);
  places->addWidget(Label1, 0, 0);
  auto* directoryBox = new QHBoxLayout;
  directoryBox->setSpacing(2);
  directoryBox->addWidget(AdvDirectoryEdit1, 1);
  directoryBox->addWidget(AdvDirectoryEdit1Browse);
  places->addLayout(directoryBox, 0, 1);
  places->addWidget(lHistory, 1, 0);
  places->addWidget(cmbHISTORY, 1, 1);
  places->setColumnStretch(1, 1);

  AdvListView1 = new QTableWidget(0, 4, this);
  AdvListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
  AdvListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  AdvListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  AdvListView1->setShowGrid(true);
  AdvListView1->setWordWrap(false);
  AdvListView1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  AdvListView1->verticalHeader()->hide();
  AdvListView1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  AdvListView1->verticalHeader()->setMinimumSectionSize(20);
  AdvListView1->verticalHeader()->setDefaultSectionSize(20);
  QHeaderView* header = AdvListView1->horizontalHeader();
  header->setStretchLastSection(true);
  header->setHighlightSections(false);
  header->setSectionsClickable(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1; font-weight: bold; padding: 2px 4px;"
                                       " border: none; border-right: 1px solid #b4b4d2; border-bottom: 1px solid #b4b4d2; }")
                            .arg(ToQColor(HeaderColour).name()));
  SetColumnWidths();
  QPalette colours = AdvListView1->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    colours.setColor(group, QPalette::Highlight, ToQColor(SelectedColour));
    colours.setColor(group, QPalette::HighlightedText, ToQColor(SelectedTextColour));
  }
  AdvListView1->setPalette(colours);

  MDescript = new QPlainTextEdit(this);
  MDescript->setReadOnly(true);

  RadioGroup1 = new QGroupBox(this);
  RadioGroup1Items = new QButtonGroup(this);
  auto* kinds = new QVBoxLayout;
  kinds->setSpacing(2);
  for (int kind = 0; kind < 3; ++kind) {
    auto* item = new QRadioButton(RadioGroup1);
    RadioGroup1Items->addButton(item, kind);
    kinds->addWidget(item);
  }
  RadioGroup1Items->button(fkDevice)->setChecked(true);
  auto* images = new QGridLayout;
  QLabel** pictures[] = {&Image1, &Image2, &Image3};
  const int kindPictures[] = {lpLaboratory, lpDevice, lpHeartRate};
  for (int kind = 0; kind < 3; ++kind) {
    *pictures[kind] = new QLabel(RadioGroup1);
    (*pictures[kind])->setPixmap(KindPicture(kindPictures[kind], 32));
    (*pictures[kind])->setFixedSize(32, 32);
    images->addWidget(*pictures[kind], 0, 0, Qt::AlignTop);
  }
  auto* groupLayout = new QHBoxLayout(RadioGroup1);
  groupLayout->addLayout(kinds);
  groupLayout->addSpacing(8);
  groupLayout->addLayout(images);

  CheckBox1 = new QCheckBox(QStringLiteral("Filter"), this);
  CheckBox1->setChecked(true);
  Edit1 = new QLineEdit(QStringLiteral("15"), this);
  Edit1->setMaxLength(8);
  Edit1->setFixedWidth(56);
  Edit1->setAlignment(Qt::AlignRight);
  auto* percent = new QHBoxLayout;
  percent->addWidget(Edit1);
  percent->addWidget(new QLabel(QStringLiteral("%"), this));
  percent->addStretch();
  auto* filter = new QVBoxLayout;
  filter->addSpacing(14);
  filter->addWidget(CheckBox1);
  filter->addLayout(percent);
  filter->addStretch();

  auto* details = new QHBoxLayout;
  details->addWidget(MDescript, 1);
  details->addWidget(RadioGroup1);
  details->addLayout(filter);
  MDescript->setFixedHeight(RadioGroup1->sizeHint().height());

  AdvProgressBar1 = new QProgressBar(this);
  AdvProgressBar1->setTextVisible(false);
  AdvProgressBar1->setFixedHeight(14);
  bOpen = new QPushButton(this);
  bOpen->setDefault(true);
  bCancel = new QPushButton(this);
  for (QPushButton* b : {bOpen, bCancel}) b->setMinimumWidth(90);
  auto* actions = new QHBoxLayout;
  actions->addWidget(AdvProgressBar1, 1);
  actions->addSpacing(12);
  actions->addWidget(bOpen);
  actions->addWidget(bCancel);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addLayout(places);
  layout->addWidget(AdvListView1, 1);
  layout->addLayout(details);
  layout->addLayout(actions);
}

void TFOpen::SetColumnWidths() {
  // The start and duration columns widen when the texts of this desktop's font and date format
  // need it, at the cost of the file column, so that the points still show in a window of the
  // least width; the last column takes what the window leaves.
  QFont bold = AdvListView1->horizontalHeader()->font();
  bold.setBold(true);
  const QFontMetrics cells(AdvListView1->font()), headers(bold);
  auto needed = [&](int row, std::initializer_list<QString> samples) {
    int width = 0;
    for (int language = 0; language < 2; ++language) width = std::max(width, headers.horizontalAdvance(Q(MainTexts[row][language])));
    for (const QString& sample : samples) width = std::max(width, cells.horizontalAdvance(sample));
    return width + 16;
  };
  const double sample = EncodeDateTime({2028, 12, 28, 23, 58, 58, 0});
  const int start = std::max(120, needed(114, {Q(LocaleDateTimeText(sample)), QStringLiteral("28.12.2028  23:58:58")}));
  const int duration = std::max(100, needed(115, {QStringLiteral("100:00:00.0")}));
  AdvListView1->setColumnWidth(0, std::max(200, 300 - (start - 120) - (duration - 100)));
  AdvListView1->setColumnWidth(1, start);
  AdvListView1->setColumnWidth(2, duration);
}

void TFOpen::FormCreate() {
  const TSettings& s = GLOB->Settings;
  RestoreWindowGeometry(*this, 0, s.OpenTop, s.OpenLeft, s.OpenWidth, s.OpenHeight);
  // The browser's own history first, so that it survives a restart; then the destination
  // directories, where new recordings are written.
  auto add = [this](const char* dir) {
    const QString text = Q(dir);
    if (!text.isEmpty() && cmbHISTORY->findText(text) < 0 && cmbHISTORY->count() < HistoryEntries)
      cmbHISTORY->addItem(text);
  };
  for (int i = 0; i < s.OpenDirCount; ++i) add(s.OpenDirs[i]);
  for (int i = 0; i < s.DestDirCount; ++i) add(s.DestDirs[i]);
  BrowserReady = true;
  RadioGroup1Click();
  CheckBox1Click();
}

int TFOpen::Execute() {
  Opened = false;
  FormShow();
  ShowModal(*Platform.Modal);
  FormClose();
  return Opened ? mrOk : mrCancel;
}

void TFOpen::FormShow() {
  setWindowTitle(Q(GLOB->MainText(44)));
  Label1->setText(Q(GLOB->MainText(62)));
  AdvListView1->setHorizontalHeaderLabels({Q(GLOB->MainText(113)), Q(GLOB->MainText(114)), Q(GLOB->MainText(115)),
                                           Q(GLOB->MainText(116))});
  lHistory->setText(Q(GLOB->MainText(49)));
  RadioGroup1->setTitle(Q(GLOB->MainText(109)));
  for (int kind = 0; kind < 3; ++kind) RadioGroup1Items->button(kind)->setText(Q(GLOB->MainText(110 + kind)));
  bOpen->setText(Q(GLOB->MainText(51)));
  bCancel->setText(Q(GLOB->MainText(50)));
  AdvProgressBar1->setRange(0, 1);
  AdvProgressBar1->setValue(0);
  if (cmbHISTORY->count() > 0) {
    cmbHISTORY->setCurrentIndex(0);
    // Listed once below, whether or not the text changes.
    const QSignalBlocker quiet(AdvDirectoryEdit1);
    AdvDirectoryEdit1->setText(cmbHISTORY->itemText(0));
  }
  ScanDirectory(AdvDirectoryEdit1->text());
  AdvListView1->setFocus();
}

void TFOpen::FormClose() {
  ListTimer->SetEnabled(false);
  TSettings& s = GLOB->Settings;
  int state = 0;
  StoreWindowGeometry(*this, state, s.OpenTop, s.OpenLeft, s.OpenWidth, s.OpenHeight);
}

int TFOpen::ScanDirectory(const QString& directory) {
  if (!BrowserReady) return 1;
  DirectoryListing = std::make_unique<TDirectoryListing>(U8(directory), GLOB->FileKind, LocaleDateTimeText);
  // Only device files have a status picture beside the kind's.
  AdvListView1->setIconSize(GLOB->FileKind == fkDevice ? RowIconSize : QSize(16, 16));
  Files.clear();
  AdvListView1->setRowCount(0);
  MDescript->clear();
  ListTimerTimer();
  return 0;
}

void TFOpen::ListTimerTimer() {
  const double until = Platform.Loop->ElapsedMs() + SliceMs;
  std::vector<TListedFile> slice;
  TListedFile file;
  while (slice.size() < SliceFiles && DirectoryListing->Next(file)) {
    slice.push_back(std::move(file));
    if (Platform.Loop->ElapsedMs() >= until) break;
  }
  AppendRows(slice);
  ListTimer->SetEnabled(!DirectoryListing->Done());
}

void TFOpen::AppendRows(const std::vector<TListedFile>& files) {
  if (files.empty()) return;
  const int first = AdvListView1->rowCount();
  AdvListView1->setRowCount(first + static_cast<int>(files.size()));
  for (const TListedFile& file : files) {
    const int row = static_cast<int>(Files.size());
    const auto iconKey = std::make_pair(file.KindPicture, file.StatusPicture);
    auto icon = RowIcons.find(iconKey);
    if (icon == RowIcons.end()) icon = RowIcons.emplace(iconKey, RowIcon(file.KindPicture, file.StatusPicture)).first;
    const std::string* texts[] = {&file.Caption, &file.Start, &file.Duration, &file.Points};
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem(Q(*texts[column]));
      if (column == 0) item->setIcon(icon->second);
      // Odd rows are tinted, and their odd cells a shade more.
      if (row % 2 == 1) item->setBackground(ToQColor(column % 2 == 1 ? OddCellColour : OddRowColour));
      AdvListView1->setItem(row, column, item);
    }
    Files.push_back(file);
  }
  if (first == 0) AdvListView1->scrollToTop();
}

const TListedFile* TFOpen::SelectedFile() const {
  const QModelIndexList rows = AdvListView1->selectionModel()->selectedRows();
  if (rows.isEmpty()) return nullptr;
  const int row = rows.first().row();
  return row >= 0 && row < static_cast<int>(Files.size()) ? &Files[static_cast<size_t>(row)] : nullptr;
}

void TFOpen::AdvListView1SelectItem() {
  const TListedFile* file = SelectedFile();
  MDescript->setPlainText(file ? Q(file->Description) : QString());
}

void TFOpen::AdvDirectoryEdit1Change() {
  if (!BrowserReady) return;
  ScanDirectory(AdvDirectoryEdit1->text());
  cmbHISTORY->setCurrentIndex(cmbHISTORY->findText(AdvDirectoryEdit1->text()));
}

void TFOpen::AdvDirectoryEdit1BrowseClick() {
  const QString dir = ChooseFolder(this, AdvDirectoryEdit1->text(), *Platform.Modal);
  if (!dir.isEmpty()) AdvDirectoryEdit1->setText(dir);
}

void TFOpen::cmbHISTORYSelect(int index) {
  if (index < 0 || index >= cmbHISTORY->count()) return;
  const QString dir = cmbHISTORY->itemText(index);
  AdvDirectoryEdit1->setText(dir);
  cmbHISTORY->removeItem(cmbHISTORY->findText(dir));
  cmbHISTORY->insertItem(0, dir);
  cmbHISTORY->setCurrentIndex(0);
  WriteHistory();
}

void TFOpen::StoreHistory(const QString& directory) {
  const int known = cmbHISTORY->findText(directory);
  if (known >= 0) cmbHISTORY->removeItem(known);
  cmbHISTORY->insertItem(0, directory);
  cmbHISTORY->setCurrentIndex(0);
  while (cmbHISTORY->count() > HistoryEntries) cmbHISTORY->removeItem(HistoryEntries);
  WriteHistory();
}

void TFOpen::WriteHistory() {
  TSettings& s = GLOB->Settings;
  std::memset(s.OpenDirs, 0, sizeof s.OpenDirs);
  int kept = 0;
  for (int i = 0; i < cmbHISTORY->count() && kept < SettingsDirSlots; ++i) {
    const std::string dir = U8(cmbHISTORY->itemText(i));
    // A path longer than its slot would come back cut, naming another directory: it is not kept.
    if (dir.size() < SettingsDirSize) SetFixedText(s.OpenDirs[kept++], SettingsDirSize, dir.c_str());
  }
  s.OpenDirCount = kept;
}

void TFOpen::RadioGroup1Click() {
  GLOB->FileKind = RadioGroup1Items->checkedId();
  ScanDirectory(AdvDirectoryEdit1->text());
  Image1->setVisible(GLOB->FileKind == fkLaboratory);
  Image2->setVisible(GLOB->FileKind == fkDevice);
  Image3->setVisible(GLOB->FileKind == fkHeartRate);
}

void TFOpen::CheckBox1Click() {
  Edit1->setEnabled(CheckBox1->isChecked());
  GLOB->VT1Filter = CheckBox1->isChecked();
  Edit1Change();
}

void TFOpen::Edit1Change() {
  double percent = 0;
  const bool valid = ParseLocaleDecimal(Edit1->text(), percent) && percent >= 0;
  // A text that is no percentage keeps the last good threshold and shows that it is wrong.
  QPalette colours = Edit1->palette();
  colours.setColor(QPalette::Text, valid ? palette().color(QPalette::Text) : QColor(200, 0, 0));
  Edit1->setPalette(colours);
  if (valid) GLOB->VT1FilterThreshold = percent * 0.01;
}

void TFOpen::ShowProgress(size_t done, size_t total) {
  const int maximum = static_cast<int>(std::min<size_t>(total, INT_MAX));
  AdvProgressBar1->setRange(0, std::max(1, maximum));
  AdvProgressBar1->setValue(static_cast<int>(std::min(done, total)));
  AdvProgressBar1->repaint();
}

void TFOpen::bOpenClick() {
  const TListedFile* file = SelectedFile();
  if (!file) return;
  TGLOB& glob = *GLOB;
  const int kind = DirectoryListing->Kind();
  glob.OpenPath = DirectoryListing->PathOf(*file);
  StoreHistory(AdvDirectoryEdit1->text());
  glob.FileShown = true;
  TMonitorChart& chart = glob.Monitor;
  if (chart.ChannelCount() == 0) {
    if (chart.SeriesCount() == 0) chart.InitChart();
    chart.AddDeviceChannels();
  } else if (kind != fkHeartRate) {
    glob.ClearSeries();
  }
  const auto progress = [this](size_t done, size_t total) { ShowProgress(done, total); };
  bool exportable = true;
  switch (kind) {
    case fkLaboratory:
      LoadLabFile(glob, progress);
      exportable = false;
      break;
    case fkDevice: LoadDeviceFile(glob, progress); break;
    default:
      glob.HeartRatePath = glob.OpenPath;
      ImportHeartRate(glob.HeartRatePath, glob.HeartRateParams, chart);
      break;
  }
  if (F_CONTROL) F_CONTROL->bSaveAs->setEnabled(exportable);
  Opened = true;
  done(mrOk);
}

void TFOpen::bCancelClick() { done(mrCancel); }
