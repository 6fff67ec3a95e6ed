#include <QAbstractButton>
#include <QDialog>
#include <QFocusEvent>
#include <QMenu>
#include <QTableView>
#include <QToolButton>

#include <random>

#include "StripHelpers.h"

namespace tq::test {
namespace {

class UndoTest : public StripTest {
 protected:
  QAction* Undo() const { return Command("MenuUndo"); }
  QAction* Redo() const { return Command("MenuRedo"); }
  // Presses the key where the keyboard focus is, as the user does.
  static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    Settle();
  }
  static void PressUndo() { Press(Qt::Key_Z); }
  static void PressRedo() { Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }

  // What the user sees of the current entry: the fields, its row, and the
  // word columns with their buttons and rows.
  std::string Seen() const {
    const int row = SelectedRow();
    std::string out = Text("EditNumber") + "|" + Text("EditDescription") + "|" + Text("EditPhrase") + "|" +
                      std::to_string(row) + "|" + Cell(row, 0) + "|" + Cell(row, 1) + "|" + Cell(row, 2) + "|";
    for (int i = 0; i < form->WordColumns()->ColumnCount(); ++i) {
      if (const QAbstractButton* button = form->WordColumns()->WordButton(i))
        out += FromQString(button->text()) + (button->isChecked() ? "* " : " ");
      out += std::to_string(ColumnRows(i).size()) + ",";
    }
    return out;
  }
};

TEST_F(UndoTest, TheEditMenuStartsWithUndoAndRedoNamingTheirStep) {
  Start();
  const QList<QAction*> edit = Child<QMenu>("MenuEdit")->actions();
  ASSERT_GE(edit.size(), 3);
  EXPECT_EQ(edit[0], Undo());
  EXPECT_EQ(edit[1], Redo());
  EXPECT_TRUE(edit[2]->isSeparator());
  EXPECT_EQ(Undo()->shortcut(), QKeySequence(QKeySequence::Undo));
  EXPECT_EQ(Redo()->shortcut(), QKeySequence(QKeySequence::Redo));
  EXPECT_EQ(Child<QToolButton>("ButtonUndo")->defaultAction(), Undo());
  EXPECT_EQ(Child<QToolButton>("ButtonRedo")->defaultAction(), Redo());

  EXPECT_FALSE(Undo()->isEnabled());
  EXPECT_FALSE(Redo()->isEnabled());
  EXPECT_EQ(Undo()->text(), "&Undo");
  EnterNumber("1234");
  EXPECT_TRUE(Undo()->isEnabled());
  EXPECT_EQ(Undo()->text(), "&Undo Enter Number");
  EXPECT_EQ(Undo()->toolTip(), "Undo Enter Number");
  ChooseWord(0, "tin");
  EXPECT_EQ(Undo()->text(), "&Undo Choose Word");
  QTest::mouseClick(form->WordColumns()->WordButton(0), Qt::LeftButton);
  EXPECT_EQ(Undo()->text(), "&Undo Unchoose Word");
  platform.QueueModal([](QDialog* dialog) {
    dialog->show();
    dialog->findChild<QAbstractButton*>("ButtonAccept")->click();
    return dialog->result();
  });
  Run("MenuRandom");
  EXPECT_EQ(Undo()->text(), "&Undo Accept Phrase");

  Run("MenuUndo");
  EXPECT_EQ(Undo()->text(), "&Undo Unchoose Word");
  EXPECT_TRUE(Redo()->isEnabled());
  EXPECT_EQ(Redo()->text(), "&Redo Accept Phrase");
  // A new change drops what could have been redone.
  Run("MenuInsertNumber");
  EXPECT_EQ(Undo()->text(), "&Undo Insert Number");
  EXPECT_FALSE(Redo()->isEnabled());
  EXPECT_EQ(Redo()->text(), "&Redo");

  // The history belongs to the worksheet: a new one starts without.
  form->CurrentWorksheet()->SetModified(false);
  Run("MenuNewWorksheet");
  EXPECT_FALSE(Undo()->isEnabled());
}

// Build a phrase, clear it by mistake, press Ctrl+Z: it is back with its columns.
TEST_F(UndoTest, CtrlZBringsBackAPhraseClearedByMistakeWithItsColumns) {
  Start();
  EnterNumber("555-1234");
  ChooseWord(0, "lily");
  ChooseWord(1, "law");
  ChooseWord(2, "tin");
  TypeDescription("office");
  const std::string built = Seen();
  const bool modified = Modified();
  ColumnList(2)->setFocus();

  Press(Qt::Key_L);
  ASSERT_EQ(Text("EditNumber"), "");
  const std::string cleared = Seen();
  PressUndo();
  EXPECT_EQ(Seen(), built);
  EXPECT_EQ(form->CurrentNumber()->Slots(), (std::vector<std::string>{"lily", "law", "tin", ".", "."}));
  EXPECT_EQ(form->CurrentNumber()->Digits(), "5551234");
  EXPECT_EQ(Modified(), modified);
  PressRedo();
  EXPECT_EQ(Seen(), cleared);
  PressUndo();
  // The columns work on the entry brought back.
  ChooseWord(4, "row");
  EXPECT_EQ(form->CurrentNumber()->Slots(), (std::vector<std::string>{"lily", "law", "tin", ".", "row"}));
}

TEST_F(UndoTest, UndoingBackToTheSavedWorksheetLeavesItUnmodified) {
  Start();
  EnterNumber("42");
  TypeDescription("answer");
  platform.QueueText(dir.File("saved.tqw"));
  Run("MenuSaveAs");
  ASSERT_FALSE(Modified());
  EXPECT_TRUE(Undo()->isEnabled());  // saving keeps the history

  EnterNumber("43");
  Run("MenuMoveDown");
  Run("MenuDeleteNumber");
  EXPECT_EQ(Cell(1, 0), "");
  Run("MenuUndo");
  EXPECT_EQ(Cell(1, 0), "43");
  EXPECT_EQ(SelectedRow(), 1);
  Run("MenuUndo");
  EXPECT_EQ(Cell(0, 0), "43");
  Run("MenuUndo");
  EXPECT_FALSE(Modified());
  EXPECT_EQ(Text("EditNumber"), "42");
  // Past the save it is modified again; forward to it, unmodified.
  Run("MenuUndo");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Text("EditDescription"), "");
  Run("MenuRedo");
  EXPECT_FALSE(Modified());
  EXPECT_EQ(Text("EditDescription"), "answer");
  // As saved: closing asks nothing.
  Run("MenuNewWorksheet");
  EXPECT_TRUE(platform.AllAnswersUsed());
}

// Inside a text field Ctrl+Z first takes back the typing there: in
// Description the visit's typing, which is a step already (so Redo has it
// too); in Number what is typed but not entered, which the worksheet's
// steps follow once the field has none left.
TEST_F(UndoTest, CtrlZInAFieldUndoesItsTypingFirst) {
  Start();
  EnterNumber("12");
  TypeDescription("abc");
  // Coming back from another window goes on with the same visit: one step.
  QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(Edit("EditDescription"), &back);
  QTest::keyClicks(Edit("EditDescription"), "d");
  EXPECT_EQ(Undo()->text(), "&Undo Type Description");
  PressUndo();
  EXPECT_EQ(Text("EditDescription"), "");
  EXPECT_EQ(Cell(0, 2), "");
  EXPECT_EQ(Undo()->text(), "&Undo Enter Number");
  EXPECT_EQ(Redo()->text(), "&Redo Type Description");
  PressRedo();
  EXPECT_EQ(Text("EditDescription"), "abcd");
  PressUndo();

  // A number typed but not entered: the keys are the field's, the entry
  // keeps its number, until there is no typing left to take back.
  QLineEdit* number = Edit("EditNumber");
  number->setFocus();
  QTest::keyClicks(number, "88");
  for (int i = 0; i < 10 && number->isUndoAvailable(); ++i) {
    PressUndo();
    EXPECT_EQ(form->CurrentNumber()->Number(), "12");
  }
  const QString undone = number->text();
  ASSERT_TRUE(number->isRedoAvailable());
  PressRedo();
  EXPECT_NE(number->text(), undone);
  for (int i = 0; i < 10 && number->isUndoAvailable(); ++i) PressUndo();
  EXPECT_EQ(Undo()->text(), "&Undo Enter Number");
  PressUndo();
  EXPECT_EQ(form->CurrentNumber()->Number(), "");
  EXPECT_EQ(Text("EditNumber"), "");
  EXPECT_EQ(Redo()->text(), "&Redo Enter Number");
}

// Once a number is entered its typing belongs to the step: one Ctrl+Z in
// the field brings back the number before, in the field and in the entry.
TEST_F(UndoTest, CtrlZAfterEnterInNumberTakesTheEnteredNumberBackInOneStep) {
  Start();
  EnterNumber("5309");
  EnterNumber("5310");
  ASSERT_EQ(QApplication::focusWidget(), Edit("EditNumber"));
  PressUndo();
  EXPECT_EQ(Text("EditNumber"), "5309");
  EXPECT_EQ(form->CurrentNumber()->Number(), "5309");
  EXPECT_EQ(Cell(0, 0), "5309");
  PressRedo();
  EXPECT_EQ(Text("EditNumber"), "5310");
  EXPECT_EQ(form->CurrentNumber()->Number(), "5310");
}

// Seeded runs of typing in Description and Number, Ctrl+Z and Ctrl+Shift+Z,
// as the keys come: after every key the fields, the list and the entry
// agree, and Redo brings back, in turn, every state Undo left behind (and is
// offered while there is one), until something new is typed.
TEST_F(UndoTest, RandomTypingUndoAndRedoKeepFieldsListAndMenuInStep) {
  Start();
  for (unsigned seed = 1; seed <= 6; ++seed) {
    form->CurrentWorksheet()->SetModified(false);
    Run("MenuNewWorksheet");
    std::mt19937 rng(seed);
    auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    std::vector<std::string> undone;  // what each Undo took, the last on top
    for (int step = 0; step < 60; ++step) {
      const std::string before = Seen();
      const int what = below(10);
      if (what < 3) {
        if (below(3) == 0) Edit("EditNumber")->setFocus();  // the next typing is a new visit
        TypeDescription(std::string(1 + below(3), static_cast<char>('a' + below(26))).c_str());
      } else if (what == 3) {
        EnterNumber(std::to_string(below(100)).c_str());
      } else if (what < 7) {
        PressUndo();
        if (Seen() != before) undone.push_back(before);
      } else {
        EXPECT_EQ(Redo()->isEnabled(), !undone.empty()) << seed << ":" << step;
        PressRedo();
        if (!undone.empty()) {
          EXPECT_EQ(Seen(), undone.back()) << seed << ":" << step;
          undone.pop_back();
        }
      }
      if (what < 4 && Seen() != before) undone.clear();
      ASSERT_EQ(Text("EditDescription") + "|" + Cell(SelectedRow(), 2),
                form->CurrentNumber()->Description() + "|" + form->CurrentNumber()->Description());
    }
  }
}

}  // namespace
}  // namespace tq::test
