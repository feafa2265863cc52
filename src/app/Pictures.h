// The program's pictures, all drawn in code: speed-button pictures, status-bar images,
// the splash, the About picture and the small window pictures.
#pragma once

#include <QIcon>
#include <QPixmap>

enum class TButtonPicture { Open, Print, Bmp, SaveAs, Start, Mark, Stop };

// Picture of a speed button of the control panel's Monitor page (24 x 24, with a greyed
// disabled form).
QIcon ButtonPicture(TButtonPicture which);

// Status-bar images, 16 x 16: 0 no device, 1 device linked, 2 device linked and sending values,
// 3 battery unknown (no device), 4 to 7 battery low, a quarter, half, full.
constexpr int StatusImageCount = 8;
QPixmap StatusImage(int index);

// The splash window's picture, 604 x 328.
QPixmap SplashPicture();
// The About page's picture of the device, 96 x 96.
QPixmap AboutPicture();
// The message box's and the prompt's pictures, 32 x 32.
QPixmap MessagePicture();
QPixmap PromptPicture();
// Image 0 of the Devices page's navigation bar, 16 x 16.
QPixmap DevicePanelPicture();
// The program's window icon.
QIcon ProgramIcon();
