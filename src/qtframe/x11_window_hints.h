// What Qt does not say to an X11 window manager by itself: that the window
// has no place in taskbars and pagers. Elsewhere (Wayland) nothing is done;
// there the compositor decides.
#pragma once

class QWidget;

// Must be called after the native window exists and before it is shown:
// Qt merges the states it finds on the unmapped window with its own.
void MarkSkipTaskbarAndPager(QWidget& window);
