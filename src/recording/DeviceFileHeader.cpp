#include "recording/DeviceFileHeader.h"

#include <cstring>

TDeviceFileHeader NewDeviceFileHeader() {
  TDeviceFileHeader h;
  std::memset(&h, 0, sizeof h);
  std::memcpy(h.Signature, "QLNVT1", 7);
  h.HeaderVersion = 11;
  h.HeaderMark = 0x45;
  return h;
}
