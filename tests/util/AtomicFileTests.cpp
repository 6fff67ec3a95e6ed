#include <gtest/gtest.h>

#include <filesystem>

#include "AtomicFile.h"
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

}  // namespace
}  // namespace tq
