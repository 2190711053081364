// The popup menu every front-end shows, on the window and on the
// notification-area icon: one description of its items, ids and texts, so
// that the Windows program and the Linux one cannot drift apart.
#pragma once

#include <string_view>

#include "parts/ui_language.h"
#include "platform/win32_types.h"

// How a front-end makes its native menu from the description.
class IMenuBuilder {
 public:
  virtual void BeginSubmenu(std::u16string_view text) = 0;
  virtual void EndSubmenu() = 0;
  virtual void AddItem(UINT command, std::u16string_view text) = 0;
  virtual void AddSeparator() = 0;

 protected:
  ~IMenuBuilder() = default;
};

// The whole popup, in order: the clock's submenu, the globe's (with its
// angle and speed submenus), the two window switches, the About box and
// Exit; the parts find their items by command. Texts carry the "&" mnemonic
// markers Windows menus use. The Japanese texts are the program's own; the
// English ones are their translation, with the same command ids.
void BuildPopupMenu(IMenuBuilder& builder,
                    UiLanguage language = UiLanguage::kJapanese);
