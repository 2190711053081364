#include "app/popup_menu.h"

#include "parts/clock/clock_menu.h"
#include "parts/command_ids.h"
#include "parts/earth/earth_menu.h"

void BuildPopupMenu(IMenuBuilder& b, UiLanguage language) {
  // Each part's submenu, in the parts' order.
  DescribeClockMenu(b, language);
  DescribeEarthMenu(b, language);
  b.AddItem(
      IDM_CLICK_THROUGH,
      UiText{u"マウス操作を透過(&I)", u"Let the Mouse Pass Through (&I)"}.In(
          language));
  b.AddItem(IDM_STAY_ON_TOP,
            UiText{u"手前に表示(&S)", u"&Stay on Top"}.In(language));
  b.AddSeparator();
  b.AddItem(
      IDM_ABOUT,
      UiText{u"バージョン情報(&A) ...", u"&About Ondrava..."}.In(language));
  b.AddSeparator();
  b.AddItem(IDM_EXIT, UiText{u"終了(&X)", u"E&xit"}.In(language));
}
