#include "mainframe/win32_menu.h"

#include <string>

void CWin32Menu::CheckItem(UINT command, bool checked) {
  CheckMenuItem(handle_, command,
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CWin32Menu::EnableItem(UINT command, bool enabled) {
  EnableMenuItem(handle_, command,
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

IMenu* CWin32Menu::SubMenu(int position) {
  HMENU sub = GetSubMenu(handle_, position);
  if (!sub) return nullptr;
  for (const auto& known : submenus_)
    if (known->handle_ == sub) return known.get();
  submenus_.push_back(std::make_unique<CWin32Menu>(sub));
  return submenus_.back().get();
}

int CWin32Menu::ItemCount() const { return GetMenuItemCount(handle_); }

void CWin32Menu::AppendItem(UINT command, std::u16string_view text, bool grayed,
                            bool checked) {
  std::wstring label(text.begin(), text.end());
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS |
               MIIM_TYPE | MIIM_DATA;
  item.fType = MFT_STRING;
  item.fState = (grayed ? MFS_GRAYED : 0) | (checked ? MFS_CHECKED : 0);
  item.wID = command;
  item.dwTypeData = label.data();
  item.cch = UINT(label.size());
  InsertMenuItemW(handle_, UINT(GetMenuItemCount(handle_)), TRUE, &item);
}

void CWin32Menu::DeleteItem(UINT command) {
  DeleteMenu(handle_, command, MF_BYCOMMAND);
}
