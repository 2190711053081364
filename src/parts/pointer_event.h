// The pointer as the parts see it, in the program's own words: each host
// decodes its window system's mouse messages into these once, at its edge.
#pragma once

// A press, a move or a release, at a point in client pixels, with the
// buttons and modifier keys held as it happened.
struct PointerEvent {
  int x = 0;
  int y = 0;
  bool left = false;  // the left button is down
  bool right = false;
  bool shift = false;
  bool control = false;
};

// The wheel turned by `delta` (120 a notch, positive away from the user),
// with the modifier keys held.
struct WheelStep {
  int delta = 0;
  bool shift = false;
  bool control = false;
};
