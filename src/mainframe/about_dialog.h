// The About box: the program's icon, name, version and legal notice.
#pragma once

#include "platform/win32_types.h"

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                 LPARAM lParam);

// Shows the box modally, owned by `owner`.
void ShowAboutBox(HINSTANCE instance, HWND owner);
