// Turning the globe by hand, and tilting its axis with Ctrl held.
#include "globe/globe_motion.h"
#include "parts/earth/earth_frm.h"

void CEarthFrm::OnLeftPress(const PointerEvent& event) {
  const int x = event.x, y = event.y;
  if (!dragging) {
    dragging = true;
    dragStartX = x;
    dragStartY = y;
    dragStartRotation = rotation;
    dragStartTilt = settings.tiltAngle;
    dragStartTurn = settings.turnAngle;
    tiltMode = event.control;
    if (owner) {
      owner->CaptureMouse();
      owner->SetTimerPeriod(kBusyPeriod);
    }
  }
  ApplyDrag(x, y);
}

void CEarthFrm::OnPointerMove(const PointerEvent& event) {
  if (owner && owner->HasMouseCapture() && event.left)
    ApplyDrag(event.x, event.y);
}

void CEarthFrm::OnLeftRelease(const PointerEvent& event) {
  if (!dragging) return;  // the press went to the window's centre or rim
  // The final position counts before the spin is anchored to it, so the
  // globe stays where it was let go.
  ApplyDrag(event.x, event.y);
  const bool captured = owner && owner->HasMouseCapture();
  if (captured) FinishDrag();
  if (captured) owner->ReleaseMouse();
}

// The capture taken away mid-drag (another window, a system dialog) ends the
// drag as a release would, instead of leaving the spin frozen until the next
// click.
void CEarthFrm::OnCaptureLost() {
  if (dragging) FinishDrag();
}

void CEarthFrm::FinishDrag() {
  dragging = false;
  redraw = true;
  Reanchor();
  if (tiltMode) {
    // The table is cast anew for the new axis; the busy period stays until
    // it is done.
    tiltMode = false;
    StartTableBuild();
  } else {
    RestTimerIfIdle();
  }
}

void CEarthFrm::ApplyDrag(int x, int y) {
  if (tiltMode) {
    const Tilt t = TiltDrag({dragStartTilt, dragStartTurn}, dragStartX,
                            dragStartY, x, y, layoutWidth, layoutHeight);
    settings.tiltAngle = t.tilt;
    settings.turnAngle = t.turn;
  } else {
    rotation = SpinDragRotation(dragStartRotation, dragStartX, x);
  }
}
