// Window state and place as the settings keep them: state 0 normal, 1 minimized,
// 2 maximized; top and left of the frame, width and height of the client area.
#pragma once

#include <QWidget>

void RestoreWindowGeometry(QWidget& window, int state, int top, int left, int width,
                           int height);
// A maximized or minimized window stores the place it returns to.
void StoreWindowGeometry(const QWidget& window, int& state, int& top, int& left, int& width,
                         int& height);
// Only the state and the place, for windows of a fixed size.
void RestoreWindowPlace(QWidget& window, int state, int top, int left);
void StoreWindowPlace(const QWidget& window, int& state, int& top, int& left);
