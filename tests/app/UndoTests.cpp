#include <QAbstractButton>
#include <QDialog>
#include <QFocusEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "StripHelpers.h"

namespace tq::test {
namespace {

class UndoTest : public StripTest {
 protected:
  QAction* Undo() const { return Command("MenuUndo"); }
  QAction* Redo() const { return Command("MenuRedo"); }
  // Presses the key where the keyboard focus is, as the user does.
  static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    Settle();
  }
  static void PressUndo() { Press(Qt::Key_Z); }
  static void PressRedo() { Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }

  // What the user sees of the current entry: the fields, its row and the
  // word columns with their buttons.
  std::string Seen() const {
    std::string out = Text("EditNumber") + "|" + Text("EditDescription") + "|" + Text("EditPhrase") + "|row " +
                      std::to_string(SelectedRow()) + "|" + Cell(SelectedRow(), 0) + "|" + Cell(SelectedRow(), 1) +
                      "|" + Cell(SelectedRow(), 2) + "|columns";
    for (int i = 0; i < form->WordColumns()->ColumnCount(); ++i) {
      const QAbstractButton* button = form->WordColumns()->WordButton(i);
      if (!button) continue;
      out += " " + FromQString(button->text()) + (button->isChecked() ? "*" : "");
      out += "(" + std::to_string(ColumnRows(i).size()) + ")";
    }
    return out;
  }
  std::string NumberColumn() const {
    std::string out;
    for (int row = 0; row < Rows(); ++row) out += Cell(row, 0) + ",";
    return out;
  }
};

TEST_F(UndoTest, TheEditMenuStartsWithUndoAndRedoNamingTheirStep) {
  Start();
  QMenu* edit = Child<QMenu>("MenuEdit");
  ASSERT_GE(edit->actions().size(), 3);
  EXPECT_EQ(edit->actions()[0], Undo());
  EXPECT_EQ(edit->actions()[1], Redo());
  EXPECT_TRUE(edit->actions()[2]->isSeparator());
  EXPECT_EQ(Undo()->shortcut(), QKeySequence(QKeySequence::Undo));
  EXPECT_EQ(Redo()->shortcut(), QKeySequence(QKeySequence::Redo));
  EXPECT_EQ(Child<QToolButton>("ButtonUndo")->defaultAction(), Undo());
  EXPECT_EQ(Child<QToolButton>("ButtonRedo")->defaultAction(), Redo());

  // Nothing done, nothing to undo.
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
  Run("MenuClear");
  EXPECT_EQ(Undo()->text(), "&Undo Clear Number");
  EXPECT_FALSE(Redo()->isEnabled());

  Run("MenuUndo");
  EXPECT_EQ(Undo()->text(), "&Undo Unchoose Word");
  EXPECT_TRUE(Redo()->isEnabled());
  EXPECT_EQ(Redo()->text(), "&Redo Clear Number");
  // A new change drops what could have been redone.
  Run("MenuInsertNumber");
  EXPECT_EQ(Undo()->text(), "&Undo Insert Number");
  EXPECT_FALSE(Redo()->isEnabled());
  EXPECT_EQ(Redo()->text(), "&Redo");

  // The history belongs to the worksheet: a new one starts without.
  form->CurrentWorksheet()->SetModified(false);
  Run("MenuNewWorksheet");
  EXPECT_FALSE(Undo()->isEnabled());
  EXPECT_FALSE(Redo()->isEnabled());
}

// Done when: build a phrase, clear it by mistake, press Ctrl+Z and have it
// back with its columns.
TEST_F(UndoTest, CtrlZBringsBackAPhraseClearedByMistakeWithItsColumns) {
  Start();
  EnterNumber("555-1234");
  ChooseWord(0, "lily");
  ChooseWord(1, "law");
  ChooseWord(2, "tin");
  TypeDescription("office");
  ASSERT_EQ(form->CurrentNumber()->SlotCount(), 5);
  const std::string built = Seen();
  const bool modified = Modified();
  ColumnList(2)->setFocus();

  Press(Qt::Key_L);
  ASSERT_EQ(Text("EditNumber"), "");
  ASSERT_EQ(form->WordColumns()->ColumnCount(), 4);
  const std::string cleared = Seen();

  PressUndo();
  EXPECT_EQ(Seen(), built);
  EXPECT_EQ(form->CurrentNumber()->Slots(), (std::vector<std::string>{"lily", "law", "tin", ".", "."}));
  EXPECT_EQ(form->CurrentNumber()->Digits(), "5551234");
  EXPECT_EQ(Modified(), modified);

  PressRedo();
  EXPECT_EQ(Seen(), cleared);
  PressUndo();
  EXPECT_EQ(Seen(), built);
  // Choosing a word in the columns again works on the entry brought back.
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
  EXPECT_TRUE(Modified());
  Run("MenuUndo");
  Run("MenuUndo");
  EXPECT_FALSE(Modified());
  EXPECT_EQ(Text("EditNumber"), "42");
  EXPECT_EQ(form->windowTitle(), "Tessaloquine - saved");
  // Past the save it is modified again; forward to it, unmodified.
  Run("MenuUndo");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Text("EditDescription"), "");
  Run("MenuRedo");
  EXPECT_FALSE(Modified());
  EXPECT_EQ(Text("EditDescription"), "answer");

  // Closing without a question: the worksheet is as saved.
  Run("MenuNewWorksheet");
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_FALSE(Undo()->isEnabled());
}

// Inside a text field Ctrl+Z first takes back the typing there; the
// worksheet's steps follow once the field has none left.
TEST_F(UndoTest, CtrlZInAFieldUndoesItsTypingFirst) {
  Start();
  EnterNumber("12");
  TypeDescription("abc");
  EXPECT_EQ(Undo()->text(), "&Undo Type Description");
  QLineEdit* description = Edit("EditDescription");
  for (int i = 0; i < 10 && description->isUndoAvailable(); ++i) PressUndo();
  EXPECT_EQ(Text("EditDescription"), "");
  EXPECT_EQ(form->CurrentNumber()->Description(), "");
  EXPECT_EQ(Cell(0, 2), "");
  // Typed and taken back: no step is left for it, the next key takes the
  // worksheet's step before it.
  EXPECT_EQ(Undo()->text(), "&Undo Enter Number");
  PressUndo();
  EXPECT_EQ(Text("EditNumber"), "");
  EXPECT_EQ(form->CurrentNumber()->Number(), "");
  EXPECT_FALSE(Undo()->isEnabled());

  // A number typed but not yet entered: the field has the keys, the entry
  // keeps its number, until there is no typing left.
  EnterNumber("77");
  QLineEdit* number = Edit("EditNumber");
  QTest::keyClicks(number, "88");
  for (int i = 0; i < 10 && number->isUndoAvailable(); ++i) {
    PressUndo();
    EXPECT_EQ(form->CurrentNumber()->Number(), "77");
  }
  const QString undone = number->text();
  EXPECT_NE(undone, "7788");
  EXPECT_EQ(Undo()->text(), "&Undo Enter Number");
  ASSERT_TRUE(number->isRedoAvailable());
  PressRedo();
  EXPECT_NE(number->text(), undone);
  EXPECT_FALSE(Redo()->isEnabled());
  for (int i = 0; i < 10 && number->isUndoAvailable(); ++i) PressUndo();
  PressUndo();
  EXPECT_EQ(form->CurrentNumber()->Number(), "");
  EXPECT_EQ(Text("EditNumber"), "");
  EXPECT_EQ(Redo()->text(), "&Redo Enter Number");
}

// A visit of the description field is one step however many keys it took;
// another visit is another step.
TEST_F(UndoTest, OneStepPerVisitOfTheDescription) {
  Start();
  EnterNumber("12");
  TypeDescription("first");
  List()->setFocus();
  TypeDescription(" second");
  // Coming back from another window goes on with the same visit.
  QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(Edit("EditDescription"), &back);
  QTest::keyClicks(Edit("EditDescription"), "!");
  EXPECT_EQ(form->CurrentNumber()->Description(), "first second!");
  List()->setFocus();
  Run("MenuUndo");
  EXPECT_EQ(Text("EditDescription"), "first");
  EXPECT_EQ(Cell(0, 2), "first");
  Run("MenuUndo");
  EXPECT_EQ(Text("EditDescription"), "");
  EXPECT_EQ(Undo()->text(), "&Undo Enter Number");
}

TEST_F(UndoTest, RowCommandsAreTakenBackInPlace) {
  Start();
  EnterNumber("1");
  ClickRow(1);
  EnterNumber("2");
  ClickRow(2);
  EnterNumber("3");
  const std::string start = NumberColumn();

  ClickRow(1);
  Run("MenuDeleteNumber");
  EXPECT_EQ(Cell(1, 0), "3");
  Run("MenuUndo");
  EXPECT_EQ(NumberColumn(), start);
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(Text("EditNumber"), "2");

  ClickRow(0);
  Run("MenuMoveDown");
  Run("MenuMoveDown");
  EXPECT_EQ(Cell(2, 0), "1");
  Run("MenuUndo");
  EXPECT_EQ(SelectedRow(), 1);
  Run("MenuUndo");
  EXPECT_EQ(NumberColumn(), start);
  EXPECT_EQ(SelectedRow(), 0);

  ClickRow(2);
  Run("MenuInsertNumber");
  Run("MenuMoveUp");
  EXPECT_EQ(Cell(1, 0), "");
  Run("MenuUndo");
  Run("MenuUndo");
  EXPECT_EQ(NumberColumn(), start);
  EXPECT_EQ(Text("EditNumber"), "3");

  // Again, in order: the steps undone before the insertion are gone.
  Run("MenuRedo");
  Run("MenuRedo");
  EXPECT_FALSE(Redo()->isEnabled());
  EXPECT_EQ(NumberColumn().substr(0, 8), "1,,2,3,,");
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(Text("EditNumber"), "");
  // ...and back to the three numbers in a row.
  while (Undo()->isEnabled()) Run("MenuUndo");
  EXPECT_EQ(Cell(0, 0), "");
  EXPECT_FALSE(Modified());
}

TEST_F(UndoTest, AcceptedAndEditedPhrasesAreStepsToo) {
  Start();
  EnterNumber("55");
  platform.QueueModal([](QDialog* dialog) {
    dialog->show();
    dialog->findChild<QAbstractButton*>("ButtonAccept")->click();
    return dialog->result();
  });
  Run("MenuRandom");
  const std::string accepted = Text("EditPhrase");
  ASSERT_NE(accepted, Dots(2));
  EXPECT_EQ(Undo()->text(), "&Undo Accept Phrase");

  const QString typed = accepted == "lily" ? "loll" : "lily";
  platform.QueueModal([typed](QDialog* dialog) {
    dialog->show();
    dialog->findChild<QLineEdit*>("EditPhrase")->setText(typed);
    dialog->findChild<QAbstractButton*>("ButtonOK")->click();
    return dialog->result();
  });
  Run("MenuEditPhrase");
  EXPECT_EQ(Edit("EditPhrase")->text(), typed);
  EXPECT_EQ(Undo()->text(), "&Undo Edit Phrase");
  Run("MenuUndo");
  EXPECT_EQ(Text("EditPhrase"), accepted);
  Run("MenuUndo");
  EXPECT_EQ(Text("EditPhrase"), Dots(2));
  EXPECT_EQ(form->WordColumns()->ColumnCount(), 2);
  EXPECT_TRUE(platform.AllAnswersUsed());
}

}  // namespace
}  // namespace tq::test
