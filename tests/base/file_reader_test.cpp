#include "base/file_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <string>
#include <system_error>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kCap = 1000;
const std::string kUntouched = "untouched";

// A source that hands out `content` in pieces of at most `piece` bytes.
struct FakeSource {
  std::string content;
  std::size_t piece = 1;
  std::size_t failAt = std::string::npos;  // report an error here
  std::size_t given = 0;

  std::ptrdiff_t operator()(char* buffer, std::size_t capacity) {
    if (given >= failAt) return -1;
    const std::size_t n =
        std::min({capacity, piece, content.size() - given, failAt - given});
    std::copy_n(content.data() + given, n, buffer);
    given += n;
    return static_cast<std::ptrdiff_t>(n);
  }
};

FileReadResult ReadFrom(FakeSource& source, std::uint64_t announced,
                        std::string& bytes) {
  return ReadToEnd(announced, kCap, std::ref(source), bytes);
}

TEST(ReadToEnd, TakesShortReadsAndSizesOtherThanAnnounced) {
  const std::string content(kCap, 'x');
  for (std::uint64_t announced :
       {std::uint64_t{0}, std::uint64_t{10}, std::uint64_t{kCap}}) {
    FakeSource source{content, 7};
    std::string bytes;
    EXPECT_EQ(FileReadResult::kOk, ReadFrom(source, announced, bytes));
    EXPECT_EQ(content, bytes) << "announced " << announced;
  }
  FakeSource shrunk{"abc", 1};
  std::string bytes;
  EXPECT_EQ(FileReadResult::kOk, ReadFrom(shrunk, 500, bytes));
  EXPECT_EQ("abc", bytes);
}

TEST(ReadToEnd, StopsOneBytePastTheCapAndKeepsTheOutputOnFailure) {
  FakeSource grown{std::string(10 * kCap, 'x'), 300};
  std::string bytes = kUntouched;
  EXPECT_EQ(FileReadResult::kTooLarge, ReadFrom(grown, 10, bytes));
  EXPECT_EQ(kCap + 1, grown.given);
  EXPECT_EQ(kUntouched, bytes);

  FakeSource announced{"", 1};
  EXPECT_EQ(FileReadResult::kTooLarge, ReadFrom(announced, kCap + 1, bytes));
  EXPECT_EQ(0u, announced.given);

  FakeSource failing{std::string(100, 'x'), 30, 50};
  EXPECT_EQ(FileReadResult::kReadError, ReadFrom(failing, 100, bytes));
  EXPECT_EQ(kUntouched, bytes);

  const auto overreach = [](char*, std::size_t capacity) {
    return static_cast<std::ptrdiff_t>(capacity + 1);
  };
  EXPECT_EQ(FileReadResult::kReadError, ReadToEnd(4, kCap, overreach, bytes));
  EXPECT_EQ(kUntouched, bytes);
}

class FileReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = FreshTempFolder("ondrava-reader");
    ASSERT_TRUE(fs::is_directory(folder));
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(folder, error);
  }
  fs::path Write(const std::u16string& name, const std::string& content) {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  FileReadResult Read(const fs::path& path, std::string& bytes) {
    return ReadWholeFile(path.u16string(), kCap, bytes);
  }
  fs::path folder;
};

TEST_F(FileReaderTest, ReadsRegularFilesUpToTheCapByAnyName) {
  std::string bytes = kUntouched;
  EXPECT_EQ(FileReadResult::kOk, Read(Write(u"empty", ""), bytes));
  EXPECT_EQ("", bytes);

  const std::string full(kCap, '\xA5');
  EXPECT_EQ(FileReadResult::kOk, Read(Write(u"full", full), bytes));
  EXPECT_EQ(full, bytes);

  const std::u16string nonAscii = u"地球 \U0001F30D \u00e4.ini";
  EXPECT_EQ(FileReadResult::kOk, Read(Write(nonAscii, "[S]\r\n"), bytes));
  EXPECT_EQ("[S]\r\n", bytes);

  bytes = kUntouched;
  EXPECT_EQ(FileReadResult::kTooLarge, Read(Write(u"over", full + "x"), bytes));
  EXPECT_EQ(kUntouched, bytes);
}

TEST_F(FileReaderTest, TellsMissingFilesFromWhatIsNoFile) {
  const fs::path file = Write(u"file", "text");
  std::string bytes = kUntouched;
  const struct {
    std::u16string path;
    FileReadResult expected;
  } cases[] = {
      {(folder / "missing").u16string(), FileReadResult::kMissing},
      {(folder / "no" / "such").u16string(), FileReadResult::kMissing},
      {u"", FileReadResult::kMissing},
      {file.u16string() + u'\0' + u"x", FileReadResult::kMissing},
      {folder.u16string(), FileReadResult::kNotRegularFile},
#ifdef _WIN32
      {u"NUL", FileReadResult::kNotRegularFile},
#else
      {u"/dev/null", FileReadResult::kNotRegularFile},
      // A lone surrogate has no UTF-8 form, so no file can have the name.
      {(folder / "a").u16string() + u'\xD800', FileReadResult::kMissing},
#endif
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].expected, ReadWholeFile(cases[i].path, kCap, bytes))
        << "case " << i;
  }
  EXPECT_EQ(kUntouched, bytes);
}

TEST_F(FileReaderTest, AFileGrowingWhileReadNeverOverrunsTheCap) {
  const fs::path path = Write(u"growing", "");
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    const std::string block(7, 'g');
    for (std::size_t written = 0; !stop && written < 8 * kCap;
         written += block.size()) {
      out << block << std::flush;
    }
  });
  bool sawTooLarge = false;
  for (int i = 0; i < 2000 && !sawTooLarge; ++i) {
    std::string bytes;
    const FileReadResult result = Read(path, bytes);
    ASSERT_TRUE(result == FileReadResult::kOk ||
                result == FileReadResult::kTooLarge);
    ASSERT_LE(bytes.size(), kCap);
    ASSERT_EQ(std::string::npos, bytes.find_first_not_of('g'));
    sawTooLarge = result == FileReadResult::kTooLarge;
  }
  stop = true;
  writer.join();
  std::string bytes;
  if (fs::file_size(path) > kCap) {
    EXPECT_EQ(FileReadResult::kTooLarge, Read(path, bytes));
  }
}

#ifndef _WIN32

TEST_F(FileReaderTest, AFifoIsRefusedWithoutWaitingForAWriter) {
  const fs::path fifo = folder / "fifo";
  ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
  std::string bytes = kUntouched;
  auto pending =
      std::async(std::launch::async, [&] { return Read(fifo, bytes); });
  if (pending.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    // Let the stuck reader go, so that the test fails instead of hanging.
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
    ADD_FAILURE() << "the read waited for a writer";
  }
  EXPECT_EQ(FileReadResult::kNotRegularFile, pending.get());
  EXPECT_EQ(kUntouched, bytes);
}

TEST_F(FileReaderTest, AnUnreadableFileIsAReadError) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may read any file";
  const fs::path path = Write(u"secret", "x");
  fs::permissions(path, fs::perms::none);
  std::string bytes;
  EXPECT_EQ(FileReadResult::kReadError, Read(path, bytes));
}

#endif  // !_WIN32

}  // namespace
