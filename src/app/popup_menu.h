// The popup menu every front-end shows, on the window and on the
// notification-area icon: one description of its items, ids and texts, so
// that the Windows program and the Linux one cannot drift apart.
#pragma once

#include <string_view>

#include "parts/menu_builder.h"

// The whole popup, in order: the clock's submenu, the globe's (with its
// angle and speed submenus), the two window switches, the About box and
// Exit; the parts find their items by command. Texts carry the "&" mnemonic
// markers Windows menus use. The Japanese texts are the program's own; the
// English ones are their translation, with the same command ids.
void BuildPopupMenu(IMenuBuilder& builder,
                    UiLanguage language = UiLanguage::kJapanese);
