// Heart-rate files (.hrm, the Polar HRM text format), laid over the recording in the chart:
// the heart rate becomes the channel HR (series 6) and the heart beats per litre of
// ventilation, HR divided by M (series 5) of the same row, the channel MBR (series 7).
#pragma once

#include <string>

class TMonitorChart;

struct THeartRateParams {
  std::string HrDate, HrStartTime, HrLength;
  int HrInterval = 0;
  int HrPoints = 0;
};

enum THeartRateResult {
  hrImported = 0,
  hrNotImported = 1,  // the file cannot be opened, or the chart has no M channel to lie over
};

// The section Params of the file; a missing key, or a file that cannot be read, gives the
// key's default. A Date of eight digits (yyyymmdd) is stored as dd-mm-yyyy, any other text as
// read. HrPoints is the Length in seconds divided by the Interval, 0 when the Interval is not
// positive. The Length is hours:minutes:seconds; each part counts its leading digits, so a
// fraction of the seconds is dropped and a part without digits, or a missing part, counts 0.
void ReadHeartRateParams(const std::string& path, THeartRateParams& params);

// Reads the params, then lays the samples of the file over the chart from row 0: each
// sample line gives its first column as the heart rate, repeated for as many rows as the
// sample interval (the "Interval=" line) has seconds; an interval that is not positive lays
// no samples. Lines without a number there are passed over. HR takes one point more than MBR
// when the recording runs out first, and the import stops there. An M of 0 or a null M makes
// a null MBR point. HR and MBR are created when the chart has only V, F, M; series already at
// 6 and 7 (an earlier import, channels of a laboratory file) are emptied and take their titles.
int ImportHeartRate(const std::string& path, THeartRateParams& params, TMonitorChart& chart);
