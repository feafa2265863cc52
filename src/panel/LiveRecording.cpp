#include "panel/LiveRecording.h"

#include <cmath>

#include "core/Glob.h"
#include "device/Devices.h"
#include "recording/LabFile.h"
#include "recording/TimeLabels.h"

TLiveRecording::TLiveRecording(TEventLoop& loop, TGLOB& glob, TDevices& devices)
    : Loop(loop), Glob(glob), Devices(devices) {
  TimerInterval = Loop.CreateTimer(1000, false, [this] { TimerIntervalTimer(); });
}

bool TLiveRecording::Start(const std::string& postfix) {
  if (Running()) return true;
  Glob.FileNamePostfix = postfix.substr(0, MaxPostfixLength);
  Glob.RecordingHeader.StartTime = Loop.Now();
  const std::string path = MakeRecordingFileName(Glob, Loop.Now());
  if (CreateLabFile(Glob, path) != lrOk) return false;
  TMonitorChart& chart = Glob.Monitor;
  chart.ClearSeries();
  if (chart.SeriesCount() > TMonitorChart::ClockLabelSeriesIndex) {
    chart.Series(TMonitorChart::ClockLabelSeriesIndex).Labels.SetFormat(TLabelFormat::LiveClock);
    chart.Series(TMonitorChart::ElapsedLabelSeriesIndex).Labels.SetFormat(TLabelFormat::LiveElapsed);
  }
  chart.RunOption(coAutoScale);
  TimerInterval->SetInterval(static_cast<int>(std::trunc(Glob.Settings.SampleInterval * 1000)));
  Glob.ElapsedSpan = 0;
  Glob.ElapsedText = FormatLiveElapsed(0);
  Glob.ElapsedOrigin = Loop.Now();
  TimerInterval->SetEnabled(true);
  return true;
}

void TLiveRecording::TimerIntervalTimer() {
  // The file counts at most 999999 rows: a full file ends the recording.
  if (Glob.RecordingHeader.DataCount >= MaxLabRows) {
    if (OnFileFull) OnFileFull();
    return;
  }
  TMonitorChart& chart = Glob.Monitor;
  const double tick = Loop.Now();
  chart.ScrollTimeAxes();
  const TQLNDevice* device = Devices.First();
  const double values[] = {device ? device->Volume : TValueColumn::Null,
                           device ? device->Frequency : TValueColumn::Null,
                           device ? device->Ventilation : TValueColumn::Null};
  const bool marked = Glob.MarkPending;
  chart.AppendRow(tick, Glob.ElapsedSpan, values, 3, 1.0, marked ? MarkText : std::string());
  if (marked) {
    Glob.MarkPending = false;
    MarkText.clear();
    if (OnMarkTaken) OnMarkTaken();
  }
  AppendLabRow(Glob);
  chart.Changed();
  if (OnRow) OnRow();
}

void TLiveRecording::SetMark(const std::string& text) {
  if (text.empty()) return;
  MarkText = text;
  Glob.MarkPending = true;
}

void TLiveRecording::SecondsChanged() {
  if (!Running()) return;
  Glob.ElapsedSpan = std::max(0.0, Loop.Now() - Glob.ElapsedOrigin);
  Glob.ElapsedText = FormatLiveElapsed(Glob.ElapsedSpan);
}

void TLiveRecording::Stop() {
  Glob.RecordingHeader.StopTime = Loop.Now();
  FinishLabFile(Glob);
  if (TQLNDevice* device = Devices.First()) device->QueueCommand(rqRequest35, 0);
  TimerInterval->SetEnabled(false);
}
