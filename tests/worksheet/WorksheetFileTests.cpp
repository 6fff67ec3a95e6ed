#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "AllocationProbe.h"
#include "AtomicFile.h"
#include "RWorksheet.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"

namespace tq {
namespace {

using test::ScriptedPlatform;
using test::TempDir;

std::unique_ptr<RNumber> Entry(const std::string& number, const std::string& phrase = "",
                               const std::string& description = "") {
  auto n = std::make_unique<RNumber>();
  n->SetNumber(number);
  n->SetPhrase(phrase);
  n->SetDescription(description);
  return n;
}

void Append(RWorksheet& ws, std::unique_ptr<RNumber> n) { ws.Insert(std::move(n), ws.Count()); }

std::size_t FilesIn(const TempDir& dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++n;
  return n;
}

class WorksheetFile : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteFaultForTesting(-1); }

  // Loads bytes written to a file as a worksheet would find them on disk.
  bool LoadBytes(RWorksheet& ws, const std::string& bytes) {
    dir.Write("in.tqw", bytes);
    ws.SetFileName(dir.File("in.tqw"));
    return ws.Load();
  }

  TempDir dir;
  ScriptedPlatform platform;
};

TEST_F(WorksheetFile, WritesHeaderCountAndFourLinesPerEntry) {
  RWorksheet ws;
  Append(ws, Entry("42", " rain"));
  ws.SetFileName(dir.File("a.tqw"));
  ASSERT_TRUE(ws.Save());
  EXPECT_EQ(dir.Read("a.tqw"), "#Tessaloquine - 1\n#Count = 1\nN:42\nP: rain\nD:\n\n");
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(WorksheetFile, DropsTrailingEmptyEntriesButKeepsInnerOnes) {
  RWorksheet ws;
  Append(ws, Entry("1"));
  Append(ws, Entry(""));
  Append(ws, Entry("", "", "third"));
  Append(ws, Entry(""));
  Append(ws, Entry(""));
  ws.SetFileName(dir.File("a.tqw"));
  ASSERT_TRUE(ws.Save());
  EXPECT_EQ(dir.Read("a.tqw"),
            "#Tessaloquine - 1\n#Count = 3\nN:1\nP:\nD:\n\nN:\nP:\nD:\n\nN:\nP:\nD:third\n\n");
}

TEST_F(WorksheetFile, AllEmptyWorksheetIsHeaderAndZeroAndLoadsWithoutEntries) {
  RWorksheet ws;
  Append(ws, Entry(""));
  Append(ws, Entry(""));
  ws.SetFileName(dir.File("a.tqw"));
  ASSERT_TRUE(ws.Save());
  EXPECT_EQ(dir.Read("a.tqw"), "#Tessaloquine - 1\n#Count = 0\n");
  RWorksheet back;
  back.SetFileName(dir.File("a.tqw"));
  ASSERT_TRUE(back.Load());
  EXPECT_EQ(back.Count(), 0);
}

TEST_F(WorksheetFile, LoadThenSaveReproducesTheFile) {
  const std::string bytes =
      "#Tessaloquine - 1\n#Count = 3\n"
      "N:(555) 12-34\nP: tough \xB7 apple\nD:the office\n\n"
      "N:\nP:\nD:\n\n"
      "N:7\nP: \x95\nD:caf\xE9\n\n";
  RWorksheet ws;
  ASSERT_TRUE(LoadBytes(ws, bytes));
  ASSERT_EQ(ws.Count(), 3);
  EXPECT_EQ(ws.At(0).Digits(), "5551234");
  EXPECT_EQ(ws.At(0).SlotCount(), 3);
  EXPECT_TRUE(ws.At(1).IsEmpty());
  ws.SetFileName(dir.File("out.tqw"));
  ASSERT_TRUE(ws.Save());
  EXPECT_EQ(dir.Read("out.tqw"), bytes);
}

TEST_F(WorksheetFile, BareLineFeedsLoadLikeCarriageReturnLineFeeds) {
  RWorksheet lf, crlf;
  ASSERT_TRUE(LoadBytes(lf, "#Tessaloquine - 1\n#Count = 2\nN:1\nP: a\nD:x\n\nN:2\nP: b\nD:y\n\n"));
  ASSERT_TRUE(LoadBytes(
      crlf, "#Tessaloquine - 1\r\n#Count = 2\r\nN:1\r\nP: a\r\nD:x\r\n\r\nN:2\r\nP: b\r\nD:y\r\n\r\n"));
  ASSERT_EQ(lf.Count(), 2);
  ASSERT_EQ(crlf.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(lf.At(i).Number(), crlf.At(i).Number());
    EXPECT_EQ(lf.At(i).Phrase(), crlf.At(i).Phrase());
    EXPECT_EQ(lf.At(i).Description(), crlf.At(i).Description());
  }
}

TEST_F(WorksheetFile, AcceptsAnyVersionALongerMagicWordAndLooseWhiteSpace) {
  RWorksheet ws;
  EXPECT_TRUE(LoadBytes(ws, "#Tessaloquine - 99\n#Count = 1\nN:5\nP:\nD:\n\n"));
  EXPECT_EQ(ws.Count(), 1);
  EXPECT_TRUE(LoadBytes(ws, "#TessaloquineWorksheet - 1\n#Count = 0\n"));
  EXPECT_EQ(ws.Count(), 0);
  // Blanks around the separators, none around '=', empty lines and leading
  // blanks before the first record are all skipped.
  EXPECT_TRUE(LoadBytes(ws, "#Tessaloquine    -  1\n\n#Count=2\n\n\n   N:5\nP:\nD:\n\nN:6\nP:\nD:\n\n"));
  ASSERT_EQ(ws.Count(), 2);
  EXPECT_EQ(ws.At(0).Number(), "5");
  EXPECT_EQ(ws.At(1).Number(), "6");
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(WorksheetFile, RejectsAnotherKindOfTextFileAndKeepsTheEntries) {
  const std::vector<std::string> files{"Dear diary,\nN:1\n", "#MAP - This file contains rules\n",
                                      "#Tessaloquin - 1\n", "", "#" + std::string(200, 'T') + " - 1\n"};
  for (const std::string& bytes : files) {
    SCOPED_TRACE(bytes);
    platform.ClearShown();
    RWorksheet ws;
    Append(ws, Entry("keep"));
    EXPECT_FALSE(LoadBytes(ws, bytes));
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"Error: The file '" + dir.File("in.tqw") + "' did not contain a valid worksheet."});
    ASSERT_EQ(ws.Count(), 1);
    EXPECT_EQ(ws.At(0).Number(), "keep");
  }
}

TEST_F(WorksheetFile, MissingFileIsReportedAndTheEntriesStay) {
  RWorksheet ws;
  Append(ws, Entry("keep"));
  ws.SetFileName(dir.File("none.tqw"));
  EXPECT_FALSE(ws.Load());
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Could not read the file '" + dir.File("none.tqw") + "'."});
  EXPECT_EQ(ws.Count(), 1);
  // Something else than a file (here a device; a named pipe the same) is
  // named, never read.
  std::filesystem::create_symlink("/dev/null", dir.File("device.tqw"));
  ws.SetFileName(dir.File("device.tqw"));
  platform.ClearShown();
  EXPECT_FALSE(ws.Load());
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Could not read the file '" + dir.File("device.tqw") +
                                                              "': it is a device, not a file."});
  EXPECT_EQ(ws.Count(), 1);
}

TEST_F(WorksheetFile, NegativeOrMissingCountIsAReadErrorAfterClearing) {
  for (const std::string bytes :
       {"#Tessaloquine - 1\n#Count = -1\nN:1\nP:\nD:\n\n", "#Tessaloquine - 1\n", "#Tessaloquine - 1\nCount = 1\n",
        "#Tessaloquine - 1\n#Count = x\n", "#Tessaloquine - 1\n#Count = -99999999999\n"}) {
    SCOPED_TRACE(bytes);
    platform.ClearShown();
    RWorksheet ws;
    Append(ws, Entry("old"));
    EXPECT_FALSE(LoadBytes(ws, bytes));
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"Error: Error reading the file '" + dir.File("in.tqw") + "'."});
    EXPECT_EQ(ws.Count(), 0);
  }
}

// A count far beyond the records present makes no more entries than the file
// holds, and no room is made for the claim either: that would be 16 GB.
TEST_F(WorksheetFile, HugeCountGivesTheRecordsThatArePresent) {
  RWorksheet ws;
  test::ResetLargestAllocation();
  ASSERT_TRUE(LoadBytes(ws, "#Tessaloquine - 1\n#Count = 2000000000\nN:1\nP:\nD:\n\nN:2\nP: b\nD:\n\n"));
  EXPECT_LT(test::LargestAllocation(), 64u * 1024u);
  ASSERT_EQ(ws.Count(), 2);
  EXPECT_EQ(ws.At(1).Number(), "2");
  ASSERT_TRUE(LoadBytes(ws, "#Tessaloquine - 1\n#Count = 99999999999999999999\nN:1\nP:\nD:\n\n"));
  EXPECT_EQ(ws.Count(), 1);
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(WorksheetFile, FileEndingInsideARecordKeepsWhatItHas) {
  RWorksheet ws;
  ASSERT_TRUE(LoadBytes(ws, "#Tessaloquine - 1\n#Count = 5\nN:1\nP:\nD:\n\nN:2\nP: two"));
  ASSERT_EQ(ws.Count(), 2);
  EXPECT_EQ(ws.At(1).Number(), "2");
  EXPECT_EQ(ws.At(1).Phrase(), " two");
  EXPECT_EQ(ws.At(1).Description(), "");
}

TEST_F(WorksheetFile, FewerRecordsAnnouncedThanPresentReadsOnlyThose) {
  RWorksheet ws;
  ASSERT_TRUE(LoadBytes(ws, "#Tessaloquine - 1\n#Count = 1\nN:1\nP:\nD:\n\nN:2\nP:\nD:\n\n"));
  EXPECT_EQ(ws.Count(), 1);
}

// Damaged files are read by position as always, but the reader says so and
// how many entries it got; a file as written says nothing.
TEST_F(WorksheetFile, DamagedFilesAreReadAsAlwaysAndSaySoWithTheEntriesRead) {
  const std::string head = "#Tessaloquine - 1\n";
  const std::string record = "N:1\nP: tea\nD:x\n\n";
  const struct {
    std::string bytes;
    int32_t entries;
    std::string says;  // empty: nothing
  } cases[]{
      {head + "#Count = 4\n" + record + record + record + "N:4\nP: t", 4, "Damaged file: 4 entries were read."},
      {head + "#Count = 2147483647\n" + record, 1, "Damaged file: 1 entry was read."},
      {"#Tessaloquine - 99\n#Count = 1\n" + record, 1, "newer version of the program (99)"},
      {head + "#Count = 2\n" + record + "1\n tea\nx\n\n", 2, "Damaged file: 2 entries were read."},
      {head + "#Count = 1\nN:1\nP: tea\nD:x\nN:2\n", 1, "Damaged file: 1 entry was read."},
      {head + "#Count = 2\n" + record + record, 2, ""},
      {head + "#Count = 1\r\nN:1\r\nP: tea\r\nD:x\r\n\r\n", 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    RWorksheet ws;
    ASSERT_TRUE(LoadBytes(ws, c.bytes));
    EXPECT_EQ(ws.Count(), c.entries);
    EXPECT_EQ(ws.LoadNote().empty(), c.says.empty()) << ws.LoadNote();
    EXPECT_NE(ws.LoadNote().find(c.says), std::string::npos) << ws.LoadNote();
  }
  RWorksheet ws;  // read by position all the same: an untagged line is its field, whole
  ASSERT_TRUE(LoadBytes(ws, cases[3].bytes));
  EXPECT_EQ(ws.At(1).Phrase(), "ea");
  EXPECT_TRUE(platform.MessageTexts().empty());
  ASSERT_TRUE(LoadBytes(ws, cases[2].bytes));  // a newer version's file, saved over, is kept too
  ASSERT_TRUE(ws.Save());
  EXPECT_EQ(dir.Read("in.tqw.newer"), cases[2].bytes);
}

TEST_F(WorksheetFile, LongFieldsSurviveSaveAndLoad) {
  RWorksheet ws;
  Append(ws, Entry(std::string(600, '9'), " " + std::string(300, 'p'), std::string(252, 'd') + "tail"));
  Append(ws, Entry("2", " x", std::string(10000, 'z')));
  Append(ws, Entry("3", "", "short"));
  ws.SetFileName(dir.File("long.tqw"));
  ASSERT_TRUE(ws.Save());
  RWorksheet back;
  back.SetFileName(dir.File("long.tqw"));
  ASSERT_TRUE(back.Load());
  ASSERT_EQ(back.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(back.At(i).Number(), ws.At(i).Number());
    EXPECT_EQ(back.At(i).Phrase(), ws.At(i).Phrase());
    EXPECT_EQ(back.At(i).Description(), ws.At(i).Description());
  }
}

TEST_F(WorksheetFile, LoadAndSaveLeaveNameAndModifiedAlone) {
  RWorksheet ws;
  Append(ws, Entry("1"));
  ws.SetFileName(dir.File("a.tqw"));
  ws.SetModified(true);
  ASSERT_TRUE(ws.Save());
  EXPECT_TRUE(ws.Modified());
  ASSERT_TRUE(ws.Load());
  EXPECT_TRUE(ws.Modified());
  EXPECT_EQ(ws.FileName(), dir.File("a.tqw"));
}

TEST_F(WorksheetFile, SavingOverAFileReplacesAllOfIt) {
  dir.Write("a.tqw", std::string(5000, 'x'));
  RWorksheet ws;
  Append(ws, Entry("1"));
  ws.SetFileName(dir.File("a.tqw"));
  ASSERT_TRUE(ws.Save());
  EXPECT_EQ(dir.Read("a.tqw"), "#Tessaloquine - 1\n#Count = 1\nN:1\nP:\nD:\n\n");
}

TEST_F(WorksheetFile, FolderThatCannotBeWrittenIsReported) {
  RWorksheet ws;
  Append(ws, Entry("1"));
  const std::string path = dir.File("missing/a.tqw");
  ws.SetFileName(path);
  EXPECT_FALSE(ws.Save());
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Could not open file '" + path + "' for writing."});
  EXPECT_FALSE(std::filesystem::exists(path));
}

// A disk that fills up part-way must not cost the user the file saved before.
TEST_F(WorksheetFile, FailedWriteKeepsThePreviousFile) {
  const std::string before = "#Tessaloquine - 1\n#Count = 1\nN:old\nP:\nD:\n\n";
  dir.Write("a.tqw", before);
  RWorksheet ws;
  Append(ws, Entry("new", " words", std::string(100000, 'd')));
  ws.SetFileName(dir.File("a.tqw"));
  ws.SetModified(true);
  for (long long budget : {0LL, 10LL, 4096LL, 90000LL}) {
    SCOPED_TRACE(budget);
    platform.ClearShown();
    SetWriteFaultForTesting(budget);
    EXPECT_FALSE(ws.Save());
    SetWriteFaultForTesting(-1);
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Error writing to file '" + dir.File("a.tqw") +
                                                                "'. The disk could be full."});
    EXPECT_EQ(dir.Read("a.tqw"), before);
    EXPECT_TRUE(ws.Modified());
    EXPECT_EQ(FilesIn(dir), 1u) << "a temporary file was left behind";
  }
}

}  // namespace
}  // namespace tq
