// The popup as a QMenu: the shared description's items and ids, the parts'
// marks found in nested submenus, radio groups, and items added and removed.
#include "qt/qt_menu.h"

#include <gtest/gtest.h>

#include "app/popup_menu.h"
#include "parts/command_ids.h"

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
  ASSERT_EQ(root.actions().size(), 8);
  EXPECT_EQ(Item(menu, IDM_EXIT)->text(), QString::fromUtf16(u"終了(&X)"));
  EXPECT_EQ(root.actions()[0]->text(), QString::fromUtf16(u"時計(&C)"));
  EXPECT_EQ(menu.SubMenuHolding(IDM_EXIT), &menu) << "a top-level item";
  IMenu* globe = menu.SubMenuHolding(IDM_FAR_SIDE);
  ASSERT_NE(globe, nullptr);
  EXPECT_NE(globe, &menu);
  EXPECT_EQ(globe, menu.SubMenuHolding(IDM_PHOTO)) << "one view per submenu";
  IMenu* angles = menu.SubMenuHolding(IDM_TILT_FIRST);
  IMenu* speeds = menu.SubMenuHolding(IDM_SPEED_LAST);
  ASSERT_NE(angles, nullptr);
  ASSERT_NE(speeds, nullptr);
  EXPECT_NE(angles, speeds);
  IMenu* speedsFromGlobe = globe->SubMenuHolding(IDM_SPEED_FIRST);
  ASSERT_NE(speedsFromGlobe, nullptr) << "found from any menu above it";
  EXPECT_EQ(speedsFromGlobe->SubMenuHolding(IDM_SPEED_LAST), speedsFromGlobe);
  EXPECT_EQ(menu.SubMenuHolding(9999), nullptr);
  EXPECT_FALSE(menu.HasItem(IDM_SPEED_CUSTOM));
  EXPECT_TRUE(menu.HasItem(IDM_SPEED_LAST));

  QMenu english;
  FillPopupMenu(english, UiLanguage::kEnglish);
  EXPECT_EQ(CQtMenu(english).Find(IDM_EXIT)->text(), QStringLiteral("E&xit"));
}

TEST(QtMenu, MarksReachItemsInNestedSubmenusAndOnlyCheckedOnesShowABox) {
  QMenu root;
  FillPopupMenu(root, UiLanguage::kEnglish);
  CQtMenu menu(root);
  IMenu* globe = menu.SubMenuHolding(IDM_FAR_SIDE);
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
  IMenu* speeds = menu.SubMenuHolding(IDM_SPEED_FIRST);
  speeds->AppendItem(IDM_SPEED_CUSTOM, u"Custom (&6)", true, true);
  QAction* custom = Item(menu, IDM_SPEED_CUSTOM);
  EXPECT_EQ(menu.SubMenuHolding(IDM_SPEED_CUSTOM), speeds);
  EXPECT_FALSE(custom->isEnabled());
  EXPECT_TRUE(custom->isChecked());
  EXPECT_EQ(custom->actionGroup(), Item(menu, IDM_SPEED_FIRST)->actionGroup());
  menu.SubMenuHolding(IDM_FAR_SIDE)->DeleteItem(IDM_SPEED_CUSTOM);
  EXPECT_FALSE(menu.HasItem(IDM_SPEED_CUSTOM));
  EXPECT_EQ(menu.Find(IDM_SPEED_CUSTOM), nullptr);
  menu.DeleteItem(IDM_SPEED_CUSTOM);  // gone already: nothing happens
  EXPECT_EQ(CommandOf(nullptr), 0u);
}
