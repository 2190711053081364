// Where the settings file is, and how a save that cannot be written moves to
// the per-user file or is reported once.
#include "app/settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "app/settings_file.h"
#include "settings/settings_values.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {
FileExists Existing(std::set<std::u16string> files) {
  return [files](const std::u16string& path) { return files.count(path) > 0; };
}
const std::u16string kBeside = u"/opt/ondrava/Ondrava.ini";
const std::u16string kUser = u"/home/u/.config/ondrava/Ondrava.ini";
}  // namespace

TEST(SettingsLocation, TheCommandLineWinsAndNeverMoves) {
  for (auto choose : {WindowsSettingsLocation, LinuxSettingsLocation}) {
    const SettingsLocation l =
        choose(u"my.ini", kBeside, kUser, Existing({kBeside, kUser}));
    EXPECT_EQ(l.path, u"my.ini");
    EXPECT_TRUE(l.fallback.empty());
  }
}

TEST(SettingsLocation, WindowsUsesTheFileBesideTheProgramUntilItMoved) {
  SettingsLocation l =
      WindowsSettingsLocation(u"", kBeside, kUser, Existing({}));
  EXPECT_EQ(l.path, kBeside) << "created there on the first save";
  EXPECT_EQ(l.fallback, kUser);
  l = WindowsSettingsLocation(u"", kBeside, kUser, Existing({kBeside, kUser}));
  EXPECT_EQ(l.path, kUser) << "an earlier move is read first";
  EXPECT_TRUE(l.fallback.empty());
  l = WindowsSettingsLocation(u"", kBeside, u"", Existing({}));
  EXPECT_EQ(l.path, kBeside);
  EXPECT_TRUE(l.fallback.empty()) << "no per-user folder known";
}

TEST(SettingsLocation, LinuxUsesAPortableCopyOnlyWhenItIsThere) {
  SettingsLocation l = LinuxSettingsLocation(u"", kBeside, kUser, Existing({}));
  EXPECT_EQ(l.path, kUser);
  EXPECT_TRUE(l.fallback.empty());
  l = LinuxSettingsLocation(u"", kBeside, kUser, Existing({kBeside}));
  EXPECT_EQ(l.path, kBeside);
  EXPECT_EQ(l.fallback, kUser);
  l = LinuxSettingsLocation(u"", kBeside, kUser, Existing({kBeside, kUser}));
  EXPECT_EQ(l.path, kUser);
}

TEST(SettingsLocation, OnlyThePerUserFileHasItsFolderMade) {
  const FileExists none = Existing({});
  EXPECT_TRUE(LinuxSettingsLocation(u"", kBeside, kUser, none).makesFolder);
  EXPECT_FALSE(LinuxSettingsLocation(u"", kBeside, u"", none).makesFolder)
      << "no per-user path known";
  EXPECT_FALSE(LinuxSettingsLocation(u"", kBeside, kUser, Existing({kBeside}))
                   .makesFolder)
      << "a portable copy sits in the program's folder";
  EXPECT_TRUE(WindowsSettingsLocation(u"", kBeside, kUser, Existing({kUser}))
                  .makesFolder);
  for (auto choose : {WindowsSettingsLocation, LinuxSettingsLocation})
    EXPECT_FALSE(choose(u"/x/my.ini", kBeside, kUser, none).makesFolder)
        << "a folder the user named is never made";
}

TEST(SettingsLocation, PerUserPathsFollowTheirConventions) {
  EXPECT_EQ(XdgSettingsPath(u"/x/cfg/", u"/home/u"),
            u"/x/cfg/ondrava/Ondrava.ini");
  EXPECT_EQ(XdgSettingsPath(u"", u"/home/u"), kUser);
  EXPECT_EQ(XdgSettingsPath(u"relative", u"/home/u/"), kUser)
      << "a relative XDG_CONFIG_HOME is ignored";
  EXPECT_EQ(XdgSettingsPath(u"", u""), u"");
  EXPECT_EQ(AppDataSettingsPath(u"C:\\Users\\u\\AppData\\Roaming\\"),
            u"C:\\Users\\u\\AppData\\Roaming\\Ondrava\\Ondrava.ini");
  EXPECT_EQ(AppDataSettingsPath(u""), u"");
}

namespace {
class SettingsFileSave : public ::testing::Test {
 protected:
  void SetUp() override {
    root = FreshTempFolder("ondrava-settings-file");
    // A file where a folder should be: nothing can be written beneath it,
    // whoever runs the test.
    std::ofstream(root / "blocked") << "not a folder";
  }
  void TearDown() override { fs::remove_all(root); }
  std::u16string At(const std::string& relative) const {
    return (root / relative).u16string();
  }
  static bool MakeFolder(const std::u16string& file) {
    std::error_code error;
    fs::create_directories(fs::path(file).parent_path(), error);
    return !error;
  }
  static void WriteSize(ISettingsStore& store) {
    WriteInt(store, u"Font", u"Size", 120);
  }
  fs::path root;
};
}  // namespace

TEST_F(SettingsFileSave, AnUnwritablePlaceMovesToThePerUserFile) {
  CSettingsFile file({At("blocked/Ondrava.ini"), At("user/sub/Ondrava.ini")},
                     MakeFolder);
  EXPECT_EQ(file.Save(WriteSize), CSettingsFile::SaveResult::kMoved);
  EXPECT_EQ(file.Path(), At("user/sub/Ondrava.ini"));
  EXPECT_EQ(ReadInt(file.Store(), u"Font", u"Size", 0), 120);
  EXPECT_FALSE(file.TakeFailureToReport());
  EXPECT_EQ(file.Save(WriteSize), CSettingsFile::SaveResult::kSaved);
}

TEST_F(SettingsFileSave, ASaveThatWritesNowhereIsReportedOnce) {
  CSettingsFile file({At("blocked/Ondrava.ini"), At("blocked/user.ini")},
                     MakeFolder);
  EXPECT_EQ(file.Save(WriteSize), CSettingsFile::SaveResult::kFailed);
  EXPECT_TRUE(file.TakeFailureToReport());
  EXPECT_FALSE(file.TakeFailureToReport());
  EXPECT_EQ(file.Save(WriteSize), CSettingsFile::SaveResult::kFailed);
  EXPECT_FALSE(file.TakeFailureToReport()) << "once, not on every save";
  EXPECT_EQ(file.Path(), At("blocked/Ondrava.ini")) << "nothing moved";
}

TEST_F(SettingsFileSave, TheFirstSaveMakesThePerUserFolder) {
  CSettingsFile file({At("config/ondrava/Ondrava.ini"), {}, true}, MakeFolder);
  EXPECT_EQ(file.Save(WriteSize), CSettingsFile::SaveResult::kSaved);
  EXPECT_TRUE(fs::is_regular_file(root / "config/ondrava/Ondrava.ini"));
  CSettingsFile named({At("named/Ondrava.ini"), {}}, MakeFolder);
  EXPECT_EQ(named.Save(WriteSize), CSettingsFile::SaveResult::kFailed);
  EXPECT_FALSE(fs::exists(root / "named"));
}

TEST_F(SettingsFileSave, APathTheUserGaveNeverMoves) {
  CSettingsFile file({At("blocked/Ondrava.ini"), {}}, MakeFolder);
  EXPECT_EQ(file.Save(WriteSize), CSettingsFile::SaveResult::kFailed);
  EXPECT_FALSE(fs::exists(root / "user"));
}
