#include "device/Protocol.h"

const char* ReplyName(int code) {
  static const char* const names[ReplyCodeCount] = {
      "Unknown", "Device", "Sensor", "Data",  "Clock", "FileCnt",   "Malarm", "FileSize",
      "FileData", "KDiv",  "Produce", "UBatt", "RTC",  "TimeStamp", "FTP"};
  return code >= 0 && code < ReplyCodeCount ? names[code] : names[0];
}
