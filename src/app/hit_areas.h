// The one table of the window's hit areas: for each hit-test code, the rim
// edges a drag there moves, the sizing edge it is for the window system,
// and the pointer shape shown over it. Every host reads it, so that moving,
// sizing and the cursor cannot drift apart.
#pragma once

// The sides a press on the rim moves; none for the centre or the ring.
struct RimEdges {
  bool left = false;
  bool top = false;
  bool right = false;
  bool bottom = false;
  bool Any() const { return left || top || right || bottom; }
};

// The pointer over an area, named for what a press there does.
enum class PointerShape {
  kUnchanged,
  kArrow,
  kMove,
  kSizeWE,
  kSizeNS,
  kSizeNWSE,
  kSizeNESW
};

struct HitArea {
  int hitTest;     // an HT code
  RimEdges edges;  // what a drag there moves
  int sizingEdge;  // the WMSZ_ edge of that drag, 0 for none
  PointerShape pointer;
};

// The area of a hit-test code; an unknown code moves nothing and leaves the
// pointer as it is.
const HitArea& HitAreaOf(int hitTest);
