// The dictionary dialog, driven offscreen through its own controls, with the
// platform seam answering the input boxes, file dialogs and questions.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "AtomicFile.h"
#include "Codec.h"
#include "DialogFixture.h"
#include "FormDict.h"
#include "RConfig.h"

namespace tq {
namespace {

using test::Shown;

struct Row {
  std::string word;
  std::string code;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.word << "=" << row.code; }

class FormDictTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    if (HasFatalFailure()) return;
    form = std::make_unique<TFormDict>(dict);
    form->SetConfig(&config);
    form->show();
  }
  void TearDown() override {
    form.reset();
    EXPECT_TRUE(platform.AllAnswersUsed());
    EXPECT_EQ(platform.busyDepth, 0) << "busy cursor left on";
  }

  template <typename T>
  T* Child(const char* name) const {
    T* child = form->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QTableView* ListDict() const { return Child<QTableView>("ListDict"); }
  QTableView* ListRemoved() const { return Child<QTableView>("ListRemoved"); }
  void Click(const char* button) const { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }

  void Find(const char* text, bool containing = false) {
    Child<QRadioButton>(containing ? "RadioContain" : "RadioStart")->setChecked(true);
    Child<QLineEdit>("EditFind")->setText(QString::fromLatin1(text));
    Click("ButtonFind");
  }
  static std::vector<Row> Rows(const QTableView* list) {
    std::vector<Row> rows;
    const QAbstractItemModel* model = list->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      const std::string word = FromQString(model->index(r, 0).data().toString());
      const std::string code = model->columnCount() > 1 ? FromQString(model->index(r, 1).data().toString()) : "";
      rows.push_back(Row{word, code});
    }
    return rows;
  }
  std::vector<Row> DictRows() const { return Rows(ListDict()); }
  std::vector<std::string> RowWords(const QTableView* list) const {
    std::vector<std::string> words;
    for (const Row& r : Rows(list)) words.push_back(r.word);
    return words;
  }
  static void Select(QTableView* list, std::initializer_list<int> rows) {
    list->clearSelection();
    for (int r : rows)
      list->selectionModel()->select(list->model()->index(r, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  std::string LabelCount() const { return Child<QLabel>("LabelCount")->text().toStdString(); }
  void ShowRemovedPage() const {
    auto* tabs = Child<QTabWidget>("TabsDict");
    tabs->setCurrentWidget(Child<QWidget>("TabRemoved"));
  }
  const Shown& LastShown() const { return platform.shown().back(); }

  RConfig config;
  std::unique_ptr<TFormDict> form;
};

// --- the window ------------------------------------------------------------------

TEST_F(FormDictTest, EscPressesOkAndHelpOpensTopic4000) {
  Click("ButtonHelp");
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(LastShown().kind, "help");
  EXPECT_EQ(LastShown().topic, 4000);

  // Esc reaches the dialog from the edit box that has the focus.
  QTest::keyClick(Child<QLineEdit>("EditFind"), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), ResultOk);
}

TEST_F(FormDictTest, ChangesAreReportedHoweverTheDialogCloses) {
  platform.QueueText("zebra");
  Click("ButtonAdd");
  ASSERT_TRUE(form->DictChanged());
  // The close box cancels, yet the word is in the dictionary: the flag must
  // still say so for the main window to rebuild its index.
  form->close();
  EXPECT_EQ(form->result(), ResultCancel);
  EXPECT_TRUE(form->DictChanged());

  // The next showing starts afresh.
  form->show();
  EXPECT_FALSE(form->DictChanged());
}

TEST_F(FormDictTest, ShowingAgainStartsWithAnEmptyListButKeepsTheSearchSettings) {
  Child<QTabWidget>("TabsDict")->setCurrentIndex(1);
  Find("AN", true);
  ASSERT_EQ(DictRows().size(), 8u);
  Click("ButtonOk");
  EXPECT_EQ(form->result(), ResultOk);
  form->show();
  EXPECT_TRUE(DictRows().empty());
  EXPECT_EQ(LabelCount(), "");
  EXPECT_EQ(Child<QTabWidget>("TabsDict")->currentWidget(), Child<QWidget>("TabDict"));
  EXPECT_EQ(Child<QLineEdit>("EditFind")->text(), "AN");
  EXPECT_TRUE(Child<QRadioButton>("RadioContain")->isChecked());
}

// --- finding ---------------------------------------------------------------------

TEST_F(FormDictTest, FindsWordsStartingWithTheTextInAnyCase) {
  Child<QLineEdit>("EditFind")->setText("AN");
  QTest::keyClick(Child<QLineEdit>("EditFind"), Qt::Key_Return);  // Enter finds, it does not close
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(DictRows(), (std::vector<Row>{{"an", "2"}, {"and", "21"}, {"ant", "21"}}));
  EXPECT_EQ(LabelCount(), "3 words");
}

TEST_F(FormDictTest, FindsWordsContainingTheText) {
  Find("an", true);
  EXPECT_EQ(RowWords(ListDict()),
            (std::vector<std::string>{"an", "and", "ant", "banana", "band", "hand", "man", "plan"}));
  EXPECT_EQ(LabelCount(), "8 words");
  EXPECT_EQ(DictRows()[3], (Row{"banana", "922"}));
}

TEST_F(FormDictTest, EmptyTextLeavesTheRowsAlone) {
  Find("an");
  Find("");
  EXPECT_EQ(DictRows().size(), 3u);
  Find("zz");
  EXPECT_TRUE(DictRows().empty());
  EXPECT_EQ(LabelCount(), "0 words");
  Find("banana");
  EXPECT_EQ(LabelCount(), "1 word");
}

// --- adding ----------------------------------------------------------------------

TEST_F(FormDictTest, AddedWordIsLowerCasedAndShownInWordOrder) {
  Find("an");
  platform.QueueText("Anchor");
  Click("ButtonAdd");
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(LastShown().kind, "input");
  EXPECT_EQ(LastShown().caption, "Add Word");
  EXPECT_EQ(LastShown().text, "Enter a word to add to the dictionary.");
  EXPECT_EQ(RowWords(ListDict()), (std::vector<std::string>{"an", "anchor", "and", "ant"}));
  EXPECT_EQ(DictRows()[1].code, Code("anchor"));
  EXPECT_EQ(Code("anchor"), "264");
  EXPECT_EQ(LabelCount(), "4 words");
  EXPECT_TRUE(form->DictChanged());

  // A word outside the search is shown too, in its place.
  platform.QueueText("ZULU");
  Click("ButtonAdd");
  EXPECT_EQ(RowWords(ListDict()).back(), "zulu");
  EXPECT_EQ(LabelCount(), "5 words");
}

TEST_F(FormDictTest, AddingAWordThatExistsGivesTheNoticeAndChangesNothing) {
  platform.QueueText("Cat");
  Click("ButtonAdd");
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Word 'cat' already exists in dictionary."});
  EXPECT_EQ(LastShown().caption, "Tessaloquine");
  EXPECT_EQ(LastShown().icon, MessageIcon::None);
  EXPECT_TRUE(DictRows().empty());
  EXPECT_FALSE(form->DictChanged());
  EXPECT_FALSE(dict.ChangesMade());
}

TEST_F(FormDictTest, CancelledOrEmptyAddDoesNothing) {
  platform.QueueText("ghost", false);
  Click("ButtonAdd");
  platform.QueueText("");
  Click("ButtonAdd");
  EXPECT_TRUE(platform.MessageTexts().empty());
  EXPECT_EQ(dict.FindWord("ghost"), -1);
  EXPECT_FALSE(form->DictChanged());
  EXPECT_FALSE(dict.ChangesMade());
}

TEST_F(FormDictTest, AddTakesTheWordTrimmedAndRefusesOneThatIsNotOneWord) {
  for (const char* typed : {"# my words", "ice cream", "tab\tword", "line\nbreak"}) {
    platform.ClearShown();
    platform.QueueText(typed);
    Click("ButtonAdd");
    ASSERT_EQ(platform.MessageTexts().size(), 1u) << typed;
    EXPECT_EQ(LastShown().icon, MessageIcon::Error) << typed;
  }
  EXPECT_TRUE(DictRows().empty());
  EXPECT_FALSE(form->DictChanged());
  EXPECT_FALSE(dict.ChangesMade());
  platform.QueueText("  Zebra \r\n");
  Click("ButtonAdd");
  EXPECT_EQ(DictRows(), (std::vector<Row>{{"zebra", Code("zebra")}}));
  EXPECT_EQ(dict.AddedWords(), std::vector<std::string>{"zebra"});
}

// --- removing --------------------------------------------------------------------

TEST_F(FormDictTest, RemovingOneWordAsksByName) {
  Find("an");
  Click("ButtonRemove");
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Select a word before pressing the Remove button."});
  EXPECT_FALSE(form->DictChanged());

  Select(ListDict(), {1});
  QueueQuestion(ResultYes);
  Click("ButtonRemove");
  EXPECT_EQ(questions, std::vector<std::string>{"Delete word 'and'?"});
  EXPECT_EQ(cancelShown, std::vector<bool>{false});
  EXPECT_EQ(RowWords(ListDict()), (std::vector<std::string>{"an", "ant"}));
  EXPECT_EQ(LabelCount(), "2 words");
  EXPECT_EQ(dict.FindWord("and"), -1);
  EXPECT_EQ(dict.RemovedWords(), std::vector<std::string>{"and"});
  EXPECT_TRUE(form->DictChanged());
  EXPECT_EQ(config.GetAskDelete(), 1);
}

TEST_F(FormDictTest, RemovingSeveralWordsWithTheDeleteKeyAsksByCount) {
  Find("an", true);
  Select(ListDict(), {0, 3, 7});
  QueueQuestion(ResultYes);
  QTest::keyClick(ListDict(), Qt::Key_Delete);
  EXPECT_EQ(questions, std::vector<std::string>{"Delete 3 words?"});
  EXPECT_EQ(RowWords(ListDict()), (std::vector<std::string>{"and", "ant", "band", "hand", "man"}));
  EXPECT_EQ(LabelCount(), "5 words");
  for (const char* gone : {"an", "banana", "plan"}) EXPECT_EQ(dict.FindWord(gone), -1) << gone;
  EXPECT_EQ(dict.Count(), 10);
}

TEST_F(FormDictTest, AnsweringNoKeepsTheWords) {
  Find("an");
  Select(ListDict(), {0, 2});
  QueueQuestion(ResultNo);
  Click("ButtonRemove");
  EXPECT_EQ(questions, std::vector<std::string>{"Delete 2 words?"});
  EXPECT_EQ(DictRows().size(), 3u);
  EXPECT_NE(dict.FindWord("an"), -1);
  EXPECT_FALSE(form->DictChanged());
}

TEST_F(FormDictTest, DontAskAgainSwitchesTheQuestionOffWhateverTheAnswer) {
  Find("an");
  Select(ListDict(), {0});
  QueueQuestion(ResultNo, true);
  Click("ButtonRemove");
  EXPECT_EQ(config.GetAskDelete(), 0);
  EXPECT_NE(dict.FindWord("an"), -1) << "No still means no";

  // From now on Remove acts at once; an unexpected question would fail here.
  Select(ListDict(), {0, 1});
  Click("ButtonRemove");
  EXPECT_EQ(RowWords(ListDict()), std::vector<std::string>{"ant"});
  EXPECT_EQ(questions.size(), 1u);
}

// --- editing a code ----------------------------------------------------------------

TEST_F(FormDictTest, EditedCodeGoesToTheDictionaryAndTheRow) {
  Find("an");
  Click("ButtonEdit");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Select a word before pressing the Edit Code button."});

  Select(ListDict(), {2, 1});
  platform.QueueText("99");
  QTest::keyClick(ListDict(), Qt::Key_Return);
  ASSERT_EQ(platform.shown().size(), 2u);
  EXPECT_EQ(LastShown().caption, "Edit Code");
  EXPECT_EQ(LastShown().text, "Enter code for word: and");  // the first selected row
  EXPECT_EQ(DictRows()[1], (Row{"and", "99"}));
  EXPECT_EQ(Code("and"), "99");
  EXPECT_EQ(dict.EditedWords(), std::vector<std::string>{"and"});
  EXPECT_TRUE(form->DictChanged());
  EXPECT_EQ(LabelCount(), "3 words");
}

TEST_F(FormDictTest, CodeThatIsNotDigitsIsRefusedAndBlanksAroundDigitsGo) {
  Find("cat");
  Select(ListDict(), {0});
  platform.QueueText("ma");
  Click("ButtonEdit");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Error: 'ma' cannot be a code: a code is made of the digits 0 to 9 only."});
  EXPECT_EQ(DictRows()[0], (Row{"cat", "71"}));
  EXPECT_EQ(Code("cat"), "71");
  EXPECT_FALSE(form->DictChanged());
  platform.QueueText(" 12\n");
  Click("ButtonEdit");
  EXPECT_EQ(DictRows()[0], (Row{"cat", "12"}));
  EXPECT_EQ(dict.EditedCodes(), std::vector<std::string>{"12"});
}

TEST_F(FormDictTest, CancelledEditKeepsTheCodeButAnEmptyAnswerClearsIt) {
  Find("cat");
  Select(ListDict(), {0});
  platform.QueueText("5", false);
  Click("ButtonEdit");
  EXPECT_EQ(Code("cat"), "71");
  EXPECT_FALSE(form->DictChanged());

  platform.QueueText("");
  test::DoubleClickRow(ListDict(), 0);
  EXPECT_EQ(platform.shown().back().text, "Enter code for word: cat");
  EXPECT_EQ(Code("cat"), "");
  EXPECT_EQ(DictRows()[0], (Row{"cat", ""}));
  EXPECT_TRUE(form->DictChanged());
}

TEST_F(FormDictTest, DoubleClickUnderTheRowsIsADoubleClickWithNothingSelected) {
  Find("an");
  ASSERT_EQ(DictRows().size(), 3u);
  ListDict()->clearSelection();
  test::DoubleClickBelowTheRows(ListDict());
  ShowRemovedPage();
  test::DoubleClickBelowTheRows(ListRemoved());
  EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"Select a word before pressing the Edit Code button.",
                                                               "Select a word before pressing the Undelete button."}));
}

// --- import ------------------------------------------------------------------------

TEST_F(FormDictTest, ImportAddsOnlyNewWordsAndCountsThem) {
  config.SetLastDirectory("/somewhere/");
  Find("an");
  // Saved by an editor that puts the byte order mark first.
  dir.Write("list.txt", "\xEF\xBB\xBFZebra\ncat\n\nAnvil\r\nyak\n");
  platform.QueueText(dir.File("list.txt"));
  Click("ButtonImport");
  ASSERT_EQ(platform.shown().size(), 2u);
  EXPECT_EQ(platform.shown()[0].kind, "open");
  EXPECT_EQ(platform.shown()[0].caption, "Import Dictionary");
  EXPECT_EQ(platform.shown()[0].text, "/somewhere/");  // the initial directory
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"3 words added to the dictionary."});
  EXPECT_EQ(RowWords(ListDict()), (std::vector<std::string>{"an", "and", "ant", "anvil", "yak", "zebra"}));
  EXPECT_EQ(DictRows()[3].code, Code("anvil"));
  EXPECT_EQ(LabelCount(), "6 words");
  EXPECT_EQ(dict.AddedWords(), (std::vector<std::string>{"anvil", "yak", "zebra"}));
  EXPECT_EQ(config.GetLastDirectory(), dir.path());
  EXPECT_TRUE(form->DictChanged());
}

TEST_F(FormDictTest, ImportSkipsLinesThatAreNotOneWordAndSaysHowMany) {
  dir.Write("list.txt", "# my words\n  Zebra  \nice cream\n\t\nyak\tox\n#tag\ncat\n");
  platform.QueueText(dir.File("list.txt"));
  Click("ButtonImport");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"1 word added to the dictionary. 4 lines were skipped, since a word must be one "
                                     "word without blanks, with a letter, at most 64 letters long, and must not "
                                     "begin with '#' or a dot."});
  EXPECT_EQ(dict.AddedWords(), std::vector<std::string>{"zebra"});
  EXPECT_EQ(RowWords(ListDict()), std::vector<std::string>{"zebra"});
  ASSERT_EQ(dict.SaveUserChanges(), 0);
  EXPECT_EQ(dir.Read("words.txt"), "#ADD - Enter words to add below, one per line.\nzebra\n"
                                   "#REMOVE - Enter words to remove below, one per line.\n"
                                   "#EDIT - Enter words to edit followed by code on the next line.\n");
}

TEST_F(FormDictTest, ImportOfAMissingFileGivesTheErrorAndOfKnownWordsReportsZero) {
  const std::string path = dir.File("missing.txt");
  platform.QueueText(path);
  Click("ButtonImport");
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Error opening file '" + path + "'."});
  EXPECT_EQ(LastShown().icon, MessageIcon::Error);
  EXPECT_EQ(config.GetLastDirectory(), "");
  EXPECT_FALSE(form->DictChanged());

  platform.QueueText("", false);
  Click("ButtonImport");
  EXPECT_EQ(platform.MessageTexts().size(), 1u);

  // Something else than a file (a device here, a named pipe the same) is
  // named and never read.
  std::filesystem::create_symlink("/dev/null", dir.File("device.txt"));
  platform.QueueText(dir.File("device.txt"));
  Click("ButtonImport");
  EXPECT_EQ(platform.MessageTexts().back(),
            "Error: Error opening file '" + dir.File("device.txt") + "': it is a device, not a file.");

  // Nothing new is still reported.
  dir.Write("old.txt", "cat\nDOG\n");
  platform.QueueText(dir.File("old.txt"));
  Click("ButtonImport");
  EXPECT_EQ(platform.MessageTexts().back(), "0 words added to the dictionary.");
  EXPECT_FALSE(form->DictChanged());
}

// --- export ------------------------------------------------------------------------

TEST_F(FormDictTest, ExportWritesTheWordsOfTheRowsWithoutCodes) {
  Find("an", true);
  Select(ListDict(), {4});
  QueueQuestion(ResultYes);
  Click("ButtonRemove");  // the export follows the rows as changed since the search
  config.SetLastDirectory("/before/");
  const std::string path = dir.File("out.txt");
  platform.QueueText(path);
  Click("ButtonExport");
  const Shown& save = platform.shown()[platform.shown().size() - 1];
  EXPECT_EQ(save.kind, "save");
  EXPECT_EQ(save.caption, "Export Dictionary");
  EXPECT_EQ(save.text, "/before/");
  EXPECT_EQ(dir.Read("out.txt"), "an\nand\nant\nbanana\nhand\nman\nplan\n");
  EXPECT_TRUE(platform.MessageTexts().empty());
  EXPECT_EQ(config.GetLastDirectory(), dir.path());
}

TEST_F(FormDictTest, ExportRightAfterOpeningCreatesAnEmptyFile) {
  platform.QueueText(dir.File("empty.txt"));
  Click("ButtonExport");
  ASSERT_TRUE(dir.Exists("empty.txt"));
  EXPECT_EQ(dir.Read("empty.txt"), "");
}

TEST_F(FormDictTest, ExportAsksBeforeOverwriting) {
  Find("an");
  dir.Write("old.txt", "keep me\n");
  const std::string path = dir.File("old.txt");

  platform.QueueText(path);
  platform.QueueAnswer(ResultNo);
  Click("ButtonExport");
  ASSERT_EQ(platform.MessageTexts(), std::vector<std::string>{"Overwrite file '" + path + "'?"});
  EXPECT_EQ(LastShown().caption, "Tessaloquine");
  EXPECT_EQ(LastShown().icon, MessageIcon::Question);
  EXPECT_EQ(LastShown().buttons, ButtonYes | ButtonNo);
  EXPECT_EQ(dir.Read("old.txt"), "keep me\n");
  EXPECT_EQ(config.GetLastDirectory(), dir.path()) << "remembered even when declined";

  platform.QueueText(path);
  platform.QueueAnswer(ResultYes);
  Click("ButtonExport");
  EXPECT_EQ(dir.Read("old.txt"), "an\nand\nant\n");
}

TEST_F(FormDictTest, ExportFileThatCannotBeCreatedGivesTheError) {
  Find("an");
  const std::string path = dir.File("no such folder/out.txt");
  platform.QueueText(path);
  Click("ButtonExport");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Error: Could not open file '" + path + "' for writing."});
  EXPECT_EQ(LastShown().icon, MessageIcon::Error);
  EXPECT_EQ(config.GetLastDirectory(), "");
}

TEST_F(FormDictTest, FailedExportWriteGivesTheErrorAndKeepsTheOldFile) {
  Find("an");
  dir.Write("old.txt", "keep me\n");
  const std::string path = dir.File("old.txt");
  platform.QueueText(path);
  platform.QueueAnswer(ResultYes);
  SetWriteFaultForTesting(4);
  Click("ButtonExport");
  SetWriteFaultForTesting(-1);
  ASSERT_EQ(platform.MessageTexts().size(), 2u);
  EXPECT_EQ(platform.MessageTexts()[1], "Error: Error writing to file '" + path + "'. The disk could be full.");
  EXPECT_EQ(dir.Read("old.txt"), "keep me\n");
}

// --- the removed words ---------------------------------------------------------------

TEST_F(FormDictTest, UndeleteRestoresAnInstalledWordWithItsSoundCode) {
  config.SetAskDelete(0);
  Find("knight");
  ASSERT_EQ(DictRows(), std::vector<Row>{(Row{"knight", "21"})});
  Select(ListDict(), {0});
  Click("ButtonRemove");
  ASSERT_EQ(dict.FindWord("knight"), -1);
  form->close();
  form->show();  // a new showing; the removal is still listed

  config.SetAskDelete(1);
  ShowRemovedPage();
  ASSERT_EQ(RowWords(ListRemoved()), std::vector<std::string>{"knight"});
  Select(ListRemoved(), {0});
  QueueQuestion(ResultYes);
  QTest::keyClick(ListRemoved(), Qt::Key_Return);
  EXPECT_EQ(questions, std::vector<std::string>{"Undelete word 'knight'?"});
  EXPECT_TRUE(RowWords(ListRemoved()).empty());
  EXPECT_EQ(dict.RemovedCount(), 0);
  EXPECT_EQ(Code("knight"), "21") << "the sounds, not the letters (721)";
  EXPECT_TRUE(form->DictChanged());
}

TEST_F(FormDictTest, UndeletingSeveralAsksByCountAndLeavesTheWordListAlone) {
  Find("an", true);
  Select(ListDict(), {0, 1, 2});
  QueueQuestion(ResultYes);
  Click("ButtonRemove");
  ShowRemovedPage();
  ASSERT_EQ(RowWords(ListRemoved()), (std::vector<std::string>{"an", "and", "ant"}));
  Select(ListRemoved(), {0, 2});
  QueueQuestion(ResultYes);
  Click("ButtonUndelete");
  EXPECT_EQ(questions.back(), "Undelete 2 words?");
  EXPECT_EQ(RowWords(ListRemoved()), std::vector<std::string>{"and"});
  EXPECT_NE(dict.FindWord("an"), -1);
  EXPECT_NE(dict.FindWord("ant"), -1);
  EXPECT_EQ(DictRows().size(), 5u) << "the found rows are not refreshed";
}

TEST_F(FormDictTest, UndeleteAnsweredNoOrSwitchedOffFollowsAskDelete) {
  config.SetAskDelete(0);
  Find("an");
  Select(ListDict(), {0, 1});
  Click("ButtonRemove");
  ShowRemovedPage();
  Click("ButtonUndelete");
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Select a word before pressing the Undelete button."});

  config.SetAskDelete(1);
  Select(ListRemoved(), {1});
  QueueQuestion(ResultNo, true);
  Click("ButtonUndelete");
  EXPECT_EQ(questions, std::vector<std::string>{"Undelete word 'and'?"});
  EXPECT_EQ(dict.RemovedCount(), 2);
  EXPECT_EQ(config.GetAskDelete(), 0);
  test::DoubleClickRow(ListRemoved(), 1);
  EXPECT_EQ(dict.RemovedWords(), std::vector<std::string>{"an"});
}

}  // namespace
}  // namespace tq
