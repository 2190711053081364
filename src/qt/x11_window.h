// What Qt does not do for a top-level window on X11: tell the window manager
// that the window has no place in taskbars and pagers and stays square while
// it is sized, and ask the server where the window really is. Elsewhere
// (Wayland) nothing is done; there the compositor decides.
#pragma once

#include <QPoint>
#include <optional>
#include <string_view>

class QWidget;

// Must be called after the native window exists and before it is shown:
// Qt merges the states it finds on the unmapped window with its own.
void MarkSkipTaskbarAndPager(QWidget& window);

// Asks the window manager to keep the window square while it sizes it
// (WM_NORMAL_HINTS aspect 1:1). Qt rewrites those hints whenever it moves
// or sizes the window itself, so this is asked again after each time.
void AskForSquareAspect(QWidget& window);

// Whether an X server answers on `display` (a DISPLAY value).
bool X11DisplayAnswers(std::string_view display);

// Where the window's top-left corner is on the screen, asked of the X
// server; nothing off X11.
std::optional<QPoint> X11WindowOrigin(QWidget& window);
