// The font of the windows laid out by pixel: their texts need a font of known width, whatever
// the desktop's.
#pragma once

#include <QFont>

QFont PanelFont();
