// The About box and the tip say what the Windows program's resources say.
#include "qt/program_texts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/startup_text.h"

namespace {
std::string ResourceScript() {
  std::ifstream file(ONDRAVA_SOURCE_DIR "/resources/ondrava.rc");
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::u16string Wide(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}
}  // namespace

TEST(ProgramTexts, TheLegalNoticeIsTheResourceScriptsOne) {
  const std::string script = ResourceScript();
  const std::string key = "#define ONDRAVA_LEGAL_NOTICE \"";
  const std::size_t at = script.find(key);
  ASSERT_NE(at, std::string::npos);
  const std::size_t start = at + key.size();
  const std::string notice =
      script.substr(start, script.find('"', start) - start);
  EXPECT_EQ(Wide(notice), kLegalNotice);
}

TEST(ProgramTexts, TheAboutBoxAndTheTipCarryTheProjectVersion) {
  EXPECT_EQ(ProgramVersion(), Wide(ONDRAVA_PROJECT_VERSION));
  EXPECT_EQ(AboutVersionLine(), u"Ondrava Version " + ProgramVersion());
  const std::u16string tip = TrayTip();
  EXPECT_EQ(tip.rfind(u"Ondrava Ver. " + ProgramVersion() + u" ", 0), 0u);
  EXPECT_LT(tip.size(), kTipCapacity);
  EXPECT_NE(TrayTipAfterFailedSave(UiLanguage::kEnglish, u"/ro/x.ini")
                .find(u"/ro/x.ini"),
            std::u16string::npos);
}
