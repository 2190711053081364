// Reading a popup menu of another process by its pixels: under Wine a menu
// handle of another process cannot be asked for its items, so the test
// draws the text it expects with the menu font and looks for exactly those
// pixels in the menu window.
#pragma once

#include <windows.h>

#include <string>

// Whether the menu window shows `text` (no "&" markers) as an item that is
// not highlighted.
bool MenuShowsText(HWND popupMenu, const std::wstring& text);

// Whether the menu font draws each of `characters` as a glyph of its own,
// rather than all of them as the same empty box.
bool MenuFontHasDistinctGlyphs(const std::wstring& characters);
