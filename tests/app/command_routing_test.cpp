// The road of a menu command: whose it is, the follow-up after it, and the
// popup's description that both programs build their menus from.
#include "app/command_routing.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/popup_menu.h"
#include "parts/command_ids.h"
#include "support/fake_menu.h"

namespace {
struct FakeWindow : IMainWindow {
  void SetClickThrough(bool on) override { log.push_back(on ? "ct+" : "ct-"); }
  void SetStayOnTop(bool on) override { log.push_back(on ? "top+" : "top-"); }
  void ShowAbout() override {
    log.push_back("about");
    if (closeDuringAbout) open = false;
  }
  void Close() override {
    log.push_back("close");
    open = false;
  }
  bool IsOpen() const override { return open; }
  void Layout() override { log.push_back("layout"); }
  void SaveSettings() override { log.push_back("save"); }
  void UpdateMenu() override { log.push_back("menu"); }
  std::vector<std::string> log;
  bool open = true;
  bool closeDuringAbout = false;
};

// A part that takes the commands in [first, last] and records the calls.
struct FakePart : IFramePart {
  FakePart(UINT first, UINT last, std::vector<std::string>& log)
      : first(first), last(last), log(log) {}
  void Create(IFrameHost&) override {}
  void Destroy() override {}
  void LoadSettings(const ISettingsStore&) override {}
  void SaveSettings(ISettingsStore&) override {}
  void Layout(const RECT&) override {}
  bool Tick(const SYSTEMTIME&) override { return false; }
  void Draw(CCanvas&) override {}
  bool OnCommand(UINT command) override {
    log.push_back("offered " + std::to_string(command));
    return command >= first && command <= last;
  }
  void UpdateMenu(IMenu& popup) override { menus.push_back(&popup); }
  UINT first, last;
  std::vector<std::string>& log;
  std::vector<IMenu*> menus;
};

class Routing : public ::testing::Test {
 protected:
  FakeWindow window;
  WindowSwitches switches;
  FakePart clock{105, 113, window.log}, globe{114, 140, window.log};
  std::vector<IFramePart*> parts{&clock, &globe};
  using Log = std::vector<std::string>;
};
}  // namespace

TEST_F(Routing, PartsAreOfferedInOrderAndTheFollowUpRuns) {
  EXPECT_TRUE(RouteCommand(IDM_SHADING, window, switches, parts));
  EXPECT_EQ(window.log,
            (Log{"offered 119", "offered 119", "layout", "save", "menu"}));
  window.log.clear();
  EXPECT_TRUE(RouteCommand(IDM_FONT, window, switches, parts));
  EXPECT_EQ(window.log, (Log{"offered 109", "layout", "save", "menu"}))
      << "the globe never sees the clock's command";
  window.log.clear();
  EXPECT_FALSE(RouteCommand(999, window, switches, parts));
  EXPECT_EQ(window.log, (Log{"offered 999", "offered 999"})) << "no follow-up";
}

TEST_F(Routing, WindowSwitchesToggleAndExitSavesOnlyOnTheWayOut) {
  EXPECT_TRUE(RouteCommand(IDM_CLICK_THROUGH, window, switches, parts));
  EXPECT_TRUE(switches.clickThrough);
  EXPECT_TRUE(RouteCommand(IDM_STAY_ON_TOP, window, switches, parts));
  EXPECT_FALSE(switches.stayOnTop);
  EXPECT_EQ(window.log, (Log{"ct+", "layout", "save", "menu", "top-", "layout",
                             "save", "menu"}));
  window.log.clear();
  EXPECT_TRUE(RouteCommand(IDM_EXIT, window, switches, parts));
  EXPECT_EQ(window.log, (Log{"close"}));
}

TEST_F(Routing, NoFollowUpOnAWindowClosedWhileABoxWasOpen) {
  window.closeDuringAbout = true;
  EXPECT_TRUE(RouteCommand(IDM_ABOUT, window, switches, parts));
  EXPECT_EQ(window.log, (Log{"about"}));
}

TEST_F(Routing, MarksGoToEveryPartAndTheSwitches) {
  FakeMenu popup;
  switches = {true, false};
  UpdateMenuMarks(popup, switches, parts);
  ASSERT_EQ(clock.menus.size(), 1u);
  EXPECT_EQ(clock.menus[0], &popup);
  EXPECT_EQ(globe.menus[0], &popup);
  EXPECT_TRUE(popup.checked[IDM_CLICK_THROUGH]);
  EXPECT_FALSE(popup.checked[IDM_STAY_ON_TOP]);
}

namespace {
// Flattens the description into lines "depth:id:text".
struct Flattener : IMenuBuilder {
  void BeginSubmenu(std::u16string_view text) override {
    lines.push_back(std::to_string(depth) + ":sub:" + Narrow(text));
    ++depth;
  }
  void EndSubmenu() override { --depth; }
  void AddItem(UINT command, std::u16string_view text) override {
    ids.push_back(command);
    lines.push_back(std::to_string(depth) + ":" + std::to_string(command) +
                    ":" + Narrow(text));
  }
  void AddSeparator() override {
    lines.push_back(std::to_string(depth) + ":sep");
  }
  static std::string Narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text)
      out += c < 0x80 ? char(c) : c == u'\u00B0' ? 'o' : '*';
    return out;
  }
  int depth = 0;
  std::vector<std::string> lines;
  std::vector<UINT> ids;
};
}  // namespace

TEST(PopupMenu, HoldsEveryCommandOnceWhereThePartsLookForTheirSubmenus) {
  Flattener menu;
  BuildPopupMenu(menu);
  EXPECT_EQ(menu.depth, 0) << "every submenu is closed";
  const std::set<UINT> unique(menu.ids.begin(), menu.ids.end());
  EXPECT_EQ(unique.size(), menu.ids.size());
  for (UINT id = IDM_HOUR_HAND_COLOR; id <= IDM_CITY_LIGHTS; ++id)
    EXPECT_EQ(unique.count(id), id == IDM_SPEED_CUSTOM ? 0u : 1u) << id;
  // Top level: clock, globe, the two switches, About, Exit.
  std::vector<std::string> top;
  for (const std::string& line : menu.lines)
    if (line.rfind("0:", 0) == 0) top.push_back(line);
  ASSERT_EQ(top.size(), 8u);
  EXPECT_EQ(top[0].substr(0, 6), "0:sub:");
  EXPECT_EQ(top[1].substr(0, 6), "0:sub:");
  EXPECT_EQ(top[2], "0:141:********(&I)");
  EXPECT_EQ(top[7], "0:144:**(&X)");
  // The angle and speed submenus sit at positions 7 and 8 of the globe's;
  // the photo and Sun switches follow them.
  std::vector<std::string> globeItems;
  int inGlobe = 0;
  for (const std::string& line : menu.lines) {
    if (line == top[1])
      inGlobe = 1;
    else if (inGlobe && line.rfind("1:", 0) == 0)
      globeItems.push_back(line);
    else if (inGlobe && line.rfind("0:", 0) == 0)
      break;
  }
  ASSERT_EQ(globeItems.size(), 13u);
  EXPECT_EQ(globeItems[7].substr(0, 6), "1:sub:");
  EXPECT_EQ(globeItems[8].substr(0, 6), "1:sub:");
  EXPECT_EQ(globeItems[12].substr(0, 6), "1:147:");
}

TEST(PopupMenu, EnglishHasTheSameShapeAndIdsWithItsOwnTexts) {
  Flattener japanese, english;
  BuildPopupMenu(japanese, UiLanguage::kJapanese);
  BuildPopupMenu(english, UiLanguage::kEnglish);
  EXPECT_EQ(japanese.ids, english.ids);
  ASSERT_EQ(japanese.lines.size(), english.lines.size());
  for (std::size_t i = 0; i < english.lines.size(); ++i) {
    const std::string& line = english.lines[i];
    EXPECT_EQ(line.substr(0, 2), japanese.lines[i].substr(0, 2));
    if (line.find(":sep") == std::string::npos) {
      EXPECT_EQ(line.find('*'), std::string::npos)
          << "English texts are ASCII but for the degree sign: " << line;
      EXPECT_NE(line.find('&'), std::string::npos) << "a mnemonic: " << line;
    }
  }
  EXPECT_EQ(english.lines.back(), "0:144:E&xit");
}

TEST(UiLanguage, TheSettingOverridesTheSystemsChoice) {
  EXPECT_EQ(ChooseUiLanguage(u"", true), UiLanguage::kJapanese);
  EXPECT_EQ(ChooseUiLanguage(u"", false), UiLanguage::kEnglish);
  EXPECT_EQ(ChooseUiLanguage(u" EN ", true), UiLanguage::kEnglish);
  EXPECT_EQ(ChooseUiLanguage(u"ja", false), UiLanguage::kJapanese);
  EXPECT_EQ(ChooseUiLanguage(u"fr", true), UiLanguage::kJapanese)
      << "an unknown language leaves the system's";
  EXPECT_EQ(ChooseUiLanguage(u"english", true), UiLanguage::kJapanese);
}

TEST(UiLanguage, PosixLocalesFollowTheirPrecedence) {
  EXPECT_TRUE(PosixLocaleIsJapanese("", "", "ja_JP.UTF-8"));
  EXPECT_FALSE(PosixLocaleIsJapanese("", "", "en_US.UTF-8"));
  EXPECT_TRUE(PosixLocaleIsJapanese("", "ja_JP.eucJP", "en_US.UTF-8"));
  EXPECT_FALSE(PosixLocaleIsJapanese("C", "ja_JP.UTF-8", "ja_JP.UTF-8"))
      << "LC_ALL wins";
  EXPECT_TRUE(PosixLocaleIsJapanese("", "", "ja"));
  EXPECT_FALSE(PosixLocaleIsJapanese("", "", "jam_JM")) << "Jamaican, not ja";
  EXPECT_FALSE(PosixLocaleIsJapanese("", "", ""));
}
