#include "app/WindowGeometry.h"

namespace {

Qt::WindowStates StatesOf(int state) {
  return state == 1 ? Qt::WindowMinimized : state == 2 ? Qt::WindowMaximized : Qt::WindowNoState;
}

int StateOf(const QWidget& window) {
  return window.isMinimized() ? 1 : window.isMaximized() ? 2 : 0;
}

// Frame top-left of the place a window returns to when it is neither minimized nor maximized.
QPoint NormalFramePos(const QWidget& window) {
  if (StateOf(window) == 0) return window.pos();
  const QPoint frameOffset = window.geometry().topLeft() - window.pos();
  return window.normalGeometry().topLeft() - frameOffset;
}

}  // namespace

void RestoreWindowPlace(QWidget& window, int state, int top, int left) {
  window.move(left, top);
  window.setWindowState(StatesOf(state));
}

void StoreWindowPlace(const QWidget& window, int& state, int& top, int& left) {
  state = StateOf(window);
  const QPoint pos = NormalFramePos(window);
  top = pos.y();
  left = pos.x();
}

void RestoreWindowGeometry(QWidget& window, int state, int top, int left, int width,
                           int height) {
  window.resize(width, height);
  RestoreWindowPlace(window, state, top, left);
}

void StoreWindowGeometry(const QWidget& window, int& state, int& top, int& left, int& width,
                         int& height) {
  StoreWindowPlace(window, state, top, left);
  const QSize size = StateOf(window) == 0 || window.normalGeometry().isEmpty()
                         ? window.size()
                         : window.normalGeometry().size();
  width = size.width();
  height = size.height();
}
