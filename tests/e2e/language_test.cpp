// The interface language: the system's (the Unix locale under Wine) unless
// [Option] Language says otherwise, in the popup menu (read by its pixels,
// see menu_text.h), the About box's caption and the texture dialog's title.
// ctest runs these tests once more under LANG=ja_JP.UTF-8 and once under
// en_US.UTF-8, with ONDRAVA_E2E_LANGUAGE naming the language the run must
// see.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e_environment.h"
#include "menu_text.h"
#include "ondrava_process.h"
#include "parts/command_ids.h"
#include "user_input.h"

namespace {
struct InterfaceTexts {
  const wchar_t* aboutCaption;
  const wchar_t* textureDialogTitle;
  // The click-through item up to its "&" marker, which a menu may or may
  // not underline.
  const wchar_t* menuItemStart;
};
const InterfaceTexts kJapanese{L"バージョン情報", L"テクスチャファイルを開く",
                               L"マウス操作を透過("};
const InterfaceTexts kEnglish{L"About Ondrava", L"Open a Texture File",
                              L"Let the Mouse Pass Through ("};

bool SystemIsJapanese() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

class Language : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(E2eProgramPath().empty()); }

  // Starts a fresh copy with `language` as [Option] Language (none when
  // empty).
  void Start(const std::string& language) {
    ondrava = std::make_unique<OndravaProcess>(E2eProgramPath());
    std::string ini =
        "[Form]\r\nLeft=400\r\nTop=300\r\nWidth=200\r\nHeight=200\r\n";
    if (!language.empty()) ini += "[Option]\r\nLanguage=" + language + "\r\n";
    WriteFileBytes(ondrava->DefaultSettingsPath(), ini);
    ASSERT_TRUE(ondrava->Start());
  }
  // A dialog box of the program's, once shown: before that the caption may
  // still be the template's.
  HWND WaitForBox() const {
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND w = FindWindowW(L"#32770", nullptr); w && !found;
           w = FindWindowExW(nullptr, w, L"#32770", nullptr))
        if (GetWindow(w, GW_OWNER) == ondrava->Window() && IsWindowVisible(w))
          found = w;
      return found != nullptr;
    });
    return found;
  }
  void ExpectInterfaceIn(const InterfaceTexts& texts) const {
    RECT w;
    GetWindowRect(ondrava->Window(), &w);
    ClickAt({(w.left + w.right) / 2, (w.top + w.bottom) / 2},
            MouseButton::kRight);
    HWND menu = WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    Sleep(200);  // drawn
    EXPECT_TRUE(MenuShowsText(menu, texts.menuItemStart));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([] { return !PopupMenuShown(); }));

    ExpectBoxCaption(IDM_ABOUT, texts.aboutCaption);
    ExpectBoxCaption(IDM_OPEN_TEXTURE, texts.textureDialogTitle);
  }
  // Opens a box with `command`, reads its caption and cancels it.
  void ExpectBoxCaption(UINT command, const wchar_t* expected) const {
    ondrava->Post(WM_COMMAND, command);
    HWND box = WaitForBox();
    ASSERT_NE(box, nullptr) << "command " << command;
    wchar_t caption[64] = {};
    GetWindowTextW(box, caption, 64);
    EXPECT_STREQ(caption, expected);
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  }

  std::unique_ptr<OndravaProcess> ondrava;
};
}  // namespace

TEST_F(Language, TheSystemLanguageDecidesWithoutASetting) {
  char wanted[8] = {};
  if (GetEnvironmentVariableA("ONDRAVA_E2E_LANGUAGE", wanted, 8) == 2) {
    ASSERT_EQ(SystemIsJapanese(), std::string(wanted) == "ja")
        << "the locale " << wanted << " did not reach Wine";
  }
  Start("");
  ExpectInterfaceIn(SystemIsJapanese() ? kJapanese : kEnglish);
}

TEST_F(Language, TheSettingOverridesTheSystem) {
  Start("ja");
  ExpectInterfaceIn(kJapanese);
  Start(" EN ");
  ExpectInterfaceIn(kEnglish);
}

TEST_F(Language, JapaneseMenuTextsAreDrawnWithRealGlyphs) {
  // Not one empty box for all: the prefix lends the menu font Japanese
  // faces (tools/wine-japanese-fonts.reg).
  EXPECT_TRUE(MenuFontHasDistinctGlyphs(L"マウス操作透過手前表示終了"));
}
