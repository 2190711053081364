#include "win32/win32_menu.h"

#include <string>

#include "platform/wide_text_win32.h"

void CWin32Menu::CheckItem(UINT command, bool checked) {
  CheckMenuItem(handle_, command,
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CWin32Menu::EnableItem(UINT command, bool enabled) {
  EnableMenuItem(handle_, command,
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

namespace {
// The menu under `menu` (itself included) that holds `command`, or null.
HMENU MenuHolding(HMENU menu, UINT command) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      if (HMENU found = MenuHolding(sub, command)) return found;
    } else if (GetMenuItemID(menu, i) == command) {
      return menu;
    }
  }
  return nullptr;
}
}  // namespace

bool CWin32Menu::HasItem(UINT command) {
  return MenuHolding(handle_, command) != nullptr;
}

IMenu* CWin32Menu::SubMenuHolding(UINT command) {
  HMENU sub = MenuHolding(handle_, command);
  if (!sub) return nullptr;
  if (sub == handle_) return this;
  for (const auto& known : submenus_)
    if (known->handle_ == sub) return known.get();
  submenus_.push_back(std::make_unique<CWin32Menu>(sub));
  return submenus_.back().get();
}

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

namespace {
// Builds native menus from the shared description: one open popup per
// nesting level.
class CWin32MenuBuilder final : public IMenuBuilder {
 public:
  explicit CWin32MenuBuilder(HMENU root) : open_{root} {}

  void BeginSubmenu(std::u16string_view text) override {
    HMENU sub = CreatePopupMenu();
    if (sub && !AppendMenuW(open_.back(), MF_POPUP | MF_STRING,
                            reinterpret_cast<UINT_PTR>(sub),
                            Wide(std::u16string(text)))) {
      DestroyMenu(sub);
      sub = nullptr;
    }
    // Items of a submenu that could not be made go to a throw-away menu.
    open_.push_back(sub ? sub : CreatePopupMenu());
    orphans_.push_back(sub == nullptr);
  }
  void EndSubmenu() override {
    if (open_.size() <= 1) return;
    if (orphans_.back() && open_.back()) DestroyMenu(open_.back());
    open_.pop_back();
    orphans_.pop_back();
  }
  void AddItem(UINT command, std::u16string_view text) override {
    if (open_.back())
      AppendMenuW(open_.back(), MF_STRING, command, Wide(std::u16string(text)));
  }
  void AddSeparator() override {
    if (open_.back()) AppendMenuW(open_.back(), MF_SEPARATOR, 0, nullptr);
  }

 private:
  std::vector<HMENU> open_;
  std::vector<bool> orphans_;
};
}  // namespace

HMENU CreateWin32PopupMenu(UiLanguage language) {
  HMENU popup = CreatePopupMenu();
  if (!popup) return nullptr;
  CWin32MenuBuilder builder(popup);
  BuildPopupMenu(builder, language);
  return popup;
}
