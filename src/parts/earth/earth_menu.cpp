#include "parts/earth/earth_menu.h"

#include <iterator>

#include "parts/command_ids.h"

const UiText kCustomSpeedText{u"カスタム(&6)", u"Custom (&6)"};

namespace {
constexpr MenuItem kGlobeItems[] = {
    {IDM_OPEN_TEXTURE, {u"ファイルを開く(&O)...", u"&Open File..."}},
    {IDM_USE_TEXTURE, {u"ファイルを使う(&U)", u"&Use the File"}},
    {IDM_KEY_COLOR, {u"透明化色(&C)...", u"Transparent &Colour..."}},
    {IDM_KEY_TRANSPARENCY,
     {u"指定色を透明化(&T)", u"Make the Colour &Transparent"}},
    {IDM_ANGLE_TRANSPARENCY,
     {u"面の角度で透明度を変える(&G)",
      u"Vary Transparency with the Surface An&gle"}},
    {IDM_SHADING, {u"影付け(&S)", u"&Shading"}},
    {IDM_FAR_SIDE, {u"裏面も表示(&V)", u"Show the &Far Side Too"}},
};

// From the north pole southward in 15-degree steps.
constexpr UiText kTilts[] = {
    {u"北極(&0)", u"North Pole (&0)"}, {u"北緯75(&1)", u"75° N (&1)"},
    {u"北緯60(&2)", u"60° N (&2)"},    {u"北緯45(&3)", u"45° N (&3)"},
    {u"北緯30(&4)", u"30° N (&4)"},    {u"北緯15(&5)", u"15° N (&5)"},
    {u"赤道(&6)", u"Equator (&6)"},    {u"南緯15(&7)", u"15° S (&7)"},
    {u"南緯30(&8)", u"30° S (&8)"},    {u"南緯45(&9)", u"45° S (&9)"},
    {u"南緯60(&A)", u"60° S (&A)"},    {u"南緯75(&B)", u"75° S (&B)"},
    {u"南極(&C)", u"South Pole (&C)"}};
static_assert(std::size(kTilts) == IDM_TILT_LAST - IDM_TILT_FIRST + 1);

// The globe appends a greyed "custom" item itself while no choice matches
// the speed from the file.
constexpr UiText kSpeeds[] = {
    {u"停止(&0)", u"Stop (&0)"},
    {u"１分で２周(&1)", u"Two Turns a Minute (&1)"},
    {u"１分で１周(&2)", u"One Turn a Minute (&2)"},
    {u"２分で１周(&3)", u"One Turn in Two Minutes (&3)"},
    {u"１時間で１周(&4)", u"One Turn an Hour (&4)"},
    {u"１日で１周(&5)", u"One Turn a Day (&5)"}};
static_assert(std::size(kSpeeds) == IDM_SPEED_LAST - IDM_SPEED_FIRST + 1);

// After the angle and speed submenus, which keep their places.
constexpr MenuItem kSunItems[] = {
    {IDM_PHOTO, {u"写真の地球(&P)", u"&Photographic Earth"}},
    {IDM_SUN, {u"昼と夜(&D)", u"&Day and Night"}},
    {IDM_CITY_LIGHTS, {u"街の灯り(&L)", u"City &Lights"}},
};

template <std::size_t N>
void AddSubmenu(IMenuBuilder& b, UiText title, UINT first,
                const UiText (&texts)[N], UiLanguage language) {
  b.BeginSubmenu(title.In(language));
  for (UINT i = 0; i < N; ++i) b.AddItem(first + i, texts[i].In(language));
  b.EndSubmenu();
}
}  // namespace

void DescribeEarthMenu(IMenuBuilder& b, UiLanguage language) {
  b.BeginSubmenu(UiText{u"地球(&E)", u"&Earth"}.In(language));
  AddMenuItems(b, kGlobeItems, language);
  AddSubmenu(b, {u"角度(&A)", u"&Angle"}, IDM_TILT_FIRST, kTilts, language);
  AddSubmenu(b, {u"回転速度(&R)", u"&Rotation Speed"}, IDM_SPEED_FIRST, kSpeeds,
             language);
  b.AddSeparator();
  AddMenuItems(b, kSunItems, language);
  b.EndSubmenu();
}
