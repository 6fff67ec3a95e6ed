// The word lists' pop-up menu: Add Word, Remove Word and Edit Code change the
// dictionary from the strip, with their notices and questions in the order
// the user meets them, and the columns follow at once.
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "StripHelpers.h"

namespace tq::test {
namespace {

class WordEditTest : public StripTest {
 protected:
  // Answers the next question dialog with `button`, ticking "Don't ask me
  // again" when asked to; what it asked and whether Cancel showed are kept.
  void AnswerQuestion(const char* button, bool dontAskAgain = false) {
    platform.QueueModal([this, button, dontAskAgain](QDialog* dialog) {
      dialog->show();
      EXPECT_EQ(dialog->objectName(), "FormQuestion");
      asked.push_back(FromQString(dialog->findChild<QLabel*>("LabelQuestion")->text()));
      cancelShown = dialog->findChild<QPushButton*>("ButtonCancel")->isVisible();
      dialog->findChild<QCheckBox*>("CheckAsk")->setChecked(dontAskAgain);
      QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
      return dialog->result();
    });
  }
  // The kinds of everything the platform showed, in order.
  std::vector<std::string> Kinds() const {
    std::vector<std::string> kinds;
    for (const auto& shown : platform.shown()) kinds.push_back(shown.kind);
    return kinds;
  }

  std::vector<std::string> asked;
  bool cancelShown = true;
};

TEST_F(WordEditTest, AddWordLowersTheWordAndShowsItAtOnce) {
  Start();
  EnterNumber("5");
  ASSERT_FALSE(Lists(0, "lee"));
  platform.QueueText("LeE");
  Run("PopupAddWord");
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].kind, "input");
  EXPECT_EQ(platform.shown()[0].caption, "Add Word");
  EXPECT_EQ(platform.shown()[0].text, "Enter a word to add to the dictionary.");
  EXPECT_EQ(CodeOf("lee"), "5");
  EXPECT_TRUE(Lists(0, "lee"));
  EXPECT_EQ(platform.busyDepth, 0);
  // The dictionary changed, not the worksheet.
  form->CurrentWorksheet()->SetModified(false);

  platform.QueueText("LEE");
  Run("PopupAddWord");
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Word 'lee' already exists in dictionary."});
  EXPECT_EQ(platform.shown().back().icon, MessageIcon::None);
  EXPECT_EQ(platform.busyDepth, 0);

  // Cancel, or nothing typed, adds nothing and says nothing.
  const int count = form->Dictionary()->Count();
  platform.QueueText("ignored", false);
  Run("PopupAddWord");
  platform.QueueText("");
  Run("PopupAddWord");
  EXPECT_EQ(form->Dictionary()->Count(), count);
  EXPECT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_FALSE(Modified());
}

// "Lily," typed into Add Word means lily; digits, a dash or a pasted
// paragraph are no words, and the user is told why.
TEST_F(WordEditTest, AddWordTakesTheWordWithoutItsPunctuationAndRefusesWhatIsNoWord) {
  Start();
  EnterNumber("5");
  platform.QueueText("\"Lily,\"");
  Run("PopupAddWord");
  EXPECT_EQ(CodeOf("lily"), "55");
  const int count = form->Dictionary()->Count();
  for (const std::string& junk : {std::string("123"), std::string("-"), std::string(5000, 'w')}) {
    platform.ClearShown();
    platform.QueueText(junk);
    Run("PopupAddWord");
    ASSERT_EQ(platform.MessageTexts().size(), 1u) << junk.substr(0, 10);
    EXPECT_EQ(platform.MessageTexts()[0].rfind("Error: '", 0), 0u) << platform.MessageTexts()[0];
  }
  EXPECT_EQ(form->Dictionary()->Count(), count);
}

TEST_F(WordEditTest, RemoveWordAsksThenDeletesAndTheColumnLosesIt) {
  Start();
  EnterNumber("51");
  ASSERT_TRUE(Lists(0, "law"));
  FocusRow(0, "law");
  AnswerQuestion("ButtonYes");
  Run("PopupRemoveWord");
  EXPECT_EQ(asked, std::vector<std::string>{"Delete word 'law'?"});
  EXPECT_FALSE(cancelShown);
  EXPECT_FALSE(Known("law"));
  EXPECT_FALSE(Lists(0, "law"));
  EXPECT_TRUE(Lists(0, "ale"));

  // No answers Yes only: No keeps the word.
  FocusRow(0, "ale");
  AnswerQuestion("ButtonNo");
  Run("PopupRemoveWord");
  EXPECT_TRUE(Known("ale"));
  EXPECT_EQ(form->Config()->GetAskDelete(), 1);
  EXPECT_TRUE(platform.AllAnswersUsed());
}

TEST_F(WordEditTest, AWordOfThePhraseIsRefusedOnlyAfterTheQuestion) {
  Start();
  EnterNumber("51");
  ChooseWord(0, "ale");
  ASSERT_EQ(Phrase(), " ale" + Dots(1));
  FocusRow(0, "ale");
  AnswerQuestion("ButtonYes");
  Run("PopupRemoveWord");
  EXPECT_EQ(Kinds(), (std::vector<std::string>{"modal", "message"}));
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Word could not be deleted since it is in the current phrase."});
  EXPECT_TRUE(Known("ale"));
  EXPECT_EQ(Phrase(), " ale" + Dots(1));
}

TEST_F(WordEditTest, DontAskAgainClearsAskDeleteWhateverTheAnswer) {
  Start();
  EnterNumber("5");
  FocusRow(0, "law");
  AnswerQuestion("ButtonNo", true);
  Run("PopupRemoveWord");
  EXPECT_TRUE(Known("law"));
  EXPECT_EQ(form->Config()->GetAskDelete(), 0);

  // From now on Remove Word deletes at once.
  FocusRow(0, "law");
  Run("PopupRemoveWord");
  EXPECT_FALSE(Known("law"));
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_TRUE(platform.AllAnswersUsed());
}

TEST_F(WordEditTest, EditCodeRecodesAWordAndItMovesToItsNewColumn) {
  Start();
  EnterNumber("51");
  ASSERT_TRUE(Lists(0, "law"));
  ASSERT_FALSE(Lists(1, "law"));
  FocusRow(0, "law");
  platform.QueueText("1");
  Run("PopupEditCode");
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].caption, "Edit Code");
  EXPECT_EQ(platform.shown()[0].text, "Enter code for word: law");
  EXPECT_EQ(CodeOf("law"), "1");
  EXPECT_FALSE(Lists(0, "law"));
  EXPECT_TRUE(Lists(1, "law"));

  // The box starts at the present code; Cancel gives it back unchanged.
  FocusRow(1, "law");
  platform.QueueText("9", false);
  Run("PopupEditCode");
  EXPECT_EQ(CodeOf("law"), "1");
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(WordEditTest, WordsAndCodesAreTakenTrimmedAndOnlyWhenTheyCanBeRight) {
  Start();
  EnterNumber("5");
  const int count = form->Dictionary()->Count();
  for (const char* typed : {"# my words", "two words", "line\nbreak"}) {
    platform.ClearShown();
    platform.QueueText(typed);
    Run("PopupAddWord");
    ASSERT_EQ(platform.MessageTexts().size(), 1u) << typed;
    EXPECT_NE(platform.MessageTexts()[0].rfind("' cannot be added: a word "), std::string::npos) << typed;
  }
  EXPECT_EQ(form->Dictionary()->Count(), count);
  platform.QueueText("  Lee\t");
  Run("PopupAddWord");
  EXPECT_EQ(CodeOf("lee"), "5");
  EXPECT_TRUE(Lists(0, "lee"));

  FocusRow(0, "lee");
  platform.ClearShown();
  platform.QueueText("ma");
  Run("PopupEditCode");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Error: 'ma' cannot be a code: a code is made of the digits 0 to 9 only."});
  EXPECT_EQ(CodeOf("lee"), "5");
  platform.QueueText(" 1 ");
  Run("PopupEditCode");
  EXPECT_EQ(CodeOf("lee"), "1");
}

TEST_F(WordEditTest, EditCodeOnAWordOfThePhraseIsRefusedBeforeTheInputBox) {
  Start();
  EnterNumber("51");
  ChooseWord(0, "ale");
  FocusRow(0, "ale");
  Run("PopupEditCode");
  EXPECT_EQ(Kinds(), std::vector<std::string>{"message"});
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Word could not be edited since it is in the current phrase."});
  EXPECT_EQ(CodeOf("ale"), "5");
}

TEST_F(WordEditTest, RemoveAndEditNeedAWordRowInAFocusedList) {
  Start();
  EnterNumber("51");
  // No row selected: a notice each.
  FocusRow(0, nullptr);
  Run("PopupRemoveWord");
  Run("PopupEditCode");
  EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"Select a word before selecting Remove.",
                                                               "Select a word before selecting Edit Code."}));
  platform.ClearShown();

  // A header row is no word: nothing at all.
  const std::vector<std::string> rows = ColumnRows(0);
  ASSERT_FALSE(rows.empty());
  ASSERT_EQ(rows.front(), "5");
  FocusRow(0, "5");
  Run("PopupRemoveWord");
  Run("PopupEditCode");
  // Nor while an edit field has the focus, whatever the list shows.
  ColumnList(0)->selectionModel()->setCurrentIndex(RowOf(0, "law"), QItemSelectionModel::ClearAndSelect);
  Edit("EditNumber")->setFocus();
  Run("PopupRemoveWord");
  Run("PopupEditCode");
  EXPECT_TRUE(platform.shown().empty());
  EXPECT_TRUE(Known("law"));
}

TEST_F(WordEditTest, TheMenuOpensOnTheWordUnderTheMouseAndItsKeysWorkOnlyInTheLists) {
  Start();
  EnterNumber("5");
  QListView* list = ColumnList(0);
  const QPoint at = list->visualRect(RowOf(0, "law")).center();
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
  QApplication::sendEvent(list->viewport(), &click);
  auto* menu = form->findChild<QMenu*>("PopupRight");
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), list);
  ASSERT_EQ(list->selectionModel()->selectedIndexes().size(), 1);
  EXPECT_EQ(list->selectionModel()->selectedIndexes().front().data().toString(), "law");
  std::vector<std::string> captions;
  for (QAction* item : menu->actions()) captions.push_back(item->text().toStdString());
  EXPECT_EQ(captions, (std::vector<std::string>{"&Add Word...", "&Remove Word", "&Edit Code..."}));
  menu->hide();

  // Delete in the list removes the selected word...
  list->setFocus();
  AnswerQuestion("ButtonYes");
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_FALSE(Known("law"));
  // ...and in the number field deletes a letter, as always.
  QLineEdit* number = Edit("EditNumber");
  number->setFocus();
  number->setCursorPosition(0);
  QTest::keyClick(number, Qt::Key_Delete);
  EXPECT_EQ(Text("EditNumber"), "");
  // Ctrl+E in a list edits the code of its selected word.
  FocusRow(0, "ale");
  platform.QueueText("55");
  QTest::keyClick(list, Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(CodeOf("ale"), "55");
  EXPECT_TRUE(platform.AllAnswersUsed());
}

}  // namespace
}  // namespace tq::test
