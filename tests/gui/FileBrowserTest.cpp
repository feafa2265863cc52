// Window tests of the file browser.
#include <QStringList>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ProgramFixture.h"
#include "browser/U_Open.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/qt/FolderChooser.h"
#include "core/qt/QtText.h"
#include "monitor/U_Monitor.h"
#include "panel/U_Control.h"
#include "recording/LabFile.h"

namespace {

class FileBrowserTest : public ProgramFixture {
 protected:
  void SetUp() override {
    StartAndShow();
    Data = Dir.File("data");
    std::filesystem::create_directory(Data);
  }

  std::string In(const std::string& name) const { return (std::filesystem::path(Data) / name).string(); }

  // A laboratory file as a live recording writes it, with the given channels and rows.
  void WriteLab(const std::string& path, double start, double stop, const std::vector<std::string>& channels, int rows,
                const std::string& description = {}) {
    TGLOB writer("", false);
    writer.Monitor.InitChart();
    for (const std::string& title : channels) writer.Monitor.AddChannelSeries(title, clBlue);
    writer.RecordingHeader.StartTime = start;
    writer.RecordingHeader.StopTime = start;
    ASSERT_EQ(CreateLabFile(writer, path), lrOk);
    const double values[] = {20.9, 36.6, 1.0};
    for (int k = 0; k < rows; ++k) {
      writer.Monitor.AppendRow(0, 0, values, static_cast<int>(channels.size()), 1.0, "");
      AppendLabRow(writer);
    }
    writer.RecordingHeader.StopTime = stop;
    writer.RecordingHeader.Description = description;
    FinishLabFile(writer);
  }
  // A device file of breaths of 1 l at 60 a minute: one row a second.
  void WriteDevice(const std::string& path, uint32_t records, double seconds) {
    TDeviceFileHeader h = NewDeviceFileHeader();
    h.RecordCount = records;
    h.DurationSeconds = seconds;
    h.StartYear = 9, h.StartMonth = 3, h.StartDay = 14, h.StartHour = 10, h.StartMinute = 22, h.StartSecond = 5;
    h.TrailerBytes[0] = 'E';
    std::vector<unsigned char> bytes(sizeof h);
    std::memcpy(bytes.data(), &h, sizeof h);
    bytes.resize(bytes.size() + 8);
    for (uint32_t r = 0; r < records; ++r)
      for (unsigned char b : {0x00, 0x64, 0xEA, 0x60}) bytes.push_back(b);
    WriteBytes(path, bytes);
  }
  static void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
  }
  static double At(int y, int mo, int d, int h, int mi) { return EncodeDateTime({y, mo, d, h, mi, 0, 0}); }

  // Shows the browser and answers it with the step.
  int Browse(std::function<int()> step) {
    Modal.Expect([step](TModalWindow&) { return step(); });
    return FOpen->Execute();
  }
  // Shows the browser on a directory, selects the file of that caption and presses Open, or
  // double-clicks it.
  int OpenFile(const std::string& directory, int kind, const QString& caption, bool doubleClick = false) {
    return Browse([=] {
      FOpen->RadioGroup1Items->button(kind)->click();
      FOpen->AdvDirectoryEdit1->setText(Q(directory));
      Select(caption);
      if (doubleClick)
        emit FOpen->AdvListView1->cellDoubleClicked(FOpen->AdvListView1->currentRow(), 0);
      else
        FOpen->bOpen->click();
      return mrOk;
    });
  }
  static QStringList Column(int column) {
    QStringList texts;
    for (int row = 0; row < FOpen->AdvListView1->rowCount(); ++row) texts << FOpen->AdvListView1->item(row, column)->text();
    return texts;
  }
  static void Select(const QString& caption) {
    const int row = static_cast<int>(Column(0).indexOf(caption));
    ASSERT_GE(row, 0) << caption.toStdString();
    FOpen->AdvListView1->selectRow(row);
  }
  static QStringList History() {
    QStringList dirs;
    for (int i = 0; i < FOpen->cmbHISTORY->count(); ++i) dirs << FOpen->cmbHISTORY->itemText(i);
    return dirs;
  }
  static QStringList OpenDirs() {
    QStringList dirs;
    for (int i = 0; i < GLOB->Settings.OpenDirCount; ++i) dirs << Q(GLOB->Settings.OpenDirs[i]);
    return dirs;
  }

  std::string Data;
};

TEST_F(FileBrowserTest, SwitchingTheKindListsTheSameDirectoryAgain) {
  WriteLab(In("a.rl2"), At(2009, 3, 13, 11, 0), At(2009, 3, 13, 11, 30), {"O2 (%)"}, 2);
  WriteLab(In("run.RL2"), At(2009, 3, 13, 12, 0), At(2009, 3, 13, 12, 30), {"O2 (%)"}, 2);
  WriteText(In("newer.rl2"), "Format-Version: 3\r\nData-Table:\r\n");
  WriteDevice(In("b.VT1"), 2, 2);
  WriteText(In("c.hrm"), "[Params]\r\nInterval=5\r\n");
  const int result = Browse([&] {
    // The device files at first.
    FOpen->AdvDirectoryEdit1->setText(Q(Data));
    EXPECT_EQ(Column(0), QStringList({"b"}));
    EXPECT_FALSE(FOpen->Image2->isHidden());
    FOpen->RadioGroup1Items->button(0)->click();
    EXPECT_EQ(GLOB->FileKind, 0);
    // The laboratory file of a newer format is left out; an upper-case extension is listed.
    EXPECT_EQ(Column(0), QStringList({"a", "run"}));
    EXPECT_FALSE(FOpen->Image1->isHidden());
    EXPECT_TRUE(FOpen->Image2->isHidden());
    EXPECT_TRUE(FOpen->Image3->isHidden());
    FOpen->RadioGroup1Items->button(2)->click();
    EXPECT_EQ(Column(0), QStringList({"c"}));
    EXPECT_FALSE(FOpen->Image3->isHidden());
    return mrCancel;
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(Modal.Shown(), std::deque<std::string>{"TFOpen"});
}

TEST_F(FileBrowserTest, ColumnsShowStartDurationPointsAndTheDescription) {
  WriteLab(In("1 night.rl2"), At(2009, 3, 13, 23, 50), At(2009, 3, 14, 1, 10), {"O2 (%)"}, 4, "Night shift");
  WriteLab(In("2 day.rl2"), At(2009, 3, 13, 8, 0), At(2009, 3, 14, 9, 0), {"O2 (%)"}, 1);
  WriteDevice(In("3 day.vt1"), 7, 90000);
  Browse([&] {
    FOpen->RadioGroup1Items->button(0)->click();
    FOpen->AdvDirectoryEdit1->setText(Q(Data));
    EXPECT_EQ(Column(2), QStringList({"1:20:00", "25:00:00"}));
    EXPECT_EQ(Column(3), QStringList({"4", "1"}));
    EXPECT_FALSE(Column(1).contains(QString()));
    Select(QStringLiteral("1 night"));
    EXPECT_EQ(FOpen->MDescript->toPlainText(), QStringLiteral("Night shift"));
    FOpen->AdvListView1->clearSelection();
    EXPECT_EQ(FOpen->MDescript->toPlainText(), QString());

    FOpen->RadioGroup1Items->button(1)->click();
    EXPECT_EQ(Column(1), QStringList({"14.03.2009  10:22:05"}));
    EXPECT_EQ(Column(2), QStringList({"23:00:00"}));
    EXPECT_EQ(Column(3), QStringList({"7"}));
    return mrCancel;
  });
}

TEST_F(FileBrowserTest, OpeningEachKindReachesTheMonitor) {
  WriteLab(In("run.RL2"), At(2009, 3, 13, 11, 0), At(2009, 3, 13, 11, 30), {"O2 (%)", "T (C)"}, 3, "Step test");
  WriteDevice(In("rest.vt1"), 30, 29);
  WriteText(In("pulse.hrm"), "[Params]\r\nInterval=5\r\n[HRData]\r\n120\r\n130\r\n");
  const TMonitorChart& chart = GLOB->Monitor;

  // A laboratory file replaces the channels with its own, opened by its own name.
  EXPECT_EQ(OpenFile(Data, 0, QStringLiteral("run")), mrOk);
  EXPECT_EQ(GLOB->OpenPath, In("run.RL2"));
  EXPECT_TRUE(GLOB->FileShown);
  ASSERT_EQ(chart.ChannelCount(), 2);
  EXPECT_EQ(chart.Series(3).Title, "O2 (%)");
  EXPECT_EQ(chart.Series(4).Title, "T (C)");
  EXPECT_EQ(chart.RowCount(), 3u);
  EXPECT_EQ(GLOB->RecordingHeader.Description, "Step test");
  EXPECT_FALSE(F_CONTROL->bSaveAs->isEnabled());
  // The loader drove the progress bar to its end.
  EXPECT_EQ(FOpen->AdvProgressBar1->maximum(), 3);
  EXPECT_EQ(FOpen->AdvProgressBar1->value(), 3);

  // A device file gives V, F and M.
  EXPECT_EQ(OpenFile(Data, 1, QStringLiteral("rest")), mrOk);
  EXPECT_EQ(GLOB->OpenPath, In("rest.vt1"));
  ASSERT_EQ(chart.ChannelCount(), 3);
  EXPECT_EQ(chart.Series(3).Title, "V (l)");
  EXPECT_EQ(chart.Series(5).Title, "M (l/min)");
  const size_t rows = chart.RowCount();
  EXPECT_GT(rows, 20u);
  EXPECT_TRUE(F_CONTROL->bSaveAs->isEnabled());

  // A heart-rate file lays HR and MBR over it and keeps its channels.
  F_CONTROL->bSaveAs->setEnabled(false);
  EXPECT_EQ(OpenFile(Data, 2, QStringLiteral("pulse"), true), mrOk);
  EXPECT_EQ(GLOB->HeartRatePath, In("pulse.hrm"));
  ASSERT_EQ(chart.ChannelCount(), 5);
  EXPECT_EQ(chart.Series(3).Title, "V (l)");
  EXPECT_EQ(chart.RowCount(), rows);
  EXPECT_EQ(chart.Series(6).Title, HrChannelTitle);
  EXPECT_EQ(chart.Series(7).Title, MbrChannelTitle);
  EXPECT_EQ(chart.Series(6).Count(), 10u);
  EXPECT_EQ(chart.Value(3, 9), 130);
  EXPECT_TRUE(F_CONTROL->bSaveAs->isEnabled());
}

TEST_F(FileBrowserTest, HeartRateOverAnEmptyChartStillGetsVFAndM) {
  WriteText(In("pulse.hrm"), "[Params]\r\nInterval=5\r\n[HRData]\r\n120\r\n");
  ASSERT_EQ(GLOB->Monitor.ChannelCount(), 0);
  EXPECT_EQ(OpenFile(Data, 2, QStringLiteral("pulse")), mrOk);
  EXPECT_EQ(GLOB->Monitor.ChannelCount(), 5);
  EXPECT_EQ(GLOB->Monitor.RowCount(), 0u);
}

TEST_F(FileBrowserTest, OpenWithoutASelectionDoesNothing) {
  WriteDevice(In("rest.vt1"), 5, 4);
  const std::string before = GLOB->OpenPath;
  const QStringList history = History();
  const int result = Browse([&] {
    FOpen->AdvDirectoryEdit1->setText(Q(Data));
    EXPECT_EQ(FOpen->AdvListView1->rowCount(), 1);
    FOpen->bOpen->click();
    return mrCancel;
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(GLOB->OpenPath, before);
  EXPECT_FALSE(GLOB->FileShown);
  EXPECT_EQ(History(), history);
}

TEST_F(FileBrowserTest, HistoryTakesTheLastDirectoryFirstAndKeepsTen) {
  std::vector<std::string> dirs;
  for (int i = 0; i <= 10; ++i) {
    dirs.push_back(Dir.File("d" + std::to_string(i)));
    std::filesystem::create_directory(dirs.back());
    WriteDevice((std::filesystem::path(dirs.back()) / "x.vt1").string(), 2, 1);
  }
  for (int i = 0; i < 10; ++i) ASSERT_EQ(OpenFile(dirs[i], 1, QStringLiteral("x")), mrOk);
  // The program's directory, first at the start, was the eleventh and has gone.
  ASSERT_EQ(History().size(), 10);
  EXPECT_EQ(History().front(), Q(dirs[9]));
  EXPECT_FALSE(History().contains(Q(Dir.Path().string())));

  // An eleventh new directory drops the oldest.
  ASSERT_EQ(OpenFile(dirs[10], 1, QStringLiteral("x")), mrOk);
  EXPECT_EQ(History().size(), 10);
  EXPECT_EQ(History().front(), Q(dirs[10]));
  EXPECT_FALSE(History().contains(Q(dirs[0])));
  // A directory already there moves to the top.
  ASSERT_EQ(OpenFile(dirs[5], 1, QStringLiteral("x")), mrOk);
  QStringList expected;
  for (int i : {5, 10, 9, 8, 7, 6, 4, 3, 2, 1}) expected << Q(dirs[static_cast<size_t>(i)]);
  EXPECT_EQ(History(), expected);
  EXPECT_EQ(OpenDirs(), expected);

  // Choosing an entry lists its directory and puts it first.
  Browse([&] {
    EXPECT_EQ(FOpen->AdvDirectoryEdit1->text(), Q(dirs[5]));
    emit FOpen->cmbHISTORY->activated(3);
    EXPECT_EQ(FOpen->AdvDirectoryEdit1->text(), Q(dirs[8]));
    EXPECT_EQ(FOpen->cmbHISTORY->currentIndex(), 0);
    EXPECT_EQ(Column(0), QStringList({"x"}));
    return mrCancel;
  });
  EXPECT_EQ(OpenDirs().front(), Q(dirs[8]));

  // The history survives a restart, and the browser starts from its first entry.
  F_CONTROL->bExit->click();
  Stop();
  StartAndShow();
  EXPECT_EQ(History().mid(0, 2), QStringList({Q(dirs[8]), Q(dirs[5])}));
  Browse([&] {
    EXPECT_EQ(FOpen->AdvDirectoryEdit1->text(), Q(dirs[8]));
    return mrCancel;
  });
}

TEST_F(FileBrowserTest, FilterBoxSetsTheThreshold) {
  EXPECT_TRUE(GLOB->VT1Filter);
  EXPECT_DOUBLE_EQ(GLOB->VT1FilterThreshold, 0.15);
  FOpen->Edit1->setText(QStringLiteral("30"));
  EXPECT_DOUBLE_EQ(GLOB->VT1FilterThreshold, 0.30);
  // A text that is no percentage keeps the last threshold.
  for (const char* bad : {"", "abc", "-5"}) {
    FOpen->Edit1->setText(QString::fromLatin1(bad));
    EXPECT_DOUBLE_EQ(GLOB->VT1FilterThreshold, 0.30) << bad;
  }
  FOpen->Edit1->setText(QStringLiteral("20"));
  FOpen->CheckBox1->setChecked(false);
  EXPECT_FALSE(GLOB->VT1Filter);
  EXPECT_FALSE(FOpen->Edit1->isEnabled());
  FOpen->CheckBox1->setChecked(true);
  EXPECT_TRUE(GLOB->VT1Filter);
  EXPECT_TRUE(FOpen->Edit1->isEnabled());
  EXPECT_DOUBLE_EQ(GLOB->VT1FilterThreshold, 0.20);
}

TEST_F(FileBrowserTest, BrowseButtonChoosesTheDirectory) {
  WriteDevice(In("rest.vt1"), 5, 4);
  Browse([&] {
    Modal.Expect([&](TModalWindow& chooser) {
      dynamic_cast<TFolderChooser&>(chooser).Chosen = Q(Data);
      return mrOk;
    });
    FOpen->AdvDirectoryEdit1Browse->click();
    EXPECT_EQ(FOpen->AdvDirectoryEdit1->text(), Q(Data));
    EXPECT_EQ(Column(0), QStringList({"rest"}));
    // Cancelled, the chooser changes nothing.
    Modal.ExpectResult(mrCancel);
    FOpen->AdvDirectoryEdit1Browse->click();
    EXPECT_EQ(FOpen->AdvDirectoryEdit1->text(), Q(Data));
    return mrCancel;
  });
  EXPECT_EQ(Modal.Shown(), (std::deque<std::string>{"TFOpen", "TFolderChooser", "TFolderChooser"}));
}

TEST_F(FileBrowserTest, TextsFollowTheLanguageOnScreen) {
  const struct {
    int Language;
    const char* Title;
    const char* Header;
    const char* Item;
    const char* Cancel;
  } cases[] = {
      {0, "Ventora: Load file", "Duration", "Laboratory  *.RL2", "Cancel"},
      {1, "Ventora: Загрузить файл", "Длительность", "Лабораторные *.RL2", "Покинуть"},
  };
  for (const auto& c : cases) {
    F_CONTROL->rLANGUAGEItems->button(c.Language)->click();
    Browse([&] {
      EXPECT_EQ(FOpen->windowTitle(), Q(c.Title));
      EXPECT_EQ(FOpen->AdvListView1->horizontalHeaderItem(2)->text(), Q(c.Header));
      EXPECT_EQ(FOpen->RadioGroup1Items->button(0)->text(), Q(c.Item));
      EXPECT_EQ(FOpen->bCancel->text(), Q(c.Cancel));
      return mrCancel;
    });
  }
}

TEST_F(FileBrowserTest, PlaceAndSizeComeFromTheSettingsAndGoBack) {
  const TSettings& s = GLOB->Settings;
  EXPECT_EQ(FOpen->size(), QSize(s.OpenWidth, s.OpenHeight));
  EXPECT_EQ(FOpen->pos(), QPoint(s.OpenLeft, s.OpenTop));
  Browse([] {
    FOpen->move(40, 50);
    FOpen->resize(820, 520);
    return mrCancel;
  });
  EXPECT_EQ(s.OpenLeft, 40);
  EXPECT_EQ(s.OpenTop, 50);
  EXPECT_EQ(s.OpenWidth, 820);
  EXPECT_EQ(s.OpenHeight, 520);
  F_CONTROL->bExit->click();
  Stop();
  StartAndShow();
  EXPECT_EQ(FOpen->size(), QSize(820, 520));
}

TEST_F(FileBrowserTest, ALargeDirectoryIsListedASliceAtATime) {
  for (int i = 0; i < 600; ++i) WriteDevice(In("f" + std::to_string(1000 + i) + ".vt1"), 1, 1);
  Browse([&] {
    FOpen->AdvDirectoryEdit1->setText(Q(Data));
    const int first = FOpen->AdvListView1->rowCount();
    EXPECT_GT(first, 0);
    EXPECT_LT(first, 600);
    // The rest comes from the event loop, in the order of the names.
    Loop.Advance(50);
    EXPECT_EQ(FOpen->AdvListView1->rowCount(), 600);
    EXPECT_EQ(FOpen->AdvListView1->item(599, 0)->text(), QStringLiteral("f1599"));
    // Listing another kind drops what is left of the old listing.
    FOpen->AdvDirectoryEdit1->setText(Q(Data + "/"));
    EXPECT_LT(FOpen->AdvListView1->rowCount(), 600);
    FOpen->RadioGroup1Items->button(0)->click();
    Loop.Advance(50);
    EXPECT_EQ(FOpen->AdvListView1->rowCount(), 0);
    return mrCancel;
  });
}

}  // namespace

namespace {

TEST_F(FileBrowserTest, OpenButtonSwitchesOnWhatAnOpenedFileNeeds) {
  WriteDevice(In("rest.vt1"), 30, 29);
  GLOB->Monitor.Chart.SubTitleLines = {"old result"};
  GLOB->Monitor.SetOption(coAutoScale, false);
  Modal.Expect([this](TModalWindow&) {
    FOpen->RadioGroup1Items->button(1)->click();
    FOpen->AdvDirectoryEdit1->setText(Q(Data));
    Select(QStringLiteral("rest"));
    FOpen->bOpen->click();
    return mrOk;
  });
  F_CONTROL->bOpen->click();
  EXPECT_EQ(F_MONITOR->windowTitle(), Q("Загружен файл: \"") + Q(In("rest.vt1")) + QLatin1Char('"'));
  EXPECT_TRUE(F_CONTROL->Button6->isVisibleTo(F_CONTROL->TabCalc));
  EXPECT_TRUE(F_CONTROL->bPrint->isEnabled());
  EXPECT_TRUE(F_CONTROL->bBMP->isEnabled());
  EXPECT_TRUE(F_CONTROL->cbAutoScale->isChecked());
  EXPECT_TRUE(GLOB->Monitor.Chart.SubTitleLines.empty());

  // A browser left with Cancel changes none of it.
  F_MONITOR->setWindowTitle(QStringLiteral("unchanged"));
  Modal.ExpectResult(mrCancel);
  F_CONTROL->bOpen->click();
  EXPECT_EQ(F_MONITOR->windowTitle(), QStringLiteral("unchanged"));
}

}  // namespace
