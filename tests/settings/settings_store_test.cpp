// The store contract, run against the platform's own store: our CIniFile on
// Linux, the system's profile functions in the Windows test program.

#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "settings/settings_values.h"
#include "support/temp_folder.h"
#include "support/utf16_file.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The text of a UTF-16LE file after its mark; each system writes the lines
// it keeps in its own layout, so the tests look for text, not bytes.
std::u16string Utf16LeText(const std::string& bytes) {
  std::u16string text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    text +=
        static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                              static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return text;
}

// One save as the program makes it: begin, write, commit.
bool SaveOne(ISettingsStore& store, std::u16string_view section,
             std::u16string_view key, std::u16string_view value) {
  store.BeginSave();
  store.WriteString(section, key, value);
  return store.CommitSave();
}

const std::string kLeftIs5 = Utf16File(u"[Form]\r\nLeft=5\r\n");
const std::vector<std::string> kOnlyTheFile{"clock.ini"};

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = FreshTempFolder("ondrava-store");
    ASSERT_TRUE(fs::is_directory(folder));
    file = folder / "clock.ini";
  }

  void TearDown() override {
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add,
                      error);
    }
    fs::remove_all(folder, error);
  }

  std::unique_ptr<ISettingsStore> Open() const {
    return MakeSettingsStore(file.u16string());
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  void MakeReadOnly(const fs::path& path) const {
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read |
                              fs::perms::others_read);
  }

  // Saving Left=9 fails, and no temporary file is left beside the file.
  void ExpectSaveFails(ISettingsStore& store) const {
    EXPECT_FALSE(SaveOne(store, u"Form", u"Left", u"9"));
    EXPECT_EQ(kOnlyTheFile, Entries());
  }

  fs::path folder;
  fs::path file;
};

TEST_F(SettingsStoreTest, MissingFileGivesTheFallbackAsGiven) {
  const auto store = Open();
  EXPECT_EQ(file.u16string(), store->Path());
  EXPECT_EQ(u"128", store->ReadString(u"Form", u"Width", u"128"));
  // The profile functions would trim and unquote a default; ours is exact.
  EXPECT_EQ(u"  \"x\"  ", store->ReadString(u"Form", u"Width", u"  \"x\"  "));
  EXPECT_EQ(u"", store->ReadString(u"Form", u"Width", u""));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(SettingsStoreTest, FirstSaveCreatesAUnicodeFileThatReadsBack) {
  const std::u16string face = u"Z\u00fcrich \u2713 \U0001F30D";
  {
    const auto store = Open();
    store->BeginSave();
    WriteInt(*store, u"Form", u"Left", -12);
    WriteBool(*store, u"Form", u"StayOnTop", true);
    store->WriteString(u"Font", u"Face", face);
    ASSERT_TRUE(store->CommitSave());
    EXPECT_EQ(u"-12", store->ReadString(u"Form", u"Left", u"0"));
  }
  EXPECT_EQ(kOnlyTheFile, Entries());
  EXPECT_EQ("\xFF\xFE", ReadBytes(file).substr(0, 2));

  const auto store = Open();
  EXPECT_EQ(-12, ReadInt(*store, u" form ", u"LEFT", 0));
  EXPECT_TRUE(ReadBool(*store, u"FORM", u"stayontop", false));
  EXPECT_EQ(face, store->ReadString(u"Font", u"Face", u""));
  EXPECT_EQ(u"fb", store->ReadString(u"Form", u"Top", u"fb"));
  EXPECT_EQ(u"fb", store->ReadString(u"Color", u"Left", u"fb"));
}

TEST_F(SettingsStoreTest, EmptyFileIsWrittenLikeANewOne) {
  WriteBytes(file, "");
  ASSERT_TRUE(SaveOne(*Open(), u"Font", u"Face", u"\u0394"));
  EXPECT_EQ("\xFF\xFE", ReadBytes(file).substr(0, 2));
  EXPECT_EQ(u"\u0394", Open()->ReadString(u"Font", u"Face", u""));
}

TEST_F(SettingsStoreTest, SavingKeepsEverythingElseInTheFile) {
  WriteBytes(file, Utf16File(u"; hand-written note\r\n[Other]\r\nA=1\r\n"
                             u"[Form]\r\nLeft=5\r\n"));
  const auto store = Open();
  store->BeginSave();
  store->WriteString(u"FORM", u"left", u"7");
  store->WriteString(u"Form", u"Top", u"3");
  ASSERT_TRUE(store->CommitSave());

  const std::u16string text = Utf16LeText(ReadBytes(file));
  EXPECT_NE(std::u16string::npos, text.find(u"; hand-written note"));
  EXPECT_EQ(text.find(u"Left="), text.rfind(u"Left="));  // replaced, not added
  const auto reread = Open();
  EXPECT_EQ(u"1", reread->ReadString(u"Other", u"A", u""));
  EXPECT_EQ(u"7", reread->ReadString(u"Form", u"Left", u""));
  EXPECT_EQ(u"3", reread->ReadString(u"Form", u"Top", u""));
}

TEST_F(SettingsStoreTest, Utf8FileWithMarkStaysUtf8) {
  WriteBytes(file, "\xEF\xBB\xBF[Font]\r\nFace=Z\xC3\xBCrich\r\n");
  const auto store = Open();
  EXPECT_EQ(u"Z\u00fcrich", store->ReadString(u"Font", u"Face", u""));
  ASSERT_TRUE(SaveOne(*store, u"Font", u"Face", u"\u00c5land"));
  EXPECT_EQ("\xEF\xBB\xBF", ReadBytes(file).substr(0, 3));
  EXPECT_EQ(u"\u00c5land", Open()->ReadString(u"Font", u"Face", u""));
}

TEST_F(SettingsStoreTest, ReadsSeeTheFileUntilTheCommit) {
  const auto store = Open();
  ASSERT_TRUE(SaveOne(*store, u"Form", u"Left", u"1"));
  store->BeginSave();
  store->WriteString(u"Form", u"Left", u"2");
  EXPECT_EQ(u"1", store->ReadString(u"Form", u"Left", u""));
  ASSERT_TRUE(store->CommitSave());
  EXPECT_EQ(u"2", store->ReadString(u"Form", u"Left", u""));
}

TEST_F(SettingsStoreTest, SaveKeepsLinesOthersWroteSinceTheStoreWasMade) {
  const auto store = Open();
  WriteBytes(file, Utf16File(u"[Other]\r\nX=1\r\n"));
  ASSERT_TRUE(SaveOne(*store, u"Form", u"Left", u"4"));
  const auto reread = Open();
  EXPECT_EQ(u"1", reread->ReadString(u"Other", u"X", u""));
  EXPECT_EQ(u"4", reread->ReadString(u"Form", u"Left", u""));
}

TEST_F(SettingsStoreTest, ValuesFollowTheProfileRules) {
  const auto store = Open();
  store->BeginSave();
  store->WriteString(u"S", u"Spaced", u"  a b  ");
  store->WriteString(u"S", u"Double", u"\"quoted\"");
  store->WriteString(u"S", u"Single", u"'it'");
  store->WriteString(u"S", u"Empty", u"");
  store->WriteString(u"S", u"Long", std::u16string(3000, u'x'));
  store->WriteString(u"S", u"Lines", u"first\r\nInjected=1");
  for (auto key : {u"", u"a=b", u";c", u"[d"}) {
    store->WriteString(u"S", key, u"never");
  }
  store->WriteString(u"", u"k", u"never");
  ASSERT_TRUE(store->CommitSave());

  const auto reread = Open();
  EXPECT_EQ(u"a b", reread->ReadString(u"S", u"Spaced", u""));
  EXPECT_EQ(u"quoted", reread->ReadString(u"S", u"Double", u""));
  EXPECT_EQ(u"it", reread->ReadString(u"S", u"Single", u""));
  EXPECT_EQ(u"", reread->ReadString(u"S", u"Empty", u"fb"));
  EXPECT_EQ(std::u16string(kMaxSettingLength, u'x'),
            reread->ReadString(u"S", u"Long", u""));
  EXPECT_EQ(u"first", reread->ReadString(u"S", u"Lines", u""));
  EXPECT_EQ(u"fb", reread->ReadString(u"S", u"Injected", u"fb"));
  for (auto key : {u"", u"a=b", u";c", u"[d"}) {
    EXPECT_EQ(u"fb", reread->ReadString(u"S", key, u"fb"));
  }
  EXPECT_EQ(u"fb", reread->ReadString(u"", u"k", u"fb"));
  EXPECT_EQ(std::u16string::npos, Utf16LeText(ReadBytes(file)).find(u"never"));
}

TEST_F(SettingsStoreTest, ReadOnlyFileMakesTheCommitFailWithoutATrace) {
  WriteBytes(file, kLeftIs5);
  MakeReadOnly(file);
  const auto store = Open();
  ExpectSaveFails(*store);
  EXPECT_EQ(kLeftIs5, ReadBytes(file));
  EXPECT_EQ(u"5", store->ReadString(u"Form", u"Left", u""));
}

TEST_F(SettingsStoreTest, CommitFailsWhereNoFileCanBe) {
  const fs::path inMissingFolder = folder / "missing" / "clock.ini";
  EXPECT_FALSE(SaveOne(*MakeSettingsStore(inMissingFolder.u16string()), u"Form",
                       u"Left", u"1"));
  EXPECT_FALSE(fs::exists(folder / "missing"));

  fs::create_directory(file);  // a folder where the file should be
  EXPECT_FALSE(SaveOne(*Open(), u"Form", u"Left", u"1"));
  EXPECT_EQ(kOnlyTheFile, Entries());
  EXPECT_TRUE(fs::is_directory(file));

  EXPECT_FALSE(MakeSettingsStore(u"")->CommitSave());
}

TEST_F(SettingsStoreTest, OnlyACommittedSaveReachesTheFile) {
  WriteBytes(file, kLeftIs5);
  {
    const auto store = Open();
    EXPECT_FALSE(store->CommitSave());  // no save begun
    store->WriteString(u"Form", u"Left", u"6");
    store->BeginSave();
    store->WriteString(u"Form", u"Left", u"7");
    // Destroyed mid-save: the file and its folder stay as they were.
  }
  EXPECT_EQ(kLeftIs5, ReadBytes(file));
  EXPECT_EQ(kOnlyTheFile, Entries());

  const auto store = Open();
  store->BeginSave();
  store->WriteString(u"Form", u"Top", u"1");
  store->BeginSave();  // starts over
  store->WriteString(u"Form", u"Width", u"2");
  ASSERT_TRUE(store->CommitSave());
  EXPECT_EQ(u"fb", store->ReadString(u"Form", u"Top", u"fb"));
  EXPECT_EQ(u"2", store->ReadString(u"Form", u"Width", u"fb"));
  EXPECT_EQ(u"5", store->ReadString(u"Form", u"Left", u"fb"));
  EXPECT_EQ(kOnlyTheFile, Entries());
}

#ifndef _WIN32

TEST_F(SettingsStoreTest, OversizedFileIsNeitherReadNorReplaced) {
  std::string huge = "[Form]\r\nLeft=5\r\n";
  huge.resize(16 * 1024 * 1024 + 1, '\n');
  WriteBytes(file, huge);
  const auto store = Open();
  EXPECT_EQ(u"fb", store->ReadString(u"Form", u"Left", u"fb"));
  ExpectSaveFails(*store);
  EXPECT_EQ(huge.size(), fs::file_size(file));
}

TEST_F(SettingsStoreTest, SpecialFilesAtThePathDoNotStallOrGetReplaced) {
  ASSERT_EQ(0, ::mkfifo(file.c_str(), 0600));
  const auto store = Open();  // must not wait for a writer
  EXPECT_EQ(u"fb", store->ReadString(u"Form", u"Left", u"fb"));
  ExpectSaveFails(*store);
  EXPECT_TRUE(fs::is_fifo(file));
}

TEST_F(SettingsStoreTest, SaveThroughALinkReplacesTheLinkedFile) {
  const fs::path real = folder / "real.ini";
  WriteBytes(real, kLeftIs5);
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(real.filename(), file);
  ASSERT_TRUE(SaveOne(*Open(), u"Form", u"Left", u"9"));
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_EQ(
      u"9",
      MakeSettingsStore(real.u16string())->ReadString(u"Form", u"Left", u""));
  EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write,
            fs::status(real).permissions());
}

TEST_F(SettingsStoreTest, ReadOnlyFolderMakesTheCommitFail) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
  WriteBytes(file, kLeftIs5);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  ExpectSaveFails(*Open());
  EXPECT_EQ(u"5", Open()->ReadString(u"Form", u"Left", u""));
}

#endif  // !_WIN32

}  // namespace
