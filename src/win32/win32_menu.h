// IMenu over a menu handle of the window system.
#pragma once

#include <memory>
#include <vector>

#include "app/popup_menu.h"
#include "parts/frame_host.h"

class CWin32Menu : public IMenu {
 public:
  explicit CWin32Menu(HMENU handle) : handle_(handle) {}

  void CheckItem(UINT command, bool checked) override;
  void EnableItem(UINT command, bool enabled) override;
  bool HasItem(UINT command) override;
  IMenu* SubMenuHolding(UINT command) override;
  void AppendItem(UINT command, std::u16string_view text, bool grayed,
                  bool checked) override;
  void DeleteItem(UINT command) override;

 private:
  HMENU handle_;
  std::vector<std::unique_ptr<CWin32Menu>> submenus_;
};

// A new popup menu holding every item of the program's popup (see
// popup_menu.h) in `language`, or null when the system has no menu for us.
HMENU CreateWin32PopupMenu(UiLanguage language);
