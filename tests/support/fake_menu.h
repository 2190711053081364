// A frame part's submenu that records the marks and enabled states set on
// its items, and the items appended and deleted.
#pragma once

#include <map>
#include <string_view>
#include <vector>

#include "framepart/frame_host.h"

struct FakeMenu : IMenu {
  void CheckItem(UINT id, bool on) override { checked[id] = on; }
  void EnableItem(UINT id, bool on) override { enabled[id] = on; }
  // The globe's speed submenu sits at position 8.
  IMenu* SubMenu(int position) override {
    return position == 8 ? speeds : nullptr;
  }
  int ItemCount() const override { return int(items.size()); }
  void AppendItem(UINT id, std::u16string_view, bool, bool) override {
    items.push_back(id);
  }
  void DeleteItem(UINT id) override {
    std::erase(items, id);
    if (speeds) speeds->DeleteItem(id);
  }

  std::map<UINT, bool> checked, enabled;
  std::vector<UINT> items;
  FakeMenu* speeds = nullptr;
};
