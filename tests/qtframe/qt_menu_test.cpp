// The popup as a QMenu: the shared description's items and ids, the parts'
// marks found in nested submenus, radio groups, and items added and removed.
#include "qtframe/qt_menu.h"

#include <gtest/gtest.h>

#include "framepart/command_ids.h"
#include "mainframe/popup_menu.h"

namespace {
QAction* Item(CQtMenu& menu, UINT command) {
  QAction* action = menu.Find(command);
  EXPECT_NE(action, nullptr) << command;
  return action;
}
}  // namespace

TEST(QtMenu, HoldsTheSharedDescriptionWithItsIdsAndMnemonics) {
  QMenu root;
  FillPopupMenu(root, UiLanguage::kJapanese);
  CQtMenu menu(root);
  // Two submenus, two switches, About, Exit and two separators.
  ASSERT_EQ(menu.ItemCount(), 8);
  EXPECT_EQ(Item(menu, IDM_EXIT)->text(), QString::fromUtf16(u"終了(&X)"));
  EXPECT_EQ(root.actions()[0]->text(), QString::fromUtf16(u"時計(&C)"));
  IMenu* globe = menu.SubMenu(kGlobeSubmenu);
  ASSERT_NE(globe, nullptr);
  EXPECT_EQ(globe, menu.SubMenu(kGlobeSubmenu)) << "one view per submenu";
  ASSERT_NE(globe->SubMenu(7), nullptr) << "the angles";
  ASSERT_NE(globe->SubMenu(8), nullptr) << "the speeds";
  EXPECT_EQ(globe->SubMenu(8)->ItemCount(), 6);
  EXPECT_EQ(menu.SubMenu(2), nullptr) << "a plain item has no submenu";
  EXPECT_EQ(menu.SubMenu(99), nullptr);

  QMenu english;
  FillPopupMenu(english, UiLanguage::kEnglish);
  EXPECT_EQ(CQtMenu(english).Find(IDM_EXIT)->text(), QStringLiteral("E&xit"));
}

TEST(QtMenu, MarksReachItemsInNestedSubmenusAndOnlyCheckedOnesShowABox) {
  QMenu root;
  FillPopupMenu(root, UiLanguage::kEnglish);
  CQtMenu menu(root);
  IMenu* globe = menu.SubMenu(kGlobeSubmenu);
  globe->CheckItem(IDM_TILT_FIRST + 2, true);
  EXPECT_TRUE(Item(menu, IDM_TILT_FIRST + 2)->isChecked());
  menu.CheckItem(IDM_STAY_ON_TOP, false);
  EXPECT_FALSE(Item(menu, IDM_STAY_ON_TOP)->isCheckable());
  menu.CheckItem(IDM_STAY_ON_TOP, true);
  EXPECT_TRUE(Item(menu, IDM_STAY_ON_TOP)->isChecked());
  menu.CheckItem(IDM_STAY_ON_TOP, false);
  EXPECT_FALSE(Item(menu, IDM_STAY_ON_TOP)->isChecked());
  globe->EnableItem(IDM_USE_TEXTURE, false);
  EXPECT_FALSE(Item(menu, IDM_USE_TEXTURE)->isEnabled());
  menu.CheckItem(9999, true);  // no such item: nothing happens
}

TEST(QtMenu, AnglesAndSpeedsAreRadioGroupsOfTheirOwn) {
  QMenu root;
  FillPopupMenu(root, UiLanguage::kEnglish);
  CQtMenu menu(root);
  QAction* tilt = Item(menu, IDM_TILT_FIRST);
  QAction* speed = Item(menu, IDM_SPEED_FIRST);
  ASSERT_NE(tilt->actionGroup(), nullptr);
  ASSERT_NE(speed->actionGroup(), nullptr);
  EXPECT_NE(tilt->actionGroup(), speed->actionGroup());
  EXPECT_EQ(Item(menu, IDM_TILT_LAST)->actionGroup(), tilt->actionGroup());
  EXPECT_EQ(Item(menu, IDM_FAR_SIDE)->actionGroup(), nullptr);
  tilt->setChecked(true);
  Item(menu, IDM_TILT_LAST)->setChecked(true);
  EXPECT_FALSE(tilt->isChecked()) << "one angle at a time";
}

TEST(QtMenu, TheCustomSpeedComesAndGoesInTheSpeedGroup) {
  QMenu root;
  FillPopupMenu(root, UiLanguage::kEnglish);
  CQtMenu menu(root);
  IMenu* speeds = menu.SubMenu(kGlobeSubmenu)->SubMenu(8);
  speeds->AppendItem(IDM_SPEED_CUSTOM, u"Custom (&6)", true, true);
  QAction* custom = Item(menu, IDM_SPEED_CUSTOM);
  EXPECT_EQ(speeds->ItemCount(), 7);
  EXPECT_FALSE(custom->isEnabled());
  EXPECT_TRUE(custom->isChecked());
  EXPECT_EQ(custom->actionGroup(), Item(menu, IDM_SPEED_FIRST)->actionGroup());
  menu.SubMenu(kGlobeSubmenu)->DeleteItem(IDM_SPEED_CUSTOM);
  EXPECT_EQ(speeds->ItemCount(), 6);
  EXPECT_EQ(menu.Find(IDM_SPEED_CUSTOM), nullptr);
  menu.DeleteItem(IDM_SPEED_CUSTOM);  // gone already: nothing happens
  EXPECT_EQ(CommandOf(nullptr), 0u);
}
