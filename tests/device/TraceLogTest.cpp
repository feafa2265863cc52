// The traffic log of a whole session with the simulated device, in virtual time.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FakeDeviceView.h"
#include "TempDir.h"
#include "core/Glob.h"
#include "core/VirtualEventLoop.h"
#include "device/Devices.h"
#include "device/SimulatedSerial.h"
#include "device/TraceLog.h"

namespace {

struct TEvent {
  double Ms;
  std::string What;  // the line after the time
};

std::vector<TEvent> ReadLog(const std::string& path) {
  std::vector<TEvent> events;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const size_t blank = line.find(' ');
    events.push_back({std::stod(line.substr(0, blank)), line.substr(blank + 1)});
  }
  return events;
}

TEST(TraceLog, RecordsAWholeSessionInOrder) {
  TTempDir dir;
  TVirtualEventLoop loop;
  TSimulatedSerialProvider simulated(loop, {"COM1", "COM3"}, "COM3");
  TTraceLog log(loop);
  std::string error;
  ASSERT_TRUE(log.Open(dir.File("link.log"), error)) << error;
  TTracingSerialProvider serial(simulated, log);
  TGLOB glob(dir.File("vt4800"));
  glob.Monitor.InitChart();
  TFakeDeviceView view;
  TDevices devices(glob);
  TDiscovery discovery({loop, serial, glob, view, &log}, devices);
  view.Discovery = &discovery;
  discovery.BuildPortList();
  discovery.ScanTimer->SetEnabled(true);
  loop.Advance(12000);  // probe, link, chain, live values
  simulated.Device.Faults.Silent = true;
  loop.Advance(700);
  ASSERT_EQ(devices.Count, 0);

  const std::vector<TEvent> events = ReadLog(dir.File("link.log"));
  auto find = [&](const std::string& what, size_t from = 0) {
    for (size_t i = from; i < events.size(); ++i)
      if (events[i].What == what) return i;
    return events.size();
  };
  const size_t probe = find("tx COM3 00");
  ASSERT_LT(probe, events.size());
  EXPECT_LT(find("open COM1"), probe);
  EXPECT_LT(find("close COM1"), probe);
  ASSERT_LT(probe + 2, events.size());
  EXPECT_EQ(events[probe + 1].What, "dsr COM3");
  EXPECT_EQ(events[probe + 2].What.rfind("rx COM3 55 ", 0), 0u);

  // The link: the identification's GetDevice, then the three signals 50 ms apart.
  const size_t link = find("open COM3", find("close COM3", probe));
  ASSERT_LT(link, events.size());
  std::vector<TEvent> sent;
  for (size_t i = link; i < events.size(); ++i)
    if (events[i].What.rfind("tx COM3 ", 0) == 0) sent.push_back(events[i]);
  ASSERT_GE(sent.size(), 12u);
  std::string first12;
  for (size_t i = 0; i < 12; ++i) first12 += sent[i].What.substr(8) + " ";
  EXPECT_EQ(first12, "01 00 00 21 05 14 21 05 14 21 05 DC ");
  for (size_t i = 1; i < sent.size(); ++i) EXPECT_GE(sent[i].Ms - sent[i - 1].Ms, 1.0) << sent[i].What;
  EXPECT_GE(sent[6].Ms - sent[5].Ms, 50.0);  // the pause after the first signal
  EXPECT_GE(sent[9].Ms - sent[8].Ms, 50.0);

  // Live values and their acknowledgements, then the loss.
  std::ostringstream all;
  for (const TEvent& e : events) all << e.What << "\n";
  EXPECT_NE(all.str().find("tx COM3 18\n"), std::string::npos);  // AckData
  const size_t lost = find("lost COM3");
  ASSERT_LT(lost, events.size());
  EXPECT_EQ(events[lost + 1].What, "close COM3");
  for (size_t i = 1; i < events.size(); ++i) ASSERT_GE(events[i].Ms, events[i - 1].Ms);
}

TEST(TraceLog, FileThatCannotBeCreatedIsAnError) {
  TVirtualEventLoop loop;
  TTraceLog log(loop);
  std::string error;
  EXPECT_FALSE(log.Open("/no/such/directory/link.log", error));
  EXPECT_FALSE(error.empty());
  log.Line("nothing happens");
}

}  // namespace
