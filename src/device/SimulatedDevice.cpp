#include "device/SimulatedDevice.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "core/DateTime.h"
#include "device/Protocol.h"

namespace {

constexpr double FrameGapMs = 3;      // the device leaves the line quiet between frames
constexpr double IdleFrameMs = 200;   // a Data frame this often when nothing else is due
constexpr double AnswerDelayMs = 0.5; // time to think before a reply goes out
constexpr int ResendMs = 150;         // an FTP block without an answer is sent again

uint8_t Bcd(int value) { return static_cast<uint8_t>(((value / 10) << 4) | (value % 10)); }
int FromBcd(uint8_t bcd) { return (bcd >> 4) * 10 + (bcd & 0x0F); }

// Breath values of a test: rest, exercise with a rising load, recovery.
void Profile(double t, double& v, double& f) {
  const double rest = 180, work = 420;
  double load;
  if (t < rest)
    load = 0;
  else if (t < rest + work)
    load = (t - rest) / work;
  else
    load = std::exp(-(t - rest - work) / 90.0);
  v = 0.65 + 1.9 * load;
  f = 13 + 22 * load;
}

}  // namespace

TSimulatedVT4800::TSimulatedVT4800(TEventLoop& loop) : Loop(loop) {
  FrameTimer = Loop.CreateTimer(1, false, [this] { FrameTimerTimer(); });
  BreathTimer = Loop.CreateTimer(3000, true, [this] { Breathe(); });
  ResendTimer = Loop.CreateTimer(ResendMs, false, [this] { SendBlock(true); });
  GenerateRecordings(3);
}

TSimulatedVT4800::~TSimulatedVT4800() = default;

std::vector<uint8_t> TSimulatedVT4800::MakeRecording(double start, int breaths, uint32_t seed) {
  std::vector<uint8_t> image;
  const TDateTimeParts p = DecodeDateTime(start);
  for (int value : {p.Year - 2000, p.Month, p.Day, p.Hour, p.Minute, p.Second}) image.push_back(Bcd(value));
  image.push_back(0x01);
  image.push_back(0x00);
  std::mt19937 random(seed);
  std::normal_distribution<double> noise(0, 0.04);
  double t = 0;
  for (int i = 0; i < breaths; ++i) {
    double v, f;
    Profile(t, v, f);
    v *= 1 + noise(random);
    f *= 1 + noise(random);
    const int rawV = std::clamp(static_cast<int>(std::lround(v * 100)), 1, 65535);
    const int rawF = std::clamp(static_cast<int>(std::lround(f * 1000)), 1000, 65535);
    image.push_back(static_cast<uint8_t>(rawV >> 8));
    image.push_back(static_cast<uint8_t>(rawV));
    image.push_back(static_cast<uint8_t>(rawF >> 8));
    image.push_back(static_cast<uint8_t>(rawF));
    t += 60.0 / f;
  }
  for (uint8_t b : {0x45, 0x4E, 0x44, 0x00}) image.push_back(b);  // "END" and a zero
  return image;
}

void TSimulatedVT4800::GenerateRecordings(int count) {
  Files.clear();
  const double yesterday = std::floor(SystemNow()) - 1;
  for (int i = 0; i < count; ++i)
    Files.push_back(MakeRecording(yesterday - (count - 1 - i) + (9.5 + i * 0.5) / 24, 250 + 40 * i,
                                  static_cast<uint32_t>(i + 1)));
}

void TSimulatedVT4800::Connect(std::function<void(const std::vector<uint8_t>&)> deliver) {
  Deliver = std::move(deliver);
  IncomingCount = 0;
  Talking = Awake;
  Outgoing.clear();
  Schedule();
}

void TSimulatedVT4800::Disconnect() {
  Deliver = nullptr;
  Talking = false;
  Outgoing.clear();
  FrameTimer->SetEnabled(false);
  ResendTimer->SetEnabled(false);
  TransferFile = 0;
}

double TSimulatedVT4800::DeviceNow() const { return Loop.Now() + ClockOffset; }

void TSimulatedVT4800::ReceiveByte(uint8_t byte) {
  if (!Deliver || Faults.Silent) return;
  Talking = true;
  // A zero byte where a request would start is the probe: answer it with a frame.
  if (IncomingCount == 0 && byte == ProbeByte) {
    ++Probes;
    Awake = true;
    QueueFrame(DataFrame());
    return;
  }
  Incoming[static_cast<size_t>(IncomingCount++)] = byte;
  if (IncomingCount < 3) return;
  IncomingCount = 0;
  const int parameter = Incoming[1] * 256 + Incoming[2];
  Requests.push_back({Incoming[0], parameter, Loop.ElapsedMs()});
  HandleRequest(Incoming[0], parameter);
  Schedule();
}

std::array<uint8_t, 25> TSimulatedVT4800::NewFrame(uint8_t code) const {
  std::array<uint8_t, 25> frame{};
  frame[0] = Faults.MalformedFrames ? 0x54 : FrameStart;
  frame[2] = Faults.DeviceType;
  frame[3] = static_cast<uint8_t>((NewValues ? StatusValues : 0) | (Faults.Busy ? StatusBusy : 0) |
                                  (BatteryLevel & StatusBatteryMask));
  frame[4] = code;
  return frame;
}

std::array<uint8_t, 25> TSimulatedVT4800::DataFrame() const {
  std::array<uint8_t, 25> frame = NewFrame(rpData);
  const int v = static_cast<int>(std::lround(Volume * 100));
  const int f = static_cast<int>(std::lround(Frequency * 1000));
  frame[5] = static_cast<uint8_t>(v);
  frame[6] = static_cast<uint8_t>(v >> 8);
  frame[7] = static_cast<uint8_t>(f);
  frame[8] = static_cast<uint8_t>(f >> 8);
  return frame;
}

void TSimulatedVT4800::Reply(uint8_t code, std::initializer_list<std::pair<int, uint8_t>> payload) {
  std::array<uint8_t, 25> frame = NewFrame(code);
  for (auto [at, value] : payload) frame[static_cast<size_t>(at)] = value;
  QueueFrame(frame);
}

void TSimulatedVT4800::QueueFrame(std::array<uint8_t, 25> frame) {
  Outgoing.push_back(frame);
  Schedule();
}

void TSimulatedVT4800::Schedule() {
  if (!Deliver || !Talking || Faults.Silent) return;
  const double now = Loop.ElapsedMs();
  const double due = Outgoing.empty() ? LastFrameMs + IdleFrameMs
                                      : std::max(now + AnswerDelayMs, LastFrameMs + FrameGapMs);
  // The frame is on the line for 25 byte times before DSR tells the program it is there.
  const double ready = due + 25 * ByteLineMs;
  FrameTimer->SetInterval(std::max(1, static_cast<int>(std::ceil(ready - now))));
  FrameTimer->SetEnabled(true);
}

void TSimulatedVT4800::FrameTimerTimer() {
  FrameTimer->SetEnabled(false);
  if (!Deliver || Faults.Silent) return;
  std::array<uint8_t, 25> frame;
  if (Outgoing.empty()) {
    frame = DataFrame();
  } else {
    frame = Outgoing.front();
    Outgoing.pop_front();
  }
  LastFrameMs = Loop.ElapsedMs();
  Deliver(std::vector<uint8_t>(frame.begin(), frame.end()));
  Schedule();
}

void TSimulatedVT4800::Breathe() {
  // A test cycle of twelve minutes, over and over.
  BreathPhase = std::fmod(BreathPhase + 60.0 / Frequency, 720.0);
  static std::mt19937 random(11);
  std::normal_distribution<double> noise(0, 0.05);
  double v, f;
  Profile(BreathPhase, v, f);
  Volume = std::max(0.05, v * (1 + noise(random)));
  Frequency = std::max(2.0, f * (1 + noise(random)));
  NewValues = true;
  BreathTimer->SetInterval(static_cast<int>(60000.0 / Frequency));
}

void TSimulatedVT4800::SetClockField(int field, int value) {
  TDateTimeParts now = DecodeDateTime(DeviceNow());
  switch (field) {
    case rqSetSecond: now.Second = value; break;
    case rqSetMinute: now.Minute = value; break;
    case rqSetHour: now.Hour = value; break;
    case rqSetDay: now.Day = value; break;
    case rqSetMonth: now.Month = value; break;
    case rqSetYear: now.Year = 2000 + value; break;
    default: break;
  }
  ClockOffset = EncodeDateTime(now) - Loop.Now();
}

void TSimulatedVT4800::SendBlock(bool repeat) {
  if (TransferFile < 1 || TransferFile > static_cast<int>(Files.size())) return;
  const std::vector<uint8_t>& image = Files[static_cast<size_t>(TransferFile - 1)];
  if (!repeat) {
    const size_t offset = static_cast<size_t>(NextBlock) * 16;
    if (offset >= image.size()) {
      ResendTimer->SetEnabled(false);
      return;
    }
    std::array<uint8_t, 25> frame = NewFrame(rpFTP);
    frame[5] = static_cast<uint8_t>(NextBlock);
    int sum = 0;
    for (size_t i = 0; i < 16; ++i) {
      frame[6 + i] = offset + i < image.size() ? image[offset + i] : 0;
      sum += frame[6 + i];
    }
    frame[22] = static_cast<uint8_t>(sum);
    LastBlock = frame;
    ++NextBlock;
    ++BlocksSent;
    // A bad checksum the first time; the resend carries the right one.
    if (Faults.BadChecksums && BlocksSent % 5 == 0) frame[22] ^= 0x5A;
    QueueFrame(frame);
  } else {
    QueueFrame(LastBlock);
  }
  ResendTimer->SetEnabled(false);
  ResendTimer->SetEnabled(true);
}

void TSimulatedVT4800::HandleRequest(uint8_t code, int parameter) {
  const int low = parameter & 0xFF;
  const int fileCount = static_cast<int>(Files.size());
  switch (code) {
    case rqGetDevice:
      Reply(rpDevice, {{5, static_cast<uint8_t>(FirmwareVersion)},
                       {6, static_cast<uint8_t>(DeviceNumber)},
                       {7, static_cast<uint8_t>(DeviceNumber >> 8)}});
      break;
    case rqGetSensor:
      Reply(rpSensor, {{5, static_cast<uint8_t>(SensorNumber)}, {6, static_cast<uint8_t>(SensorNumber >> 8)}});
      break;
    case rqGetData:
      QueueFrame(DataFrame());
      break;
    case rqGetFileCnt:
      Reply(rpFileCnt, {{5, static_cast<uint8_t>(fileCount + 1)}});
      break;
    case rqGetMalarm:
      Reply(rpMalarm, {{5, AlarmFlags},
                       {6, static_cast<uint8_t>(AlarmLowTenths)},
                       {7, static_cast<uint8_t>(AlarmLowTenths >> 8)},
                       {8, static_cast<uint8_t>(AlarmHighTenths)},
                       {9, static_cast<uint8_t>(AlarmHighTenths >> 8)}});
      break;
    case rqGetFileSize: {
      const uint32_t size = parameter >= 1 && parameter <= fileCount
                                ? static_cast<uint32_t>(Files[static_cast<size_t>(parameter - 1)].size())
                                : 0;
      Reply(rpFileSize, {{5, static_cast<uint8_t>(parameter)},
                         {6, static_cast<uint8_t>(size)},
                         {7, static_cast<uint8_t>(size >> 8)},
                         {8, static_cast<uint8_t>(size >> 16)},
                         {9, static_cast<uint8_t>(size >> 24)}});
      break;
    }
    case rqGetKDiv:
      Reply(rpKDiv, {{5, static_cast<uint8_t>(KDiv)}, {6, static_cast<uint8_t>(KDiv >> 8)},
                     {7, static_cast<uint8_t>(ZeroLevel)}});
      break;
    case rqGetProduce:
      Reply(rpProduce, {{5, static_cast<uint8_t>(ProduceDay)},
                        {6, static_cast<uint8_t>(ProduceMonth)},
                        {7, static_cast<uint8_t>(ProduceYear - 2000)}});
      break;
    case rqGetUBatt:
      Reply(rpUBatt, {{5, static_cast<uint8_t>(BatteryRaw)}, {6, static_cast<uint8_t>(BatteryRaw >> 8)}});
      break;
    case rqGetRTC: {
      const TDateTimeParts t = DecodeDateTime(DeviceNow());
      Reply(rpRTC, {{5, Bcd(t.Second)}, {6, Bcd(t.Minute)}, {7, Bcd(t.Hour)},
                    {8, Bcd(t.Day)}, {9, Bcd(t.Month)}, {10, Bcd(t.Year % 100)}});
      break;
    }
    case rqGetTimeStamp: {
      std::array<uint8_t, 6> start{};
      if (parameter >= 1 && parameter <= fileCount)
        std::copy_n(Files[static_cast<size_t>(parameter - 1)].begin(), 6, start.begin());
      Reply(rpTimeStamp, {{5, static_cast<uint8_t>(parameter)}, {6, start[0]}, {7, start[1]},
                          {8, start[2]}, {9, start[3]}, {10, start[4]}, {11, start[5]}});
      break;
    }
    case rqSetDevice: DeviceNumber = parameter; break;
    case rqSetSensor: SensorNumber = parameter; break;
    case rqSetProduceDayMonth:
      ProduceDay = low;
      ProduceMonth = parameter >> 8;
      break;
    case rqSetProduceYear: ProduceYear = 2000 + parameter; break;
    case rqSetKDiv: KDiv = parameter; break;
    case rqSetZero: ZeroLevel = parameter; break;
    case rqSetMalarm: AlarmFlags = static_cast<uint8_t>(low); break;
    case rqSetAlarmLow: AlarmLowTenths = parameter; break;
    case rqSetAlarmHigh: AlarmHighTenths = parameter; break;
    case rqAckData: NewValues = false; break;
    case rqSetSecond:
    case rqSetMinute:
    case rqSetHour:
    case rqSetDay:
    case rqSetMonth:
    case rqSetYear:
      SetClockField(code, FromBcd(static_cast<uint8_t>(low)));
      break;
    case rqStartTransfer:
      TransferFile = parameter;
      NextBlock = 0;
      SendBlock(false);
      break;
    case rqNextBlock:
      // A request lost on the line: the device sends its last block again when it times out.
      if (!(Faults.RepeatBlocks && ++NextBlockRequests % 4 == 0)) SendBlock(false);
      break;
    case rqEndTransfer:
      TransferFile = 0;
      ResendTimer->SetEnabled(false);
      break;
    case rqFormatMemory:
      Erased = Files;
      Files.clear();
      break;
    case rqRestoreFiles:
      if (Files.empty()) Files = Erased;
      break;
    default:
      break;
  }
}
