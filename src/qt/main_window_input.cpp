// The mouse and the keyboard: moving by the centre and sizing by the rim
// through the window manager, the pointer and the wheel to the ornament, the
// popup menu (right button, menu key, Shift+F10) and Alt+"?" / Alt+"/" for
// the About box.
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>

#include "app/device_pixels.h"
#include "app/rim_resize.h"
#include "app/window_geometry.h"
#include "parts/command_ids.h"
#include "qt/main_window.h"

namespace {

QPoint ToQPoint(const POINT& p) { return QPoint(p.x, p.y); }

Qt::Edges ToQtEdges(const RimEdges& rim) {
  Qt::Edges edges;
  if (rim.left) edges |= Qt::LeftEdge;
  if (rim.top) edges |= Qt::TopEdge;
  if (rim.right) edges |= Qt::RightEdge;
  if (rim.bottom) edges |= Qt::BottomEdge;
  return edges;
}

Qt::CursorShape CursorFor(int hit) {
  switch (HitAreaOf(hit).pointer) {
    case PointerShape::kMove:
      return Qt::SizeAllCursor;
    case PointerShape::kSizeWE:
      return Qt::SizeHorCursor;
    case PointerShape::kSizeNS:
      return Qt::SizeVerCursor;
    case PointerShape::kSizeNWSE:
      return Qt::SizeFDiagCursor;
    case PointerShape::kSizeNESW:
      return Qt::SizeBDiagCursor;
    case PointerShape::kArrow:
    case PointerShape::kUnchanged:
      break;
  }
  return Qt::ArrowCursor;
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

PointerEvent CQtMainWindow::PointerOf(const QSinglePointEvent& event) const {
  const POINT p = DevicePoint(event.position());
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  return {.x = p.x,
          .y = p.y,
          .left = event.buttons().testFlag(Qt::LeftButton),
          .right = event.buttons().testFlag(Qt::RightButton),
          .shift = modifiers.testFlag(Qt::ShiftModifier),
          .control = modifiers.testFlag(Qt::ControlModifier)};
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
  ornament.LeftPress(PointerOf(*event));
}

void CQtMainWindow::mouseMoveEvent(QMouseEvent* event) {
  // The release went elsewhere (a grab taken away): the drag ends as a
  // lost capture does on Windows.
  if (captured && !event->buttons().testFlag(Qt::LeftButton)) LoseCapture();
  if (!captured) setCursor(CursorFor(HitAt(event->position())));
  ornament.PointerMove(PointerOf(*event));
}

void CQtMainWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    ShowPopupMenu(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  ornament.LeftRelease(PointerOf(*event));
}

void CQtMainWindow::wheelEvent(QWheelEvent* event) {
  const QPoint angle = event->angleDelta();
  const int delta = angle.y() != 0 ? angle.y() : angle.x();
  if (delta == 0) return;
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  ornament.Wheel({.delta = delta,
                  .shift = modifiers.testFlag(Qt::ShiftModifier),
                  .control = modifiers.testFlag(Qt::ControlModifier)});
}

void CQtMainWindow::keyPressEvent(QKeyEvent* event) {
  // The Windows program's accelerators: Alt with "?" or "/", whatever the
  // keyboard layout needs for the character.
  const bool alt = event->modifiers().testFlag(Qt::AltModifier);
  if (alt &&
      (event->key() == Qt::Key_Question || event->key() == Qt::Key_Slash ||
       event->text() == u"?" || event->text() == u"/")) {
    ornament.Command(IDM_ABOUT);
    return;
  }
  // Shift+F10 asks for the menu as the menu key does; the menu key comes as
  // a context-menu event of its own.
  if (event->key() == Qt::Key_F10 &&
      event->modifiers() == Qt::KeyboardModifiers(Qt::ShiftModifier)) {
    ShowMenuFromKeyboard();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CQtMainWindow::contextMenuEvent(QContextMenuEvent* event) {
  // A right press sends one too; the menu opens on the release instead.
  event->accept();
  if (event->reason() == QContextMenuEvent::Keyboard) ShowMenuFromKeyboard();
}

void CQtMainWindow::ShowMenuFromKeyboard() {
  ShowPopupMenu(ToQPoint(MenuPoint(WindowRect(), std::nullopt)));
}

bool CQtMainWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
      LoseCapture();
      break;
    case QEvent::Enter:
      // The pointer read by the clock's hover goes through Qt's idea of
      // where the window is, which can still be the place before the
      // window manager mapped it: learn the real one as the pointer comes.
      SyncPosition();
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
  ornament.CaptureLost();
}
