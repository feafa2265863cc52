// TDevices: the list of attached devices. The program only ever talks to the one in slot 0.
#pragma once

#include <memory>
#include <string>

#include "device/QLNDevice.h"

class TDevices {
 public:
  static constexpr int MaxDevices = 20;
  static constexpr int Slots = 32;

  explicit TDevices(TGLOB& glob) : Glob(glob) {}
  ~TDevices();
  // Links a device object to the named port; nothing when 20 are attached already.
  void Add(const std::string& portName, const TDeviceContext& context);
  // Destroys the device in the slot, if any. Slots are not compacted.
  void Remove(int index);
  // The device in slot 0, or none.
  TQLNDevice* First() const { return Items[0].get(); }

  std::unique_ptr<TQLNDevice> Items[Slots];
  int LastIndex = -1;
  int Count = 0;

 private:
  TGLOB& Glob;
};
