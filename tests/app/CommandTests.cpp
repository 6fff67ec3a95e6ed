#include <QClipboard>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include "AppFixture.h"

namespace tq::test {
namespace {

using CommandTest = AppTest;

struct MenuItem {
  const char* name;
  const char* caption;
  QKeySequence key;
  const char* hint;  // null: none given
};

TEST_F(CommandTest, MenuItemsHaveTheirCaptionsKeysAndHints) {
  Start();
  const MenuItem items[] = {
      {"MenuNewWorksheet", "&New Worksheet", QKeySequence("Ctrl+N"), "New Worksheet"},
      {"MenuOpenWorksheet", "&Open Worksheet...", QKeySequence("Ctrl+O"), "Open Worksheet"},
      {"MenuSaveWorksheet", "&Save Worksheet...", QKeySequence("Ctrl+S"), "Save Worksheet"},
      {"MenuSaveAs", "Save &As...", QKeySequence("Ctrl+Shift+S"), "Save As"},
      {"MenuExit", "E&xit", QKeySequence(), nullptr},
      {"MenuCut", "Cu&t", QKeySequence("Ctrl+X"), "Cut"},
      {"MenuCopy", "&Copy", QKeySequence("Ctrl+C"), "Copy"},
      {"MenuPaste", "&Paste", QKeySequence("Ctrl+V"), "Paste"},
      {"MenuDelete", "&Delete", QKeySequence(), "Delete"},
      {"MenuFind", "&Find...", QKeySequence("Ctrl+F"), "Find"},
      {"MenuFindAgain", "Find &Again", QKeySequence("F3"), "Find Again"},
      {"MenuInsertNumber", "&Insert Number", QKeySequence("Ctrl+Ins"), "Insert Number"},
      {"MenuDeleteNumber", "&Delete Number", QKeySequence("Ctrl+Del"), "Delete Number"},
      {"MenuMoveUp", "Move &Up", QKeySequence("Ctrl+Up"), "Move Up"},
      {"MenuMoveDown", "Move &Down", QKeySequence("Ctrl+Down"), "Move Down"},
      {"MenuClear", "&Clear Number", QKeySequence("Ctrl+L"), "Clear Number"},
      {"MenuRandom", "&Random Phrase...", QKeySequence("Ctrl+R"), "Random Phrase"},
      {"MenuEditPhrase", "&Edit Phrase...", QKeySequence("Ctrl+T"), "Edit Phrase"},
      {"MenuDictionary", "&Dictionary...", QKeySequence("Ctrl+D"), "Dictionary"},
      {"MenuMapping", "&Mapping...", QKeySequence("Ctrl+M"), "Mapping"},
      {"MenuPreferences", "&Preferences...", QKeySequence(), "Preferences"},
      {"MenuHelpTopics", "&Help Topics...", QKeySequence("F1"), nullptr},
      {"MenuTip", "&Tip of the Day...", QKeySequence(), nullptr},
      {"MenuCompanyHomepage", "&Hollowmere Homepage", QKeySequence(), nullptr},
      {"MenuProductHomepage", "&Tessaloquine Homepage", QKeySequence(), nullptr},
      {"MenuAbout", "&About...", QKeySequence(), nullptr},
  };
  for (const MenuItem& item : items) {
    QAction* action = Command(item.name);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QString::fromLatin1(item.caption)) << item.name;
    EXPECT_EQ(action->shortcut(), item.key) << item.name;
    if (item.hint) {
      EXPECT_EQ(action->toolTip(), QString::fromLatin1(item.hint)) << item.name;
    }
    EXPECT_TRUE(action->isEnabled()) << item.name;
  }
  QStringList tops;
  for (QAction* a : form->menuBar()->actions()) tops << a->text();
  EXPECT_EQ(tops, QStringList({"&File", "&Edit", "&Numbers", "&Options", "&Help"}));
}

TEST_F(CommandTest, ToolbarButtonsAreTheMenuCommands) {
  Start();
  const std::pair<const char*, const char*> bound[] = {
      {"ButtonNewWorksheet", "MenuNewWorksheet"}, {"ButtonOpenWorksheet", "MenuOpenWorksheet"},
      {"ButtonSaveWorksheet", "MenuSaveWorksheet"}, {"ButtonInsert", "MenuInsertNumber"},
      {"ButtonDelete", "MenuDeleteNumber"}, {"ButtonUp", "MenuMoveUp"}, {"ButtonDown", "MenuMoveDown"},
      {"ButtonCut", "MenuCut"}, {"ButtonCopy", "MenuCopy"}, {"ButtonPaste", "MenuPaste"},
      {"ButtonDictionary", "MenuDictionary"}, {"ButtonMapping", "MenuMapping"}, {"ButtonRandom", "MenuRandom"},
      {"ButtonEditPhrase", "MenuEditPhrase"}, {"ButtonFind", "MenuFind"}, {"ButtonFindAgain", "MenuFindAgain"},
  };
  for (const auto& [button, command] : bound) {
    auto* tool = Child<QToolButton>(button);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->defaultAction(), Command(command)) << button;
    EXPECT_FALSE(tool->icon().isNull()) << button;
  }
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
