#include "device/Devices.h"

#include <algorithm>

#include "core/Glob.h"

TDevices::~TDevices() {
  for (auto& item : Items) item.reset();
}

void TDevices::Add(const std::string& portName, const TDeviceContext& context) {
  if (Count >= MaxDevices) return;
  ++LastIndex;
  Items[LastIndex] = std::make_unique<TQLNDevice>(portName, context, *this);
  ++Count;
  Glob.DeviceCount = Count;
}

void TDevices::Remove(int index) {
  if (index < 0 || index >= Slots) return;
  // The slot is cleared before the object goes, so that nothing it triggers finds it.
  std::unique_ptr<TQLNDevice> device = std::move(Items[index]);
  device.reset();
  Count = std::max(0, Count - 1);
  LastIndex = std::max(-1, LastIndex - 1);
  Glob.DeviceCount = Count;
}
