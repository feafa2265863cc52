#include "ProgramFixture.h"
#include "core/Glob.h"
#include "device/Devices.h"
#include "panel/DisplayWidget.h"
#include "panel/StatusBarWidget.h"
#include "panel/U_Control.h"

namespace {

class DeviceStatusTest : public ProgramFixture {
 protected:
  void SetUp() override {
    PortNames = {"COM1", "COM3", "COM10"};
    DevicePort = "COM3";
  }
  QString PanelText(int panel) const { return F_CONTROL->HTMLStatusBar1->Panel(panel).Text; }
  int PanelImage(int panel) const { return F_CONTROL->HTMLStatusBar1->Panel(panel).Image; }
  QStringList Displays() const {
    return {F_CONTROL->DispV->text(), F_CONTROL->DispF->text(), F_CONTROL->DispM->text()};
  }
};

TEST_F(DeviceStatusTest, StatusBarAndDisplaysFollowTheLink) {
  StartAndShow();
  F_CONTROL->rLANGUAGEItems->button(0)->click();
  EXPECT_EQ(PanelImage(spBattery), siNoBattery);
  Loop.Advance(1000);
  EXPECT_EQ(PanelText(spPort), QStringLiteral("Search device on COM1"));
  Loop.Advance(2010);
  EXPECT_EQ(PanelText(spPort), QStringLiteral("Device connected to COM3"));
  EXPECT_TRUE(F_CONTROL->bSTART->isEnabled());
  Loop.Advance(1000);  // linked now; the first frame identifies the device
  Loop.Advance(30);
  ASSERT_NE(Devices->First(), nullptr);
  EXPECT_EQ(Displays(), QStringList({"0.0", "0", "0.0"}));
  EXPECT_EQ(F_CONTROL->AdvNavBar1->count(), 1);
  EXPECT_EQ(F_CONTROL->AdvNavBar1->itemText(0), QStringLiteral("VT4800"));

  Loop.Advance(8000);
  EXPECT_NE(Displays()[0], QStringLiteral("0.0"));
  EXPECT_EQ(PanelText(spReadiness), QStringLiteral("Ready"));
  EXPECT_GE(PanelImage(spLink), siLinked);
  EXPECT_EQ(PanelImage(spBattery), siBatteryHalf);
  EXPECT_FALSE(F_CONTROL->bOpen->isEnabled());

  Serial->Device.Faults.Silent = true;
  Loop.Advance(600);
  EXPECT_EQ(Devices->First(), nullptr);
  EXPECT_EQ(Displays(), QStringList({"?.?", "?", "?.?"}));
  EXPECT_EQ(PanelImage(spLink), siNoDevice);
  EXPECT_EQ(PanelImage(spBattery), siNoBattery);
  EXPECT_EQ(F_CONTROL->AdvNavBar1->count(), 0);
  EXPECT_TRUE(F_CONTROL->bOpen->isEnabled());
  EXPECT_FALSE(F_CONTROL->bSTART->isEnabled());
  EXPECT_TRUE(F_CONTROL->Discovery->ScanTimer->Enabled());
}

TEST_F(DeviceStatusTest, ExitWithADeviceSendsTheClosingRequestFirst) {
  StartAndShow();
  Loop.Advance(4100);
  ASSERT_NE(Devices->First(), nullptr);
  const size_t before = Serial->Device.Requests.size();
  F_CONTROL->bExit->click();
  EXPECT_TRUE(Loop.QuitRequested());
  bool sent = false;
  for (size_t i = before; i < Serial->Device.Requests.size(); ++i)
    sent |= Serial->Device.Requests[i].Code == rqRequest35;
  EXPECT_TRUE(sent);
}

}  // namespace
