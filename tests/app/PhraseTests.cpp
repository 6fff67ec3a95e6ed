#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "AppFixture.h"
#include "WordColumns.h"

namespace tq::test {
namespace {

class PhraseTest : public AppTest {
 protected:
  // Double-clicks the word in column `column` of the strip.
  void ChooseWord(int column, const char* word) {
    QListView* list = form->WordColumns()->WordList(column);
    ASSERT_NE(list, nullptr) << "column " << column;
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, QString::fromLatin1(word), 1,
                             Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << word << " in column " << column;
    list->scrollTo(found.front());
    const QPoint at = list->visualRect(found.front()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    Settle();
  }
  std::string Phrase() const { return Text("EditPhrase"); }
  std::string Dots(int n) const {
    std::string out;
    for (int i = 0; i < n; ++i) out += std::string(" ") + kUncoveredMark;
    return out;
  }
};

TEST_F(PhraseTest, EnterTakesTheNumberAndLaysOutOneColumnPerDigit) {
  Start();
  EnterNumber("555-1234");
  EXPECT_EQ(form->CurrentNumber()->Number(), "555-1234");
  EXPECT_EQ(form->CurrentNumber()->Digits(), "5551234");
  EXPECT_EQ(Phrase(), Dots(7));
  EXPECT_EQ(Cell(0, 0), "555-1234");
  EXPECT_EQ(Cell(0, 1), Dots(7));
  EXPECT_EQ(form->WordColumns()->ColumnCount(), 7);
  EXPECT_TRUE(Modified());
  EXPECT_GE(Rows(), 5);

  // "Go!" does the same for the next row.
  ClickRow(1);
  QTest::keyClicks(Edit("EditNumber"), "42");
  QTest::mouseClick(Child<QPushButton>("ButtonGo"), Qt::LeftButton);
  EXPECT_EQ(Cell(1, 0), "42");
  EXPECT_EQ(Cell(1, 1), Dots(2));
  EXPECT_GE(Rows(), 6);
}

TEST_F(PhraseTest, DoubleClickedWordsBuildThePhraseAndItsButtonGivesOneBack) {
  Start();
  EnterNumber("555-1234");
  form->CurrentWorksheet()->SetModified(false);
  ChooseWord(0, "lily");
  EXPECT_EQ(Phrase(), " lily" + Dots(5));
  EXPECT_TRUE(Modified());
  ChooseWord(1, "law");
  ChooseWord(2, "tin");
  EXPECT_EQ(Phrase(), " lily law tin" + Dots(2));
  EXPECT_EQ(Cell(0, 1), " lily law tin" + Dots(2));
  EXPECT_EQ(form->WordColumns()->ColumnCount(), 5);

  QTest::mouseClick(form->WordColumns()->WordButton(1), Qt::LeftButton);
  Settle();
  EXPECT_EQ(Phrase(), " lily" + Dots(1) + " tin" + Dots(2));
  EXPECT_EQ(Cell(0, 1), Phrase());
}

TEST_F(PhraseTest, ReformattingANumberKeepsItsPhraseAndIsNoChange) {
  Start();
  EnterNumber("5551234");
  ChooseWord(0, "lily");
  form->CurrentWorksheet()->SetModified(false);
  EnterNumber("555-12 34");
  EXPECT_EQ(Phrase(), " lily" + Dots(5));
  EXPECT_EQ(Cell(0, 0), "555-12 34");
  EXPECT_FALSE(Modified());
}

TEST_F(PhraseTest, ChangingADigitKeepsTheWordsThatStillFit) {
  Start();
  EnterNumber("5551234");
  ChooseWord(0, "lily");
  ChooseWord(1, "law");
  ChooseWord(2, "tin");
  form->CurrentWorksheet()->SetModified(false);
  // One 5 fewer: law no longer fits, and tin is tried in its place and fits.
  EnterNumber("551234");
  EXPECT_EQ(Phrase(), " lily tin" + Dots(2));
  EXPECT_TRUE(Modified());

  // The phrase goes to the file and comes back with its words.
  platform.QueueText(dir.File("phrase.tqw"));
  Run("MenuSaveAs");
  Run("MenuNewWorksheet");
  EXPECT_EQ(Phrase(), "");
  ASSERT_TRUE(form->OpenWorksheet(dir.File("phrase.tqw")));
  EXPECT_EQ(Phrase(), " lily tin" + Dots(2));
  EXPECT_EQ(form->WordColumns()->ColumnCount(), 4);
  EXPECT_FALSE(Modified());
}

TEST_F(PhraseTest, ANumberOfFortyThousandDigitsIsTakenWholeAndSavedWhole) {
  Start();
  std::string digits;
  while (digits.size() < 40000) digits += "5551234";
  digits.resize(40000);
  QLineEdit* edit = Edit("EditNumber");
  edit->setFocus();
  edit->setText(QString::fromLatin1(digits));
  QTest::keyClick(edit, Qt::Key_Return);
  Settle();
  ASSERT_EQ(form->CurrentNumber()->Digits(), digits);
  EXPECT_EQ(Text("EditNumber"), digits);
  EXPECT_EQ(form->WordColumns()->ColumnCount(), 40000);
  EXPECT_LE(form->WordColumns()->findChildren<QListView*>("WordList").size(), 24);
  ChooseWord(0, "lily");
  const std::string phrase = " lily" + Dots(39998);
  EXPECT_EQ(Phrase(), phrase);
  // The list shows the start of the row; the entry keeps all of it.
  EXPECT_EQ(phrase.compare(0, Cell(0, 1).size(), Cell(0, 1)), 0);
  EXPECT_GT(Cell(0, 1).size(), 100u);
  EXPECT_LT(Cell(0, 1).size(), phrase.size());

  platform.QueueText(dir.File("long.tqw"));
  Run("MenuSaveAs");
  Run("MenuNewWorksheet");
  ASSERT_TRUE(form->OpenWorksheet(dir.File("long.tqw")));
  EXPECT_EQ(form->CurrentNumber()->Number(), digits);
  EXPECT_EQ(Phrase(), phrase);
  EXPECT_EQ(form->WordColumns()->ColumnCount(), 39999);
}

TEST_F(PhraseTest, TabWalksTheColumnsInOrderAndLeavesTheStripAtEitherEnd) {
  Start();
  EnterNumber("5551234");
  TWordColumns* strip = form->WordColumns();
  strip->WordList(0)->setFocus(Qt::MouseFocusReason);
  for (int i = 1; i < 7; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(strip->FocusedWordList(), strip->WordList(i)) << i;
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_FALSE(strip->isAncestorOf(QApplication::focusWidget()));
  strip->WordList(0)->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_FALSE(strip->isAncestorOf(QApplication::focusWidget()));
}

// Keyboard only: Down from the number entered, then Enter and Down+Enter
// build the whole phrase; each choice moves on instead of replacing itself.
TEST_F(PhraseTest, DownAndEnterBuildTheWholePhraseFromTheKeyboard) {
  Start();
  EnterNumber("55125");
  TWordColumns* strip = form->WordColumns();
  auto press = [](Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
    Settle();
  };
  press(Qt::Key_Down);
  ASSERT_EQ(strip->FocusedWordList(), strip->WordList(0));
  press(Qt::Key_Return);  // the first word, lily
  for (int column = 1; column < 3; ++column) {  // then the second word of each next column
    press(Qt::Key_Down);
    press(Qt::Key_Return);
  }
  EXPECT_EQ(Phrase(), " lily tiny law");
  // Complete: the keys go on to Description, and change no word.
  EXPECT_EQ(QApplication::focusWidget(), Edit("EditDescription"));
  press(Qt::Key_Down);
  press(Qt::Key_Return);
  EXPECT_EQ(Phrase(), " lily tiny law");
}

// The button of a chosen word is a stop of the tab chain, entered straight
// from the Phrase field (from the numbers list backwards: the last column's
// list); Space and Enter press it, and the focus goes to the digits given back.
TEST_F(PhraseTest, TheKeyboardReachesAChosenWordsButtonAndGivesTheWordBack) {
  Start();
  EnterNumber("5512");
  ChooseWord(0, "lily");
  TWordColumns* strip = form->WordColumns();
  auto press = [](Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
    Settle();
  };
  auto focus = [] { return QApplication::focusWidget(); };
  List()->setFocus(Qt::TabFocusReason);
  press(Qt::Key_Backtab);
  EXPECT_EQ(strip->FocusedWordList(), strip->WordList(2));
  Edit("EditPhrase")->setFocus(Qt::TabFocusReason);
  press(Qt::Key_Tab);
  EXPECT_EQ(focus(), strip->WordButton(0));
  press(Qt::Key_Tab);
  EXPECT_EQ(focus(), strip->WordList(0));
  press(Qt::Key_Backtab);
  press(Qt::Key_Backtab);
  EXPECT_EQ(focus(), Edit("EditPhrase"));

  ChooseWord(1, "tin");
  strip->WordList(1)->setFocus(Qt::MouseFocusReason);
  press(Qt::Key_Backtab);
  ASSERT_EQ(focus(), strip->WordButton(1));
  press(Qt::Key_Space);
  EXPECT_EQ(form->CurrentNumber()->Slots(), (std::vector<std::string>{"lily", ".", "."}));
  ASSERT_EQ(strip->FocusedWordList(), strip->WordList(1));
  press(Qt::Key_Backtab);  // past the list of the digit given back: its button holds nothing
  EXPECT_EQ(focus(), strip->WordList(0));
  press(Qt::Key_Backtab);
  ASSERT_EQ(focus(), strip->WordButton(0));
  press(Qt::Key_Return);
  EXPECT_EQ(Phrase(), Dots(4));
  EXPECT_EQ(strip->FocusedWordList(), strip->WordList(0));
}

// File > New Peg List: the digits first, then the open worksheet's save
// question, then an untitled worksheet of pegs whose words are chosen words
// like any others, and which no undo makes unmodified.
TEST_F(PhraseTest, NewPegListIsAWorksheetOfChosenWords) {
  dir.Write("wordinfo.dat", "tin,10,n,p\ntiny,12,-\n");
  Start();
  TypeDescription("unsaved");
  platform.QueueText("4");  // refused, and asked again
  platform.QueueText("2");
  platform.QueueAnswer(ResultNo);
  Run("MenuNewPegList");
  EXPECT_TRUE(platform.AllAnswersUsed());
  std::vector<std::string> asked;
  for (const Shown& shown : platform.shown()) asked.push_back(shown.kind);
  EXPECT_EQ(asked, (std::vector<std::string>{"input", "message", "input", "modal"}));
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Cell(0, 0), "00");
  EXPECT_EQ(Cell(99, 0), "99");
  EXPECT_EQ(Cell(12, 1), " tin");  // the picturable word, not the one of the same code
  EXPECT_EQ(Cell(23, 1), " name");  // no picturable word: the best phrase

  form->SelectNumber(12, false);
  Settle();
  EXPECT_EQ(form->WordColumns()->WordButton(0)->text(), "tin");
  QTest::mouseClick(form->WordColumns()->WordButton(0), Qt::LeftButton);
  Settle();
  ChooseWord(0, "tiny");
  EXPECT_EQ(Cell(12, 1), " tiny");
  Run("MenuUndo");
  Run("MenuUndo");
  EXPECT_EQ(Cell(12, 1), " tin");
  EXPECT_TRUE(Modified());

  platform.QueueText(dir.File("pegs.tqw"));
  Run("MenuSaveWorksheet");
  EXPECT_FALSE(Modified());
  EXPECT_NE(dir.Read("pegs.tqw").find("N:12\nP: tin\nD:\n"), std::string::npos);
}

}  // namespace
}  // namespace tq::test
