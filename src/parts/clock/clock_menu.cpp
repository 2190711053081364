#include "parts/clock/clock_menu.h"

#include "parts/command_ids.h"

namespace {
constexpr MenuItem kClockItems[] = {
    {IDM_HOUR_HAND_COLOR, {u"短針色変更(&H)...", u"&Hour Hand Colour..."}},
    {IDM_MINUTE_HAND_COLOR, {u"分針色変更(&M)...", u"&Minute Hand Colour..."}},
    {IDM_SECOND_HAND_COLOR, {u"秒針色変更(&S)...", u"&Second Hand Colour..."}},
    {IDM_DIAL_COLOR, {u"文字盤色変更(&J)...", u"&Dial Colour..."}},
    {IDM_FONT, {u"フォント変更(&F)...", u"&Font..."}},
    {IDM_NEXT_CHARACTERS, {u"文字変更(&C)", u"&Change Characters"}},
    {IDM_ROTATE_CHARACTERS, {u"文字回転(&R)", u"&Rotate Characters"}},
    {IDM_SECOND_HAND, {u"秒針の表示(&V)", u"Sho&w Second Hand"}},
    {IDM_SMOOTH, {u"スムース(&Z)", u"Smoo&th Movement"}},
};

}  // namespace

void DescribeClockMenu(IMenuBuilder& b, UiLanguage language) {
  b.BeginSubmenu(UiText{u"時計(&C)", u"&Clock"}.In(language));
  AddMenuItems(b, kClockItems, language);
  b.EndSubmenu();
}
