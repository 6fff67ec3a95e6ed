#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "DataPaths.h"
#include "Paths.h"
#include "TempDir.h"

namespace tq {
namespace {

using test::TempDir;

PathEnvironment Home(const std::string& home) {
  PathEnvironment environment;
  environment.home = home;
  return environment;
}

// Random paths of names, ".", ".." and empty steps: the result never holds a
// step that could still be folded, keeps the path absolute or relative, and
// stays the same when normalized again.
TEST(NormalizeDirectory, ResultIsFoldedAndStable) {
  EXPECT_EQ(NormalizeDirectory("/usr/bin/../share/tessaloquine"), "/usr/share/tessaloquine/");
  EXPECT_EQ(NormalizeDirectory("a/../../b"), "../b/");
  std::mt19937 random(7);
  const char* steps[] = {"a", "bc", ".", "..", "", "d.e"};
  for (int round = 0; round < 2000; ++round) {
    std::string path = random() % 2 ? "/" : "";
    const int count = static_cast<int>(random() % 8);
    for (int i = 0; i < count; ++i) path += std::string(steps[random() % 6]) + "/";
    const std::string out = NormalizeDirectory(path);
    SCOPED_TRACE(path);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), '/');
    EXPECT_EQ(out.front() == '/', !path.empty() && path.front() == '/');
    EXPECT_EQ(out.find("//"), std::string::npos);
    EXPECT_EQ(out.find("/./"), std::string::npos);
    // ".." may only lead a relative path; after any name it is folded away.
    const auto up = out.rfind("../");
    if (up != std::string::npos) {
      EXPECT_NE(out.front(), '/');
      EXPECT_EQ(out.substr(0, up + 3).find_first_not_of("./"), std::string::npos);
    }
    EXPECT_EQ(NormalizeDirectory(out), out);
  }
}

TEST(DataPaths, AWritableProgramFolderWithWordsDatIsPortable) {
  TempDir dir;
  dir.Write("words.dat", "a,@\n");
  const DataPaths paths = DecideDataPaths(dir.path(), Home("/home/u"));
  EXPECT_FALSE(paths.installed);
  EXPECT_EQ(paths.dataDirectory, dir.path());
  EXPECT_EQ(paths.userDirectory, dir.path());
  EXPECT_EQ(paths.configDirectory, dir.path());
  // The folder may come without its separator.
  EXPECT_EQ(DecideDataPaths(dir.path().substr(0, dir.path().size() - 1), Home("/h")).dataDirectory, dir.path());
}

TEST(DataPaths, WithoutWordsDatTheInstalledFoldersAreUsed) {
  TempDir dir;
  ASSERT_TRUE(MakeDirectories(dir.File("prefix/bin")));
  const DataPaths paths = DecideDataPaths(dir.File("prefix/bin/"), Home("/home/u"));
  EXPECT_TRUE(paths.installed);
  EXPECT_EQ(paths.dataDirectory, dir.File("prefix/share/tessaloquine/"));
  EXPECT_EQ(paths.configDirectory, "/home/u/.config/tessaloquine/");
  EXPECT_EQ(paths.userDirectory, "/home/u/.local/share/tessaloquine/");
}

TEST(DataPaths, XdgFoldersAreUsedOnlyWhenAbsolute) {
  PathEnvironment environment = Home("/home/u/");
  environment.configHome = "/cfg//here";
  environment.dataHome = "/data/";
  DataPaths paths = DecideDataPaths("/nonexistent/bin", environment);
  EXPECT_EQ(paths.configDirectory, "/cfg/here/tessaloquine/");
  EXPECT_EQ(paths.userDirectory, "/data/tessaloquine/");
  EXPECT_EQ(paths.dataDirectory, "/nonexistent/share/tessaloquine/");

  // A relative value is ignored, as the base directory rules say.
  environment.configHome = "cfg";
  environment.dataHome = "./data";
  paths = DecideDataPaths("/nonexistent/bin", environment);
  EXPECT_EQ(paths.configDirectory, "/home/u/.config/tessaloquine/");
  EXPECT_EQ(paths.userDirectory, "/home/u/.local/share/tessaloquine/");
}

// Every combination: a user file is read from the user's folder once
// anything is there under its name (a named pipe too, which its reader then
// refuses), else from the earlier folder when that has it; it is always
// written to the user's folder.
TEST(DataPaths, AUserFileIsReadWhereItIsAndWrittenToTheUserFolder) {
  for (int mask = 0; mask < 16; ++mask) {
    const bool earlierFolder = mask & 1, inEarlier = mask & 2, inUser = mask & 4, pipe = mask & 8;
    SCOPED_TRACE(mask);
    TempDir dir;
    DataPaths paths = PortablePaths(dir.File("data/"));
    paths.userDirectory = dir.File("user/");
    paths.earlierUserDirectory = earlierFolder ? dir.File("earlier/") : "";
    ASSERT_TRUE(MakeDirectories(dir.File("user/")) && MakeDirectories(dir.File("earlier/")));
    if (inEarlier) dir.Write("earlier/pegs.txt", "earlier");
    if (inUser && pipe) {
      ASSERT_EQ(::mkfifo(dir.File("user/pegs.txt").c_str(), 0600), 0);
    } else if (inUser) {
      dir.Write("user/pegs.txt", "mine");
    }
    const std::string read = inUser || !earlierFolder || !inEarlier ? "user/" : "earlier/";
    EXPECT_EQ(UserFileToRead(paths, "pegs.txt"), dir.File(read + "pegs.txt"));
    EXPECT_EQ(UserFileToWrite(paths, "pegs.txt"), dir.File("user/pegs.txt"));
  }
}

TEST(Paths, MakeDirectoriesMakesEveryMissingStep) {
  TempDir dir;
  const std::string deep = dir.File("a/b//c/");
  EXPECT_TRUE(MakeDirectories(deep));
  EXPECT_TRUE(DirectoryExists(dir.File("a/b/c")));
  EXPECT_TRUE(MakeDirectories(deep));  // already there
  dir.Write("file", "x");
  EXPECT_FALSE(MakeDirectories(dir.File("file/d")));
  EXPECT_FALSE(MakeDirectories(""));
}

}  // namespace
}  // namespace tq
