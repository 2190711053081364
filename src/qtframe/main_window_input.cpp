// The mouse and the keyboard: moving by the centre and sizing by the rim
// through the window manager, presses in the ring to the parts, the wheel,
// the popup menu and Alt+"?" / Alt+"/" for the About box.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>

#include "framepart/command_ids.h"
#include "mainframe/device_pixels.h"
#include "mainframe/mouse_keys.h"
#include "mainframe/rim_resize.h"
#include "mainframe/window_geometry.h"
#include "qtframe/main_window.h"

namespace {
WPARAM KeysOf(const QSinglePointEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  return MouseKeyFlags(
      {.leftButton = event.buttons().testFlag(Qt::LeftButton),
       .rightButton = event.buttons().testFlag(Qt::RightButton),
       .shift = modifiers.testFlag(Qt::ShiftModifier),
       .control = modifiers.testFlag(Qt::ControlModifier)});
}

Qt::Edges ToQtEdges(const RimEdges& rim) {
  Qt::Edges edges;
  if (rim.left) edges |= Qt::LeftEdge;
  if (rim.top) edges |= Qt::TopEdge;
  if (rim.right) edges |= Qt::RightEdge;
  if (rim.bottom) edges |= Qt::BottomEdge;
  return edges;
}

Qt::CursorShape CursorFor(int hit) {
  switch (hit) {
    case HTCAPTION:
      return Qt::SizeAllCursor;
    case HTLEFT:
    case HTRIGHT:
      return Qt::SizeHorCursor;
    case HTTOP:
    case HTBOTTOM:
      return Qt::SizeVerCursor;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      return Qt::SizeFDiagCursor;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      return Qt::SizeBDiagCursor;
    default:
      return Qt::ArrowCursor;
  }
}
}  // namespace

int CQtMainWindow::HitAt(const QPointF& position) const {
  // In the window's own coordinates: right after mapping, the window
  // manager may not have told Qt where on the screen the window is yet.
  return HitTest(RECT{0, 0, width(), height()}, int(std::floor(position.x())),
                 int(std::floor(position.y())));
}

POINT CQtMainWindow::DevicePoint(const QPointF& position) const {
  return ToDevicePixel(position.x(), position.y(), devicePixelRatioF());
}

void CQtMainWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;  // the menu opens on release
  const int hit = HitAt(event->position());
  QWindow* native = windowHandle();
  if (hit != HTCLIENT) SyncPosition();
  if (hit == HTCAPTION) {
    if (native) native->startSystemMove();
    return;
  }
  if (const RimEdges rim = EdgesForHitTest(hit); rim.Any()) {
    if (native) native->startSystemResize(ToQtEdges(rim));
    return;
  }
  const POINT p = DevicePoint(event->position());
  for (IFramePart* part : parts) part->OnLButtonDown(KeysOf(*event), p.x, p.y);
}

void CQtMainWindow::mouseMoveEvent(QMouseEvent* event) {
  // The release went elsewhere (a grab taken away): the drag ends as a
  // lost capture does on Windows.
  if (captured && !event->buttons().testFlag(Qt::LeftButton)) LoseCapture();
  if (!captured) setCursor(CursorFor(HitAt(event->position())));
  const POINT p = DevicePoint(event->position());
  for (IFramePart* part : parts) part->OnMouseMove(KeysOf(*event), p.x, p.y);
}

void CQtMainWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    ShowPopupMenu(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  const POINT p = DevicePoint(event->position());
  for (IFramePart* part : parts) part->OnLButtonUp(p.x, p.y);
}

void CQtMainWindow::wheelEvent(QWheelEvent* event) {
  const QPoint angle = event->angleDelta();
  const int delta = angle.y() != 0 ? angle.y() : angle.x();
  if (delta == 0) return;
  const UINT keys = UINT(KeysOf(*event));
  for (IFramePart* part : parts)
    part->OnMouseWheel(keys, WheelDeltaWord(delta));
}

void CQtMainWindow::keyPressEvent(QKeyEvent* event) {
  // The Windows program's accelerators: Alt with "?" or "/", whatever the
  // keyboard layout needs for the character.
  const bool alt = event->modifiers().testFlag(Qt::AltModifier);
  if (alt &&
      (event->key() == Qt::Key_Question || event->key() == Qt::Key_Slash ||
       event->text() == u"?" || event->text() == u"/")) {
    OnCommand(IDM_ABOUT);
    return;
  }
  QWidget::keyPressEvent(event);
}

bool CQtMainWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
      LoseCapture();
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

void CQtMainWindow::CaptureMouse() {
  captured = true;
  grabMouse();
}

void CQtMainWindow::ReleaseMouse() {
  if (!captured) return;
  captured = false;
  releaseMouse();
}

void CQtMainWindow::LoseCapture() {
  if (!captured) return;
  ReleaseMouse();
  for (IFramePart* part : parts) part->OnCaptureLost();
}
