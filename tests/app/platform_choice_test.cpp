// The Linux program's window system: XWayland by itself on a Wayland
// session, never against the user's own choice.
#include "app/platform_choice.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
int asked = 0;
bool Answers(std::string_view) { return ++asked, true; }
bool Silent(std::string_view) { return ++asked, false; }

std::vector<char*> Arguments(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  return pointers;
}
}  // namespace

TEST(PlatformChoice, AWaylandSessionWithAnXDisplayGetsXWayland) {
  const SessionDisplays wayland{"", "wayland-1", ":1"};
  EXPECT_EQ(ChosenQtPlatform(wayland, false, Answers), "xcb");
  asked = 0;
  EXPECT_EQ(ChosenQtPlatform(wayland, false, Silent), std::nullopt)
      << "an X display that does not answer is no choice";
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(ChosenQtPlatform({"", "wayland-1", ""}, false, Answers),
            std::nullopt)
      << "no XWayland";
  asked = 0;
  EXPECT_EQ(ChosenQtPlatform({"", "", ":0"}, false, Answers), std::nullopt)
      << "an X11 session is left to Qt";
  EXPECT_EQ(asked, 0) << "nothing asked of X when it cannot matter";
}

TEST(PlatformChoice, TheUsersOwnChoiceAlwaysWins) {
  asked = 0;
  EXPECT_EQ(ChosenQtPlatform({"wayland", "wayland-1", ":1"}, false, Answers),
            std::nullopt);
  EXPECT_EQ(ChosenQtPlatform({"", "wayland-1", ":1"}, true, Answers),
            std::nullopt);
  EXPECT_EQ(asked, 0);

  std::vector<std::string> given{"ondrava", "-platform", "wayland"};
  EXPECT_TRUE(NamesQtPlatform(Arguments(given)));
  std::vector<std::string> joined{"ondrava", "--platform=wayland"};
  EXPECT_TRUE(NamesQtPlatform(Arguments(joined)));
  std::vector<std::string> settings{"ondrava", "/home/u/platform.ini"};
  EXPECT_FALSE(NamesQtPlatform(Arguments(settings)));
}
