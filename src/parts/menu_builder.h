// How a host makes its native menu from the program's description of the
// popup: the parts describe their own submenus through it, the program the
// rest.
#pragma once

#include <cstddef>
#include <string_view>

#include "parts/ui_language.h"
#include "platform/win32_types.h"

class IMenuBuilder {
 public:
  virtual void BeginSubmenu(std::u16string_view text) = 0;
  virtual void EndSubmenu() = 0;
  virtual void AddItem(UINT command, std::u16string_view text) = 0;
  virtual void AddSeparator() = 0;

 protected:
  ~IMenuBuilder() = default;
};

// One item of a described menu: its command and its two texts.
struct MenuItem {
  UINT command;
  UiText text;
};

template <std::size_t N>
void AddMenuItems(IMenuBuilder& b, const MenuItem (&items)[N],
                  UiLanguage language) {
  for (const MenuItem& item : items)
    b.AddItem(item.command, item.text.In(language));
}
