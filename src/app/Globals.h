// The program's globals: the state object, the device list, the platform the engine runs on,
// and the windows, all reached directly by the windows. main (or a test) builds them.
#pragma once

class TGLOB;
class TDevices;
class TEventLoop;
class TSerialProvider;
class TModalRunner;
class TTraceLog;
class TSplashForm;
class TF_MONITOR;
class TF_CONTROL;
class TF_MESAGE;
class TFormHint;
class TF_DIALOG;
class TFOpen;
class TForm100;
class TFormExport;
class TFPrint;

struct TPlatform {
  TEventLoop* Loop = nullptr;
  TSerialProvider* Serial = nullptr;
  TModalRunner* Modal = nullptr;
  TTraceLog* Trace = nullptr;  // the traffic log of the serial link, when one is kept
};

extern TPlatform Platform;
extern TGLOB* GLOB;
extern TDevices* Devices;

extern TF_MONITOR* F_MONITOR;
extern TF_CONTROL* F_CONTROL;
extern TF_MESAGE* F_MESAGE;
extern TFormHint* FormHint;
extern TF_DIALOG* F_DIALOG;
extern TFOpen* FOpen;
extern TForm100* Form100;
extern TFormExport* FormExport;
extern TFPrint* FPrint;
