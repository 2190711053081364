#include "qt/qt_menu.h"

#include <QActionGroup>

#include "app/menu_choices.h"
#include "app/popup_menu.h"
#include "qt/qt_text.h"

namespace {
QAction* FindIn(const QMenu& menu, UINT command) {
  for (QAction* action : menu.actions()) {
    if (CommandOf(action) == command) return action;
    if (QMenu* sub = action->menu())
      if (QAction* found = FindIn(*sub, command)) return found;
  }
  return nullptr;
}

// The menu under `menu` (itself included) that holds `command`, or null.
QMenu* MenuHolding(QMenu& menu, UINT command) {
  for (QAction* action : menu.actions()) {
    if (QMenu* sub = action->menu()) {
      if (QMenu* found = MenuHolding(*sub, command)) return found;
    } else if (CommandOf(action) == command) {
      return &menu;
    }
  }
  return nullptr;
}

// Radio marks for the one-of-many items: one exclusive group per menu, kept
// as the menu's child so that it goes with it.
QActionGroup& ChoiceGroup(QMenu& menu) {
  if (auto* group =
          menu.findChild<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly))
    return *group;
  auto* group = new QActionGroup(&menu);
  group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  return *group;
}

QAction* AddCommand(QMenu& menu, UINT command, std::u16string_view text) {
  QAction* action = menu.addAction(ToQString(text));
  action->setData(QVariant::fromValue(command));
  if (IsOneOfManyCommand(command)) {
    action->setCheckable(true);
    ChoiceGroup(menu).addAction(action);
  }
  return action;
}

class CQtMenuBuilder final : public IMenuBuilder {
 public:
  explicit CQtMenuBuilder(QMenu& root) : open_{&root} {}

  void BeginSubmenu(std::u16string_view text) override {
    open_.push_back(open_.back()->addMenu(ToQString(text)));
  }
  void EndSubmenu() override {
    if (open_.size() > 1) open_.pop_back();
  }
  void AddItem(UINT command, std::u16string_view text) override {
    AddCommand(*open_.back(), command, text);
  }
  void AddSeparator() override { open_.back()->addSeparator(); }

 private:
  std::vector<QMenu*> open_;
};
}  // namespace

UINT CommandOf(const QAction* action) {
  return action ? action->data().toUInt() : 0;
}

QAction* CQtMenu::Find(UINT command) const { return FindIn(menu_, command); }

void CQtMenu::CheckItem(UINT command, bool checked) {
  if (QAction* action = Find(command)) {
    // Only items that were ever checked show a box, as on Windows, where an
    // unchecked item has no mark at all.
    if (checked) action->setCheckable(true);
    action->setChecked(checked);
  }
}

void CQtMenu::EnableItem(UINT command, bool enabled) {
  if (QAction* action = Find(command)) action->setEnabled(enabled);
}

bool CQtMenu::HasItem(UINT command) { return Find(command) != nullptr; }

IMenu* CQtMenu::SubMenuHolding(UINT command) {
  QMenu* sub = MenuHolding(menu_, command);
  if (!sub) return nullptr;
  if (sub == &menu_) return this;
  for (const auto& known : submenus_)
    if (&known->menu_ == sub) return known.get();
  submenus_.push_back(std::make_unique<CQtMenu>(*sub));
  return submenus_.back().get();
}

void CQtMenu::AppendItem(UINT command, std::u16string_view text, bool grayed,
                         bool checked) {
  QAction* action = AddCommand(menu_, command, text);
  action->setEnabled(!grayed);
  action->setCheckable(true);
  action->setChecked(checked);
}

void CQtMenu::DeleteItem(UINT command) {
  if (QAction* action = Find(command)) {
    // Its menu and group forget it when it is deleted.
    delete action;
  }
}

void FillPopupMenu(QMenu& root, UiLanguage language) {
  CQtMenuBuilder builder(root);
  BuildPopupMenu(builder, language);
}
