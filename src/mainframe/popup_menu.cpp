#include "mainframe/popup_menu.h"

#include "framepart/command_ids.h"

namespace {
void AddClockItems(IMenuBuilder& b) {
  b.BeginSubmenu(u"時計(&C)");
  b.AddItem(IDM_HOUR_HAND_COLOR, u"短針色変更(&H)...");
  b.AddItem(IDM_MINUTE_HAND_COLOR, u"分針色変更(&M)...");
  b.AddItem(IDM_SECOND_HAND_COLOR, u"秒針色変更(&S)...");
  b.AddItem(IDM_DIAL_COLOR, u"文字盤色変更(&J)...");
  b.AddItem(IDM_FONT, u"フォント変更(&F)...");
  b.AddItem(IDM_NEXT_CHARACTERS, u"文字変更(&C)");
  b.AddItem(IDM_ROTATE_CHARACTERS, u"文字回転(&R)");
  b.AddItem(IDM_SECOND_HAND, u"秒針の表示(&V)");
  b.AddItem(IDM_SMOOTH, u"スムース(&Z)");
  b.EndSubmenu();
}

void AddTiltItems(IMenuBuilder& b) {
  // From the north pole southward in 15-degree steps.
  static constexpr std::u16string_view kTilts[] = {
      u"北極(&0)",   u"北緯75(&1)", u"北緯60(&2)", u"北緯45(&3)", u"北緯30(&4)",
      u"北緯15(&5)", u"赤道(&6)",   u"南緯15(&7)", u"南緯30(&8)", u"南緯45(&9)",
      u"南緯60(&A)", u"南緯75(&B)", u"南極(&C)"};
  static_assert(std::size(kTilts) == IDM_TILT_LAST - IDM_TILT_FIRST + 1);
  b.BeginSubmenu(u"角度(&A)");
  for (UINT i = 0; i < std::size(kTilts); ++i)
    b.AddItem(IDM_TILT_FIRST + i, kTilts[i]);
  b.EndSubmenu();
}

void AddSpeedItems(IMenuBuilder& b) {
  // The globe appends a greyed "custom" item itself while no choice
  // matches the speed from the file.
  static constexpr std::u16string_view kSpeeds[] = {
      u"停止(&0)",       u"１分で２周(&1)",   u"１分で１周(&2)",
      u"２分で１周(&3)", u"１時間で１周(&4)", u"１日で１周(&5)"};
  static_assert(std::size(kSpeeds) == IDM_SPEED_LAST - IDM_SPEED_FIRST + 1);
  b.BeginSubmenu(u"回転速度(&R)");
  for (UINT i = 0; i < std::size(kSpeeds); ++i)
    b.AddItem(IDM_SPEED_FIRST + i, kSpeeds[i]);
  b.EndSubmenu();
}

void AddGlobeItems(IMenuBuilder& b) {
  b.BeginSubmenu(u"地球(&E)");
  b.AddItem(IDM_OPEN_TEXTURE, u"ファイルを開く(&O)...");
  b.AddItem(IDM_USE_TEXTURE, u"ファイルを使う(&U)");
  b.AddItem(IDM_KEY_COLOR, u"透明化色(&C)...");
  b.AddItem(IDM_KEY_TRANSPARENCY, u"指定色を透明化(&T)");
  b.AddItem(IDM_ANGLE_TRANSPARENCY, u"面の角度で透明度を変える(&G)");
  b.AddItem(IDM_SHADING, u"影付け(&S)");
  b.AddItem(IDM_FAR_SIDE, u"裏面も表示(&V)");
  AddTiltItems(b);
  AddSpeedItems(b);
  b.EndSubmenu();
}
}  // namespace

void BuildPopupMenu(IMenuBuilder& b) {
  AddClockItems(b);
  AddGlobeItems(b);
  b.AddItem(IDM_CLICK_THROUGH, u"マウス操作を透過(&I)");
  b.AddItem(IDM_STAY_ON_TOP, u"手前に表示(&S)");
  b.AddSeparator();
  b.AddItem(IDM_ABOUT, u"バージョン情報(&A) ...");
  b.AddSeparator();
  b.AddItem(IDM_EXIT, u"終了(&X)");
}
