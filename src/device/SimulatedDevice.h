// A simulated VT4800: the device's side of the protocol behind a simulated serial port. It
// answers the probe, every request of the command set, sends a frame at least every 200 ms
// once spoken to, breathes (rest, exercise and recovery in turn), keeps its parameters, clock
// and stored recordings, hands them out in FTP blocks, and can be told to misbehave.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "core/EventLoop.h"

struct TSimulatedFaults {
  bool Busy = false;              // status bit 1 stays set
  bool Silent = false;            // sends nothing at all
  bool MalformedFrames = false;   // every frame starts with a wrong byte
  bool BadChecksums = false;      // every fifth FTP block has a wrong checksum at first
  bool RepeatBlocks = false;      // every fourth NextBlock is lost: the last block comes again
  uint8_t DeviceType = 4;
};

class TSimulatedVT4800 {
 public:
  explicit TSimulatedVT4800(TEventLoop& loop);
  ~TSimulatedVT4800();

  // A recording as the device keeps it: 8-byte header (BCD start, two spare bytes), 4-byte
  // records (V x 100, F x 1000, big-endian), a 4-byte trailer.
  static std::vector<uint8_t> MakeRecording(double start, int breaths, uint32_t seed);
  // Replaces the stored recordings by count generated ones, a day apart, ending yesterday.
  void GenerateRecordings(int count);

  // The line: bytes from the program, and where the device's frames go.
  void Connect(std::function<void(const std::vector<uint8_t>& frame)> deliver);
  void Disconnect();
  void ReceiveByte(uint8_t byte);

  // Parameters, as the device holds them.
  int FirmwareVersion = 23;
  int DeviceNumber = 4817;
  int SensorNumber = 2215;
  uint8_t AlarmFlags = 1;
  int AlarmLowTenths = 50, AlarmHighTenths = 1500;
  int KDiv = 3120, ZeroLevel = 17;
  int ProduceDay = 14, ProduceMonth = 3, ProduceYear = 2022;
  int BatteryRaw = 0x7000;
  uint8_t BatteryLevel = 0x70;
  double ClockOffset = 0;  // device clock minus the computer's, in days
  std::vector<std::vector<uint8_t>> Files;
  TSimulatedFaults Faults;

  // What the device was asked, in order, and when its last byte arrived.
  struct TRequestSeen {
    uint8_t Code;
    int Parameter;
    double AtMs;
  };
  std::vector<TRequestSeen> Requests;
  int Probes = 0;

  // Live values of the last breath.
  double Volume = 0.7, Frequency = 14;

 private:
  void HandleRequest(uint8_t code, int parameter);
  void Reply(uint8_t code, std::initializer_list<std::pair<int, uint8_t>> payload);
  void QueueFrame(std::array<uint8_t, 25> frame);
  std::array<uint8_t, 25> NewFrame(uint8_t code) const;
  std::array<uint8_t, 25> DataFrame() const;
  void SendBlock(bool repeat);
  void Schedule();
  void FrameTimerTimer();
  void Breathe();
  double DeviceNow() const;
  void SetClockField(int field, int value);

  TEventLoop& Loop;
  std::function<void(const std::vector<uint8_t>&)> Deliver;
  std::unique_ptr<TTimer> FrameTimer;
  std::unique_ptr<TTimer> BreathTimer;
  std::unique_ptr<TTimer> ResendTimer;
  std::deque<std::array<uint8_t, 25>> Outgoing;
  std::array<uint8_t, 3> Incoming{};
  int IncomingCount = 0;
  bool Talking = false;  // frames keep coming on the port now open
  bool Awake = false;    // once probed, the device streams frames to every port opened to it
  bool NewValues = true;
  double LastFrameMs = -1e9;
  double BreathPhase = 0;
  std::vector<std::vector<uint8_t>> Erased;
  // The FTP transfer under way.
  int TransferFile = 0;
  int NextBlock = 0;
  int BlocksSent = 0;
  int NextBlockRequests = 0;
  std::array<uint8_t, 25> LastBlock{};
};
