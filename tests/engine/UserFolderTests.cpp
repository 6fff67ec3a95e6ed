// The dictionary with its shipped data and the user's files in two folders,
// as an installed program runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "DataPaths.h"
#include "Journey.h"
#include "Messages.h"
#include "Paths.h"
#include "RDictionary.h"
#include "ScriptedPlatform.h"
#include "ShippedMapping.h"
#include "TempDir.h"

namespace tq {
namespace {

using test::TempDir;

const char* kWords =
    "bat,b@t\n"
    "tea,ti\n";

class UserFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    data.Write("words.dat", kWords);
    data.Write("mapping.txt", test::kShippedMapping);
  }
  std::unique_ptr<RDictionary> Load() {
    DataPaths paths = PortablePaths(data.path());
    paths.userDirectory = UserPath();
    return CreateDictionary(paths);
  }
  std::string UserPath() const { return user.File("deep/tessaloquine/"); }
  // Every file of the data folder with its bytes, to prove it untouched.
  std::map<std::string, std::string> DataFiles() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data.path()))
      files[entry.path().string()] = entry.is_regular_file() ? data.Read(entry.path().filename().string()) : "";
    return files;
  }

  test::ScriptedPlatform platform;
  TempDir data;
  TempDir user;
};

TEST_F(UserFolder, LoadsFromTheDataFolderWhileTheUserFolderIsMissing) {
  const auto dictionary = Load();
  ASSERT_NE(dictionary, nullptr);
  EXPECT_EQ(dictionary->CodeAt(dictionary->FindWord("bat")), "91");
  EXPECT_TRUE(platform.MessageTexts().empty());
  // Reading makes no folder.
  EXPECT_FALSE(user.Exists("deep"));
}

TEST_F(UserFolder, ChangesAreWrittenToTheUserFolderAndReadBackFromIt) {
  const auto before = DataFiles();
  {
    const auto dictionary = Load();
    ASSERT_NE(dictionary, nullptr);
    dictionary->AddWord("mop");
    dictionary->SetMappingLine(9, "p");  // b no longer stands for 9
    EXPECT_EQ(dictionary->SaveUserChanges(), 0);
    EXPECT_EQ(dictionary->SaveMapping(), 0);
  }
  EXPECT_TRUE(user.Exists("deep/tessaloquine/words.txt"));
  EXPECT_TRUE(user.Exists("deep/tessaloquine/mapping.txt"));
  EXPECT_EQ(DataFiles(), before);

  // The user's mapping wins over the shipped one; the added word is back.
  const auto again = Load();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->CodeAt(again->FindWord("bat")), "1");
  EXPECT_EQ(again->CodeAt(again->FindWord("mop")), "39");
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(UserFolder, AMissingShippedMappingIsStillFatalAndNamesTheShippedFile) {
  std::filesystem::remove(data.File("mapping.txt"));
  EXPECT_EQ(Load(), nullptr);
  ResetFatalErrorForTesting();
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_NE(platform.MessageTexts()[0].find(data.File("mapping.txt")), std::string::npos);
}

TEST_F(UserFolder, AUserFolderThatCannotBeMadeReportsTheFailedWrite) {
  user.Write("deep", "a file where the folder should be");
  const auto dictionary = Load();
  ASSERT_NE(dictionary, nullptr);
  dictionary->AddWord("mop");
  EXPECT_EQ(dictionary->SaveUserChanges(), -1);
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_NE(platform.MessageTexts()[0].find(UserPath() + "words.txt"), std::string::npos);
}

// Installed with --prefix ~/.local, the user's files still never meet the
// shipped ones, and those an earlier version kept among them are still read.
TEST(UserFolderInstalledAtHome, TheShippedMappingIsNeverOverwritten) {
  test::ScriptedPlatform platform;
  TempDir home;
  const std::string shipped = home.File(".local/share/tessaloquine/");
  ASSERT_TRUE(MakeDirectories(home.File(".local/bin/")));
  ASSERT_TRUE(MakeDirectories(shipped));
  home.Write(".local/share/tessaloquine/words.dat", kWords);
  home.Write(".local/share/tessaloquine/mapping.txt", test::kShippedMapping);
  home.Write(".local/share/tessaloquine/words.txt", "#ADD\nmop\n#REMOVE\n#EDIT\n");  // kept there before
  std::filesystem::create_directory_symlink(home.path(), home.File("link"));
  PathEnvironment environment;
  DataPaths paths;
  for (const std::string& name : {home.File("link"), home.path()}) {  // also when a link leads there
    environment.home = name;
    paths = DecideDataPaths(home.File(".local/bin/"), environment);
    EXPECT_EQ(paths.dataDirectory, shipped);
    EXPECT_EQ(paths.userDirectory, name + (name == home.path() ? "" : "/") + ".local/share/tessaloquine/user/");
  }
  {
    const auto dictionary = CreateDictionary(paths);
    ASSERT_NE(dictionary, nullptr);
    dictionary->AddWord("zebra");
    dictionary->SetMappingLine(9, "p");
    EXPECT_EQ(dictionary->SaveUserChanges(), 0);
    EXPECT_EQ(dictionary->SaveMapping(), 0);
  }
  EXPECT_EQ(home.Read(".local/share/tessaloquine/mapping.txt"), test::kShippedMapping);
  EXPECT_EQ(home.Read(".local/share/tessaloquine/words.txt"), "#ADD\nmop\n#REMOVE\n#EDIT\n");
  const auto again = CreateDictionary(paths);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->CodeAt(again->FindWord("bat")), "1");  // the user's mapping wins
  EXPECT_GE(again->FindWord("mop"), 0);
  EXPECT_GE(again->FindWord("zebra"), 0);
  EXPECT_TRUE(platform.MessageTexts().empty());
}

// A portable copy made read-only: the user's files its writable days left
// beside it (the changes, the journey) are read until the user's folder has
// its own; the new ones go there, and the old ones stay as they were.
TEST(UserFolderReadOnlyCopy, TheFilesBesideItAreReadUntilTheUserFolderHasItsOwn) {
  test::ScriptedPlatform platform;
  TempDir home, program;
  program.Write("words.dat", kWords);
  program.Write("mapping.txt", test::kShippedMapping);
  program.Write("words.txt", "#ADD\nmop\n#REMOVE\n#EDIT\n");
  program.Write("journey.txt", "#words per place: 3\nred door\n");
  PathEnvironment environment;
  environment.home = home.path();
  const DataPaths paths = DecideDataPaths(program.path(), environment, false);
  ASSERT_EQ(paths.earlierUserDirectory, program.path());
  RJourney mine = LoadJourney(paths);
  EXPECT_EQ(mine.places, std::vector<std::string>{"red door"});
  EXPECT_EQ(mine.wordsPerPlace, 3);
  {
    const auto dictionary = CreateDictionary(paths);
    ASSERT_NE(dictionary, nullptr);
    EXPECT_GE(dictionary->FindWord("mop"), 0);
    dictionary->AddWord("zebra");
    EXPECT_EQ(dictionary->SaveUserChanges(), 0);
  }
  mine.places.push_back("hall");
  EXPECT_TRUE(StoreJourney(paths, mine));
  EXPECT_EQ(program.Read("words.txt"), "#ADD\nmop\n#REMOVE\n#EDIT\n");
  EXPECT_EQ(program.Read("journey.txt"), "#words per place: 3\nred door\n");
  EXPECT_EQ(LoadJourney(paths), mine);
  const auto again = CreateDictionary(paths);
  ASSERT_NE(again, nullptr);
  EXPECT_GE(again->FindWord("mop"), 0);
  EXPECT_GE(again->FindWord("zebra"), 0);
  EXPECT_TRUE(platform.MessageTexts().empty());
}

}  // namespace
}  // namespace tq
