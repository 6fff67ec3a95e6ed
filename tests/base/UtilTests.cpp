#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>
#include <random>
#include <vector>

#include "FileIO.h"
#include "Messages.h"
#include "Paths.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"
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

// --- reading a file whole -------------------------------------------------------

TEST(ReadFileUpTo, ReadsAFileUpToOneByteBeyondTheLimit) {
  test::TempDir dir;
  std::mt19937 rng(11);
  for (int round = 0; round < 100; ++round) {
    const std::size_t size = round % 4 == 0 ? rng() % 300000 : rng() % 40;
    const std::size_t limit = round % 2 ? size + rng() % 3 : rng() % (size + 1);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    dir.Write("file", bytes);
    std::string contents = "old";
    ASSERT_EQ(ReadFileUpTo(dir.File("file"), limit, contents), FileRead::Read);
    EXPECT_EQ(contents, bytes.substr(0, limit + 1)) << size << " bytes, limit " << limit;
    // No room taken beyond the limit and one byte (the room a short string
    // grows into at first aside).
    EXPECT_LE(contents.capacity(), std::max<std::size_t>(limit + 1, 30));
  }
}

// A named pipe with no writer must not keep the reader waiting. Should it
// wait after all, the pipe is opened for writing here and closed again: the
// reader meets the end of the file and the test fails instead of hanging.
FileRead ReadWithoutWaiting(const std::string& path, std::string& contents, std::string& reason) {
  auto read = std::async(std::launch::async, [&] { return ReadFileUpTo(path, 100, contents, &reason); });
  if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "the reader waited for a writer";
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  }
  return read.get();
}

TEST(ReadFileUpTo, RefusesWhatIsNoFileAtOnce) {
  test::TempDir dir;
  std::string contents = "left from before";
  std::string reason;
  EXPECT_EQ(ReadFileUpTo(dir.File("none"), 100, contents, &reason), FileRead::Missing);
  std::filesystem::create_symlink(dir.File("none"), dir.File("dangling"));
  EXPECT_EQ(ReadFileUpTo(dir.File("dangling"), 100, contents, &reason), FileRead::Missing);
  ASSERT_TRUE(MakeDirectories(dir.File("folder")));
  EXPECT_EQ(ReadFileUpTo(dir.File("folder"), 100, contents, &reason), FileRead::NotAFile);
  EXPECT_EQ(reason, "it is a folder, not a file");
  std::filesystem::create_symlink("/dev/zero", dir.File("device"));
  EXPECT_EQ(ReadFileUpTo(dir.File("device"), 100, contents, &reason), FileRead::NotAFile);
  EXPECT_EQ(reason, "it is a device, not a file");
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_EQ(ReadWithoutWaiting(dir.File("pipe"), contents, reason), FileRead::NotAFile);
  EXPECT_EQ(reason, "it is a named pipe, not a file");
  EXPECT_TRUE(contents.empty());
}

TEST(Text, LowerCaseOf1252) {
  EXPECT_EQ(ToLower1252("ABC xyz \xC9\xD7\xDE\x8A"), "abc xyz \xE9\xD7\xFE\x9A");
  EXPECT_EQ(ToLowerAscii("ABC\xC9"), "abc\xC9");
}

TEST(Text, OneOfANounIsSingularEveryOtherCountPlural) {
  for (const std::int64_t n : {-1, 0, 1, 2, 11, 21, 101}) {
    const std::string number = std::to_string(n);
    EXPECT_EQ(CountOf(n, "word"), number + (n == 1 ? " word" : " words"));
    EXPECT_EQ(CountOf(n, "entry", "entries"), number + (n == 1 ? " entry" : " entries"));
  }
}

// Random Windows-1252 text: any byte but the two marks that set off native text.
std::string Random1252(std::mt19937& rng, std::size_t maxLength) {
  std::string out(std::uniform_int_distribution<std::size_t>(0, maxLength)(rng), ' ');
  for (char& c : out) {
    do c = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(rng));
    while (c == kNativeOpen || c == kNativeClose);
  }
  return out;
}

// A random UTF-8 path: ASCII, accented letters and characters beyond 1252.
std::string RandomUtf8Path(std::mt19937& rng) {
  static const char* const kPieces[] = {"/", "a", "Z", ".tqw", "\xC3\xA9", "\xC3\x89", "\xC3\x8A", "\xC3\x9A",
                                        "\xCF\x80", "\xE6\x97\xA5", "\xF0\x9F\x98\x80", " ", "<i>", "'"};
  std::string out;
  const int n = std::uniform_int_distribution<int>(0, 12)(rng);
  for (int i = 0; i < n; ++i) out += kPieces[std::uniform_int_distribution<int>(0, 13)(rng)];
  return out;
}

// Every Windows-1252 text comes back from its UTF-8, and a file's bytes are
// taken for UTF-8 exactly when they are UTF-8 and nothing else.
TEST(Text, Utf8IsToldApartFrom1252AndConvertedBack) {
  std::mt19937 rng(5);
  for (int round = 0; round < 500; ++round) {
    const std::string text = Random1252(rng, 30);
    const std::string utf8 = Utf8From1252(text);
    std::string back;
    ASSERT_TRUE(Utf8To1252(utf8, back)) << text;
    EXPECT_EQ(back, text);
    const bool high = std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    EXPECT_EQ(EncodingOf(utf8), high ? TextEncoding::Utf8 : TextEncoding::Windows1252) << text;
    EXPECT_EQ(EncodeText(text, TextEncoding::Utf8WithMark), std::string(kByteOrderMark) + utf8);
    EXPECT_EQ(EncodingOf(EncodeText(text, TextEncoding::Utf8WithMark)), TextEncoding::Utf8WithMark);
    EXPECT_EQ(SkipByteOrderMark(EncodeText(text, TextEncoding::Utf8WithMark)), utf8);
  }
  // Overlong, a surrogate, beyond U+10FFFF, cut short, a stray continuation
  // byte: Windows-1252, even after the mark.
  for (const std::string bad : {"\xC0\x80", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "caf\xC3", "\xA9t\xC3\xA9"}) {
    std::string back;
    EXPECT_EQ(EncodingOf(bad), TextEncoding::Windows1252) << bad;
    EXPECT_EQ(EncodingOf(std::string(kByteOrderMark) + bad), TextEncoding::Windows1252) << bad;
    EXPECT_FALSE(Utf8To1252(bad, back)) << bad;
  }
  // Characters Windows-1252 has no byte for.
  std::string back;
  EXPECT_FALSE(Utf8To1252("\xE6\x9D\xB1", back));
  EXPECT_FALSE(Utf8To1252("\xC2\x80", back));
  EXPECT_EQ(SkipByteOrderMark("\xEF\xBBx"), "\xEF\xBBx");
}

TEST(Messages, NativePartsKeepTheirEncodingAndTheRestIs1252) {
  std::mt19937 rng(8107);
  for (int round = 0; round < 300; ++round) {
    const std::string before = Random1252(rng, 40);
    const std::string path = RandomUtf8Path(rng);
    const std::string after = Random1252(rng, 40);
    const std::string message = before + NativeText(path) + after;
    ASSERT_EQ(MessageToUtf8(message), Utf8From1252(before) + path + Utf8From1252(after)) << round;
    ASSERT_EQ(StripNativeMarks(message), before + path + after) << round;
  }
  // The path of the report: "Ré.tqw" shows as itself, a 1252 word beside it too.
  EXPECT_EQ(MessageToUtf8("'caf\xE9' in '" + NativeText("/R\xC3\xA9.tqw") + "'"), "'caf\xC3\xA9' in '/R\xC3\xA9.tqw'");
  // A mark inside a path cannot end it early.
  EXPECT_EQ(MessageToUtf8(NativeText("a\x0F\xC3\xA9")), "a\xC3\xA9");
}

TEST(Paths, CaseKeyFoldsOnlyWhatIsTheSameLetter) {
  EXPECT_TRUE(SamePathIgnoringCase("/Data/A.TQW", "/data/a.tqw"));
  // Ê and Ú: their second bytes are Š and š in Windows-1252.
  EXPECT_FALSE(SamePathIgnoringCase("/\xC3\x8A.tqw", "/\xC3\x9A.tqw"));
  // Paths made of pieces no one of which begins another, so that each path
  // has one reading. Pieces of one class are the same letter in either case;
  // two paths must match exactly when their classes agree piece by piece.
  struct Piece {
    const char* bytes;
    int letter;
  };
  static const Piece kPieces[] = {{"/", 0},  {"a", 1},  {"A", 1},  {"z", 2},  {"\xC3\xA9", 3},  {"\xC3\x89", 3},
                                  {"\xC3\x8A", 4}, {"\xC3\x9A", 5}, {"\xC3\xBA", 5}, {"\xCF\x80", 6}, {"\xC5\xA0", 7},
                                  {"\xC5\xA1", 8}, {".tqw", 9}, {"<i>", 10}, {"\xF0\x9F\x98\x80", 11}};
  constexpr int kCount = sizeof(kPieces) / sizeof(kPieces[0]);
  std::mt19937 rng(2024);
  auto make = [&](std::string& path, std::vector<int>& letters, int length) {
    for (int i = 0; i < length; ++i) {
      const Piece& p = kPieces[std::uniform_int_distribution<int>(0, kCount - 1)(rng)];
      path += p.bytes;
      letters.push_back(p.letter);
    }
  };
  int matched = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string a, b;
    std::vector<int> la, lb;
    const int length = std::uniform_int_distribution<int>(0, 3)(rng);
    make(a, la, length);
    make(b, lb, length);
    ASSERT_EQ(SamePathIgnoringCase(a, b), la == lb) << a << " / " << b;
    matched += la == lb;
  }
  EXPECT_GT(matched, 50);  // the matching side was tried too
}

}  // namespace
}  // namespace tq
