#include <QClipboard>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include "AppFixture.h"
#include "Icons.h"

namespace tq::test {
namespace {

using CommandTest = AppTest;

TEST_F(CommandTest, EveryToolbarButtonIsAMenuCommandWithAPicture) {
  Start();
  QList<QAction*> menuCommands;
  for (QAction* top : form->menuBar()->actions()) menuCommands += top->menu()->actions();
  int buttons = 0;
  for (auto* tool : Child<QToolBar>("ToolBar")->findChildren<QToolButton*>()) {
    if (!tool->defaultAction() || tool->objectName().isEmpty()) continue;  // the extension arrow
    ++buttons;
    EXPECT_TRUE(menuCommands.contains(tool->defaultAction())) << tool->objectName().toStdString();
    EXPECT_FALSE(tool->icon().isNull()) << tool->objectName().toStdString();
    EXPECT_FALSE(tool->toolTip().isEmpty()) << tool->objectName().toStdString();
  }
  EXPECT_EQ(buttons, 20);  // the sixteen of the design, Best Phrases, Practice, Undo and Redo
  // Pressing one runs the command.
  QTest::mouseClick(Child<QToolButton>("ButtonInsert"), Qt::LeftButton);
  EXPECT_TRUE(Modified());
}

TEST_F(CommandTest, EditCommandsActOnlyOnTheEditFields) {
  Start();
  QClipboard* clipboard = QApplication::clipboard();
  TypeDescription("keep this part");
  form->CurrentWorksheet()->SetModified(false);
  QLineEdit* description = Edit("EditDescription");
  description->setSelection(4, 10);  // " this part"
  Run("MenuDelete");
  EXPECT_EQ(Text("EditDescription"), "keep");
  EXPECT_EQ(Cell(0, 2), "keep");
  EXPECT_TRUE(Modified());

  description->selectAll();
  Run("MenuCut");
  EXPECT_EQ(clipboard->text(), "keep");
  EXPECT_EQ(Text("EditDescription"), "");
  Run("MenuPaste");
  EXPECT_EQ(Text("EditDescription"), "keep");

  // With the focus in the list the commands do nothing, Ctrl+C included.
  clipboard->setText("untouched");
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
  Run("MenuCopy");
  Run("MenuPaste");
  EXPECT_EQ(clipboard->text(), "untouched");
  EXPECT_EQ(Text("EditDescription"), "keep");

  // The phrase can be copied from but not changed.
  QLineEdit* phrase = Edit("EditPhrase");
  phrase->setText("fixed");
  phrase->setFocus();
  phrase->selectAll();
  Run("MenuCut");
  Run("MenuPaste");
  EXPECT_EQ(Text("EditPhrase"), "fixed");
  Run("MenuCopy");
  EXPECT_EQ(clipboard->text(), "fixed");
}

TEST_F(CommandTest, MenuKeysWinOverTheFieldsOwnKeys) {
  Start();
  const int rows = form->CurrentWorksheet()->Count();
  Edit("EditNumber")->setFocus();
  QTest::keyClick(Edit("EditNumber"), Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_TRUE(Modified());  // a number was inserted, nothing copied
  EXPECT_GE(form->CurrentWorksheet()->Count(), rows);
  EXPECT_EQ(Cell(0, 0), "");
}

TEST_F(CommandTest, GoWithoutANumberOnlyTellsTheUser) {
  Start();
  QTest::mouseClick(Child<QPushButton>("ButtonGo"), Qt::LeftButton);
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_EQ(platform.MessageTexts()[0], "Please enter a number before pressing the Go button.");
  EXPECT_EQ(platform.shown().back().icon, MessageIcon::None);
  EXPECT_FALSE(Modified());
}

TEST_F(CommandTest, HelpAndWebPagesGoThroughThePlatform) {
  Start();
  Run("MenuHelpTopics");
  Run("MenuCompanyHomepage");
  Run("MenuProductHomepage");
  ASSERT_EQ(platform.shown().size(), 3u);
  EXPECT_EQ(platform.shown()[0].kind, "help");
  EXPECT_EQ(platform.shown()[1].kind, "url");
  EXPECT_EQ(platform.shown()[2].kind, "url");
  EXPECT_NE(platform.shown()[1].text, platform.shown()[2].text);
}

// Without a desktop icon theme the stand-in serves by the standard names; a
// picture it lacks is still drawn; a desktop's own theme is left alone.
TEST(CommandIcons, ComeFromTheDesktopsThemeOrTheStandInByTheirStandardNames) {
  TempDir dir;
  const QString theme = QString::fromStdString(dir.path()) + QLatin1String(kFallbackIconTheme);
  ASSERT_TRUE(QDir().mkpath(theme + "/16x16/actions"));
  dir.Write(std::string(kFallbackIconTheme) + "/index.theme",
            "[Icon Theme]\nName=Stand-in\nDirectories=16x16/actions\n\n[16x16/actions]\nSize=16\nType=Fixed\n");
  QPixmap picture(16, 16);
  picture.fill(Qt::darkGreen);
  ASSERT_TRUE(picture.save(theme + "/16x16/actions/document-new.png"));
  ASSERT_TRUE(picture.save(theme + "/16x16/actions/edit-find.png"));
  const QStringList paths = QIcon::themeSearchPaths();
  const QString desktopTheme = QIcon::themeName();
  const QString fallback = QIcon::fallbackThemeName();
  QIcon::setThemeSearchPaths({QString::fromStdString(dir.path())});

  QIcon::setThemeName(QString());
  UseDesktopIconTheme();
  EXPECT_EQ(QIcon::themeName(), kFallbackIconTheme);
  EXPECT_EQ(CommandIcon(CommandImage::NewWorksheet).name(), "document-new");
  EXPECT_FALSE(CommandIcon(CommandImage::Dictionary).isNull());
  // Find Again has no name of its own: the theme's Find, marked.
  const QImage again = CommandIcon(CommandImage::FindAgain).pixmap(16, 16).toImage();
  EXPECT_EQ(again.pixelColor(1, 1), QColor(Qt::darkGreen));
  EXPECT_NE(again.pixelColor(13, 13), QColor(Qt::darkGreen));

  QIcon::setThemeName("desktop");
  UseDesktopIconTheme();
  EXPECT_EQ(QIcon::themeName(), "desktop");

  QIcon::setThemeSearchPaths(paths);
  QIcon::setThemeName(desktopTheme);
  QIcon::setFallbackThemeName(fallback);
}

}  // namespace
}  // namespace tq::test
