#include "app/Globals.h"

TPlatform Platform;
TGLOB* GLOB = nullptr;
TDevices* Devices = nullptr;

TF_MONITOR* F_MONITOR = nullptr;
TF_CONTROL* F_CONTROL = nullptr;
TF_MESAGE* F_MESAGE = nullptr;
TFormHint* FormHint = nullptr;
TF_DIALOG* F_DIALOG = nullptr;
TFOpen* FOpen = nullptr;
TForm100* Form100 = nullptr;
TFormExport* FormExport = nullptr;
TFPrint* FPrint = nullptr;
