// The link and the dispatcher against a line the test plays byte by byte.
#include <gtest/gtest.h>

#include "FakeDeviceView.h"
#include "ScriptedSerial.h"
#include "TempDir.h"
#include "core/DateTime.h"
#include "core/Glob.h"
#include "core/VirtualEventLoop.h"
#include "device/Devices.h"

namespace {

using TEntries = std::vector<std::pair<int, int>>;

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Glob.AppliedLanguage = 0;
    Glob.Monitor.InitChart();
    Devices.Add("COM1", Context);
    Device = Devices.First();
  }
  // The entries waiting in the ring, as (code, parameter); one half sent counts whole.
  TEntries Queued() const {
    TEntries entries;
    const int read = Device->QueueReadPos % 150;
    for (int pos = read - read % 3; pos != Device->QueueWritePos && entries.size() < 50; pos = (pos + 3) % 150)
      entries.emplace_back(Device->CommandQueue[pos],
                           Device->CommandQueue[pos + 1] * 256 + Device->CommandQueue[pos + 2]);
    return entries;
  }
  void DropQueue() { Device->QueueReadPos = Device->QueueWritePos; }
  // Identified and past the dispatcher's first frame, with nothing waiting.
  void Link(uint8_t firmware = 23) {
    Provider.Line.Deliver(Frame(0, rpData));
    Provider.Line.Deliver(Frame(0, rpData));
    Provider.Line.Deliver(Frame(0, rpDevice, {firmware, 0, 0}));
    DropQueue();
  }

  TTempDir Dir;
  TVirtualEventLoop Loop;
  TScriptedProvider Provider;
  TGLOB Glob{Dir.File("vt4800")};
  TFakeDeviceView View;
  TDeviceContext Context{Loop, Provider, Glob, View};
  TDevices Devices{Glob};
  TQLNDevice* Device = nullptr;
};

TEST_F(LinkTest, RequestsGoOutOneBytePerMillisecondWithPausesHonoured) {
  Device->QueueCommand(rqSignal, 1300);
  Device->QueueCommand(rqPause, 50);
  Device->QueueCommand(rqGetDevice, 0);
  Loop.Advance(3);
  EXPECT_EQ(Provider.Line.Written, (std::vector<uint8_t>{33, 5, 20}));
  Loop.Advance(49);
  EXPECT_EQ(Provider.Line.Written.size(), 3u);  // the pause sends nothing and holds the next byte
  Loop.Advance(4);
  EXPECT_EQ(Provider.Line.Written, (std::vector<uint8_t>{33, 5, 20, 1, 0, 0}));
}

TEST_F(LinkTest, RingWrapsAndRefusesToOverwriteWaitingEntries) {
  for (int i = 0; i < 49; ++i) EXPECT_GE(Device->QueueCommand(rqGetData, i), 0) << i;
  EXPECT_EQ(Device->QueueWritePos, 147);
  EXPECT_EQ(Device->QueueCommand(rqGetData, 99), -1);  // a 50th would make the ring look empty
  EXPECT_EQ(Device->RefusedCommands, 1);
  EXPECT_EQ(Device->PendingEntries(), 49);
  Loop.Advance(3);  // the first entry leaves: room for one more, which wraps to 0
  EXPECT_EQ(Device->QueueCommand(rqGetSensor, 7), 0);
  EXPECT_EQ(Queued().back(), (std::pair<int, int>{rqGetSensor, 7}));
  Loop.Advance(150);
  EXPECT_EQ(Provider.Line.Written.size(), 150u);
  EXPECT_TRUE(Queued().empty());
}

TEST_F(LinkTest, IdentificationQueuesTheHandshakeAndHandsOver) {
  Provider.Line.Deliver(Frame(0, rpData, {}));
  const TEntries handshake = {{rqGetDevice, 0}, {rqSignal, 1300}, {rqPause, 50}, {rqSignal, 1300},
                              {rqPause, 50},    {rqSignal, 1500}, {rqPause, 50}};
  EXPECT_EQ(Queued(), handshake);
  EXPECT_EQ(View.Displays, (std::vector<std::string>{"0.0", "0", "0.0"}));
  EXPECT_EQ(View.PanelsShown, 1);
  EXPECT_EQ(Glob.RecordingHeader.DeviceName, "VT4800");
  EXPECT_EQ(Glob.Monitor.ChannelCount(), 3);
  EXPECT_FALSE(View.Buttons[pbOpen]);
  EXPECT_FALSE(View.Buttons[pbSaveAs]);
  // The dispatcher's first frame asks for the device once more and is not decoded.
  Provider.Line.Deliver(Frame(0, rpDevice, {23, 0x39, 0x30}));
  EXPECT_EQ(Queued().back(), (std::pair<int, int>{rqGetDevice, 0}));
  EXPECT_EQ(Device->FirmwareVersion, 0);
}

TEST_F(LinkTest, OtherDevicesAndMalformedFramesAreNotLinked) {
  auto wrongType = Frame(0, rpData);
  wrongType[2] = 5;
  Provider.Line.Deliver(wrongType);
  auto wrongStart = Frame(0, rpData);
  wrongStart[0] = 0x54;
  Provider.Line.Deliver(wrongStart);
  EXPECT_FALSE(Device->Identified);
  EXPECT_TRUE(Queued().empty());
  EXPECT_TRUE(Device->WatchdogTimer->Enabled());
  Link();
  Provider.Line.Deliver(wrongStart);
  EXPECT_EQ(View.Texts[spReply], "---");
}

TEST_F(LinkTest, ShortReadKeepsTheTailOfTheLastFrame) {
  Link();
  Provider.Line.Deliver(Frame(0x01, rpData, {0x2C, 0x01, 0x98, 0x3A}));
  DropQueue();
  // Only five bytes arrive: a Data header whose values are still those of the last frame.
  Provider.Line.Deliver({0x55, 0, 4, 0x01, rpData});
  EXPECT_DOUBLE_EQ(Device->Volume, 3.0);
  EXPECT_EQ(Queued(), (TEntries{{rqAckData, 0}}));
}

TEST_F(LinkTest, RepliesDecodeAsTheWorkedExamplesSay) {
  Link();
  Provider.Line.Deliver(Frame(0, rpDevice, {23, 0x39, 0x30}));
  EXPECT_EQ(Device->FirmwareVersion, 23);
  EXPECT_EQ(Device->DeviceNumber, 12345);
  EXPECT_EQ(Device->Info.Rows[irDeviceNumber].Text, "12345");
  EXPECT_EQ(Queued(), (TEntries{{rqGetSensor, 0}}));
  DropQueue();

  Provider.Line.Deliver(Frame(0, rpMalarm, {1, 155, 0, 0xDC, 0x05}));
  EXPECT_EQ(Device->AlarmLow, 15);
  EXPECT_EQ(Device->AlarmHigh, 150);
  EXPECT_TRUE(Device->Info.Rows[irAlarmEnable].Checked);
  DropQueue();

  Provider.Line.Deliver(Frame(0, rpFileCnt, {4}));
  EXPECT_EQ(Device->FileCount, 3);
  DropQueue();
  for (uint8_t file : {1, 2, 3}) Provider.Line.Deliver(Frame(0, rpFileSize, {file, 0x1C, 0x01, 0, 0}));
  EXPECT_EQ(Queued(), (TEntries{{rqGetFileSize, 2}, {rqGetFileSize, 3}, {rqGetTimeStamp, 1}}));
  EXPECT_EQ(Device->FileSizes[2], 284);
  DropQueue();

  Provider.Line.Deliver(Frame(0, rpUBatt, {0x00, 0x80}));
  EXPECT_EQ(Device->Info.Rows[irBattery].Text, "4.00");
  EXPECT_EQ(Queued(), (TEntries{{rqGetRTC, 0}}));
  DropQueue();

  Provider.Line.Deliver(Frame(0, rpRTC, {0x59, 0x30, 0x23, 0x31, 0x12, 0x09}));
  const TDateTimeParts clock = DecodeDateTime(Device->Info.Rows[irClock].DateTime);
  const TDateTimeParts date = DecodeDateTime(Device->Info.Rows[irCalendar].DateTime);
  EXPECT_EQ(std::vector<int>({clock.Hour, clock.Minute, clock.Second}), std::vector<int>({23, 30, 59}));
  EXPECT_EQ(std::vector<int>({date.Year, date.Month, date.Day}), std::vector<int>({2009, 12, 31}));
  EXPECT_EQ(Queued(), (TEntries{{rqGetData, 0}}));
  DropQueue();

  Provider.Line.Deliver(Frame(0, rpRTC, {0x10, 0x10, 0x10, 0x01, 0x13, 0x09}));
  EXPECT_EQ(Queued(), (TEntries{{rqPause, 200}, {rqRequest32, 0}, {rqPause, 50}, {rqGetData, 0}}));
  EXPECT_EQ(DecodeDateTime(Device->Info.Rows[irCalendar].DateTime).Day, 31);  // unchanged
  DropQueue();

  Provider.Line.Deliver(Frame(0, rpTimeStamp, {40, 0x09, 0x03, 0x14, 0x10, 0x22, 0x05}));
  EXPECT_EQ(Device->FileIndex, 30);
  EXPECT_NE(Device->FileStamps[30], 0);
  DropQueue();

  for (uint8_t mode : {lmIdle, lmReadingInfo, lmDownloading, lmFileDone, lmSettingWritten}) {
    Device->LinkMode = mode;
    Provider.Line.Deliver(Frame(0, rpClock));
    EXPECT_EQ(Queued(), (TEntries{{rqGetDevice, 0}})) << int(mode);
    DropQueue();
  }
}

TEST_F(LinkTest, DataRepliesCarryTheLiveValuesWhenFlagged) {
  Link();
  Provider.Line.Deliver(Frame(0x00, rpData, {0x2C, 0x01, 0x98, 0x3A}));
  EXPECT_TRUE(Queued().empty());
  EXPECT_EQ(View.Displays, (std::vector<std::string>{"0.0", "0", "0.0"}));
  Provider.Line.Deliver(Frame(0x01, rpData, {0x2C, 0x01, 0x98, 0x3A}));
  EXPECT_EQ(Queued(), (TEntries{{rqAckData, 0}}));
  EXPECT_DOUBLE_EQ(Device->Ventilation, 45.0);
  EXPECT_EQ(View.Displays, (std::vector<std::string>{"3.00", "15.0", "45.0"}));
  EXPECT_EQ(Device->Info.Rows[irBpm].Text, "15.0");
  DropQueue();
  Device->LinkMode = lmFileDone;
  Provider.Line.Deliver(Frame(0x01, rpData, {0x10, 0x00, 0x98, 0x3A}));
  EXPECT_TRUE(Queued().empty());
  EXPECT_DOUBLE_EQ(Device->Volume, 3.0);
}

TEST_F(LinkTest, StatusFollowsTheFirmware) {
  struct Case {
    uint8_t Firmware;
    uint8_t Status;
    std::string Readiness;
    int LinkImage, BatteryImage;
  };
  const Case cases[] = {{11, 0x71, "", siLinkedValues, siNoBattery},
                        {12, 0x22, "Busy", siLinked, siNoBattery},
                        {13, 0x30, "Ready", siLinked, siBatteryQuarter},
                        {20, 0xF1, "Ready", siLinkedValues, siBatteryFull}};
  Link();
  for (const Case& c : cases) {
    Provider.Line.Deliver(Frame(0, rpDevice, {c.Firmware, 0, 0}));
    Glob.LastStatusShown = 0;
    View.Texts[spReadiness] = "";
    View.Images[spBattery] = siNoBattery;
    Device->BatteryLevelShown = 255;
    Provider.Line.Deliver(Frame(c.Status, rpUBatt, {0, 0x80}));
    EXPECT_EQ(View.Texts[spReadiness], c.Readiness) << int(c.Firmware);
    EXPECT_EQ(View.Images[spLink], c.LinkImage) << int(c.Firmware);
    EXPECT_EQ(View.Images[spBattery], c.BatteryImage) << int(c.Firmware);
  }
  // The same status again changes nothing; a level of 0 keeps the image.
  View.Images[spBattery] = 99;
  Device->ShowStatus(0xF1);
  EXPECT_EQ(View.Images[spBattery], 99);
  Device->ShowStatus(0x01);
  EXPECT_EQ(View.Images[spBattery], 99);
}

TEST_F(LinkTest, BusyDeviceHoldsTheNextEntryButFinishesTheOneBegun) {
  Link();
  Device->QueueCommand(rqGetSensor, 0);
  Device->QueueCommand(rqGetMalarm, 0);
  Loop.Advance(1);
  Provider.Line.Deliver(Frame(StatusBusy, rpData));
  Loop.Advance(20);
  EXPECT_EQ(Provider.Line.Written, (std::vector<uint8_t>{2, 0, 0}));
  Provider.Line.Deliver(Frame(0, rpData));
  Loop.Advance(3);
  EXPECT_EQ(Provider.Line.Written, (std::vector<uint8_t>{2, 0, 0, 6, 0, 0}));
}

TEST_F(LinkTest, SilenceDropsTheLinkAndEndsAWaitForTheQueue) {
  Link();
  View.Recording = true;
  Device->Busy = true;  // nothing will leave
  bool waited = false;
  auto waiter = Loop.CreateTimer(10, true, [&] {
    Devices.First()->QueueCommandAndWait(rqRequest35, 0);
    waited = true;
  });
  Loop.Advance(10);
  waiter->SetEnabled(false);
  EXPECT_TRUE(waited);
  EXPECT_EQ(Devices.Count, 0);
  EXPECT_EQ(Glob.DeviceCount, 0);
  EXPECT_EQ(View.RecordingsStopped, 1);
  EXPECT_EQ(View.PanelsRemoved, 1);
  EXPECT_EQ(View.Displays, (std::vector<std::string>{"?.?", "?", "?.?"}));
  EXPECT_EQ(View.Images[spLink], siNoDevice);
  EXPECT_EQ(View.Images[spBattery], siNoBattery);
  EXPECT_TRUE(View.Buttons[pbOpen]);
  EXPECT_FALSE(View.Buttons[pbStart]);
  EXPECT_EQ(Glob.Monitor.SeriesCount(), 0);
}

TEST_F(LinkTest, PortThatWillNotOpenIsDroppedLikeASilentDevice) {
  Devices.Remove(0);
  Provider.Line.RefuseOpen = true;
  Devices.Add("COM7", Context);
  EXPECT_EQ(View.Texts[spPort], "Error COM portCOM7");
  Loop.Advance(500);
  EXPECT_EQ(Devices.Count, 0);
}

TEST_F(LinkTest, RowEditsQueueTheirRequests) {
  Link();
  auto edit = [&](int row, auto change) {
    TInfoRow& r = Device->Info.Rows[static_cast<size_t>(row)];
    change(r);
    r.Modified = true;
    Device->OnInfoRowEdited(row);
    EXPECT_FALSE(r.Modified);
    const TEntries queued = Queued();
    DropQueue();
    return queued;
  };
  EXPECT_EQ(edit(irClock, [](TInfoRow& r) { r.DateTime = (7 * 3600 + 5 * 60 + 9) / 86400.0; }),
            (TEntries{{rqRequest32, 0}, {rqSetHour, 0x07}, {rqSetMinute, 0x05}, {rqSetSecond, 0x09}, {rqGetRTC, 0}}));
  EXPECT_EQ(Device->LinkMode, lmSettingWritten);
  EXPECT_EQ(edit(irProduceDate, [](TInfoRow& r) { r.DateTime = EncodeDateTime({2009, 3, 14}); }),
            (TEntries{{rqRequest32, 0}, {rqSetProduceDayMonth, 782}, {rqPause, 50}, {rqSetProduceYear, 9}}));
  EXPECT_EQ(edit(irVersionFW, [](TInfoRow& r) { r.Text = "99"; }), (TEntries{{rqRequest32, 0}}));
  EXPECT_EQ(edit(irAlarmLow, [](TInfoRow& r) { r.Text = "15"; }), (TEntries{{rqRequest32, 0}, {rqSetAlarmLow, 150}}));
  EXPECT_EQ(edit(irAlarmHigh, [](TInfoRow& r) { r.Text = "lots"; }), (TEntries{{rqRequest32, 0}}));
  // A number this large once overflowed on its way to tenths.
  EXPECT_EQ(edit(irAlarmHigh, [](TInfoRow& r) { r.Text = "999999999"; }),
            (TEntries{{rqRequest32, 0}, {rqSetAlarmHigh, (999999999LL * 10) & 0xFFFF}}));
  EXPECT_EQ(edit(irCalendar, [](TInfoRow& r) { r.DateTime = EncodeDateTime({2085, 1, 2}); }),
            (TEntries{{rqRequest32, 0}, {rqSetYear, 0xFF85}, {rqSetMonth, 1}, {rqSetDay, 2}, {rqGetRTC, 0}}));
  EXPECT_EQ(edit(irFormatMemory, [](TInfoRow& r) { r.Checked = true; }),
            (TEntries{{rqRequest32, 0}, {rqFormatMemory, 0}}));
  EXPECT_FALSE(Device->Info.Rows[irFormatMemory].Checked);

  edit(irEditEnable, [](TInfoRow& r) { r.Checked = true; });
  for (int row : {irVolume, irBpm, irVentilation, irRecordingFiles, irBattery})
    EXPECT_FALSE(Device->Info.Rows[static_cast<size_t>(row)].Visible) << row;
  EXPECT_FALSE(Device->Info.Rows[irKDiv].ReadOnly);
  edit(irEditEnable, [](TInfoRow& r) { r.Checked = false; });
  EXPECT_TRUE(Device->Info.Rows[irBattery].Visible);
  EXPECT_TRUE(Device->Info.Rows[irKDiv].ReadOnly);

  // A row left unchanged queues nothing.
  Device->OnInfoRowEdited(irKDiv);
  EXPECT_TRUE(Queued().empty());
}

}  // namespace
