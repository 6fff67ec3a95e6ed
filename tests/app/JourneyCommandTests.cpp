// The journey from the main window: the Journey window following the entry
// through choices, a fill and its undo, and the Journey dialog keeping its
// edits in the journey file, and the user's pegs from My Pegs to the file
// and onto the journey.
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "FormJourney.h"
#include "FormMyPegs.h"
#include "JourneyModel.h"
#include "StripHelpers.h"

namespace tq::test {
namespace {

class JourneyCommandTest : public StripTest {
 protected:
  TFormJourney* Window() const { return form->findChild<TFormJourney*>("FormJourney"); }
  std::string Row(int row, int column) const {
    return Window()->Model().index(row, column).data().toString().toStdString();
  }
  int SceneRows() const { return Window()->Model().rowCount(); }
};

TEST_F(JourneyCommandTest, TheWindowFollowsTheEntryAndAFillIsOneStep) {
  Start();
  EnterNumber("12-55-43-1");
  QTest::keyClick(form, Qt::Key_J, Qt::ControlModifier);
  Settle();
  ASSERT_TRUE(Window()->isVisible());
  // Seven uncovered digits count as three words: two places at two a place.
  ASSERT_EQ(SceneRows(), 2);
  EXPECT_EQ(Row(0, TJourneyModel::ColumnPlace), "front gate");
  EXPECT_EQ(Row(0, TJourneyModel::ColumnDigits), "12554");
  EXPECT_EQ(Row(1, TJourneyModel::ColumnWhere), "digits 6\u20137");

  ChooseWord(0, "tin");
  EXPECT_EQ(Row(0, TJourneyModel::ColumnWords).rfind("\u2606 tin   \u00b7\u00b7", 0), 0u) << Row(0, 1);

  QTest::mouseClick(Window()->ButtonFill, Qt::LeftButton);
  Settle();
  EXPECT_EQ(Text("EditPhrase").find('\xB7'), std::string::npos) << Text("EditPhrase");
  EXPECT_FALSE(Window()->ButtonFill->isEnabled());
  EXPECT_EQ(Row(0, TJourneyModel::ColumnWords).find("\u00b7"), std::string::npos);
  EXPECT_EQ(Command("MenuUndo")->text(), "&Undo Fill with Best Phrases");
  EXPECT_TRUE(Modified());

  Run("MenuUndo");
  Settle();
  EXPECT_EQ(Text("EditPhrase"), " tin \xB7 \xB7 \xB7 \xB7 \xB7");
  EXPECT_NE(Row(0, TJourneyModel::ColumnWords).find("\u00b7"), std::string::npos);
  EXPECT_TRUE(Window()->ButtonFill->isEnabled());
  EXPECT_EQ(Command("MenuUndo")->text(), "&Undo Choose Word");

  // Another entry: the window shows it, and nothing while it has no number.
  Run("MenuInsertNumber");
  Settle();
  EXPECT_EQ(SceneRows(), 0);
  EXPECT_NE(Window()->Summary().indexOf(QStringLiteral("Enter a number")), -1);
  EnterNumber("5");
  EXPECT_EQ(SceneRows(), 1);
  EXPECT_EQ(Row(0, TJourneyModel::ColumnWhere), "digit 1");
  EXPECT_EQ(Window()->Summary().toStdString(), "1 digit in 1 scene, 2 words a place.");
  // Whichever cell the pointer rests on, its tip holds the whole scene.
  for (int column = 0; column < TJourneyModel::ColumnCount; ++column)
    EXPECT_EQ(Window()->Model().index(0, column).data(Qt::ToolTipRole).toString().toStdString(),
              "front gate\n\u00b7\n5 (digit 1)");
}

// However many words a place holds, its words and digits get the room a
// scene of nine-letter words and four digits a word needs.
TEST_F(JourneyCommandTest, TheWordsAndDigitsOfAPlaceGetTheirRoom) {
  Start();
  EnterNumber("1");
  Run("MenuJourney");
  const QFontMetrics metrics = Window()->ListScenes->fontMetrics();
  for (int places = kMinWordsPerPlace; places <= kMaxWordsPerPlace; ++places) {
    Window()->SetJourney(RJourney{{"front gate"}, places});
    QString words;
    for (int k = 0; k < places; ++k)
      words += (k ? QStringLiteral("   ") : QString()) + QStringLiteral("\u2605 lightning");
    EXPECT_GE(Window()->ListScenes->columnWidth(TJourneyModel::ColumnWords), metrics.horizontalAdvance(words))
        << places;
    EXPECT_GE(Window()->ListScenes->columnWidth(TJourneyModel::ColumnDigits),
              metrics.horizontalAdvance(QString(4 * places, QLatin1Char('0'))))
        << places;
  }
}

// Another entry of a long number: its first scenes at once, the rest as the
// event loop comes round, and the same scenes in the end as cut at once.
TEST_F(JourneyCommandTest, ALongNumbersScenesComeFirstAtOnceAndThenAll) {
  Start();
  Edit("EditNumber")->setText(QString(3000, QLatin1Char('1')));
  QTest::keyClick(Edit("EditNumber"), Qt::Key_Return);
  Run("MenuJourney");
  QTest::mouseClick(Window()->ButtonFill, Qt::LeftButton);
  const RJourneyScenes whole(*form->Dictionary(), *form->CurrentNumber(), kDefaultWordsPerPlace);
  EXPECT_EQ(SceneRows(), static_cast<int>(whole.Count()));
  Run("MenuInsertNumber");
  ASSERT_EQ(SceneRows(), 0);
  ClickRow(1);
  ASSERT_EQ(form->CurrentNumber()->Digits().size(), 3000u);
  EXPECT_LT(SceneRows(), static_cast<int>(whole.Count()));
  EXPECT_GT(SceneRows(), 30);
  EXPECT_NE(Window()->Summary().indexOf(QStringLiteral("cutting")), -1);
  EXPECT_TRUE(QTest::qWaitFor([this] { return Window()->Summary().indexOf(QStringLiteral("cutting")) == -1; }));
  ASSERT_EQ(SceneRows(), static_cast<int>(whole.Count()));
  for (std::size_t k = 0; k < whole.Count(); ++k) {
    const int row = static_cast<int>(k);
    EXPECT_EQ(Row(row, TJourneyModel::ColumnDigits), whole.Digits(k));
    EXPECT_EQ(Row(row, TJourneyModel::ColumnWhere), ToQString(whole.DigitRange(k)).toStdString());
  }
  EXPECT_NE(Window()->Summary().indexOf(QStringLiteral("3000 digits in %1 scenes").arg(whole.Count())), -1);
}

// Renamed, pasted (with a character the file cannot hold), moved, added to
// and one word a place: the file has it, and the open window shows it.
TEST_F(JourneyCommandTest, TheDialogsEditsGoToTheFileAndTheWindow) {
  Start();
  EnterNumber("1255431");
  Run("MenuJourney");
  Settle();
  QGuiApplication::clipboard()->setText(QString::fromUtf8("attic\n\xCF\x80 cellar\r\n\n"));
  platform.QueueModal([](QDialog* dialog) {
    auto* list = dialog->findChild<QListWidget*>("ListPlaces");
    EXPECT_GE(list->count(), 40);
    list->setCurrentRow(0);
    auto* edit = dialog->findChild<QLineEdit*>("EditPlace");
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("red door"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonRename"), Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonPasteList"), Qt::LeftButton);
    // The last place pasted is the current one: up one, and a new one after it.
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonMoveUp"), Qt::LeftButton);
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("shed"));
    QTest::keyClick(edit, Qt::Key_Return);
    dialog->findChild<QSpinBox*>("SpinWordsPerPlace")->setValue(1);
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonOk"), Qt::LeftButton);
    return dialog->result();
  });
  QTest::mouseClick(Window()->ButtonEditJourney, Qt::LeftButton);
  Settle();
  EXPECT_TRUE(platform.AllAnswersUsed());
  const std::vector<std::string> said = platform.MessageTexts();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("Left out '\xCF\x80'"), std::string::npos) << said[0];
  EXPECT_EQ(dir.Read("journey.txt").rfind("#words per place: 1\nred door\ncellar\nshed\nattic\ngarden path\n", 0), 0u)
      << dir.Read("journey.txt").substr(0, 80);
  // Three uncovered words, one a place.
  ASSERT_EQ(SceneRows(), 3);
  EXPECT_EQ(Window()->Summary().toStdString(), "7 digits in 3 scenes, 1 word a place.");
  EXPECT_EQ(Row(0, TJourneyModel::ColumnPlace), "red door");
  EXPECT_EQ(Row(2, TJourneyModel::ColumnPlace), "shed");
}

// My Pegs: Cancel forgets; a candidate picked and a peg typed become the
// user's own and OK writes them to pegs.txt. The Journey window then fills
// with them, one peg after another, and cuts the scenes by pegs.
TEST_F(JourneyCommandTest, MyPegsGoToTheFileAndOntoTheJourney) {
  Start();
  const auto select = [](TFormMyPegs* pegs, int row) {
    pegs->ListPegs->setCurrentIndex(pegs->ListPegs->model()->index(row, 0));
  };
  // The other word of the number's two: tin or tiny for 12, lily or loll for 55.
  const auto other = [](const TFormMyPegs* pegs, int row) {
    const std::string shown = pegs->Rows()[static_cast<std::size_t>(row)].Phrase();
    return row == 12 ? (shown == "tin" ? "tiny" : "tin") : (shown == "lily" ? "loll" : "lily");
  };
  std::string twelve, fiftyFive;
  platform.QueueModal([&](QDialog* dialog) {
    auto* pegs = static_cast<TFormMyPegs*>(dialog);
    select(pegs, 12);
    pegs->EditPeg->setText(QString::fromLatin1(other(pegs, 12)));
    QTest::mouseClick(pegs->ButtonSet, Qt::LeftButton);
    EXPECT_EQ(pegs->ListPegs->model()->index(12, 2).data().toString(), QStringLiteral("yours"));
    QTest::mouseClick(pegs->ButtonCancel, Qt::LeftButton);
    return dialog->result();
  });
  Run("MenuMyPegs");
  Settle();
  EXPECT_FALSE(dir.Exists("pegs.txt"));

  platform.QueueModal([&](QDialog* dialog) {
    auto* pegs = static_cast<TFormMyPegs*>(dialog);
    EXPECT_EQ(pegs->Rows().size(), 100u);
    EXPECT_EQ(pegs->ListPegs->model()->index(12, 2).data().toString(), QString());
    select(pegs, 12);
    twelve = other(pegs, 12);
    for (int i = 0; i < pegs->ListCandidates->count(); ++i)
      if (pegs->ListCandidates->item(i)->data(Qt::UserRole).toString() == QString::fromLatin1(twelve.c_str()))
        pegs->ListCandidatesActivated(pegs->ListCandidates->item(i));
    select(pegs, 55);
    fiftyFive = other(pegs, 55);
    pegs->EditPeg->setText(QString::fromLatin1(fiftyFive.c_str()));
    QTest::keyClick(pegs->EditPeg, Qt::Key_Return);
    EXPECT_EQ(pegs->ListPegs->model()->index(55, 2).data().toString(), QStringLiteral("yours"));
    // And one put back: 13 is its suggested peg again.
    select(pegs, 13);
    pegs->EditPeg->setText(QStringLiteral("dime"));
    QTest::mouseClick(pegs->ButtonSet, Qt::LeftButton);
    QTest::mouseClick(pegs->ButtonSuggested, Qt::LeftButton);
    QTest::mouseClick(pegs->ButtonOk, Qt::LeftButton);
    return dialog->result();
  });
  Run("MenuMyPegs");
  Settle();
  EXPECT_EQ(dir.Read("pegs.txt"), "12\t" + twelve + "\n55\t" + fiftyFive + "\n");

  EnterNumber("1255-5");
  Run("MenuJourney");
  Settle();
  Window()->ComboFill->setCurrentIndex(1);
  QTest::mouseClick(Window()->ButtonFill, Qt::LeftButton);
  Settle();
  EXPECT_EQ(form->CurrentNumber()->Slots()[0], twelve);
  EXPECT_EQ(form->CurrentNumber()->Slots()[1], fiftyFive);
  EXPECT_EQ(form->CurrentNumber()->SlotCount(), 3);  // and the digit left: the peg of 5
  EXPECT_EQ(Command("MenuUndo")->text(), "&Undo Fill with Pegs");
  EXPECT_NE(Window()->Summary().indexOf(QStringLiteral("2 pegs of 2 digits a place")), -1) << Window()->Summary().toStdString();
  ASSERT_EQ(SceneRows(), 2);
  EXPECT_EQ(Row(1, TJourneyModel::ColumnDigits), "5");
}

// A place already on the journey is refused, whether typed again, added
// with the field as the list filled it, renamed to or pasted; a paste says
// how many it took, and of how many. At its least size the dialog's count
// stands below its list.
TEST_F(JourneyCommandTest, TheDialogTakesNoPlaceTwiceAndSaysWhatAPasteTook) {
  Start();
  std::string lines = "Front Gate\nattic\nattic\n";
  for (int k = 0; k < 6000; ++k) lines += "room " + std::to_string(k) + "\n";
  QGuiApplication::clipboard()->setText(QString::fromStdString(lines));
  platform.QueueModal([](QDialog* dialog) {
    dialog->show();
    dialog->resize(dialog->minimumSizeHint());
    QApplication::processEvents();
    auto* list = dialog->findChild<QListWidget*>("ListPlaces");
    const auto* count = dialog->findChild<QLabel*>("LabelCount");
    EXPECT_GE(count->geometry().top(), list->geometry().bottom()) << "the count stands on the list";
    EXPECT_GE(list->height(), list->minimumHeight());
    const int places = list->count();
    auto* edit = dialog->findChild<QLineEdit*>("EditPlace");
    auto* add = dialog->findChild<QPushButton*>("ButtonAdd");
    list->setCurrentRow(2);  // the field now holds its name
    QTest::mouseClick(add, Qt::LeftButton);
    edit->setText(QStringLiteral("  FRONT gate "));
    QTest::keyClick(edit, Qt::Key_Return);
    list->setCurrentRow(1);
    edit->setText(QStringLiteral("front gate"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonRename"), Qt::LeftButton);
    EXPECT_EQ(list->count(), places);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("garden path"));
    list->setCurrentRow(places - 1);
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonPasteList"), Qt::LeftButton);
    EXPECT_EQ(list->count(), static_cast<int>(kMaxPlaces));
    EXPECT_EQ(list->item(places)->text(), QStringLiteral("attic"));
    EXPECT_EQ(dialog->findChild<QLabel*>("LabelCount")->text(), QStringLiteral("5000 places"));
    return int(ResultCancel);
  });
  Run("MenuEditJourney");
  const std::vector<std::string> said = platform.MessageTexts();
  ASSERT_EQ(said.size(), 4u);
  EXPECT_EQ(said[0].rfind("The journey has the place 'doormat' already, as place 3.", 0), 0u) << said[0];
  EXPECT_EQ(said[1].rfind("The journey has the place 'FRONT gate' already, as place 1.", 0), 0u) << said[1];
  EXPECT_EQ(said[2].rfind("The journey has the place 'front gate' already, as place 1.", 0), 0u) << said[2];
  EXPECT_EQ(said[3],
            "2 places of the 6003 places on the clipboard are on the journey already, or twice in the list, and were "
            "left out. A journey has at most 5000 places: 4952 places of the 6001 new ones on the clipboard were "
            "added.");
}

// A journey file an editor saved in UTF-8 is still UTF-8 after the dialog
// wrote the user's edits into it.
TEST_F(JourneyCommandTest, AFileInUtf8IsWrittenBackInUtf8) {
  dir.Write("journey.txt", "na\xC3\xAFve\n");
  Start();
  platform.QueueModal([](QDialog* dialog) {
    auto* edit = dialog->findChild<QLineEdit*>("EditPlace");
    edit->setText(QString::fromUtf8("caf\xC3\xA9"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonOk"), Qt::LeftButton);
    return dialog->result();
  });
  Run("MenuEditJourney");
  Settle();
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_EQ(dir.Read("journey.txt"), "#words per place: 2\nna\xC3\xAFve\ncaf\xC3\xA9\n");
}

}  // namespace
}  // namespace tq::test
