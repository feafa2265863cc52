#include "device/QLNDevice.h"

#include "core/Format.h"
#include "core/Glob.h"
#include "device/DeviceView.h"
#include "device/Devices.h"
#include "device/Download.h"
#include "device/TraceLog.h"

namespace {

constexpr int WatchdogMs = 500;
// A wait for the queue ends at the latest after this, even with a device that stays busy.
constexpr double QueueWaitLimitMs = 3000;

TLineSettings LinkLineSettings() {
  TLineSettings s;
  s.DsrSensitivity = false;
  s.ReadTimeoutMs = 1000;
  return s;
}

}  // namespace

TQLNDevice::TQLNDevice(const std::string& portName, const TDeviceContext& context, TDevices& owner)
    : PortName(portName), Context(context), Owner(owner) {
  Port = Context.Serial.CreatePort();
  Port->SetOnDsrChange([this] { OnIdentFrame(); });
  if (!Port->Open(portName, LinkLineSettings(), OpenError))
    Context.View.SetStatusText(spPort, Context.Glob.MainText(100) + portName);
  Context.View.SetStatusImage(spLink, siLinked);
  DevicePanel = Context.View.AddDevicePanel();
  WatchdogTimer = Context.Loop.CreateTimer(WatchdogMs, true, [this] { OnLinkLost(); });
  SendTimer = Context.Loop.CreateTimer(1, false, [this] { OnSendTick(); });
  ScanIndex = Context.Glob.ScanPos;
  if (Context.Glob.FileShown) {
    Context.Glob.ClearChart();
    Context.Glob.FileShown = false;
  }
}

TQLNDevice::~TQLNDevice() {
  *Alive = false;
  TDeviceView& view = Context.View;
  view.SetStatusText(spReply, "");
  view.SetStatusText(spReadiness, "");
  view.SetStatusImage(spLink, siNoDevice);
  view.SetStatusImage(spBattery, siNoBattery);
  Context.Glob.ClearChart();
  SendTimer.reset();
  WatchdogTimer.reset();
  Port->SetOnDsrChange(nullptr);
  Port->Close();
  Port.reset();
  // A download the link took with it leaves no partial file behind.
  if (Context.Download) Context.Download->Abort();
  if (view.DownloadWindowVisible()) view.HideDownloadWindow();
}

int TQLNDevice::PendingEntries() const {
  const int read = QueueReadPos % QueueBytes;
  return ((QueueWritePos - read + QueueBytes) % QueueBytes + 2) / 3;
}

int TQLNDevice::QueueCommand(uint8_t code, int parameter) {
  // Refuse an entry that would catch up with the read position: the ring would look empty
  // and the entries still waiting would be lost.
  const int read = QueueReadPos % QueueBytes;
  if (read != QueueWritePos && (read - QueueWritePos + QueueBytes) % QueueBytes <= 3) {
    ++RefusedCommands;
    return -1;
  }
  CommandQueue[static_cast<size_t>(QueueWritePos++)] = code;
  CommandQueue[static_cast<size_t>(QueueWritePos++)] = static_cast<uint8_t>(parameter >> 8);
  CommandQueue[static_cast<size_t>(QueueWritePos++)] = static_cast<uint8_t>(parameter);
  if (QueueWritePos > QueueBytes - 1) QueueWritePos = 0;
  SendTimer->SetEnabled(true);
  return QueueWritePos;
}

void TQLNDevice::QueueCommandAndWait(uint8_t code, int parameter) {
  const int target = QueueCommand(code, parameter);
  if (target < 0) return;
  const std::shared_ptr<bool> alive = Alive;
  TEventLoop& loop = Context.Loop;
  const double deadline = loop.ElapsedMs() + QueueWaitLimitMs;
  WaitUntil(loop, [&] {
    return !*alive || QueueReadPos % QueueBytes == target || loop.ElapsedMs() >= deadline;
  });
}

void TQLNDevice::OnSendTick() {
  SendTimer->SetInterval(1);
  if (QueueReadPos > QueueBytes - 1) QueueReadPos = 0;
  if (QueueReadPos == QueueWritePos) {
    SendTimer->SetEnabled(false);
    return;
  }
  const size_t at = static_cast<size_t>(QueueReadPos);
  if (QueueReadPos % 3 == 0) {
    if (CommandQueue[at] == rqPause) {
      SendTimer->SetInterval(CommandQueue[at + 1] * 256 + CommandQueue[at + 2]);
      QueueReadPos += 3;
      return;
    }
    // A busy device takes no new request; one already begun is always finished.
    if (Busy) return;
  }
  Port->WriteByte(CommandQueue[at]);
  ++QueueReadPos;
}

size_t TQLNDevice::ReadFrame() {
  WatchdogTimer->SetEnabled(false);
  // Bytes not read keep what the last frame left there.
  const size_t count = Port->Read(ReplyFrame.data(), ReplyFrame.size());
  Port->DiscardInput();
  return count;
}

void TQLNDevice::OnIdentFrame() {
  ReadFrame();
  if (ReplyFrame[0] == FrameStart) {
    DeviceType = ReplyFrame[2];
    Busy = false;
    if (DeviceType == DeviceTypeVT4800) {
      QueueCommand(rqGetDevice, 0);
      for (int signal : {1300, 1300, 1500}) {
        QueueCommand(rqSignal, signal);
        QueueCommand(rqPause, 50);
      }
      BuildInfoPanel();
      Port->SetOnDsrChange([this] { OnReplyFrame(); });
      Context.Glob.RecordingHeader.DeviceName = "VT4800";
      Context.View.SetDisplays("0.0", "0", "0.0");
      Identified = true;
    }
  }
  WatchdogTimer->SetEnabled(true);
}

void TQLNDevice::BuildInfoPanel() {
  Info.Build(Context.Glob);
  Context.View.ShowInfoPanel(DevicePanel, Info);
  Context.Glob.ClearChart();
  Context.Glob.Monitor.InitChart();
  Context.Glob.Monitor.AddDeviceChannels();
  for (TPanelButton b : {pbOpen, pbPrint, pbSaveAs, pbBMP}) Context.View.SetButtonEnabled(b, false);
}

void TQLNDevice::OnLinkLost() {
  WatchdogTimer->SetEnabled(false);
  if (Context.Trace) Context.Trace->Line("lost " + PortName);
  TGLOB& glob = Context.Glob;
  if (ScanIndex >= 0 && static_cast<size_t>(ScanIndex) < glob.PortScanFlags.size())
    glob.PortScanFlags[static_cast<size_t>(ScanIndex)] = 1;
  Port->SetOnDsrChange(nullptr);
  Port->Close();
  TDeviceView& view = Context.View;
  view.RemoveDevicePanel(DevicePanel);
  if (view.RecordingRunning()) view.StopRecording();
  // This object is gone after Remove: only what was taken out of it is used below.
  Owner.Remove(0);
  view.SetDisplays("?.?", "?", "?.?");
  view.EnableScanTimer();
  view.SetButtonEnabled(pbOpen, true);
  for (TPanelButton b : {pbStop, pbStart, pbMark, pbPrint, pbBMP}) view.SetButtonEnabled(b, false);
}

std::string TQLNDevice::Decimal(double value, int decimals) const {
  return FormatFixed(value, decimals, Context.View.DecimalSeparator());
}

void TQLNDevice::SetRow(int row, const std::string& text) {
  Info.Rows[static_cast<size_t>(row)].Text = text;
  Context.View.InfoRowChanged(DevicePanel, row);
}

void TQLNDevice::SetRowChecked(int row, bool checked) {
  Info.Rows[static_cast<size_t>(row)].Checked = checked;
  Context.View.InfoRowChanged(DevicePanel, row);
}

void TQLNDevice::SetRowDateTime(int row, double value) {
  Info.Rows[static_cast<size_t>(row)].DateTime = value;
  Context.View.InfoRowChanged(DevicePanel, row);
}
