#include <QDateEdit>
#include <QTimeEdit>

#include "ProgramFixture.h"
#include "core/Glob.h"
#include "device/Devices.h"
#include "device/U_DeviceLoadFile.h"
#include "panel/U_Control.h"

namespace {

using TEntries = std::vector<std::pair<int, int>>;

class DevicesPageTest : public ProgramFixture {
 protected:
  void SetUp() override {
    PortNames = {"COM3"};
    DevicePort = "COM3";
    StartAndShow();
    F_CONTROL->rLANGUAGEItems->button(0)->click();
    for (int i = 0; i < 100 && !(Devices->First() && Devices->First()->FileListReady); ++i) Loop.Advance(50);
    ASSERT_NE(Devices->First(), nullptr);
    Grid = F_CONTROL->InfoGrids.at(0);
  }
  TQLNDevice& Device() { return *Devices->First(); }
  int VisibleRows() const {
    int n = 0;
    for (int r = 0; r < Grid->rowCount(); ++r) n += !Grid->isRowHidden(r);
    return n;
  }
  TEntries Queued() {
    TEntries entries;
    const int read = Device().QueueReadPos % 150;
    for (int pos = read - read % 3; pos != Device().QueueWritePos && entries.size() < 50; pos = (pos + 3) % 150)
      entries.emplace_back(Device().CommandQueue[pos], Device().CommandQueue[pos + 1] * 256 + Device().CommandQueue[pos + 2]);
    return entries;
  }
  void Flush() { Device().QueueReadPos = Device().QueueWritePos; }
  void Tick(int row) {
    QTableWidgetItem* item = Grid->item(row, 1);
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }
  QTableWidget* Grid = nullptr;
};

TEST_F(DevicesPageTest, RowsEditorsAndTheEditSwitch) {
  EXPECT_EQ(F_CONTROL->AdvNavBar1->itemText(0), QStringLiteral("VT4800"));
  ASSERT_EQ(Grid->rowCount(), 20);
  EXPECT_EQ(VisibleRows(), 20);
  EXPECT_EQ(Grid->item(0, 0)->text(), QString::fromUtf8("Device №"));
  EXPECT_EQ(Grid->item(irDeviceNumber, 1)->text(), QStringLiteral("4817"));
  EXPECT_EQ(Grid->item(irRecordingFiles, 1)->text(), QStringLiteral("3"));
  EXPECT_FALSE(Grid->item(irKDiv, 1)->flags() & Qt::ItemIsEditable);

  Tick(irEditEnable);
  EXPECT_EQ(VisibleRows(), 15);
  for (int row : {irVolume, irBpm, irVentilation, irRecordingFiles, irBattery}) EXPECT_TRUE(Grid->isRowHidden(row));
  EXPECT_TRUE(Grid->item(irKDiv, 1)->flags() & Qt::ItemIsEditable);
  Flush();

  // The clock row's editor: 07:05:09 sends the time, then asks the clock again.
  QAbstractItemDelegate* delegate = Grid->itemDelegateForColumn(1);
  const QModelIndex clock = Grid->model()->index(irClock, 1);
  QWidget* editor = delegate->createEditor(Grid->viewport(), QStyleOptionViewItem(), clock);
  ASSERT_NE(qobject_cast<QTimeEdit*>(editor), nullptr);
  delegate->setEditorData(editor, clock);
  qobject_cast<QTimeEdit*>(editor)->setTime(QTime(7, 5, 9));
  delegate->setModelData(editor, Grid->model(), clock);
  EXPECT_EQ(Queued(), (TEntries{{rqRequest32, 0}, {rqSetHour, 0x07}, {rqSetMinute, 0x05}, {rqSetSecond, 0x09}, {rqGetRTC, 0}}));
  Flush();
  // Leaving the editor without a change sends nothing.
  delegate->setEditorData(editor, clock);
  delegate->setModelData(editor, Grid->model(), clock);
  EXPECT_TRUE(Queued().empty());
  delete editor;

  Tick(irFormatMemory);
  EXPECT_EQ(Queued(), (TEntries{{rqRequest32, 0}, {rqFormatMemory, 0}}));
  EXPECT_EQ(Grid->item(irFormatMemory, 1)->checkState(), Qt::Unchecked);
  Flush();

  Tick(irEditEnable);
  EXPECT_EQ(VisibleRows(), 20);
  EXPECT_FALSE(Grid->item(irKDiv, 1)->flags() & Qt::ItemIsEditable);
}

TEST_F(DevicesPageTest, TheClockTickOffersTheStoredFilesAndOkFetchesThem) {
  Loop.Advance(1000);
  ASSERT_TRUE(Form100->isVisible());
  EXPECT_EQ(Form100->windowTitle(), QStringLiteral("Ventora: Device file load"));
  ASSERT_EQ(Form100->AdvListView2->topLevelItemCount(), 3);
  EXPECT_EQ(Form100->AdvListView2->topLevelItem(0)->text(1), QStringLiteral("Waiting"));
  EXPECT_EQ(Form100->AdvListView2->topLevelItem(1)->background(0).color(), QColor(234, 254, 255));
  SetFixedText(GLOB->Settings.DestDirs[0], SettingsDirSize, Dir.Path().c_str());
  Form100->Button2->click();
  for (int i = 0; i < 300 && Form100->isVisible(); ++i) Loop.Advance(100);
  EXPECT_FALSE(Form100->isVisible());
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Form100->AdvListView2->topLevelItem(row)->text(1), QStringLiteral("Loaded"));
    EXPECT_EQ(Form100->AdvListView2->topLevelItem(row)->checkState(0), Qt::Unchecked);
  }
  // The file index is 0 now: the window does not come back.
  Loop.Advance(2000);
  EXPECT_FALSE(Form100->isVisible());
}

TEST_F(DevicesPageTest, ClosedByItsTitleBarTheWindowComesBackButNotAfterCancel) {
  Loop.Advance(1000);
  ASSERT_TRUE(Form100->isVisible());
  Form100->close();
  EXPECT_FALSE(Form100->isVisible());
  Loop.Advance(1000);
  EXPECT_TRUE(Form100->isVisible());
  Form100->Button1->click();
  Loop.Advance(2000);
  EXPECT_FALSE(Form100->isVisible());
  EXPECT_EQ(Device().FileListReady, 0);
}

}  // namespace
