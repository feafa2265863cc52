// Discovery, the link and the information chain against the simulated VT4800, in virtual time.
#include <gtest/gtest.h>

#include "FakeDeviceView.h"
#include "TempDir.h"
#include "core/Glob.h"
#include "core/VirtualEventLoop.h"
#include "device/Devices.h"
#include "device/Discovery.h"
#include "device/SimulatedSerial.h"

namespace {

class SimulatedLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Glob.AppliedLanguage = 0;
    Glob.Monitor.InitChart();
    View.Discovery = &Discovery;
  }
  void StartScan() {
    Discovery.BuildPortList();
    Discovery.ScanTimer->SetEnabled(true);
  }
  // Runs until the device is linked and its list of files is read.
  TQLNDevice& LinkAndRead() {
    StartScan();
    for (int i = 0; i < 200 && !(Devices.First() && Devices.First()->FileListReady); ++i) Loop.Advance(50);
    EXPECT_NE(Devices.First(), nullptr);
    return *Devices.First();
  }
  std::vector<int> CodesSent() const {
    std::vector<int> codes;
    for (const auto& r : Serial.Device.Requests) codes.push_back(r.Code);
    return codes;
  }
  static bool Contains(const std::vector<int>& codes, std::vector<int> run) {
    return std::search(codes.begin(), codes.end(), run.begin(), run.end()) != codes.end();
  }

  TTempDir Dir;
  TVirtualEventLoop Loop{46000.5};
  TSimulatedSerialProvider Serial{Loop, {"COM3", "COM10", "COM1"}, "COM3"};
  TGLOB Glob{Dir.File("vt4800")};
  TFakeDeviceView View;
  TDeviceContext Context{Loop, Serial, Glob, View};
  TDevices Devices{Glob};
  TDiscovery Discovery{Context, Devices};
};

TEST_F(SimulatedLinkTest, ProbesPortsInTextOrderAndLinksTheOneThatAnswers) {
  StartScan();
  EXPECT_EQ(Glob.ComPortNames, (std::vector<std::string>{"COM1", "COM10", "COM3"}));
  Loop.Advance(3100);
  EXPECT_EQ(View.TextHistory[spPort],
            (std::vector<std::string>{"Search device on COM1", "Search device on COM10", "Search device on COM3",
                                      "Device connected to COM3"}));
  EXPECT_EQ(Serial.Device.Probes, 1);
  EXPECT_TRUE(View.Buttons[pbStart]);
  EXPECT_EQ(Devices.Count, 0);
  Loop.Advance(1000);  // the next tick links the port that answered and ends the scan
  ASSERT_EQ(Devices.Count, 1);
  EXPECT_EQ(Devices.First()->PortName, "COM3");
  EXPECT_FALSE(Discovery.ScanTimer->Enabled());
  EXPECT_EQ(View.Texts[spPort], "Device connected to COM3");
  EXPECT_EQ(Glob.PortScanFlags, (std::vector<int32_t>{1, 1, 0}));
}

TEST_F(SimulatedLinkTest, HandshakeAndTheWholeChainToIdle) {
  TQLNDevice& device = LinkAndRead();
  const auto& requests = Serial.Device.Requests;
  ASSERT_GE(requests.size(), 4u);
  EXPECT_EQ(requests[0].Code, rqGetDevice);
  for (size_t i = 1; i <= 3; ++i) EXPECT_EQ(requests[i].Code, rqSignal);
  EXPECT_EQ(requests[1].Parameter, 1300);
  EXPECT_EQ(requests[3].Parameter, 1500);
  EXPECT_GE(requests[2].AtMs - requests[1].AtMs, 50);
  EXPECT_GE(requests[3].AtMs - requests[2].AtMs, 50);

  const std::vector<int> codes = CodesSent();
  EXPECT_TRUE(Contains(codes, {rqGetSensor, rqGetMalarm, rqGetFileCnt, rqGetProduce, rqGetKDiv, rqGetUBatt, rqGetRTC,
                               rqGetData}));
  EXPECT_EQ(device.LinkMode, lmIdle);
  EXPECT_EQ(device.FileListReady, 1);
  EXPECT_EQ(device.FileCount, 3);
  for (int file = 1; file <= 3; ++file) {
    EXPECT_EQ(device.FileSizes[static_cast<size_t>(file)], static_cast<int>(Serial.Device.Files[static_cast<size_t>(file - 1)].size()));
    EXPECT_GT(device.FileStamps[static_cast<size_t>(file)], 45000);
  }
  EXPECT_EQ(device.FirmwareVersion, 23);
  EXPECT_EQ(device.Info.Rows[irDeviceNumber].Text, "4817");
  EXPECT_EQ(device.Info.Rows[irKDiv].Text, "3120");
  EXPECT_EQ(device.Info.Rows[irBattery].Text, "3.50");
  EXPECT_EQ(device.Info.Rows[irRecordingFiles].Text, "3");
  EXPECT_EQ(View.Texts[spReadiness], "Ready");
  EXPECT_EQ(View.Images[spBattery], siBatteryHalf);
}

TEST_F(SimulatedLinkTest, OlderFirmwareSkipsBatteryAndClock) {
  for (int firmware : {11, 12, 13, 20}) {
    SCOPED_TRACE(firmware);
    Serial.Device.FirmwareVersion = firmware;
    Serial.Device.Requests.clear();
    Glob.LastStatusShown = 0;
    View.Texts.clear();
    View.Images.clear();
    Glob.PortScanFlags.clear();
    Glob.ScanPos = -1;
    TQLNDevice& device = LinkAndRead();
    const std::vector<int> codes = CodesSent();
    const bool reads = Contains(codes, {rqGetKDiv, rqGetUBatt, rqGetRTC, rqGetData});
    EXPECT_EQ(reads, firmware >= 13);
    EXPECT_EQ(View.Texts[spReadiness], firmware >= 12 ? "Ready" : "");
    EXPECT_EQ(View.Images.count(spBattery) ? View.Images[spBattery] : -1, firmware >= 13 ? siBatteryHalf : -1);
    EXPECT_EQ(device.FileListReady, 1);
    Devices.Remove(0);
  }
}

TEST_F(SimulatedLinkTest, LiveValuesAreAcknowledged) {
  LinkAndRead();
  Loop.Advance(8000);
  EXPECT_NE(View.Displays[0], "0.0");
  EXPECT_NE(Devices.First()->Volume, 0);
  EXPECT_TRUE(Contains(CodesSent(), {rqAckData}));
}

TEST_F(SimulatedLinkTest, SilentDeviceIsDroppedAndTheScanGoesOn) {
  LinkAndRead();
  Serial.Device.Faults.Silent = true;
  Loop.Advance(450);
  ASSERT_EQ(Devices.Count, 1);
  Loop.Advance(300);
  EXPECT_EQ(Devices.Count, 0);
  EXPECT_EQ(View.Displays, (std::vector<std::string>{"?.?", "?", "?.?"}));
  EXPECT_TRUE(Discovery.ScanTimer->Enabled());
  EXPECT_EQ(Glob.PortScanFlags[2], 1);  // COM3 may be probed again
  // The scan goes on after the lost port and ends: the silent device answers no probe.
  Loop.Advance(2500);
  EXPECT_EQ(View.Texts[spPort], "Device not found");
  EXPECT_FALSE(Discovery.ScanTimer->Enabled());
  Serial.Device.Faults.Silent = false;
  Discovery.HTMLStatusBar1PanelClick(spLink);
  EXPECT_EQ(View.Texts[spReply], "---");
  Loop.Advance(5000);
  EXPECT_EQ(Devices.Count, 1);
}

TEST_F(SimulatedLinkTest, MalformedFramesShowDashesAndAreIgnored) {
  TQLNDevice& device = LinkAndRead();
  Serial.Device.Faults.MalformedFrames = true;
  const double volume = device.Volume;
  Loop.Advance(5000);
  EXPECT_EQ(View.Texts[spReply], "---");
  EXPECT_EQ(Devices.Count, 1);  // frames keep coming: the link holds
  EXPECT_EQ(Devices.First()->Volume, volume);
}

TEST_F(SimulatedLinkTest, BusyDeviceGetsNoNewRequest) {
  TQLNDevice& device = LinkAndRead();
  Serial.Device.Faults.Busy = true;
  Loop.Advance(300);
  const size_t before = Serial.Device.Requests.size();
  device.QueueCommand(rqGetKDiv, 0);
  Loop.Advance(1000);
  EXPECT_EQ(Serial.Device.Requests.size(), before);
  Serial.Device.Faults.Busy = false;
  Loop.Advance(500);
  EXPECT_EQ(Serial.Device.Requests[before].Code, rqGetKDiv);
}

TEST_F(SimulatedLinkTest, StatusBarClicks) {
  Discovery.HTMLStatusBar1PanelClick(spBattery);  // no device: nothing
  EXPECT_TRUE(View.Hints.empty());
  TQLNDevice& device = LinkAndRead();
  Discovery.HTMLStatusBar1PanelClick(spLink);  // linked: nothing
  EXPECT_FALSE(Discovery.ScanTimer->Enabled());
  Serial.Device.BatteryRaw = 0x8000;
  Discovery.HTMLStatusBar1PanelClick(spBattery);
  EXPECT_EQ(View.Hints[spBattery], "V BATT = 3.50V");  // the value known before the click
  Loop.Advance(300);
  EXPECT_DOUBLE_EQ(device.BatteryVolts, 4.0);
}

TEST_F(SimulatedLinkTest, PortsThatFailOrAreManyAreHandled) {
  Serial.Unopenable = {"COM10"};
  StartScan();
  Loop.Advance(2000);
  EXPECT_EQ(View.Texts[spPort], "Error COM portCOM10");
  EXPECT_EQ(Glob.PortScanFlags[1], 0);

  TVirtualEventLoop loop;
  std::vector<std::string> names;
  for (int i = 1; i <= 40; ++i) names.push_back("COM" + std::to_string(i));
  TSimulatedSerialProvider many(loop, names, "COM40");
  TDiscovery discovery({loop, many, Glob, View}, Devices);
  discovery.BuildPortList();
  EXPECT_EQ(Glob.PortScanFlags.size(), 40u);
}

}  // namespace
