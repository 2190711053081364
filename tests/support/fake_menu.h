// A menu that records the marks and enabled states set on its items, and
// the items appended and deleted; its submenus are other fakes, placed by
// the test at the positions the code asks for.
#pragma once

#include <map>
#include <string_view>
#include <vector>

#include "framepart/frame_host.h"

struct FakeMenu : IMenu {
  void CheckItem(UINT id, bool on) override { checked[id] = on; }
  void EnableItem(UINT id, bool on) override { enabled[id] = on; }
  IMenu* SubMenu(int position) override {
    const auto found = subMenus.find(position);
    return found == subMenus.end() ? nullptr : found->second;
  }
  int ItemCount() const override { return int(items.size()); }
  void AppendItem(UINT id, std::u16string_view, bool, bool) override {
    items.push_back(id);
  }
  // By command, as the system's menus do: submenus are searched too.
  void DeleteItem(UINT id) override {
    std::erase(items, id);
    for (const auto& [position, sub] : subMenus) sub->DeleteItem(id);
  }

  std::map<UINT, bool> checked, enabled;
  std::vector<UINT> items;
  std::map<int, FakeMenu*> subMenus;
};
