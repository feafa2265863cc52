// The device file (.VT1): a recording made by the device itself, its breath records behind a
// 48-byte header of this program's own; loaded onto a grid of one row a second.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

class TGLOB;

enum TDeviceFileResult { dfOk = 0, dfCannotOpen = 1, dfCannotCreate = -2 };

// Rows a device file may give at most (about 230 days at one a second): a file of absurd
// breath periods ends there instead of filling the memory.
constexpr size_t MaxDeviceFileRows = 20000000;

// Creates FileName with a header of no records and keeps it open for the download.
int CreateDeviceFile(TGLOB& glob);
// Writes the header held in memory over the first 48 bytes and closes the file.
void FinishDeviceFile(TGLOB& glob);
// Reads the first 48 bytes into DeviceFileHeader; a shorter file gives what it has, the rest
// zero.
int ReadDeviceFileHeader(TGLOB& glob, const std::string& path);
// Loads OpenPath into the chart as V, F and M a second apart, smoothed as the filter says.
int LoadDeviceFile(TGLOB& glob, const std::function<void(size_t done, size_t total)>& progress = {});
// The start of a device recording from its header, 0 when the fields form no date.
double DeviceFileStart(const struct TDeviceFileHeader& header);
