// The About box: the program's icon, name, version and legal notice.
#pragma once

#include "parts/ui_language.h"
#include "platform/win32_types.h"

// `lParam` of WM_INITDIALOG carries the UiLanguage of the caption.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                 LPARAM lParam);

// Shows the box modally, owned by `owner`, with its caption in `language`.
void ShowAboutBox(HINSTANCE instance, HWND owner, UiLanguage language);
