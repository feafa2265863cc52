// The header values that travel with the one recording into and out of files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Limits of the recording and of the laboratory file.
constexpr int MaxLabChannels = 20;
constexpr int MaxColumnNames = 40;
constexpr int MaxColumnColors = 41;
constexpr int MaxLabLineLength = 99;
constexpr int MaxLabHeaderLines = 20;
constexpr int MaxDescriptionLength = 81;
constexpr int MaxLabRows = 999999;
constexpr int MaxPostfixLength = 15;

struct TRecordingHeader {
  int32_t FormatVersion = 0;
  std::string DeviceName;
  int32_t ChannelsCount = 0;
  double StartTime = 0;
  double StopTime = 0;
  double LoadedInterval = 0;      // seconds between rows on screen
  double LoadedIntervalDays = 0;  // the same as a date-time span
  std::string Description;
  int32_t DataCount = 0;
  std::vector<std::string> ColumnNames;  // channel titles, then "Marks"
  int32_t ColumnCount = 0;
  std::vector<int32_t> ColumnColors;
  int32_t DataTableOffset = 0;
};

// The kinds of file the browser lists.
enum TFileKind { fkLaboratory = 0, fkDevice = 1, fkHeartRate = 2 };
