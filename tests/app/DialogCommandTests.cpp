// The menu commands that open the other dialogs, driven through the live
// dialogs: what the main window does with their results (the code index, the
// chosen words, the columns, the entry and the preferences) and where their
// help goes.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

#include "StripHelpers.h"

namespace tq::test {
namespace {

class DialogCommandTest : public StripTest {
 protected:
  template <class T>
  static T* In(QDialog* dialog, const char* name) {
    T* child = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  static void Press(QDialog* dialog, const char* button) {
    QTest::mouseClick(In<QPushButton>(dialog, button), Qt::LeftButton);
  }
  // Queues a visit of the dictionary dialog that finds `word`, removes it
  // and leaves by the close box, not OK: the dialog says Cancel, yet the word
  // is gone.
  void QueueRemoveInDictionary(const char* word) {
    platform.QueueModal([word](QDialog* dialog) {
      dialog->show();
      In<QLineEdit>(dialog, "EditFind")->setText(QString::fromLatin1(word));
      Press(dialog, "ButtonFind");
      In<QTableView>(dialog, "ListDict")->selectRow(0);
      Press(dialog, "ButtonRemove");
      dialog->close();
      return dialog->result();
    });
  }
  // The codes of the entry's chosen words, read in order.
  std::string CodesOfSlots() const {
    std::string codes;
    const RNumber* number = form->CurrentNumber();
    for (int i = 0; i < number->SlotCount(); ++i) codes += CodeOf(number->Slot(i).c_str());
    return codes;
  }
};

TEST_F(DialogCommandTest, EveryDialogIsMadeOnceAtStartInItsOrderAndReused) {
  Start();
  std::vector<std::string> names;
  for (const QDialog* dialog : form->findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
    if (dialog->objectName() != "DialogFind") names.push_back(dialog->objectName().toStdString());
  EXPECT_EQ(names, (std::vector<std::string>{"FormDict", "FormAbout", "FormMapping", "FormRandom", "FormOptions",
                                             "FormQuestion", "FormTips", "FormEditPhrase", "FormPractice",
                                             "FormBest", "FormJourney", "FormJourneyPlaces", "FormPrintChoice",
                                             "FormMyPegs", "FormPegDrill", "FormNumbersDrill"}));

  std::vector<QDialog*> opened;
  auto record = [&opened](QDialog* dialog) {
    opened.push_back(dialog);
    return int(ResultOk);
  };
  for (int i = 0; i < 2; ++i) {
    platform.QueueModal(record);
    Run("MenuTip");
    platform.QueueModal(record);
    Run("MenuAbout");
  }
  ASSERT_EQ(opened.size(), 4u);
  EXPECT_EQ(opened[0]->objectName(), "FormTips");
  EXPECT_EQ(opened[1]->objectName(), "FormAbout");
  EXPECT_EQ(opened[0], opened[2]);
  EXPECT_EQ(opened[1], opened[3]);
}

TEST_F(DialogCommandTest, RemovingAChosenWordInTheDictionaryDialogUncoversItHoweverTheDialogCloses) {
  Start();
  EnterNumber("51");
  ChooseWord(0, "ale");
  ASSERT_EQ(Phrase(), " ale" + Dots(1));
  QueueRemoveInDictionary("ale");
  platform.QueueModal([](QDialog* question) {
    question->show();
    Press(question, "ButtonYes");
    return question->result();
  });
  Run("MenuDictionary");
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_FALSE(Known("ale"));
  // The user removed it: the status bar says so, no box.
  EXPECT_TRUE(platform.MessageTexts().empty());
  EXPECT_EQ(platform.statusText, "The phrase lost words with this change; Undo gives them back.");
  EXPECT_EQ(Phrase(), Dots(2));
  EXPECT_EQ(Cell(0, 1), Dots(2));
  EXPECT_EQ(form->WordColumns()->ColumnCount(), 2);
  EXPECT_FALSE(Lists(0, "ale"));
  EXPECT_TRUE(Lists(0, "law"));
}

// A dictionary change takes a word from every phrase at once, and only that
// word; Undo gives the word and the phrases back in one step, and neither it
// nor Redo warns. The question says how many phrases lose it; the status
// note counts them all.
TEST_F(DialogCommandTest, PhrasesThatLostARemovedWordGetItBackWithUndoTogetherWithTheWord) {
  Start();
  for (int row : {0, 1}) {
    ClickRow(row);
    EnterNumber("51");
    ChooseWord(0, "ale");
    ChooseWord(1, "tie");
  }
  const std::string chosen = Phrase();
  ASSERT_EQ(chosen, " ale tie");
  std::string asked;
  QueueRemoveInDictionary("ale");
  platform.QueueModal([&asked](QDialog* question) {
    question->show();
    const QLabel* label = In<QLabel>(question, "LabelQuestion");
    asked = FromQString(label->text());
    // Every line of the longer question shows, above the buttons.
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));
    EXPECT_GT(In<QPushButton>(question, "ButtonYes")->y(), label->geometry().bottom());
    EXPECT_LE(In<QCheckBox>(question, "CheckAsk")->geometry().bottom(), question->height());
    Press(question, "ButtonYes");
    return question->result();
  });
  Run("MenuDictionary");
  EXPECT_EQ(asked, "Delete word 'ale'? It is used in 2 phrases of the open worksheet, which will lose it.");
  EXPECT_EQ(Phrase(), Dots(1) + " tie");
  EXPECT_EQ(Cell(0, 1), Dots(1) + " tie");
  EXPECT_EQ(platform.statusText, "The phrase and 1 more lost words with this change; Undo gives them back.");
  ClickRow(0);
  EXPECT_EQ(Phrase(), Dots(1) + " tie");
  EXPECT_EQ(Command("MenuUndo")->text(), "&Undo Edit Dictionary");
  // Back and forth: no word is missing, so nothing is warned about.
  for (const char* command : {"MenuUndo", "MenuRedo", "MenuUndo"}) Run(command);
  EXPECT_TRUE(platform.MessageTexts().empty());
  EXPECT_TRUE(Known("ale"));
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(Phrase(), chosen);
  EXPECT_EQ(Cell(0, 1), chosen);
  EXPECT_TRUE(Lists(0, "ale"));

  // The same for a mapping change: l spells 4 for a while.
  platform.QueueModal([this](QDialog* dialog) {
    dialog->show();
    for (int row : {4, 5}) {
      In<QTableView>(dialog, "ListMap")->selectRow(row);
      platform.QueueText(row == 4 ? "r,rr,l,ll" : "x");
      Press(dialog, "ButtonEdit");
    }
    Press(dialog, "ButtonOk");
    return dialog->result();
  });
  Run("MenuMapping");
  EXPECT_EQ(Phrase(), Dots(1) + " tie");
  EXPECT_EQ(Cell(0, 1), Dots(1) + " tie");
  EXPECT_EQ(CodeOf("ale"), "4");
  Run("MenuUndo");
  EXPECT_EQ(CodeOf("ale"), "5");
  EXPECT_EQ(Phrase(), chosen);
  EXPECT_EQ(Cell(0, 1), chosen);
  EXPECT_TRUE(platform.AllAnswersUsed());

  // A phrase read that does not spell its number is repaired when shown:
  // no step, since Undo could only bring it back to be repaired again.
  dir.Write("bad.tqw", WorksheetText({{"51", " law tin", ""}}));
  form->CurrentWorksheet()->SetModified(false);
  ASSERT_TRUE(form->OpenWorksheet(dir.File("bad.tqw")));
  EXPECT_EQ(Phrase(), " law" + Dots(1));
  EXPECT_FALSE(Command("MenuUndo")->isEnabled());
}

// A worksheet read with a word the dictionary no longer has loses just that
// word: the words after it keep their places, on screen and in the file.
TEST_F(DialogCommandTest, AWorksheetReadWithARemovedWordKeepsTheWordsAfterIt) {
  dir.Write("words.txt", "#ADD\n#REMOVE\nlily\n#EDIT\n");
  dir.Write("phone.tqw", WorksheetText({{"235543", " name lily ram", "locker"}}));
  Start({dir.File("phone.tqw")});
  EXPECT_EQ(Phrase(), " name" + Dots(2) + " ram");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Warning: Word 'lily' not found in dictionary. Word will be deleted."});
  Run("MenuSaveWorksheet");
  EXPECT_NE(dir.Read("phone.tqw").find("\nP: name" + Dots(2) + " ram\n"), std::string::npos) << dir.Read("phone.tqw");
}

TEST_F(DialogCommandTest, AWordAddedInTheDictionaryDialogShowsInTheColumns) {
  Start();
  EnterNumber("5");
  platform.QueueModal([](QDialog* dialog) {
    dialog->show();
    Press(dialog, "ButtonAdd");
    Press(dialog, "ButtonOk");
    return dialog->result();
  });
  platform.QueueText("Lee");
  Run("MenuDictionary");
  EXPECT_TRUE(Lists(0, "lee"));
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(DialogCommandTest, AMappingChangeRecomputesCodesKeepsHandGivenOnesAndRefreshesTheColumns) {
  Start();
  // A code of the user's own.
  ASSERT_EQ(form->Dictionary()->EditCode("tie", "9"), 0);
  EnterNumber("54");
  ChooseWord(0, "law");
  ASSERT_EQ(Phrase(), " law" + Dots(1));
  ASSERT_FALSE(Lists(1, "ale"));

  auto editRow = [this](QDialog* dialog, int row, const char* letters) {
    In<QTableView>(dialog, "ListMap")->selectRow(row);
    platform.QueueText(letters);
    Press(dialog, "ButtonEdit");
  };
  // Cancel drops the edits: nothing is recomputed.
  platform.QueueModal([&](QDialog* dialog) {
    dialog->show();
    editRow(dialog, 5, "x");
    Press(dialog, "ButtonCancel");
    return dialog->result();
  });
  Run("MenuMapping");
  EXPECT_EQ(CodeOf("ale"), "5");
  EXPECT_TRUE(platform.MessageTexts().empty());

  // l spells 4 now, and nothing spells 5.
  platform.QueueModal([&](QDialog* dialog) {
    dialog->show();
    editRow(dialog, 4, "r,rr,l,ll");
    editRow(dialog, 5, "x");
    Press(dialog, "ButtonOk");
    return dialog->result();
  });
  Run("MenuMapping");
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_EQ(CodeOf("ale"), "4");
  EXPECT_EQ(CodeOf("lily"), "44");
  EXPECT_EQ(CodeOf("tie"), "9");
  EXPECT_EQ(CodeOf("toe"), "1");
  // The chosen word no longer fits: said once, taken out, its digit uncovered.
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Warning: Code for word 'law' has been changed. Word will be deleted."});
  EXPECT_EQ(Phrase(), Dots(2));
  EXPECT_TRUE(Lists(1, "ale"));
  EXPECT_TRUE(Lists(1, "row"));
}

TEST_F(DialogCommandTest, AnAcceptedRandomPhraseBecomesTheEntrysPhraseAndSpellsItsDigits) {
  Start();
  // Every digit here starts a piece that has a word, so none stays uncovered.
  EnterNumber("55-1242");
  for (int round = 0; round < 5; ++round) {
    std::string proposed;
    platform.QueueModal([&proposed](QDialog* dialog) {
      dialog->show();
      EXPECT_EQ(In<QLineEdit>(dialog, "EditNumber")->text(), "55-1242");
      Press(dialog, "ButtonTryAgain");
      proposed = FromQString(In<QLineEdit>(dialog, "EditPhrase")->text());
      Press(dialog, "ButtonAccept");
      return dialog->result();
    });
    form->CurrentWorksheet()->SetModified(false);
    Run("MenuRandom");
    ASSERT_FALSE(proposed.empty());
    EXPECT_EQ(form->CurrentNumber()->Phrase(), proposed);
    EXPECT_EQ(Phrase(), proposed);
    EXPECT_EQ(Cell(0, 1), proposed);
    EXPECT_EQ(CodesOfSlots(), "551242") << proposed;
    EXPECT_EQ(form->WordColumns()->ColumnCount(), form->CurrentNumber()->SlotCount());
    EXPECT_TRUE(Modified());
  }
}

TEST_F(DialogCommandTest, TheChosenBestPhraseBecomesTheEntrysPhraseWithItsSlots) {
  Start();
  // No word has code 9: the best phrases leave it uncovered.
  EnterNumber("12-9-5");
  form->CurrentWorksheet()->SetModified(false);
  const std::string before = form->CurrentNumber()->Phrase();
  std::string chosen;
  platform.QueueModal([&chosen](QDialog* dialog) {
    dialog->show();
    EXPECT_EQ(In<QLineEdit>(dialog, "EditNumber")->text(), "12-9-5");
    auto* list = In<QTableWidget>(dialog, "ListPhrases");
    EXPECT_GE(list->rowCount(), 4);  // tin, tiny, tie new, toe new... each with ale or law
    EXPECT_EQ(list->item(0, 1)->text(), "2");
    QTest::keyClick(list, Qt::Key_Down);
    chosen = FromQString(list->item(1, 0)->text());
    QTest::keyClick(list, Qt::Key_Return);
    return dialog->result();
  });
  Run("MenuBestPhrases");
  ASSERT_FALSE(chosen.empty());
  EXPECT_EQ(form->CurrentNumber()->Phrase(), chosen);
  EXPECT_EQ(Cell(0, 1), chosen);
  std::string spelled;
  for (const std::string& slot : form->CurrentNumber()->Slots()) spelled += slot == "." ? "9" : CodeOf(slot.c_str());
  EXPECT_EQ(spelled, "1295");
  EXPECT_EQ(form->WordColumns()->ColumnCount(), form->CurrentNumber()->SlotCount());
  EXPECT_TRUE(Modified());
  // Taking it is one step to undo.
  Run("MenuUndo");
  EXPECT_EQ(form->CurrentNumber()->Phrase(), before);
  Run("MenuRedo");
  EXPECT_EQ(form->CurrentNumber()->Phrase(), chosen);

  // Cancel keeps the entry; an empty number only brings the notice.
  platform.QueueModal([](QDialog*) { return int(ResultCancel); });
  Run("MenuBestPhrases");
  EXPECT_EQ(form->CurrentNumber()->Phrase(), chosen);
  Edit("EditNumber")->clear();
  Run("MenuBestPhrases");
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Please enter a number first."});
  EXPECT_TRUE(platform.AllAnswersUsed());
}

// A number or phrase too long for its field shows its beginning, and every
// column that holds a chosen word highlights it (the others nothing): after
// Enter, a proposal accepted in Best Phrases or Random Phrase (whose fields
// show their beginning too), Undo, Redo and a dictionary change.
TEST_F(DialogCommandTest, FieldsShowTheirBeginningAndListsTheirChosenWords) {
  Start();
  auto beginning = [](QLineEdit* field) {
    field->grab();  // lays the text out as a paint does
    const QRect cursor = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    return field->cursorPosition() == 0 && cursor.left() < 2 * field->fontMetrics().averageCharWidth();
  };
  auto check = [&](const char* when) {
    EXPECT_TRUE(beginning(Edit("EditNumber")) && beginning(Edit("EditPhrase"))) << when;
    for (int c = 0; c < form->WordColumns()->ColumnCount(); ++c) {
      form->WordColumns()->ShowColumn(c);  // as the user scrolls to it
      const QModelIndexList rows = ColumnList(c)->selectionModel()->selectedRows();
      EXPECT_EQ(rows.isEmpty() ? "." : FromQString(rows.front().data().toString()), form->CurrentNumber()->Slot(c))
          << when << ", column " << c;
    }
    form->WordColumns()->ShowColumn(0);
  };
  EnterNumber("5512-5512-5512-5512-5512-5512-5512-5512-5512-5512-5512-5512-5512-5512");
  check("Enter");
  ChooseWord(0, "ale");
  ChooseWord(1, "law");
  ClickRow(1);
  ClickRow(0);
  check("shown again");
  for (const char* command : {"MenuBestPhrases", "MenuRandom"}) {
    platform.QueueModal([&](QDialog* dialog) {
      dialog->show();
      for (QLineEdit* field : dialog->findChildren<QLineEdit*>()) EXPECT_TRUE(beginning(field)) << command;
      In<QPushButton>(dialog, "ButtonAccept")->click();
      return dialog->result();
    });
    Run(command);
    check(command);
  }
  for (const char* command : {"MenuUndo", "MenuUndo", "MenuRedo"}) {
    Run(command);
    check(command);
  }
  platform.QueueText("lull");
  Run("PopupAddWord");
  check("added");
  Run("MenuUndo");
  check("undone");
}

TEST_F(DialogCommandTest, RandomPhraseCommitsFirstAndCancelKeepsTheEntry) {
  Start();
  EnterNumber("51");
  ChooseWord(0, "ale");
  // A number typed without Enter is taken before the dialog opens.
  Edit("EditNumber")->setText("5");
  platform.QueueModal([](QDialog* dialog) {
    EXPECT_EQ(In<QLineEdit>(dialog, "EditNumber")->text(), "5");
    return int(ResultCancel);
  });
  Run("MenuRandom");
  EXPECT_EQ(form->CurrentNumber()->Digits(), "5");
  EXPECT_EQ(Phrase(), " ale");

  // An empty number is taken too, and then only the notice follows.
  Edit("EditNumber")->clear();
  Run("MenuRandom");
  EXPECT_EQ(form->CurrentNumber()->Digits(), "");
  EXPECT_EQ(form->CurrentNumber()->SlotCount(), 0);
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Please enter a number first."});
  EXPECT_EQ(QApplication::focusWidget(), Edit("EditNumber"));
  EXPECT_TRUE(platform.AllAnswersUsed());
}

TEST_F(DialogCommandTest, EditPhraseAsksToAddAnUnknownWordAndStoresThePhraseThatPasses) {
  Start();
  EnterNumber("51");
  ChooseWord(0, "ale");
  ChooseWord(1, "tie");
  form->CurrentWorksheet()->SetModified(false);
  platform.QueueModal([](QDialog* dialog) {
    dialog->show();
    EXPECT_EQ(In<QLabel>(dialog, "LabelPhrase")->text(), "Edit phrase for number 51:");
    In<QLineEdit>(dialog, "EditPhrase")->setText("Lad");
    Press(dialog, "ButtonOK");
    return dialog->result();
  });
  platform.QueueAnswer(ResultOk);  // yes, add it
  Run("MenuEditPhrase");
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{
                "Error: Word 'lad' is not found in the dictionary. Would you like to add this word?"});
  EXPECT_EQ(CodeOf("lad"), "51");
  EXPECT_EQ(form->CurrentNumber()->Phrase(), "lad");
  EXPECT_EQ(Phrase(), "lad");
  EXPECT_EQ(Cell(0, 1), "lad");
  EXPECT_EQ(form->WordColumns()->ColumnCount(), 1);
  EXPECT_TRUE(Lists(0, "lad"));
  EXPECT_TRUE(Modified());
  // Fewer words than before, but none lost to the word added.
  EXPECT_EQ(platform.statusText.find("lost words"), std::string::npos) << platform.statusText;
}

TEST_F(DialogCommandTest, CodesChangedBeforeAnEditPhraseCancelReachTheColumnsButNoOfferedWord) {
  Start();
  EnterNumber("155");
  // "law" is recoded to fit, "lee" is offered and fits; the walk stops at
  // the next unknown word, and the user gives the phrase up.
  platform.QueueModal([](QDialog* dialog) {
    dialog->show();
    In<QLineEdit>(dialog, "EditPhrase")->setText("law lee zzz");
    Press(dialog, "ButtonOK");
    Press(dialog, "ButtonCancel");
    return dialog->result();
  });
  platform.QueueAnswer(ResultOk);
  platform.QueueText("1");
  platform.QueueAnswer(ResultOk);
  platform.QueueAnswer(ResultCancel);
  Run("MenuEditPhrase");
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_EQ(CodeOf("law"), "1");
  EXPECT_FALSE(Known("lee"));
  EXPECT_FALSE(Known("zzz"));
  EXPECT_EQ(Phrase(), Dots(3));
  EXPECT_TRUE(Lists(0, "law"));
}

TEST_F(DialogCommandTest, EditPhraseNeedsANumberAndOpensOnAClickOrEnterOnThePhrase) {
  Start();
  QTest::mouseClick(Edit("EditPhrase"), Qt::LeftButton);
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Please enter a number before editing a phrase."});
  EXPECT_EQ(QApplication::focusWidget(), Edit("EditNumber"));

  // A number typed without Enter is taken first, so the dialog checks it.
  Edit("EditNumber")->setText("12");
  QString label;
  platform.QueueModal([&label](QDialog* dialog) {
    label = In<QLabel>(dialog, "LabelPhrase")->text();
    return int(ResultCancel);
  });
  QTest::mouseClick(Edit("EditPhrase"), Qt::LeftButton);
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_EQ(label, "Edit phrase for number 12:");
  EXPECT_EQ(form->CurrentNumber()->Digits(), "12");

  // Enter in the phrase does the same as the click.
  platform.QueueModal([](QDialog*) { return int(ResultCancel); });
  Edit("EditPhrase")->setFocus();
  QTest::keyClick(Edit("EditPhrase"), Qt::Key_Return);
  EXPECT_TRUE(platform.AllAnswersUsed());
}

TEST_F(DialogCommandTest, PreferencesOkAppliesTheDescriptionFieldAndCancelOrResetDoNot) {
  Start();
  ASSERT_TRUE(Edit("EditDescription")->isVisible());
  auto answer = [this](std::vector<const char*> presses, bool untickDescription) {
    platform.QueueModal([presses, untickDescription](QDialog* dialog) {
      dialog->show();
      if (untickDescription) In<QCheckBox>(dialog, "CheckDescription")->setChecked(false);
      for (const char* button : presses) Press(dialog, button);
      return dialog->result();
    });
    Run("MenuPreferences");
  };
  answer({"ButtonOk"}, true);
  EXPECT_EQ(form->Config()->GetShowDescription(), 0);
  EXPECT_FALSE(form->DescriptionShown());
  EXPECT_FALSE(Edit("EditDescription")->isVisible());

  form->Config()->SetAskSave(0);
  answer({"ButtonReset", "ButtonCancel"}, false);
  EXPECT_EQ(form->Config()->GetShowDescription(), 0);
  EXPECT_EQ(form->Config()->GetAskSave(), 0);
  EXPECT_FALSE(Edit("EditDescription")->isVisible());

  answer({"ButtonReset", "ButtonOk"}, false);
  EXPECT_EQ(form->Config()->GetShowDescription(), 1);
  EXPECT_EQ(form->Config()->GetAskSave(), 1);
  EXPECT_TRUE(Edit("EditDescription")->isVisible());
  EXPECT_TRUE(platform.AllAnswersUsed());
}

TEST_F(DialogCommandTest, TheTipsAndThePreferencesShareShowTipsAndTipIndex) {
  Start();
  form->Config()->SetShowTips(1);
  platform.QueueModal([](QDialog* dialog) {
    dialog->show();
    In<QCheckBox>(dialog, "CheckShow")->setChecked(false);
    Press(dialog, "ButtonClose");
    return dialog->result();
  });
  Run("MenuTip");
  EXPECT_EQ(form->Config()->GetShowTips(), 0);
  EXPECT_EQ(form->Config()->GetTipIndex(), 0);
  bool tipsBox = true;
  platform.QueueModal([&tipsBox](QDialog* dialog) {
    dialog->show();
    tipsBox = In<QCheckBox>(dialog, "CheckTips")->isChecked();
    Press(dialog, "ButtonCancel");
    return dialog->result();
  });
  Run("MenuPreferences");
  EXPECT_FALSE(tipsBox);
  EXPECT_TRUE(platform.AllAnswersUsed());
}

// Enter on a focused push button presses that button and no other, in every
// dialog of the program: Cancel in the preferences stores nothing.
TEST_F(DialogCommandTest, EnterOnAFocusedButtonPressesThatButtonInEveryDialog) {
  Start();
  EnterNumber("51");
  platform.SetResponder([](const char*, const Shown&, QDialog*, std::string&) { return int(ResultCancel); });
  int pressed = 0;
  for (QDialog* dialog : form->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
      dialog->show();
      dialog->activateWindow();
      ASSERT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }));
      if (!button->isVisible() || !button->isEnabled()) continue;
      button->setFocus(Qt::TabFocusReason);
      std::string clicked;
      QObject counter;
      for (QPushButton* any : dialog->findChildren<QPushButton*>())
        QObject::connect(any, &QPushButton::clicked, &counter,
                         [&clicked, any] { clicked += any->objectName().toStdString(); });
      QTest::keyClick(button, Qt::Key_Return);
      EXPECT_EQ(clicked, button->objectName().toStdString()) << dialog->objectName().toStdString();
      ++pressed;
    }
    dialog->hide();
  }
  EXPECT_GE(pressed, 25);
  platform.SetResponder(nullptr);
}

TEST_F(DialogCommandTest, EveryHelpButtonAndF1OpenTheirDialogsTopic) {
  Start();
  EnterNumber("5");
  struct Case {
    const char* command;
    const char* dialog;
    int topic;
  };
  const Case cases[] = {{"MenuDictionary", "FormDict", 4000},   {"MenuMapping", "FormMapping", 5000},
                        {"MenuRandom", "FormRandom", 2200},       {"MenuEditPhrase", "FormEditPhrase", 2300},
                        {"MenuPreferences", "FormOptions", 6100}, {"MenuTip", "FormTips", 1000},
                        {"MenuBestPhrases", "FormBest", 2250},    {"MenuPegDrill", "FormPegDrill", 2600},
                        {"MenuNumbersDrill", "FormNumbersDrill", 2650}};
  for (const Case& c : cases) {
    platform.ClearShown();
    platform.QueueModal([&c](QDialog* dialog) {
      EXPECT_EQ(dialog->objectName(), c.dialog);
      dialog->show();
      // Keys go to the active window; a dialog shares its parent's
      // activation, so wait until it is the active window itself.
      dialog->activateWindow();
      EXPECT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; })) << c.dialog;
      QTest::keyClick(dialog, Qt::Key_F1);
      Press(dialog, "ButtonHelp");
      dialog->hide();
      return int(ResultCancel);
    });
    Run(c.command);
    std::vector<int> topics;
    for (const auto& shown : platform.shown())
      if (shown.kind == "help") topics.push_back(shown.topic);
    EXPECT_EQ(topics, (std::vector<int>{c.topic, c.topic})) << c.dialog;
  }
  // F1 in the main window opens the contents.
  platform.ClearShown();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == form; }));
  QTest::keyClick(form, Qt::Key_F1);
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].kind, "help");
  EXPECT_EQ(platform.shown()[0].topic, 0);
}

}  // namespace
}  // namespace tq::test
