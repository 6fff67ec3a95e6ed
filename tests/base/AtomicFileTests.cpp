#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "AtomicFile.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"

namespace tq {
namespace {

std::size_t FilesIn(const std::string& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(AtomicFile, ReplacesTheTargetOnlyAfterEveryByteWasWritten) {
  test::TempDir dir;
  dir.Write("a.txt", "old");
  ASSERT_EQ(WriteFileAtomically(dir.File("a.txt"), "new contents"), 0);
  EXPECT_EQ(dir.Read("a.txt"), "new contents");
  EXPECT_EQ(FilesIn(dir.path()), 1u);  // no temporary left behind
}

TEST(AtomicFile, FailedWriteKeepsTheOldFile) {
  test::TempDir dir;
  dir.Write("a.txt", "precious");
  SetWriteFaultForTesting(3);
  const int rc = WriteFileAtomically(dir.File("a.txt"), std::string(100000, 'x'));
  SetWriteFaultForTesting(-1);
  EXPECT_EQ(rc, -2);
  EXPECT_EQ(dir.Read("a.txt"), "precious");
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

// A disk that takes the bytes but cannot sync them has not stored them: the
// old file stays, whichever way the file is written, and the user is told.
TEST(AtomicFile, AFailedSyncKeepsTheOldFileAndIsReported) {
  test::TempDir dir;
  test::ScriptedPlatform platform;
  dir.Write("a.txt", "precious");
  SetSyncFaultForTesting(true);
  AtomicFile out(dir.File("a.txt"));
  ASSERT_NE(out.Open(), nullptr);
  std::fputs("new", out.File());
  EXPECT_FALSE(out.CommitOrReport("The disk could not take it."));
  std::filesystem::create_hard_link(dir.File("a.txt"), dir.File("b.txt"));  // written in place
  const int inPlace = WriteFileAtomically(dir.File("a.txt"), "new");
  SetSyncFaultForTesting(false);
  EXPECT_FALSE(out.ReplaceFailed());
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: The disk could not take it."});
  EXPECT_EQ(inPlace, -2);
  EXPECT_EQ(dir.Read("a.txt"), "precious");
  EXPECT_EQ(FilesIn(dir.path()), 2u);  // no temporary left behind
  // Once the disk syncs again, the file is replaced and its folder synced.
  const int folderSyncs = FolderSyncsForTesting();
  ASSERT_EQ(WriteFileAtomically(dir.File("c.txt"), "new"), 0);
  EXPECT_EQ(FolderSyncsForTesting(), folderSyncs + 1);
}

TEST(AtomicFile, MissingFolderCannotBeOpened) {
  test::TempDir dir;
  EXPECT_EQ(WriteFileAtomically(dir.File("no/such/a.txt"), "x"), -1);
}

TEST(AtomicFile, DiscardedWithoutCommit) {
  test::TempDir dir;
  {
    AtomicFile f(dir.File("b.txt"));
    ASSERT_NE(f.Open(), nullptr);
    std::fputs("half", f.File());
  }
  EXPECT_FALSE(dir.Exists("b.txt"));
  EXPECT_EQ(FilesIn(dir.path()), 0u);
}

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// Runs check as an ordinary user, so that permissions count even when the
// tests run as root: in a child that gives up root first. The result is
// check's, or false when the child could not be run.
bool AsOrdinaryUser(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check();
  const pid_t child = ::fork();
  if (child == 0) {
    const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
    ::_exit(dropped && check() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Replacing a file must leave it what it was: the same kind of entry, the
// same links, the same permissions, and the old bytes when anything fails.
TEST(AtomicFileReplace, WritesThroughASymbolicLinkToItsTargetKeepingItsMode) {
  test::TempDir dir;
  dir.Write("real.txt", "old");
  std::filesystem::create_symlink("real.txt", dir.File("link.txt"));
  std::filesystem::create_symlink(dir.File("link.txt"), dir.File("chain.txt"));
  ASSERT_EQ(::chmod(dir.File("real.txt").c_str(), 0640), 0);
  ASSERT_EQ(WriteFileAtomically(dir.File("chain.txt"), "new"), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("chain.txt")));
  EXPECT_EQ(dir.Read("real.txt"), "new");
  EXPECT_EQ(ModeOf(dir.File("real.txt")), mode_t{0640});  // the target's permissions stay
  // A link to a file not there yet makes that file.
  std::filesystem::create_symlink("later.txt", dir.File("dangling.txt"));
  ASSERT_EQ(WriteFileAtomically(dir.File("dangling.txt"), "made"), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling.txt")));
  EXPECT_EQ(dir.Read("later.txt"), "made");
  // A loop of links cannot be written.
  std::filesystem::create_symlink("loop2", dir.File("loop1"));
  std::filesystem::create_symlink("loop1", dir.File("loop2"));
  EXPECT_EQ(WriteFileAtomically(dir.File("loop1"), "x"), -1);
}

TEST(AtomicFileReplace, RefusesAReadOnlyFileWithTheUsualMessage) {
  test::TempDir dir;
  test::ScriptedPlatform platform;
  dir.Write("ro.txt", "keep");
  ASSERT_EQ(::chmod(dir.File("ro.txt").c_str(), 0444), 0);
  AtomicFile out(dir.File("ro.txt"));
  EXPECT_EQ(out.OpenOrReport(), nullptr);
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Error: Could not open file '" + dir.File("ro.txt") + "' for writing."});
  EXPECT_EQ(dir.Read("ro.txt"), "keep");
  EXPECT_EQ(ModeOf(dir.File("ro.txt")), mode_t{0444});
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(AtomicFileReplace, HardLinksStayLinked) {
  test::TempDir dir;
  dir.Write("a.txt", "old contents");
  std::filesystem::create_hard_link(dir.File("a.txt"), dir.File("b.txt"));
  ASSERT_EQ(WriteFileAtomically(dir.File("a.txt"), "new"), 0);
  EXPECT_EQ(dir.Read("b.txt"), "new");
  EXPECT_EQ(std::filesystem::hard_link_count(dir.File("a.txt")), 2u);
  EXPECT_EQ(FilesIn(dir.path()), 2u);

  // Written in place, a failed write still leaves the old bytes.
  SetWriteFaultForTesting(5);
  EXPECT_EQ(WriteFileAtomically(dir.File("a.txt"), std::string(70000, 'x')), -2);
  SetWriteFaultForTesting(-1);
  EXPECT_EQ(dir.Read("a.txt"), "new");
  EXPECT_EQ(dir.Read("b.txt"), "new");
  EXPECT_EQ(FilesIn(dir.path()), 2u);
}

TEST(AtomicFileReplace, WritesInPlaceWhenOnlyTheFolderIsReadOnly) {
  test::TempDir dir;
  dir.Write("open.txt", "old");
  ASSERT_EQ(::chmod(dir.File("open.txt").c_str(), 0666), 0);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  const std::string file = dir.File("open.txt");
  const std::string other = dir.File("new.txt");
  const bool saved = AsOrdinaryUser([&] { return WriteFileAtomically(file, "new bytes") == 0; });
  // A file that is not there cannot be made in such a folder.
  const bool refused = AsOrdinaryUser([&] { return WriteFileAtomically(other, "x") == -1; });
  ASSERT_EQ(::chmod(dir.path().c_str(), 0700), 0);
  EXPECT_TRUE(saved);
  EXPECT_TRUE(refused);
  EXPECT_EQ(dir.Read("open.txt"), "new bytes");
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(AtomicFileReplace, ANameAsLongAsNamesGoStillSaves) {
  test::TempDir dir;
  const std::string name = std::string(251, 'n') + ".tqw";  // 255 bytes, the limit
  dir.Write(name, "old");
  ASSERT_EQ(WriteFileAtomically(dir.File(name), "new"), 0);
  EXPECT_EQ(dir.Read(name), "new");
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(AtomicFileReplace, AFailedRenameIsReportedAsWhatItIs) {
  test::TempDir dir;
  test::ScriptedPlatform platform;
  AtomicFile out(dir.File("a.tqw"));
  ASSERT_NE(out.Open(), nullptr);
  std::fputs("bytes", out.File());
  // Something else takes the name meanwhile: a folder that is not empty.
  std::filesystem::create_directory(dir.File("a.tqw"));
  dir.Write("a.tqw/inside", "theirs");
  EXPECT_FALSE(out.CommitOrReport("Error writing to file 'a.tqw'. The disk could be full."));
  EXPECT_TRUE(out.ReplaceFailed());
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  const std::string said = platform.MessageTexts()[0];
  EXPECT_EQ(said.rfind("Error: Error writing to file '" + dir.File("a.tqw") + "'. The old file could not be replaced (", 0), 0u)
      << said;
  EXPECT_EQ(said.find("disk could be full"), std::string::npos) << said;
  EXPECT_EQ(dir.Read("a.tqw/inside"), "theirs");
  EXPECT_EQ(FilesIn(dir.path()), 1u);  // the temporary is gone
  // And the plain call tells the two failures apart.
  SetWriteFaultForTesting(0);
  EXPECT_EQ(WriteFileAtomically(dir.File("b.tqw"), "x"), -2);
  SetWriteFaultForTesting(-1);
}

}  // namespace
}  // namespace tq
