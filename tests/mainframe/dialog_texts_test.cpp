#include "mainframe/dialog_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// The filter as the file dialog reads it: strings up to the empty one.
std::vector<std::u16string> FilterParts(std::u16string_view filter) {
  std::u16string copy(filter);  // its terminator ends the list
  std::vector<std::u16string> parts;
  for (const char16_t* p = copy.c_str(); *p;) {
    parts.emplace_back(p);
    p += parts.back().size() + 1;
  }
  return parts;
}
}  // namespace

TEST(DialogTexts, TheTextureFilterIsOneDescriptionAndItsPattern) {
  for (UiLanguage language : {UiLanguage::kJapanese, UiLanguage::kEnglish}) {
    const auto parts = FilterParts(kTextureFilter.In(language));
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_NE(parts[0].find(u"(*.bmp)"), std::u16string::npos);
    EXPECT_EQ(parts[1], u"*.bmp");
  }
}
