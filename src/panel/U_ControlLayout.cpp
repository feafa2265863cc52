// The control panel's controls and where they stand. The panel has a fixed size, so the
// controls are placed by pixel, as the operator knows the panel.
#include <QHeaderView>
#include <QProxyStyle>
#include <QTabBar>

#include "core/qt/PanelFont.h"
#include "panel/DisplayWidget.h"
#include "panel/StatusBarWidget.h"
#include "panel/U_Control.h"

namespace {

constexpr int PanelWidth = 339;
constexpr int PanelHeight = 469;
constexpr int PageWidth = 335;  // inside the page control's frame
constexpr int StatusHeight = 20;

QLabel* Caption(QWidget* parent, int x, int y, int w, const QString& text = {}) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(x, y, w, 15);
  return label;
}

// A panel around an edit box, so that the box and its border are disabled together.
QLineEdit* FramedEdit(QWidget* parent, QWidget*& panel, int x, int y, int w) {
  panel = new QWidget(parent);
  panel->setGeometry(x, y, w, 24);
  auto* edit = new QLineEdit(panel);
  edit->setGeometry(0, 0, w, 24);
  edit->setMaxLength(15);
  return edit;
}

// Tabs a little tighter than the style's, so that the five captions stand side by side.
class TTightTabStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_TabBarTabHSpace) return 12;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace

void TF_CONTROL::CreateLayout() {
  setFixedSize(PanelWidth, PanelHeight);
  setFont(PanelFont());

  PageControl1 = new QTabWidget(this);
  PageControl1->setTabPosition(QTabWidget::South);
  PageControl1->setGeometry(0, 0, PanelWidth, 416);
  PageControl1->setUsesScrollButtons(false);
  auto* tabStyle = new TTightTabStyle;
  tabStyle->setParent(PageControl1);
  PageControl1->tabBar()->setStyle(tabStyle);
  TabMonitor = new QWidget;
  TabPreset = new QWidget;
  TabEnvironment = new QWidget;
  TabCalc = new QWidget;
  TabAbout = new QWidget;
  for (QWidget* page : {TabMonitor, TabPreset, TabEnvironment, TabCalc, TabAbout})
    PageControl1->addTab(page, QString());

  CreateMonitorPage();
  AdvNavBar1 = new QToolBox(TabPreset);
  AdvNavBar1->setGeometry(2, 2, PageWidth - 4, 380);
  CreateEnvironmentPage();
  CreateCalcPage();
  CreateAboutPage();

  bExit = new QPushButton(this);
  bExit->setGeometry(PanelWidth - 92, 420, 86, 25);
  CreateStatusBar();
}

void TF_CONTROL::CreateMonitorPage() {
  QWidget* page = TabMonitor;
  const int displayWidth = 105, gap = 8, x0 = 4;
  TDisplayWidget** displays[] = {&DispV, &DispF, &DispM};
  QLabel** captions[] = {&lDispV, &lDispF, &lDispM};
  const char* captionTexts[] = {"V  (l)", "F  (bpm)", "M (l/min)"};
  const char* startTexts[] = {"?.?", "?", "?.?"};
  for (int i = 0; i < 3; ++i) {
    const int x = x0 + i * (displayWidth + gap);
    *displays[i] = new TDisplayWidget(page, 30);
    (*displays[i])->setGeometry(x, 4, displayWidth, 50);
    (*displays[i])->setText(QString::fromLatin1(startTexts[i]));
    *captions[i] = Caption(page, x, 55, displayWidth, QString::fromLatin1(captionTexts[i]));
    (*captions[i])->setAlignment(Qt::AlignCenter);
  }

  const int half = 160, right = PageWidth - 4 - half;
  lCurTime = Caption(page, x0, 74, half);
  VrClock1 = new TDisplayWidget(page, 17);
  VrClock1->setGeometry(x0, 90, half, 26);
  lRecTime = Caption(page, right, 74, half);
  VrClock2 = new TDisplayWidget(page, 17);
  VrClock2->setGeometry(right, 90, half, 26);
  VrClock2->setText(QStringLiteral("0:00:00"));

  lInterval = Caption(page, x0, 121, half);
  pINTERVAL = FramedEdit(page, pSmpleInterval, x0, 137, half);
  lPostfix = Caption(page, right, 121, half);
  pFileNamePostfix = FramedEdit(page, pPOSTFIX, right, 137, half);

  lDESCR = Caption(page, x0, 165, PageWidth - 8);
  Memo1 = new QPlainTextEdit(page);
  Memo1->setGeometry(x0, 181, PageWidth - 8, 34);

  PanHeader = new QGroupBox(page);
  PanHeader->setGeometry(x0, 218, PageWidth - 8, 118);
  cbLegend = ChartOption(0, 0);
  cbMARKS = ChartOption(0, 1);
  cbAbsTimeScale = ChartOption(0, 2);
  cb3D = ChartOption(0, 3);
  cbRotate = ChartOption(0, 4);
  cbAutoScale = ChartOption(0, 5);
  cbScrool = ChartOption(1, 0);
  cbGRID = ChartOption(1, 1);
  cbONEAXES = ChartOption(1, 2);
  cbAUTO = ChartOption(1, 3);
  cbUNDOAUTO = ChartOption(1, 4);
  cbAXTITLE = ChartOption(1, 5);

  bOpen = SpeedButton(0, TButtonPicture::Open);
  bPrint = SpeedButton(1, TButtonPicture::Print);
  bBMP = SpeedButton(2, TButtonPicture::Bmp);
  bSaveAs = SpeedButton(3, TButtonPicture::SaveAs);
  bSTART = SpeedButton(4, TButtonPicture::Start);
  bMARK = SpeedButton(5, TButtonPicture::Mark);
  bSTOP = SpeedButton(6, TButtonPicture::Stop);
  bSTART->setCheckable(true);
  // As laid out: Open, Print and Start usable, the rest until a recording or a file.
  for (QToolButton* b : {bBMP, bSaveAs, bMARK, bSTOP}) b->setEnabled(false);
}

QCheckBox* TF_CONTROL::ChartOption(int column, int row) {
  auto* box = new QCheckBox(PanHeader);
  // The longer Russian captions sit in the right-hand column.
  const int x = column == 0 ? 6 : 160;
  const int w = column == 0 ? 150 : 165;
  box->setGeometry(x, 18 + row * 16, w, 16);
  return box;
}

QToolButton* TF_CONTROL::SpeedButton(int index, TButtonPicture picture) {
  constexpr int size = 34, gap = 8;
  constexpr int x0 = (PageWidth - (7 * size + 6 * gap)) / 2;
  auto* button = new QToolButton(TabMonitor);
  button->setGeometry(x0 + index * (size + gap), 342, size, size);
  button->setIcon(ButtonPicture(picture));
  button->setIconSize(QSize(24, 24));
  button->setAutoRaise(true);
  return button;
}

void TF_CONTROL::CreateEnvironmentPage() {
  QWidget* page = TabEnvironment;
  rLANGUAGE = new QGroupBox(QStringLiteral("Language /Язык/"), page);
  rLANGUAGE->setGeometry(4, 4, PageWidth - 8, 66);
  rLANGUAGEItems = new QButtonGroup(this);
  const char* items[] = {"English  / Английский /", "Русский  / Russian /"};
  for (int i = 0; i < 2; ++i) {
    auto* item = new QRadioButton(QString::fromUtf8(items[i]), rLANGUAGE);
    item->setGeometry(12, 20 + i * 20, 250, 18);
    rLANGUAGEItems->addButton(item, i);
  }

  lDestDir = Caption(page, 4, 80, PageWidth - 8);
  AdvDirectoryEdit1 = new QLineEdit(page);
  AdvDirectoryEdit1->setGeometry(4, 96, PageWidth - 8 - 28, 24);
  AdvDirectoryEdit1->setReadOnly(true);
  AdvDirectoryEdit1Browse = new QToolButton(page);
  AdvDirectoryEdit1Browse->setGeometry(PageWidth - 4 - 26, 96, 26, 24);
  AdvDirectoryEdit1Browse->setText(QStringLiteral("…"));
  AdvDirectoryEdit1Browse->setToolTip(QStringLiteral("Select Directory"));

  Label4 = Caption(page, 4, 128, PageWidth - 8);
  pPATH = new QComboBox(page);
  pPATH->setGeometry(4, 144, PageWidth - 8, 24);
  pPATH->setEditable(false);
}

void TF_CONTROL::CreateCalcPage() {
  AdvStringGrid1 = new QTableWidget(6, 3, TabCalc);
  AdvStringGrid1->setGeometry(4, 4, PageWidth - 8, 150);
  AdvStringGrid1->horizontalHeader()->hide();
  AdvStringGrid1->verticalHeader()->hide();
  AdvStringGrid1->setColumnWidth(0, 210);
  AdvStringGrid1->setColumnWidth(1, 57);
  AdvStringGrid1->setColumnWidth(2, 56);
  AdvStringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  AdvStringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
  AdvStringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  AdvStringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QFont bold = PanelFont();
  bold.setBold(true);
  AdvStringGrid1->setFont(bold);
  for (int row = 0; row < 6; ++row) {
    AdvStringGrid1->setRowHeight(row, 24);
    for (int column = 0; column < 3; ++column)
      AdvStringGrid1->setItem(row, column, new QTableWidgetItem);
  }
  AdvStringGrid1->item(0, 2)->setText(QStringLiteral("time"));
  Button6 = new QPushButton(TabCalc);
  Button6->setGeometry(4, 160, 130, 26);
  Button6->hide();
}

void TF_CONTROL::CreateAboutPage() {
  QWidget* page = TabAbout;
  AboutImage = new QLabel(page);
  AboutImage->setGeometry(12, 16, 96, 96);
  AboutImage->setPixmap(AboutPicture());
  lTitle = new QLabel(QStringLiteral("VT4800"), page);
  lTitle->setGeometry(124, 24, 200, 30);
  QFont titleFont = lTitle->font();
  titleFont.setPixelSize(24);
  titleFont.setBold(true);
  lTitle->setFont(titleFont);
  lSubtitle = new QLabel(QStringLiteral("Ventora respiratory monitor\ncompanion program"), page);
  lSubtitle->setGeometry(124, 58, 200, 32);
  lVersionCaption = Caption(page, 124, 96, 60, QStringLiteral("Version :"));
  lVer = Caption(page, 184, 96, 140);
  QFont bold = lVer->font();
  bold.setBold(true);
  lVer->setFont(bold);
}

void TF_CONTROL::CreateStatusBar() {
  using TPanel = TStatusBarWidget::TPanel;
  HTMLStatusBar1 = new TStatusBarWidget(
      this, {TPanel{TStatusBarWidget::pkImage, 22, {}, 0, {}},
             TPanel{TStatusBarWidget::pkText, 66, {}, -1, {}},
             TPanel{TStatusBarWidget::pkText, 0, {}, -1, {}},
             TPanel{TStatusBarWidget::pkText, 56, {}, -1, {}},
             TPanel{TStatusBarWidget::pkImage, 22, {}, 3, {}}});
  HTMLStatusBar1->setGeometry(0, PanelHeight - StatusHeight, PanelWidth, StatusHeight);
}
