#include <QFile>
#include <QRegularExpression>

#include "ProgramFixture.h"
#include "core/Glob.h"
#include "core/qt/FileSaver.h"
#include "core/qt/QtText.h"
#include "monitor/ChartPainter.h"
#include "monitor/MonitorChart.h"
#include "monitor/PrintPreview.h"
#include "monitor/U_Print.h"
#include "panel/U_Control.h"

namespace {

class PrintWindowTest : public ProgramFixture {
 protected:
  void SetUp() override {
    StartAndShow();
    F_CONTROL->rLANGUAGEItems->button(0)->click();
    GLOB->Monitor.AddDeviceChannels();
    for (int k = 0; k < 120; ++k) {
      const double values[] = {1.0 + k % 3, 12.0, 12.0 + k % 7};
      GLOB->Monitor.AppendRow(0, 0, values, 3, 1.0, "");
    }
    GLOB->FileName = Dir.File("step test.rl2");
    GLOB->RecordingHeader.StartTime = 39904.5;
    GLOB->RecordingHeader.LoadedInterval = 0.5;
    GLOB->RecordingHeader.Description = "Step test";
  }
  // Print is pressed in the window; the file chooser answers with the given file.
  void ExpectPrintTo(const QString& pdf) {
    Modal.Expect([](TModalWindow& w) {
      auto& print = dynamic_cast<TFPrint&>(w);
      print.cmbPRINTERSChange(print.PdfIndex());
      print.bPrintClick();
      return mrOk;
    });
    Modal.Expect([pdf](TModalWindow& w) {
      dynamic_cast<TFileSaver&>(w).Chosen = pdf;
      return mrOk;
    });
  }
  // The pages of a PDF and the size of the first one, from its page dictionaries.
  static std::pair<int, QSizeF> PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {0, {}};
    const QString text = QString::fromLatin1(file.readAll());
    const int pages = static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)")).match(text);
    return {pages, box.hasMatch() ? QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble()) : QSizeF()};
  }
  TChart& Chart() { return GLOB->Monitor.Chart; }
};

TEST_F(PrintWindowTest, TheOpenWindowShowsThePrintLookAndTheTitleFollowsTheBoxes) {
  GLOB->Settings.ShowLegend = true;
  Chart().LegendVisible = true;
  Modal.Expect([this](TModalWindow& w) {
    auto& print = dynamic_cast<TFPrint&>(w);
    EXPECT_EQ(print.windowTitle(), QStringLiteral("Ventora: Print window"));
    EXPECT_FALSE(Chart().LegendVisible);
    EXPECT_EQ(Chart().TitleColor, clBlack);
    EXPECT_TRUE(Chart().TitleVisible);
    EXPECT_EQ(Chart().TitleLines.size(), 4u);
    if (Chart().TitleLines.size() == 4) {
      EXPECT_EQ(Chart().TitleLines[0], "File : step test.rl2");
      EXPECT_EQ(Chart().TitleLines[3], "Sample interval (s) : 0.5");
    }
    for (QCheckBox* box : {print.cbFNAME, print.cbDATE, print.cbDESCR, print.cbSINTERVAL}) box->click();
    EXPECT_TRUE(Chart().TitleLines.empty());
    EXPECT_FALSE(Chart().TitleVisible);
    print.cbDATE->click();
    EXPECT_EQ(Chart().TitleLines.size(), 1u);
    EXPECT_TRUE(Chart().TitleVisible);
    print.bCancel->click();
    return mrCancel;
  });
  F_CONTROL->bPrintClick();
  EXPECT_EQ(Modal.Pending(), 0u);
  EXPECT_FALSE(Chart().TitleVisible);
  EXPECT_TRUE(Chart().LegendVisible);
  EXPECT_FALSE(GLOB->Settings.PrintFileName);
  EXPECT_TRUE(GLOB->Settings.PrintDate);
}

TEST_F(PrintWindowTest, AnEmptyDescriptionDisablesItsBox) {
  GLOB->RecordingHeader.Description.clear();
  Modal.Expect([](TModalWindow& w) {
    EXPECT_FALSE(dynamic_cast<TFPrint&>(w).cbDESCR->isEnabled());
    return mrCancel;
  });
  F_CONTROL->bPrintClick();
}

TEST_F(PrintWindowTest, WithoutPrintersThePdfFileIsTheChoiceAndPrintsOnePage) {
  // This machine has no printers, so the list holds the PDF file alone and it is selected.
  ASSERT_EQ(FPrint->PdfIndex(), 0) << "a printer is installed here";
  EXPECT_EQ(FPrint->cmbPRINTERS->currentIndex(), FPrint->PdfIndex());
  for (bool landscape : {true, false}) {
    const QString pdf = Q(Dir.File(landscape ? "landscape.pdf" : "portrait.pdf"));
    Modal.Expect([landscape](TModalWindow& w) {
      auto& print = dynamic_cast<TFPrint&>(w);
      (landscape ? print.rbLadscape : print.rbPortraite)->click();
      EXPECT_EQ(print.Preview->PageLayout().orientation(), landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
      const QRectF sheet = print.Preview->SheetRect();
      EXPECT_EQ(sheet.width() > sheet.height(), landscape);
      print.bPrint->click();
      return mrOk;
    });
    Modal.Expect([pdf](TModalWindow& w) {
      dynamic_cast<TFileSaver&>(w).Chosen = pdf;
      return mrOk;
    });
    F_CONTROL->bPrintClick();
    EXPECT_EQ(Modal.Pending(), 0u);
    const auto [pages, size] = PdfPages(pdf);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(size.width() > size.height(), landscape) << size.width() << " x " << size.height();
  }
}

TEST_F(PrintWindowTest, PrintingPutsTheScreenLookBack) {
  for (bool colour : {true, false}) {
    for (bool legend : {true, false}) {
      GLOB->Settings.PrintColor = colour;
      GLOB->Settings.ShowLegend = legend;
      ExpectPrintTo(Q(Dir.File("page.pdf")));
      F_CONTROL->bPrintClick();
      EXPECT_EQ(FPrint->Printer.colorMode(), colour ? QPrinter::Color : QPrinter::GrayScale);
      for (int axis : {TMonitorChart::ClockAxisIndex, TMonitorChart::ElapsedAxisIndex})
        EXPECT_EQ(GLOB->Monitor.Axis(axis).Color, clLightGrey);
      EXPECT_EQ(Chart().LegendVisible, legend);
      EXPECT_FALSE(Chart().TitleVisible);
      EXPECT_EQ(Chart().SubTitleColor, clRed);
    }
  }
}

TEST_F(PrintWindowTest, AMonochromePageHasNoColourAndAColourPageHas) {
  const auto coloured = [this](bool monochrome) {
    const QImage page = RenderChartImage(GLOB->Monitor, QSize(600, 400), TPaintOptions{true, monochrome});
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) {
        const QColor c = page.pixelColor(x, y);
        if (c.red() != c.green() || c.green() != c.blue()) return true;
      }
    return false;
  };
  EXPECT_FALSE(coloured(true));
  EXPECT_TRUE(coloured(false));
}

TEST_F(PrintWindowTest, AFileThatCannotBeWrittenIsSaidAndTheWindowStaysOpen) {
  ExpectPrintTo(Q(Dir.File("no such directory/page.pdf")));
  Modal.Expect([](TModalWindow& w) {
    EXPECT_EQ(w.ModalName(), "TF_MESAGE");
    return mrOk;
  });
  F_CONTROL->bPrintClick();
  EXPECT_EQ(Modal.Pending(), 0u);
}

TEST_F(PrintWindowTest, TheOrientationIsRememberedForTheNextRun) {
  Modal.Expect([](TModalWindow& w) {
    dynamic_cast<TFPrint&>(w).rbPortraite->click();
    return mrCancel;
  });
  F_CONTROL->bPrintClick();
  F_CONTROL->bExitClick();
  Stop();
  StartAndShow();
  EXPECT_TRUE(FPrint->rbPortraite->isChecked());
  EXPECT_EQ(FPrint->Preview->PageLayout().orientation(), QPageLayout::Portrait);
}

}  // namespace
