#include <QCheckBox>
#include <QDialog>
#include <QPushButton>

#include <filesystem>

#include "AppFixture.h"

namespace tq::test {
namespace {

using WorksheetTest = AppTest;

TEST_F(WorksheetTest, SaveReopenAndTheFileOnDisk) {
  Start();
  TypeDescription("home phone");
  EXPECT_TRUE(Modified());

  platform.QueueText(dir.File("list.tqw"));
  Run("MenuSaveWorksheet");  // never saved: asks for a name
  EXPECT_FALSE(Modified());
  EXPECT_NE(dir.Read("list.tqw").find("#Count = 1\nN:\nP:\nD:home phone\n\n"), std::string::npos);
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - list");
  EXPECT_EQ(form->Config()->GetLastDirectory(), dir.path());
  EXPECT_EQ(Command("MenuHistory1")->text(), "&1 list.tqw");
  EXPECT_EQ(Command("MenuHistory1")->toolTip(), QString::fromStdString(dir.File("list.tqw")));

  Run("MenuNewWorksheet");  // saved, so no question
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - Untitled");
  EXPECT_EQ(Text("EditDescription"), "");
  EXPECT_EQ(Cell(0, 2), "");

  platform.QueueText(dir.File("list.tqw"));
  Run("MenuOpenWorksheet");
  EXPECT_EQ(platform.shown().back().kind, "open");
  EXPECT_EQ(platform.shown().back().caption, "Open Worksheet");
  EXPECT_EQ(platform.shown().back().text, dir.path());  // starts in the last directory
  EXPECT_EQ(Text("EditDescription"), "home phone");
  EXPECT_EQ(Cell(0, 2), "home phone");
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(WorksheetTest, SavingUnderTheSameNameChangesNeitherTitleNorHistory) {
  dir.Write("a.tqw", WorksheetText({{"1", "", "one"}}));
  Start({dir.File("a.tqw")});
  TypeDescription("!");
  Run("MenuSaveWorksheet");
  EXPECT_FALSE(Modified());
  EXPECT_NE(dir.Read("a.tqw").find("D:one!\n"), std::string::npos);
  EXPECT_EQ(form->Config()->GetHistoryCount(), 1);
  EXPECT_EQ(platform.shown().size(), 0u);  // no dialog at all
}

// Saving never takes what is typed in Number, but says so when the field's
// digits differ from the entry's.
TEST_F(WorksheetTest, SavingWithANumberTypedButNotEnteredSaysSo) {
  const std::string notEntered = "The number in the Number field was not entered: press Enter to take it.";
  dir.Write("a.tqw", WorksheetText({{"555-0000", "", "old"}}));
  Start({dir.File("a.tqw")});
  QLineEdit* number = Edit("EditNumber");
  number->setText("5551212");
  TypeDescription("!");
  Run("MenuSaveWorksheet");
  EXPECT_EQ(platform.statusText, notEntered);
  EXPECT_TRUE(platform.statusAlert);
  EXPECT_EQ(Text("EditNumber"), "5551212");
  EXPECT_NE(dir.Read("a.tqw").find("N:555-0000\n"), std::string::npos);

  platform.statusText.clear();
  number->setText("555 0000");
  platform.QueueText(dir.File("b.tqw"));
  Run("MenuSaveAs");
  EXPECT_NE(platform.statusText, notEntered);
  number->setText("1");
  platform.QueueText(dir.File("c.tqw"));
  Run("MenuSaveAs");
  EXPECT_EQ(platform.statusText, notEntered);
}

TEST_F(WorksheetTest, OverwriteIsAskedAndRefusingKeepsTheOldFile) {
  Start();
  dir.Write("taken.tqw", "old");
  TypeDescription("new text");

  platform.QueueText(dir.File("taken.tqw"));
  platform.QueueAnswer(ResultNo);
  Run("MenuSaveAs");
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  const Shown& question = platform.shown().back();
  EXPECT_EQ(question.text, "Overwrite file '" + dir.File("taken.tqw") + "'?");
  EXPECT_EQ(question.caption, "Tessaloquine");
  EXPECT_EQ(question.icon, MessageIcon::Question);
  EXPECT_EQ(question.buttons, ButtonYes | ButtonNo);
  EXPECT_EQ(dir.Read("taken.tqw"), "old");
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - Untitled");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(form->Config()->GetLastDirectory(), dir.path());  // still remembered
  EXPECT_EQ(form->Config()->GetHistoryCount(), 0);

  platform.QueueText(dir.File("taken.tqw"));
  platform.QueueAnswer(ResultYes);
  Run("MenuSaveAs");
  EXPECT_NE(dir.Read("taken.tqw").find("D:new text"), std::string::npos);
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - taken");
  EXPECT_FALSE(Modified());
}

TEST_F(WorksheetTest, CancelInTheSaveQuestionKeepsTheProgramRunning) {
  Start();
  TypeDescription("unsaved");
  platform.QueueAnswer(ResultCancel);
  form->close();
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(Modified());
  EXPECT_EQ(platform.terminateRequests, 0);
  EXPECT_EQ(platform.shown().back().kind, "modal");
  EXPECT_EQ(Text("EditDescription"), "unsaved");

  // New and Open are refused the same way.
  platform.QueueAnswer(ResultCancel);
  Run("MenuNewWorksheet");
  EXPECT_EQ(Cell(0, 2), "unsaved");
  EXPECT_TRUE(platform.AllAnswersUsed());
}

TEST_F(WorksheetTest, NoInTheSaveQuestionDiscardsAndShutsDown) {
  Start();
  TypeDescription("throw away");
  platform.QueueAnswer(ResultNo);
  Run("MenuExit");
  EXPECT_EQ(platform.terminateRequests, 1);
  EXPECT_EQ(form->CurrentWorksheet(), nullptr);
  EXPECT_EQ(form->Config(), nullptr);
  EXPECT_TRUE(dir.Exists("Tessaloquine.cfg"));
}

TEST_F(WorksheetTest, YesInTheSaveQuestionSavesBeforeClosing) {
  dir.Write("a.tqw", WorksheetText({{"1", "", "one"}}));
  Start({dir.File("a.tqw")});
  TypeDescription(" two");
  platform.QueueAnswer(ResultYes);
  form->close();
  EXPECT_EQ(platform.terminateRequests, 1);
  EXPECT_NE(dir.Read("a.tqw").find("D:one two\n"), std::string::npos);
}

TEST_F(WorksheetTest, AFailedSaveKeepsTheProgramOpenAndTheOldFile) {
  const std::string original = WorksheetText({{"1", "", "one"}});
  dir.Write("a.tqw", original);
  Start({dir.File("a.tqw")});
  TypeDescription(" two");
  SetWriteFaultForTesting(0);
  platform.QueueAnswer(ResultYes);
  form->close();
  SetWriteFaultForTesting(-1);
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_EQ(platform.MessageTexts()[0].rfind("Error: ", 0), 0u);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(Modified());
  EXPECT_EQ(platform.terminateRequests, 0);
  EXPECT_EQ(dir.Read("a.tqw"), original);
}

// A Save As that fails leaves the worksheet the name it had: the title
// stays, and Save goes on to the file it came from (an untitled worksheet
// asks for a name again).
TEST_F(WorksheetTest, AFailedSaveAsKeepsTheNameTheWorksheetHad) {
  dir.Write("a.tqw", WorksheetText({{"1", "", "one"}}));
  Start({dir.File("a.tqw")});
  TypeDescription("!");
  platform.QueueText(dir.File("no/such/folder/b.tqw"));
  Run("MenuSaveAs");
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_EQ(platform.MessageTexts()[0].rfind("Error: ", 0), 0u);
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - a");
  EXPECT_TRUE(Modified());
  Run("MenuSaveWorksheet");
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_NE(dir.Read("a.tqw").find("D:one!\n"), std::string::npos);
  EXPECT_FALSE(Modified());

  Run("MenuNewWorksheet");
  TypeDescription("new");
  platform.QueueText(dir.File("no/such/folder/c.tqw"));
  Run("MenuSaveAs");
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - Untitled");
  platform.QueueText(dir.File("c.tqw"));
  Run("MenuSaveWorksheet");
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_NE(dir.Read("c.tqw").find("D:new\n"), std::string::npos);
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - c");
}

// A file read as damaged (its count says 3, it holds one and a half
// entries) keeps its bytes beside it before the first save over it, and is
// not saved over while they cannot be kept.
TEST_F(WorksheetTest, SavingOverADamagedFileKeepsItsBytesBesideItFirst) {
  const std::string damaged = "#Tessaloquine - 1\n#Count = 3\nN:1\nP:\nD:one\n\nN:2\nP:";
  dir.Write("a.tqw", damaged);
  for (int n = 1; n <= 1000; ++n) dir.Write("a.tqw.damaged" + (n > 1 ? std::to_string(n) : std::string()), "");
  Start({dir.File("a.tqw")});
  TypeDescription(" two");
  Run("MenuSaveWorksheet");  // no name left to keep it under
  EXPECT_EQ(dir.Read("a.tqw"), damaged);
  std::filesystem::remove(dir.File("a.tqw.damaged2"));
  for (int save = 0; save < 2; ++save) Run("MenuSaveWorksheet");
  EXPECT_EQ(dir.Read("a.tqw.damaged2"), damaged);
  EXPECT_EQ(platform.statusText, "The damaged worksheet file was kept as '" + dir.File("a.tqw.damaged2") + "'.");
  EXPECT_EQ(platform.MessageTexts().size(), 1u);  // the refusal, once
  EXPECT_NE(dir.Read("a.tqw").find("D:one two\n"), std::string::npos);
}

TEST_F(WorksheetTest, DontAskAgainSwitchesTheQuestionOffEvenOnCancel) {
  Start();
  TypeDescription("x");
  platform.QueueModal([](QDialog* dialog) {
    dialog->show();
    dialog->findChild<QCheckBox*>("CheckAsk")->setChecked(true);
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonCancel"), Qt::LeftButton);
    return dialog->result();
  });
  form->close();
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->Config()->GetAskSave(), 0);

  // From now on a modified worksheet goes without a question.
  form->close();
  EXPECT_EQ(platform.terminateRequests, 1);
  EXPECT_TRUE(platform.AllAnswersUsed());
}

TEST_F(WorksheetTest, HistoryKeepsTheFourNewestWithoutDuplicates) {
  Start();
  EXPECT_FALSE(Command("MenuHistorySep")->isVisible());
  for (int k = 1; k <= 4; ++k) EXPECT_FALSE(Command(("MenuHistory" + std::to_string(k)).c_str())->isVisible());

  for (const char* name : {"a", "b", "c", "d", "e"}) {
    dir.Write(std::string(name) + ".tqw", WorksheetText({{name, "", ""}}));
    platform.QueueText(dir.File(std::string(name) + ".tqw"));
    Run("MenuOpenWorksheet");
  }
  EXPECT_TRUE(Command("MenuHistorySep")->isVisible());
  EXPECT_EQ(Command("MenuHistory1")->text(), "&1 e.tqw");
  EXPECT_EQ(Command("MenuHistory2")->text(), "&2 d.tqw");
  EXPECT_EQ(Command("MenuHistory3")->text(), "&3 c.tqw");
  EXPECT_EQ(Command("MenuHistory4")->text(), "&4 b.tqw");

  Run("MenuHistory3");  // c moves to the top, nothing is doubled
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - c");
  EXPECT_EQ(Command("MenuHistory1")->text(), "&1 c.tqw");
  EXPECT_EQ(Command("MenuHistory2")->text(), "&2 e.tqw");
  EXPECT_EQ(Command("MenuHistory3")->text(), "&3 d.tqw");
  EXPECT_EQ(Command("MenuHistory4")->text(), "&4 b.tqw");
}

TEST_F(WorksheetTest, AHistoryItemWhoseFileWasDeletedStaysInTheMenu) {
  dir.Write("gone.tqw", WorksheetText({{"1", "", ""}}));
  Start({dir.File("gone.tqw")});
  std::filesystem::remove(dir.File("gone.tqw"));
  Run("MenuHistory1");
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_EQ(platform.MessageTexts()[0], "Error: Could not read the file '" + dir.File("gone.tqw") + "'.");
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - Untitled");
  EXPECT_TRUE(Command("MenuHistory1")->isVisible());
  EXPECT_EQ(Command("MenuHistory1")->text(), "&1 gone.tqw");
}

TEST_F(WorksheetTest, TitleShowsTheBaseName) {
  Start();
  for (const auto& [file, title] : std::vector<std::pair<std::string, std::string>>{
           {"a.b.c.tqw", "a.b.c"}, {"plain", "plain"}, {".tqw", ""}}) {
    dir.Write(file, WorksheetText({}));
    ASSERT_TRUE(form->OpenWorksheet(dir.File(file)));
    EXPECT_EQ(FromQString(form->windowTitle()), "Tessaloquine - " + title) << file;
  }
}

TEST_F(WorksheetTest, ALongerWorksheetGetsOneRowPerEntry) {
  std::vector<std::vector<std::string>> entries;
  for (int i = 0; i < 60; ++i) entries.push_back({std::to_string(i), "", ""});
  dir.Write("long.tqw", WorksheetText(entries));
  Start({dir.File("long.tqw")});
  EXPECT_GE(Rows(), 64);
  EXPECT_EQ(Rows(), form->CurrentWorksheet()->Count());
  EXPECT_EQ(Cell(59, 0), "59");
  EXPECT_EQ(Cell(60, 0), "");
}

}  // namespace
}  // namespace tq::test
