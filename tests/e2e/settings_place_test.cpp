// Where the settings go when the folder beside the program cannot take
// them: the per-user file under %APPDATA%, read from there at the next
// start; with nowhere to write, the notification-area tip says so and the
// program runs on.
#include <gtest/gtest.h>

#include <string>

#include "e2e_environment.h"
#include "notification_area.h"
#include "ondrava_process.h"
#include "parts/command_ids.h"
#include "user_input.h"

namespace {
// Away from Wine's tray window in the top-left corner; English tips.
const char kReadOnlySettings[] =
    "[Form]\r\nLeft=400\r\nTop=300\r\nWidth=200\r\nHeight=200\r\n"
    "[Option]\r\nLanguage=en\r\n";

class SettingsPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(E2eProgramPath().empty());
    beside = ondrava.DefaultSettingsPath();
    perUser = ondrava.AppData() + L"\\Ondrava\\Ondrava.ini";
  }
  // A read-only file, which the store refuses to replace.
  void MakeReadOnly(const std::wstring& path, const std::string& bytes) const {
    WriteFileBytes(path, bytes);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  LONG ExStyle() const { return GetWindowLongW(ondrava.Window(), GWL_EXSTYLE); }

  OndravaProcess ondrava{E2eProgramPath()};
  std::wstring beside, perUser;
};
}  // namespace

TEST_F(SettingsPlace, AFileBesideTheProgramThatCannotBeWrittenMovesToAppData) {
  MakeReadOnly(beside, kReadOnlySettings);
  ASSERT_TRUE(ondrava.Start());
  ondrava.Command(IDM_CLICK_THROUGH);
  ASSERT_TRUE(FileExists(perUser));
  EXPECT_EQ(ReadSetting(perUser, L"Form", L"Transparent"), L"True");
  EXPECT_EQ(ReadSetting(perUser, L"Form", L"Left"), L"400")
      << "what was read beside the program moves along";
  EXPECT_EQ(ReadFileBytes(beside), kReadOnlySettings);
  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);

  // The next start reads the moved file.
  ASSERT_TRUE(ondrava.Start());
  EXPECT_TRUE(ExStyle() & WS_EX_TRANSPARENT);
  EXPECT_EQ(ReadFileBytes(beside), kReadOnlySettings);
}

TEST_F(SettingsPlace, ACommandLinePathIsNeverRedirected) {
  const std::wstring given = ondrava.BesideExecutable(L"given.ini");
  MakeReadOnly(given, kReadOnlySettings);
  ASSERT_TRUE(ondrava.Start(L"\"" + given + L"\""));
  ondrava.Command(IDM_CLICK_THROUGH);
  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  EXPECT_EQ(ReadFileBytes(given), kReadOnlySettings);
  EXPECT_FALSE(FileExists(perUser));
  EXPECT_FALSE(FileExists(beside));
}

TEST_F(SettingsPlace, WithNowhereToWriteTheTipSaysSoAndTheProgramRunsOn) {
  MakeReadOnly(beside, kReadOnlySettings);
  // %APPDATA%\Ondrava cannot become a folder: a file has that name.
  const std::wstring blocked = ondrava.BesideExecutable(L"blocked");
  CreateDirectoryW(blocked.c_str(), nullptr);
  WriteFileBytes(blocked + L"\\Ondrava", "not a folder");
  ondrava.SetEnvironment(L"APPDATA", blocked);
  ASSERT_TRUE(ondrava.Start());

  const TrayIcon before = WaitForTrayIcon(L"Ondrava Ver. ");
  ASSERT_NE(before.window, nullptr) << "the usual tip first";
  ondrava.Command(IDM_STAY_ON_TOP);
  const TrayIcon after =
      WaitForTrayIcon(L"Ondrava: settings could not be saved");
  EXPECT_NE(after.window, nullptr) << "the tip reports the failure";
  EXPECT_TRUE(ondrava.IsRunning());
  ondrava.Command(IDM_STAY_ON_TOP);  // fails again, silently
  EXPECT_TRUE(ondrava.IsRunning());

  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  EXPECT_EQ(ReadFileBytes(beside), kReadOnlySettings);
  EXPECT_EQ(ReadFileBytes(blocked + L"\\Ondrava"), "not a folder");
  EXPECT_EQ(FilesIn(ondrava.Folder()), 2) << "no copy is left behind";
}
