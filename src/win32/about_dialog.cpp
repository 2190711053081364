#include "win32/about_dialog.h"

#include <string>

#include "app/dialog_texts.h"
#include "base/resource_ids.h"

namespace {
void SetCaption(HWND dialog, LPARAM language) {
  const std::u16string_view text =
      kAboutCaption.In(static_cast<UiLanguage>(language));
  const std::wstring caption(text.begin(), text.end());
  SetWindowTextW(dialog, caption.c_str());
}
}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetCaption(dialog, lParam);
      return TRUE;  // the dialog manager focuses the default button
    case WM_COMMAND: {
      const WORD id = LOWORD(wParam);
      if (id == IDOK || id == IDCANCEL) {
        EndDialog(dialog, id);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

void ShowAboutBox(HINSTANCE instance, HWND owner, UiLanguage language) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutDialogProc,
                  static_cast<LPARAM>(language));
}
