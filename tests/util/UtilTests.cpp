#include <gtest/gtest.h>

#include <cstdio>

#include "FileIO.h"
#include "Messages.h"
#include "Paths.h"
#include "ScriptedPlatform.h"
#include "Text.h"

namespace tq {
namespace {

// A memory stream over the given bytes for the binary and text readers.
struct MemFile {
  explicit MemFile(const std::string& bytes) : data(bytes) {
    file = data.empty() ? std::fopen("/dev/null", "rb") : ::fmemopen(data.data(), data.size(), "rb");
  }
  ~MemFile() {
    if (file) std::fclose(file);
  }
  std::string data;
  std::FILE* file;
};

std::string Written(const std::function<void(std::FILE*)>& write) {
  char* buf = nullptr;
  std::size_t size = 0;
  std::FILE* f = ::open_memstream(&buf, &size);
  write(f);
  std::fclose(f);
  std::string out(buf, size);
  std::free(buf);
  return out;
}

TEST(Messages, BoxesCarryPrefixCaptionAndIcon) {
  test::ScriptedPlatform platform;
  ShowWarning("x");
  ShowError("Could not read.");
  EXPECT_EQ(ShowNotice("plain"), ResultOk);
  ASSERT_EQ(platform.shown().size(), 3u);
  EXPECT_EQ(platform.shown()[0].text, "Warning: x");
  EXPECT_EQ(platform.shown()[0].caption, "Tessaloquine");
  EXPECT_EQ(platform.shown()[0].icon, MessageIcon::Error);  // the stop icon, as for errors
  EXPECT_EQ(platform.shown()[0].buttons, ButtonOk);
  EXPECT_EQ(platform.shown()[1].text, "Error: Could not read.");
  EXPECT_EQ(platform.shown()[2].text, "plain");
  EXPECT_EQ(platform.shown()[2].icon, MessageIcon::None);
  EXPECT_EQ(platform.terminateRequests, 0);
}

TEST(Messages, FatalErrorAsksToTerminate) {
  test::ScriptedPlatform platform;
  ResetFatalErrorForTesting();
  ShowFatalError("gone");
  ASSERT_EQ(platform.MessageTexts(), std::vector<std::string>{"Fatal Error: gone"});
  EXPECT_EQ(platform.terminateRequests, 1);
  EXPECT_TRUE(FatalErrorShown());
  ResetFatalErrorForTesting();
}

TEST(Messages, StatusAlertAndPlainStatus) {
  test::ScriptedPlatform platform;
  ShowStatusAlert("Not found.");
  EXPECT_EQ(platform.statusText, "Not found.");
  EXPECT_TRUE(platform.statusAlert);
  ShowStatus("");
  EXPECT_EQ(platform.statusText, "");
  EXPECT_FALSE(platform.statusAlert);
}

TEST(Paths, FileBaseAndDirectory) {
  EXPECT_EQ(FileNameOf("C:\\data\\list.tqw"), "list.tqw");
  EXPECT_EQ(FileNameOf("list.tqw"), "list.tqw");
  EXPECT_EQ(FileNameOf("C:\\data\\"), "");
  EXPECT_EQ(BaseNameOf("C:\\data.old\\list"), "list");
  EXPECT_EQ(BaseNameOf("C:\\data\\a.b.tqw"), "a.b");
  EXPECT_EQ(BaseNameOf("C:\\data\\.tqw"), "");
  EXPECT_EQ(DirectoryOf("C:/data/list.tqw"), "C:/data/");
  EXPECT_EQ(DirectoryOf("list.tqw"), "");
  EXPECT_EQ(DirectoryOf("/a\\b/c\\d.tqw"), "/a\\b/c\\");
  EXPECT_EQ(DirectoryOf("/home/u/x/") + "Tessaloquine.cfg", "/home/u/x/Tessaloquine.cfg");
}

TEST(TextFiles, ReadLineStripsOneLineFeedThenOneReturn) {
  MemFile f("a\r\nb\nlast");
  std::string line;
  ASSERT_TRUE(ReadLine(f.file, line));
  EXPECT_EQ(line, "a");
  ASSERT_TRUE(ReadLine(f.file, line));
  EXPECT_EQ(line, "b");
  ASSERT_TRUE(ReadLine(f.file, line));
  EXPECT_EQ(line, "last");
  EXPECT_FALSE(ReadLine(f.file, line));
}

TEST(TextFiles, ReadLineKeepsLongLinesWhole) {
  const std::string longLine(5000, 'x');
  MemFile f(longLine + "\r\r\n\n");
  std::string line;
  ASSERT_TRUE(ReadLine(f.file, line));
  EXPECT_EQ(line, longLine + "\r");  // only one carriage return goes
  ASSERT_TRUE(ReadLine(f.file, line));
  EXPECT_EQ(line, "");
  EXPECT_FALSE(ReadLine(f.file, line));
}

TEST(TextFiles, LineCursorFollowsTheSameRules) {
  LineCursor c("one\r\n\ntwo\r");
  std::string_view line;
  std::vector<std::string> got;
  while (c.Next(line)) got.emplace_back(line);
  EXPECT_EQ(got, (std::vector<std::string>{"one", "", "two"}));
}

TEST(TextFiles, HeaderRoundTripAndPrefixMatch) {
  const std::string bytes = Written([](std::FILE* f) { WriteTextHeader("Tessaloquine", f, 1); });
  EXPECT_EQ(bytes, "#Tessaloquine - 1\n");
  int32_t version = 0;
  {
    MemFile f(bytes + "\n\n   3\n");
    EXPECT_TRUE(ReadTextHeader("Tessaloquine", f.file, &version));
    EXPECT_EQ(version, 1);
    // The pattern's line end swallows empty lines and leading blanks.
    EXPECT_EQ(std::fgetc(f.file), '3');
  }
  {
    MemFile f("#Other - 1\n");
    EXPECT_FALSE(ReadTextHeader("Tessaloquine", f.file, &version));
  }
  {
    MemFile f("#TessaloquineX - 7\n");
    EXPECT_TRUE(ReadTextHeader("Tessaloquine", f.file, &version));
    EXPECT_EQ(version, 7);
  }
  {
    MemFile f("#Tessaloquine 1\n");
    EXPECT_FALSE(ReadTextHeader("Tessaloquine", f.file, &version));
  }
  {
    MemFile f("#Tessaloquine" + std::string(200, 'e') + " - 1\n");
    EXPECT_FALSE(ReadTextHeader("Tessaloquine", f.file, &version));
  }
}

TEST(BinaryFiles, MagicAndIntegersAreLittleEndian) {
  const std::string bytes = Written([](std::FILE* f) { WriteMagic("%TQC", f, 0x01020304); });
  EXPECT_EQ(bytes, std::string("%TQC\x04\x03\x02\x01", 8));
  int32_t version = 0;
  MemFile f(bytes);
  EXPECT_TRUE(ReadMagic("%TQC", f.file, &version));
  EXPECT_EQ(version, 0x01020304);
}

TEST(BinaryFiles, ReadMagicReadsTheVersionEvenOnMismatch) {
  MemFile f(std::string("ENDX\x01\x00\x00", 7));
  int32_t version = 0;
  EXPECT_TRUE(ReadMagic("END", f.file, &version));
  EXPECT_EQ(version, 0x00000158);  // 'X' and the next three bytes
  MemFile g(std::string("%TQZ\x05\x00\x00\x00", 8));
  EXPECT_FALSE(ReadMagic("%TQC", g.file, &version));
  EXPECT_EQ(version, 5);
}

TEST(BinaryFiles, CountedStrings) {
  EXPECT_EQ(Written([](std::FILE* f) { WriteCountedString("", f); }), std::string(4, '\0'));
  const std::string abc = Written([](std::FILE* f) { WriteCountedString("abc", f); });
  EXPECT_EQ(abc, std::string("\x03\x00\x00\x00" "abc", 7));
  bool ok = false;
  {
    MemFile f(abc);
    EXPECT_EQ(ReadCountedString(f.file, &ok), "abc");
    EXPECT_TRUE(ok);
  }
  {
    MemFile f(std::string("\xff\xff\xff\xff", 4));  // -1 is the empty string
    EXPECT_EQ(ReadCountedString(f.file, &ok), "");
    EXPECT_TRUE(ok);
  }
  {
    MemFile f(std::string("\x04\x00\x00\x00" "a\0bc", 8));
    EXPECT_EQ(ReadCountedString(f.file, &ok), "a");
  }
}

TEST(BinaryFiles, CountedStringNeverReadsPastWhatItHolds) {
  bool ok = true;
  {
    // A length far above the reader's limit: nothing is read, the caller learns of it.
    std::string bytes("\x00\x00\x00\x7f", 4);
    bytes += std::string(100, 'z');
    MemFile f(bytes);
    EXPECT_EQ(ReadCountedString(f.file, &ok), "");
    EXPECT_FALSE(ok);
  }
  {
    MemFile f(std::string("\x0a\x00\x00\x00" "abc", 7));  // cut short by the end of the file
    EXPECT_EQ(ReadCountedString(f.file, &ok), "");
    EXPECT_FALSE(ok);
  }
  {
    MemFile f(std::string("\x0a\x00", 2));  // the length itself cut short
    EXPECT_EQ(ReadCountedString(f.file, &ok), "");
    EXPECT_FALSE(ok);
  }
  {
    std::string bytes("\xff\x03\x00\x00", 4);  // exactly the limit
    bytes += std::string(1023, 'q');
    MemFile f(bytes);
    EXPECT_EQ(ReadCountedString(f.file, &ok).size(), 1023u);
    EXPECT_TRUE(ok);
  }
}

TEST(Text, LowerCaseOf1252) {
  EXPECT_EQ(ToLower1252("ABC xyz \xC9\xD7\xDE\x8A"), "abc xyz \xE9\xD7\xFE\x9A");
  EXPECT_EQ(ToLowerAscii("ABC\xC9"), "abc\xC9");
}

}  // namespace
}  // namespace tq
