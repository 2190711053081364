// The popup menu as a QMenu: made from the shared description, seen by the
// frame parts through IMenu. Items carry their command id as the action's
// data; commands are looked for in nested submenus too, as Windows menus do
// with MF_BYCOMMAND.
#pragma once

#include <QMenu>
#include <memory>
#include <vector>

#include "parts/frame_host.h"
#include "parts/ui_language.h"

class CQtMenu final : public IMenu {
 public:
  explicit CQtMenu(QMenu& menu) : menu_(menu) {}

  void CheckItem(UINT command, bool checked) override;
  void EnableItem(UINT command, bool enabled) override;
  bool HasItem(UINT command) override;
  IMenu* SubMenuHolding(UINT command) override;
  void AppendItem(UINT command, std::u16string_view text, bool grayed,
                  bool checked) override;
  void DeleteItem(UINT command) override;

  // The action of `command` here or in a submenu, or null.
  QAction* Find(UINT command) const;

 private:
  QMenu& menu_;
  std::vector<std::unique_ptr<CQtMenu>> submenus_;
};

// Fills `root` with the whole popup in `language`. Angle and speed items
// share a radio group per submenu.
void FillPopupMenu(QMenu& root, UiLanguage language);

// The command id an action of the popup carries; 0 for none.
UINT CommandOf(const QAction* action);
