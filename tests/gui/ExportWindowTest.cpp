#include <filesystem>

#include "ProgramFixture.h"
#include "browser/U_Export.h"
#include "monitor/ChartView.h"
#include "monitor/U_Monitor.h"
#include "core/Glob.h"
#include "panel/U_Control.h"
#include "panel/U_Mesages.h"
#include "recording/LabFile.h"

namespace {

class ExportWindowTest : public ProgramFixture {
 protected:
  void SetUp() override {
    StartAndShow();
    GLOB->Monitor.AddDeviceChannels();
    for (int k = 0; k < 10; ++k) {
      const double values[] = {1.0, 20.0, 20.0};
      GLOB->Monitor.AppendRow(0, 0, values, 3, 1.0, "");
    }
    // As after opening a device file.
    F_CONTROL->bSaveAs->setEnabled(true);
  }
  // Answers the export dialog with a directory and a name.
  void Answer(const std::string& dir, const QString& name, int result = mrOk) {
    Modal.Expect([=](TModalWindow&) {
      FormExport->AdvDirectoryEdit1->setText(QString::fromStdString(dir));
      FormExport->AdvEdit1->setText(name);
      if (result == mrOk) FormExport->Button1Click();
      return result;
    });
  }
};

TEST_F(ExportWindowTest, ExportWritesTheFileAndKeepsItsHistory) {
  Answer(Dir.Path().string(), QStringLiteral("trial.txt"));
  F_CONTROL->bSaveAs->click();
  ASSERT_TRUE(std::filesystem::exists(Dir.File("trial.rl2")));
  TGLOB back(Dir.File("other"));
  ASSERT_EQ(ReadLabHeader(back, Dir.File("trial.rl2")), lrOk);
  EXPECT_EQ(back.RecordingHeader.DataCount, 10);

  // A directory typed and confirmed heads the history the next time; nothing is doubled.
  std::filesystem::create_directory(Dir.File("sub"));
  Answer(Dir.File("sub"), QStringLiteral("trial"));
  F_CONTROL->bSaveAs->click();
  EXPECT_TRUE(std::filesystem::exists(Dir.File("sub/trial.rl2")));
  Modal.Expect([](TModalWindow&) {
    EXPECT_EQ(FormExport->ComboBox1->count(), 2);
    EXPECT_EQ(FormExport->ComboBox1->itemText(0).toStdString(), FormExport->AdvDirectoryEdit1->text().toStdString());
    return mrCancel;
  });
  F_CONTROL->bSaveAs->click();
  EXPECT_EQ(FormExport->ComboBox1->itemText(0), QString::fromStdString(Dir.File("sub")));
}

TEST_F(ExportWindowTest, AFileThatCannotBeWrittenIsSaid) {
  Answer(Dir.File("missing"), QStringLiteral("x"));
  Modal.ExpectResult(mrYes);  // message 1
  F_CONTROL->bSaveAs->click();
  EXPECT_EQ(Modal.Shown(), (std::deque<std::string>{"TFormExport", "TF_MESAGE"}));
  EXPECT_EQ(F_MESAGE->Mes->text(), QString::fromUtf8(GLOB->MainText(1)));
}

}  // namespace

namespace {

TEST_F(ExportWindowTest, SnapshotsAreNumberedBitmapsOfTheChart) {
  GLOB->FileName = Dir.File("run.rl2");
  F_CONTROL->bBMP->setEnabled(true);
  F_CONTROL->bBMP->click();
  F_CONTROL->bBMP->click();
  for (const char* name : {"run[1].bmp", "run[2].bmp"}) {
    const QImage image(QString::fromStdString(Dir.File(name)));
    EXPECT_FALSE(image.isNull()) << name;
    EXPECT_EQ(image.size(), F_MONITOR->Monitor->size());
  }
  // Where no file can be written the operator is told.
  GLOB->FileName = Dir.File("missing/run.rl2");
  Modal.ExpectResult(mrYes);
  F_CONTROL->bBMP->click();
  EXPECT_EQ(Modal.Shown(), std::deque<std::string>{"TF_MESAGE"});
}

}  // namespace
