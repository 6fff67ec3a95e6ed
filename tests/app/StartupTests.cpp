#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

#include "AppFixture.h"
#include "SplashPicture.h"
#include "WordColumns.h"

namespace tq::test {
namespace {

using StartupTest = AppTest;

TEST_F(StartupTest, MissingWordsDatIsFatalAndTheMainWindowNeverShows) {
  std::filesystem::remove(dir.File("words.dat"));
  TProgram started(dir.path(), {});
  EXPECT_FALSE(started.Start());
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_EQ(platform.MessageTexts()[0], "Fatal Error: Filename " + dir.File("words.dat") + " was not found. Please reinstall.");
  EXPECT_EQ(platform.terminateRequests, 1);
  EXPECT_FALSE(started.FormMain().isVisible());
  EXPECT_EQ(started.FormMain().Dictionary(), nullptr);
  // Nothing was written on the way out.
  EXPECT_FALSE(dir.Exists("Tessaloquine.cfg"));
}

TEST_F(StartupTest, MissingMappingStopsTheLoadToo) {
  std::filesystem::remove(dir.File("mapping.txt"));
  TProgram started(dir.path(), {});
  EXPECT_FALSE(started.Start());
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_EQ(platform.MessageTexts()[0].rfind("Fatal Error: ", 0), 0u);
  EXPECT_FALSE(started.FormMain().isVisible());
}

TEST_F(StartupTest, SplashComesFirstAndItsTimerBringsUpTheMainWindow) {
  program = std::make_unique<TProgram>(dir.path(), std::vector<std::string>{});
  EXPECT_FALSE(program->FormMain().isVisible());
  ASSERT_TRUE(program->Start());
  TFormSplash* splash = program->FormSplash();
  EXPECT_TRUE(splash->isVisible());
  EXPECT_EQ(splash->size(), QSize(350, 215));
  EXPECT_TRUE(splash->TimerSplash()->isActive());
  EXPECT_EQ(splash->TimerSplash()->interval(), 3000);
  EXPECT_EQ(ApplicationHelpFile(), dir.path() + "Tessaloquine.hlp");
  EXPECT_FALSE(program->FormMain().isVisible());
  EXPECT_EQ(program->FormMain().Config(), nullptr);

  // A fresh configuration wants the tip of the day: it comes up over the
  // shown main window while the splash still stands, and shows the welcome tip.
  bool splashDuringTips = false;
  QString title;
  platform.QueueModal([&](QDialog* dialog) {
    splashDuringTips = splash->isVisible() && program->FormMain().isVisible();
    EXPECT_EQ(dialog->objectName(), "FormTips");
    dialog->show();
    title = dialog->findChild<QLabel*>("LabelTitle")->text();
    dialog->hide();
    return int(ResultOk);
  });
  splash->TimerSplashTimer();
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_TRUE(splashDuringTips);
  EXPECT_EQ(title, "Welcome to Tessaloquine");
  EXPECT_FALSE(splash->TimerSplash()->isActive());
  EXPECT_FALSE(splash->isVisible());
  TFormMain& main = program->FormMain();
  EXPECT_EQ(main.Config()->GetTipIndex(), 0);
  EXPECT_TRUE(main.isVisible());
  ASSERT_NE(main.Config(), nullptr);
  EXPECT_EQ(main.Config()->GetFileName(), dir.path() + "Tessaloquine.cfg");
  EXPECT_EQ(main.windowTitle(), "Tessaloquine - Untitled");
  ASSERT_NE(main.CurrentWorksheet(), nullptr);
  EXPECT_FALSE(main.CurrentWorksheet()->Modified());
  EXPECT_NE(main.findChild<TWordColumns*>("ScrollBox"), nullptr);
}

TEST_F(StartupTest, TheSplashShowsTheStoredPictureUnderItsVersionAndCopyrightInWhite) {
  program = std::make_unique<TProgram>(dir.path(), std::vector<std::string>{});
  ASSERT_TRUE(program->Start());
  TFormSplash* splash = program->FormSplash();
  const QLabel* picture = splash->findChild<QLabel*>("ImageSplash");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->pixmap().toImage(), SplashPicture().toImage());
  EXPECT_EQ(picture->geometry(), QRect(0, 0, 350, 215));
  struct Line {
    const char* name;
    QString text;
    QPoint at;
  };
  for (const Line& line : {Line{"LabelVersion", "v1.1", {4, 187}}, Line{"LabelCopyright", kCopyrightLine, {4, 200}}}) {
    const QLabel* label = splash->findChild<QLabel*>(line.name);
    ASSERT_NE(label, nullptr) << line.name;
    EXPECT_EQ(label->text(), line.text);
    EXPECT_EQ(label->pos(), line.at) << line.name;
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white)) << line.name;
  }
}

TEST_F(StartupTest, FirstArgumentOpensAWorksheetAndTheOthersAreIgnored) {
  dir.Write("phones.old.tqw", WorksheetText({{"555-1234", "", "home"}, {"42", "", ""}}));
  Start({dir.File("phones.old.tqw"), dir.File("ignored.tqw")});
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - phones.old");
  EXPECT_EQ(Cell(0, 0), "555-1234");
  EXPECT_EQ(Cell(0, 2), "home");
  EXPECT_EQ(Cell(1, 0), "42");
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(Text("EditNumber"), "555-1234");
  EXPECT_EQ(Text("EditDescription"), "home");
  // The blank worksheet made just before was closed without a question.
  EXPECT_TRUE(platform.MessageTexts().empty());
  ASSERT_EQ(form->Config()->GetHistoryCount(), 1);
  EXPECT_EQ(form->Config()->GetHistory(0), dir.File("phones.old.tqw"));
}

TEST_F(StartupTest, FirstArgumentNamingAMissingFileLeavesAnUntitledWorksheet) {
  Start({dir.File("gone.tqw")});
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_EQ(platform.MessageTexts()[0], "Error: Could not read the file '" + dir.File("gone.tqw") + "'.");
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - Untitled");
  EXPECT_EQ(form->Config()->GetHistoryCount(), 0);
  EXPECT_GE(Rows(), 5);
}

TEST_F(StartupTest, FirstShowRunsItsInitialisationOnce) {
  Start();
  RConfig* config = form->Config();
  EnterNumber("42");
  RWorksheet* worksheet = form->CurrentWorksheet();
  form->hide();
  form->show();
  Settle();
  EXPECT_EQ(form->Config(), config);
  EXPECT_EQ(form->CurrentWorksheet(), worksheet);
  EXPECT_EQ(Text("EditNumber"), "42");
}

TEST_F(StartupTest, WindowPlacementAndWidthsSurviveARestart) {
  Start();
  const QRect area = form->screen()->availableGeometry();
  const QRect place(area.left() + 23, area.top() + 41, 700, 520);
  form->setGeometry(place);
  Settle();
  List()->setColumnWidth(0, 90);
  List()->setColumnWidth(2, 120);
  form->close();
  EXPECT_EQ(platform.terminateRequests, 1);
  EXPECT_EQ(platform.helpClosed, 1);
  program.reset();

  RConfig stored;
  stored.SetFileName(dir.File("Tessaloquine.cfg"));
  ASSERT_TRUE(stored.Load());
  EXPECT_EQ(stored.GetWindowWidth(), 700);
  EXPECT_EQ(stored.GetWindowHeight(), 520);
  EXPECT_EQ(stored.GetNumberColumnWidth(), 90);
  EXPECT_EQ(stored.GetDescriptionColumnWidth(), 120);
  EXPECT_EQ(stored.GetMaximized(), 0);
  // Nothing in the dictionary changed, so its files were left alone.
  EXPECT_FALSE(dir.Exists("words.txt"));

  stored.SetNumbersPanelWidth(220);
  stored.SetShowDescription(0);
  ASSERT_TRUE(stored.Save());
  Start();
  EXPECT_EQ(form->geometry(), place);
  EXPECT_EQ(Child<QWidget>("PanelLeft")->width(), 220);
  EXPECT_EQ(List()->columnWidth(0), 90);
  EXPECT_EQ(List()->columnWidth(2), 120);
  EXPECT_FALSE(form->DescriptionShown());
  EXPECT_FALSE(Edit("EditDescription")->isVisible());
  // Start after start, the window opens where it was closed.
  for (int start = 0; start < 6; ++start) {
    form->close();
    program.reset();
    Start();
    ASSERT_EQ(form->geometry(), place) << "start " << start;
  }
}

TEST_F(StartupTest, AMaximizedWindowComesBackMaximizedWithoutTheStoredSize) {
  RConfig stored;
  stored.SetFileName(dir.File("Tessaloquine.cfg"));
  stored.SetMaximized(1);
  stored.SetWindowWidth(300);
  ASSERT_TRUE(stored.Save());
  Start();
  EXPECT_TRUE(form->isMaximized());
  EXPECT_NE(form->width(), 300);
  form->close();
  ASSERT_TRUE(stored.Load());
  EXPECT_EQ(stored.GetMaximized(), 1);
}

TEST_F(StartupTest, TheGeneratedDictionaryLoads) {
  const char* data = std::getenv("TQ_DATA_DIR");
  if (!data) data = TQ_DEFAULT_DATA_DIR;
  std::filesystem::copy_file(std::string(data) + "words.dat", dir.File("words.dat"),
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::copy_file(std::string(data) + "mapping.txt", dir.File("mapping.txt"),
                             std::filesystem::copy_options::overwrite_existing);
  Start();
  ASSERT_NE(form->Dictionary(), nullptr);
  EXPECT_GT(form->Dictionary()->Count(), 10000);
  EXPECT_TRUE(platform.MessageTexts().empty());
}

}  // namespace
}  // namespace tq::test
