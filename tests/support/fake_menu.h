// A menu that records the marks and enabled states set on its items, and
// the items appended and deleted; its submenus are other fakes the test
// hangs under it. Marks are recorded where they are set, by command.
#pragma once

#include <algorithm>
#include <map>
#include <string_view>
#include <vector>

#include "parts/frame_host.h"

struct FakeMenu : IMenu {
  void CheckItem(UINT id, bool on) override { checked[id] = on; }
  void EnableItem(UINT id, bool on) override { enabled[id] = on; }
  bool HasItem(UINT id) override { return SubMenuHolding(id) != nullptr; }
  IMenu* SubMenuHolding(UINT id) override {
    if (std::find(items.begin(), items.end(), id) != items.end()) return this;
    for (FakeMenu* sub : subMenus)
      if (IMenu* found = sub->SubMenuHolding(id)) return found;
    return nullptr;
  }
  void AppendItem(UINT id, std::u16string_view, bool, bool) override {
    items.push_back(id);
  }
  // By command, as the system's menus do: submenus are searched too.
  void DeleteItem(UINT id) override {
    std::erase(items, id);
    for (FakeMenu* sub : subMenus) sub->DeleteItem(id);
  }

  std::map<UINT, bool> checked, enabled;
  std::vector<UINT> items;
  std::vector<FakeMenu*> subMenus;
};
