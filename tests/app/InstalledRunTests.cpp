// The whole program started with the folders of an installation: shipped data
// in one place, the configuration and the user's files in two others.
#include <filesystem>
#include <map>

#include "AppFixture.h"
#include "DataPaths.h"
#include "Paths.h"

namespace tq::test {
namespace {

class InstalledRun : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    paths.installed = true;
    paths.dataDirectory = dir.path();
    paths.configDirectory = home.File("config/tessaloquine/");
    paths.userDirectory = home.File("data/tessaloquine/");
  }
  void StartInstalled() {
    program = std::make_unique<TProgram>(paths, std::vector<std::string>{});
    ASSERT_TRUE(program->Start());
    startStatus = platform.statusText;
    program->FormSplash()->TimerSplashTimer();
    form = &program->FormMain();
    Settle();
  }
  std::map<std::string, std::string> DataFiles() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      files[entry.path().string()] = dir.Read(entry.path().filename().string());
    return files;
  }

  TempDir home;
  DataPaths paths;
  std::string startStatus;
};

TEST_F(InstalledRun, SaysWhereTheUsersFilesAreAndWritesThemOnlyThere) {
  const auto shipped = DataFiles();
  platform.QueueModal([](QDialog*) { return 2; });  // a fresh configuration shows the tip of the day
  StartInstalled();
  EXPECT_EQ(startStatus, "Your settings are kept in " + paths.configDirectory + ", your words and mapping in " +
                             paths.userDirectory + ".");
  EXPECT_EQ(platform.statusText, startStatus);  // still there once the window shows
  EXPECT_EQ(ApplicationHelpFile(), dir.path() + "Tessaloquine.hlp");
  // Nothing is made before there is something to write.
  EXPECT_FALSE(home.Exists("config"));
  EXPECT_FALSE(home.Exists("data"));

  ASSERT_GE(form->Dictionary()->AddWord("zebra"), 0);
  form->Dictionary()->SetMappingLine(9, "p");
  Run("MenuExit");
  EXPECT_TRUE(home.Exists("config/tessaloquine/Tessaloquine.cfg"));
  EXPECT_TRUE(home.Exists("data/tessaloquine/words.txt"));
  EXPECT_TRUE(home.Exists("data/tessaloquine/mapping.txt"));
  EXPECT_EQ(DataFiles(), shipped);
}

TEST_F(InstalledRun, AnUnchangedRunWritesOnlyTheConfiguration) {
  platform.QueueModal([](QDialog*) { return 2; });
  StartInstalled();
  Run("MenuExit");
  EXPECT_TRUE(home.Exists("config/tessaloquine/Tessaloquine.cfg"));
  EXPECT_FALSE(home.Exists("data"));
  EXPECT_FALSE(dir.Exists("Tessaloquine.cfg"));
}

// A copy in a folder it may not write (a read-only medium) uses the data
// beside it and keeps the user's files where an installed program does;
// changes that a portable run kept beside it still count.
TEST_F(InstalledRun, AProgramFolderThatCannotBeWrittenUsesTheDataBesideIt) {
  dir.Write("words.txt", "#ADD\nzebra\n#REMOVE\n#EDIT\n");
  paths = DecideDataPaths(dir.path(), PathEnvironment{home.path(), "", ""}, false);
  const auto shipped = DataFiles();
  platform.QueueModal([](QDialog*) { return 2; });
  ASSERT_NO_FATAL_FAILURE(StartInstalled()) << platform.MessageTexts().front();
  EXPECT_GE(form->Dictionary()->FindWord("zebra"), 0);
  ASSERT_GE(form->Dictionary()->AddWord("yak"), 0);
  Run("MenuExit");
  EXPECT_TRUE(home.Exists(".config/tessaloquine/Tessaloquine.cfg"));
  EXPECT_NE(home.Read(".local/share/tessaloquine/words.txt").find("yak\nzebra\n"), std::string::npos);
  EXPECT_EQ(DataFiles(), shipped);
}

}  // namespace
}  // namespace tq::test
