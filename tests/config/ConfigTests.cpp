#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "FileIO.h"
#include "RConfig.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"

namespace tq {
namespace {

using test::ScriptedPlatform;
using test::TempDir;

// Builds configuration files byte by byte, independently of the writer.
struct Bytes {
  std::string s;
  Bytes& Raw(const std::string& text) {
    s += text;
    return *this;
  }
  Bytes& Int(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
    return *this;
  }
  Bytes& Str(const std::string& text) {
    Int(static_cast<int32_t>(text.size()));
    return Raw(text);
  }
  Bytes& Ints(const std::vector<int32_t>& values) {
    for (int32_t v : values) Int(v);
    return *this;
  }
};

const std::vector<int32_t> kDefaults{0, 16, 16, 640, 480, 1, -1, 1, 1, 1, 1, 169, 82, 82, 160, 111};
const std::vector<int32_t> kOthers{1, -20, 30, 1024, 768, 0, 7, 0, 5, 0, 0, 200, 90, 95, 170, 130};

// The sixteen integers as the record reports them, Reserved left out (it has
// no accessor) and shown as 0 so that the positions match the file's.
std::vector<int32_t> Integers(const RConfig& c) {
  return {c.GetMaximized(),       c.GetWindowLeft(),        c.GetWindowTop(),          c.GetWindowWidth(),
          c.GetWindowHeight(),    c.GetShowTips(),          c.GetTipIndex(),           c.GetShowDescription(),
          0,                      c.GetAskSave(),           c.GetAskDelete(),          c.GetNumbersPanelWidth(),
          c.GetNumberColumnWidth(), c.GetPhraseColumnWidth(), c.GetDescriptionColumnWidth(), c.GetWordListWidth()};
}

std::vector<int32_t> WithoutReserved(std::vector<int32_t> v) {
  v[8] = 0;
  return v;
}

std::vector<std::string> History(const RConfig& c) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < c.GetHistoryCount(); ++i) out.push_back(c.GetHistory(i));
  return out;
}

class ConfigFile : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteFaultForTesting(-1); }

  std::string Path() const { return dir.File(kConfigFileName); }
  std::string Corrupt() const { return "Error: The configuration file '" + Path() + "' is corrupt. Please delete."; }
  bool LoadBytes(RConfig& c, const std::string& bytes) {
    dir.Write(kConfigFileName, bytes);
    c.SetFileName(Path());
    return c.Load();
  }

  TempDir dir;
  ScriptedPlatform platform;
};

TEST_F(ConfigFile, FreshRecordIs87BytesWithTheDefaults) {
  RConfig c;
  c.SetFileName(Path());
  ASSERT_TRUE(c.Save());
  const std::string expected = Bytes{}.Raw("%TQC").Int(1).Int(0).Int(0).Ints(kDefaults).Raw("END").Int(1).s;
  ASSERT_EQ(expected.size(), 87u);
  EXPECT_EQ(dir.Read(kConfigFileName), expected);
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(ConfigFile, MissingFileKeepsTheDefaultsSilently) {
  RConfig c;
  c.SetFileName(Path());
  EXPECT_FALSE(c.Load());
  EXPECT_TRUE(platform.MessageTexts().empty());
  EXPECT_EQ(Integers(c), WithoutReserved(kDefaults));
  EXPECT_EQ(c.GetHistoryCount(), 0);
  EXPECT_EQ(c.GetLastDirectory(), "");
  // Something else than a file in its place (a device here) is named, not
  // taken for a corrupt file the user should delete.
  std::filesystem::create_symlink("/dev/null", Path());
  EXPECT_FALSE(c.Load());
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: The configuration file '" + Path() +
                                                              "' could not be read: it is a device, not a file."});
  EXPECT_EQ(Integers(c), WithoutReserved(kDefaults));
}

TEST_F(ConfigFile, ReadsEveryFieldFromItsPosition) {
  const std::string bytes = Bytes{}
                                .Raw("%TQC")
                                .Int(1)
                                .Int(2)
                                .Str("/home/u/new.tqw")
                                .Str("/home/u/old.tqw")
                                .Str("/home/u/")
                                .Ints(kOthers)
                                .Raw("END")
                                .Int(1)
                                .s;
  RConfig c;
  ASSERT_TRUE(LoadBytes(c, bytes));
  EXPECT_EQ(History(c), (std::vector<std::string>{"/home/u/new.tqw", "/home/u/old.tqw"}));
  EXPECT_EQ(c.GetLastDirectory(), "/home/u/");
  EXPECT_EQ(Integers(c), WithoutReserved(kOthers));
  // Save writes the same bytes back, Reserved included.
  ASSERT_TRUE(c.Save());
  EXPECT_EQ(dir.Read(kConfigFileName), bytes);
}

TEST_F(ConfigFile, OtherVersionIsIgnoredSilentlyAndReplacedBySave) {
  RConfig c;
  ASSERT_FALSE(LoadBytes(c, Bytes{}.Raw("%TQC").Int(2).Int(1).Str("x").Str("").Ints(kOthers).Raw("END").Int(1).s));
  EXPECT_TRUE(platform.MessageTexts().empty());
  EXPECT_EQ(c.GetHistoryCount(), 0);
  EXPECT_EQ(Integers(c), WithoutReserved(kDefaults));
  ASSERT_TRUE(c.Save());
  EXPECT_EQ(dir.Read(kConfigFileName).substr(0, 8), Bytes{}.Raw("%TQC").Int(1).s);
}

TEST_F(ConfigFile, WrongMagicIsCorruptAndChangesNothing) {
  RConfig c;
  EXPECT_FALSE(LoadBytes(c, Bytes{}.Raw("%TQX").Int(1).Int(0).Int(0).Ints(kOthers).Raw("END").Int(1).s));
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{Corrupt()});
  EXPECT_EQ(Integers(c), WithoutReserved(kDefaults));
}

TEST_F(ConfigFile, DamagedTrailerIsCorruptButThePlacementReadIsUsed) {
  RConfig c;
  EXPECT_FALSE(LoadBytes(c, Bytes{}.Raw("%TQC").Int(1).Int(1).Str("/p").Str("/d").Ints(kOthers).Raw("ENX").Int(1).s));
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{Corrupt()});
  EXPECT_EQ(Integers(c), WithoutReserved(kOthers));
  EXPECT_EQ(History(c), std::vector<std::string>{"/p"});
  EXPECT_EQ(c.GetLastDirectory(), "/d");
}

TEST_F(ConfigFile, BytesAfterTheTrailerAreIgnored) {
  RConfig c;
  EXPECT_TRUE(LoadBytes(c, Bytes{}.Raw("%TQC").Int(1).Int(0).Int(0).Ints(kOthers).Raw("END").Int(77).Raw("junk").s));
  EXPECT_TRUE(platform.MessageTexts().empty());
}

// Counts no file of ours holds: the corrupt message, the defaults, and no
// attempt to make room for what the count claims.
TEST_F(ConfigFile, ImpossibleHistoryCountsLeaveTheDefaults) {
  for (int32_t count : {-1, INT32_MIN, 5, 2000000000, INT32_MAX}) {
    SCOPED_TRACE(count);
    platform.ClearShown();
    RConfig c;
    EXPECT_FALSE(LoadBytes(c, Bytes{}.Raw("%TQC").Int(1).Int(count).Str("/a").Str("/b").Ints(kOthers).Raw("END").Int(1).s));
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{Corrupt()});
    EXPECT_EQ(c.GetHistoryCount(), 0);
    EXPECT_EQ(c.GetLastDirectory(), "");
    EXPECT_EQ(Integers(c), WithoutReserved(kDefaults));
  }
}

TEST_F(ConfigFile, OverlongStringKeepsWhatCameBeforeIt) {
  RConfig c;
  EXPECT_FALSE(LoadBytes(c, Bytes{}
                                .Raw("%TQC")
                                .Int(1)
                                .Int(3)
                                .Str("/first")
                                .Int(1024)
                                .Raw(std::string(1024, 'x'))
                                .Str("/third")
                                .Str("/dir")
                                .Ints(kOthers)
                                .Raw("END")
                                .Int(1)
                                .s));
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{Corrupt()});
  EXPECT_EQ(History(c), std::vector<std::string>{"/first"});
  EXPECT_EQ(c.GetLastDirectory(), "");
  EXPECT_EQ(Integers(c), WithoutReserved(kDefaults));
}

TEST_F(ConfigFile, LongestStringTheWriterCanProduceLoads) {
  RConfig c;
  const std::string dirName(kMaxCountedString, 'd');
  EXPECT_TRUE(LoadBytes(c, Bytes{}.Raw("%TQC").Int(1).Int(0).Str(dirName).Ints(kOthers).Raw("END").Int(1).s));
  EXPECT_EQ(c.GetLastDirectory(), dirName);
}

// Every way the file can be cut short: the corrupt message, never a read
// past the end, and each value either as read or, after the cut, its default.
TEST_F(ConfigFile, EveryTruncationGivesAUsableRecord) {
  const std::string whole = Bytes{}
                                .Raw("%TQC")
                                .Int(1)
                                .Int(2)
                                .Str("/h/a.tqw")
                                .Str("/h/b.tqw")
                                .Str("/h/")
                                .Ints(kOthers)
                                .Raw("END")
                                .Int(1)
                                .s;
  const std::size_t intsAt = 12 + 12 + 12 + 7;
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    SCOPED_TRACE(cut);
    platform.ClearShown();
    RConfig c;
    EXPECT_FALSE(LoadBytes(c, whole.substr(0, cut)));
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{Corrupt()});
    const auto got = Integers(c);
    for (std::size_t i = 0; i < 16; ++i) {
      if (i == 8) continue;
      const bool whole4 = cut >= intsAt + 4 * (i + 1);
      EXPECT_EQ(got[i], whole4 ? kOthers[i] : kDefaults[i]) << "integer " << i;
    }
    EXPECT_EQ(c.GetLastDirectory(), cut >= intsAt ? "/h/" : "");
    EXPECT_EQ(c.GetHistoryCount(), cut >= 36 ? 2 : cut >= 24 ? 1 : 0);
  }
}

TEST_F(ConfigFile, TipIndexBelowMinusOneIsTakenAsMinusOne) {
  std::vector<int32_t> ints = kOthers;
  for (int32_t bad : {-2, -1000, INT32_MIN}) {
    SCOPED_TRACE(bad);
    ints[6] = bad;
    RConfig c;
    EXPECT_TRUE(LoadBytes(c, Bytes{}.Raw("%TQC").Int(1).Int(0).Int(0).Ints(ints).Raw("END").Int(1).s));
    EXPECT_EQ(c.GetTipIndex(), -1);
    EXPECT_EQ(c.GetWindowWidth(), kOthers[3]);
  }
  // Also when the file breaks off soon after it.
  ints[6] = -3;
  RConfig cut;
  EXPECT_FALSE(LoadBytes(cut, Bytes{}.Raw("%TQC").Int(1).Int(0).Int(0).Ints(ints).s.substr(0, 12 + 4 + 4 * 8)));
  EXPECT_EQ(cut.GetTipIndex(), -1);
  RConfig c;
  c.SetTipIndex(-5);
  EXPECT_EQ(c.GetTipIndex(), -1);
  c.SetTipIndex(11);  // the tip dialog wraps values past its table itself
  EXPECT_EQ(c.GetTipIndex(), 11);
}

TEST_F(ConfigFile, FolderThatCannotBeWrittenIsReported) {
  RConfig c;
  const std::string path = dir.File("gone/") + kConfigFileName;
  c.SetFileName(path);
  EXPECT_FALSE(c.Save());
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Could not open file '" + path + "' for writing."});
}

TEST_F(ConfigFile, FailedWriteKeepsThePreviousFile) {
  RConfig old;
  old.SetFileName(Path());
  old.SetWindowWidth(1234);
  ASSERT_TRUE(old.Save());
  const std::string before = dir.Read(kConfigFileName);
  RConfig c;
  c.SetFileName(Path());
  c.SetLastDirectory(std::string(1000, 'x'));
  for (long long budget : {0LL, 50LL, 500LL}) {
    SCOPED_TRACE(budget);
    platform.ClearShown();
    SetWriteFaultForTesting(budget);
    EXPECT_FALSE(c.Save());
    SetWriteFaultForTesting(-1);
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Error writing to file file '" + Path() + "'."});
    EXPECT_EQ(dir.Read(kConfigFileName), before);
  }
}

// Linux tells Phone.tqw and phone.tqw apart: opening one keeps the other in
// the menu, and only the very same path moves to the front.
TEST(ConfigHistory, PathInAnotherCaseIsAnotherFile) {
  RConfig c;
  c.AddToHistory("/w/c.tqw");
  c.AddToHistory("/home/u/Phone.tqw");
  c.AddToHistory("/w/a.tqw");
  c.AddToHistory("/home/u/phone.tqw");
  EXPECT_EQ(History(c), (std::vector<std::string>{"/home/u/phone.tqw", "/w/a.tqw", "/home/u/Phone.tqw", "/w/c.tqw"}));
  c.AddToHistory("/home/u/Phone.tqw");
  EXPECT_EQ(History(c), (std::vector<std::string>{"/home/u/Phone.tqw", "/home/u/phone.tqw", "/w/a.tqw", "/w/c.tqw"}));
}

TEST(ConfigHistory, FifthDistinctPathDropsTheOldest) {
  RConfig c;
  for (const char* p : {"/1", "/2", "/3", "/4", "/5"}) c.AddToHistory(p);
  EXPECT_EQ(History(c), (std::vector<std::string>{"/5", "/4", "/3", "/2"}));
  c.AddToHistory("/4");
  EXPECT_EQ(History(c), (std::vector<std::string>{"/4", "/5", "/3", "/2"}));
}

TEST(ConfigHistory, AccentedNamesInAnotherCaseAreOtherFilesToo) {
  // Paths are UTF-8, as the file dialogs give them.
  RConfig c;
  c.AddToHistory("/r\xC3\xA9sum\xC3\xA9.tqw");  // résumé
  c.AddToHistory("/other.tqw");
  c.AddToHistory("/R\xC3\x89SUM\xC3\x89.TQW");  // RÉSUMÉ
  EXPECT_EQ(History(c), (std::vector<std::string>{"/R\xC3\x89SUM\xC3\x89.TQW", "/other.tqw",
                                                  "/r\xC3\xA9sum\xC3\xA9.tqw"}));
  // Different letters stay different, even when only an accent differs.
  c.AddToHistory("/resume.tqw");
  EXPECT_EQ(c.GetHistoryCount(), 4);
}

}  // namespace
}  // namespace tq
