// TDevices: the list of attached devices. The program only ever talks to the one in slot 0.
#pragma once

class TQLNDevice;

class TDevices {
 public:
  static constexpr int MaxDevices = 20;
  TQLNDevice* Items[32] = {};
  int LastIndex = -1;
  int Count = 0;
};
