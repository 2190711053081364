// Moving and sizing by the rim when the window system does the dragging: a
// front-end that hands the drag to the window manager learns which sides it
// should move, and squares whatever rectangle the manager chose.
#pragma once

#include "app/hit_areas.h"
#include "platform/win32_types.h"

RimEdges EdgesForHitTest(int hitTest);

// The WMSZ_ edge that turns `before` into `after`, judged by which sides
// moved with a change of size; 0 for a move or no change at all.
int SizingEdgeOfChange(const RECT& before, const RECT& after);

// The rectangle a window sized from `before` to `after` by someone else ends
// up with: square, at least the minimum side, the sides that were not dragged
// kept where they are. A move is left as it is.
RECT SquaredAfterResize(const RECT& before, const RECT& after);
