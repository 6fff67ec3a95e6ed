#include <QClipboard>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include "AppFixture.h"

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
  EXPECT_EQ(buttons, 17);
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

}  // namespace
}  // namespace tq::test
