// Practice and the flash-card export from the main window: when the command
// is offered, a session through Ctrl+P whose schedule survives a restart, a
// damaged practice file that does not keep the worksheet from opening, and
// the exported file.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <filesystem>

#include "AppFixture.h"
#include "FormPractice.h"
#include "PracticeFile.h"

namespace tq::test {
namespace {

class PracticeCommandTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // name 23, tie 1, ram 43: the worksheet's phrases are real ones.
    dir.Write("phone.tqw", WorksheetText({{"23", " name", "friend"}, {"", "", "a note"}, {"1", " tie", ""}}));
  }
  static QLineEdit* AnswerField(QDialog* dialog) { return dialog->findChild<QLineEdit*>("EditAnswer"); }
  // Answers the question on screen with `answer`, then goes on.
  static void AnswerWith(QDialog* dialog, const char* answer) {
    QTest::keyClicks(AnswerField(dialog), QString::fromLatin1(answer));
    QTest::keyClick(AnswerField(dialog), Qt::Key_Return);
    QTest::keyClick(AnswerField(dialog), Qt::Key_Return);
  }
};

TEST_F(PracticeCommandTest, OfferedOnlyWhileSomeEntryHasANumber) {
  Start();
  QAction* practice = Command("MenuPractice");
  EXPECT_EQ(practice->text(), "&Practice...");
  EXPECT_EQ(practice->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  EXPECT_NE(Child<QToolButton>("ButtonPractice"), nullptr);
  EXPECT_FALSE(practice->isEnabled());
  EnterNumber("12");
  EXPECT_TRUE(practice->isEnabled());
  Run("MenuDeleteNumber");
  EXPECT_FALSE(practice->isEnabled());
  form->CurrentWorksheet()->SetModified(false);
  ASSERT_TRUE(form->OpenWorksheet(dir.File("phone.tqw")));
  EXPECT_TRUE(practice->isEnabled());
  EXPECT_EQ(Command("MenuExportFlashCards")->text(), "Export &Flash Cards...");
  EXPECT_TRUE(Command("MenuExportFlashCards")->shortcut().isEmpty());
}

TEST_F(PracticeCommandTest, ASessionThroughTheKeyboardIsThereAgainAfterARestart) {
  Start({dir.File("phone.tqw")});
  std::string firstPrompt;
  platform.QueueModal([&](QDialog* dialog) {
    dialog->show();
    // Keys go to the active window, which a dialog only becomes on its own.
    dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }));
    firstPrompt = FromQString(dialog->findChild<QLabel*>("LabelPrompt")->text());
    QTest::keyClick(AnswerField(dialog), Qt::Key_F1);
    AnswerWith(dialog, "23");
    AnswerWith(dialog, "7");
    QTest::keyClick(AnswerField(dialog), Qt::Key_Escape);
    return dialog->result();
  });
  QTest::keyClick(form, Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(platform.AllAnswersUsed());
  EXPECT_EQ(firstPrompt, "friend");
  ASSERT_EQ(platform.shown().size(), 2u);
  EXPECT_EQ(platform.shown()[1].kind, "help");
  EXPECT_EQ(platform.shown()[1].topic, 2400);
  EXPECT_EQ(platform.statusText, "Practice: Answered 2, right 1. Due next: 1 number today.");
  EXPECT_FALSE(Modified());
  ASSERT_TRUE(dir.Exists("phone.tqw.practice"));

  // The schedule comes back with the worksheet, and the wrong one is asked first.
  program.reset();
  Start({dir.File("phone.tqw")});
  auto* practice = form->findChild<TFormPractice*>("FormPractice");
  ASSERT_NE(practice, nullptr);
  EXPECT_EQ(practice->Schedule().Cards().size(), 2u);
  platform.QueueModal([&](QDialog* dialog) {
    firstPrompt = FromQString(dialog->findChild<QLabel*>("LabelPrompt")->text());
    dialog->reject();
    return dialog->result();
  });
  Run("MenuPractice");
  EXPECT_EQ(firstPrompt, "tie");
}

TEST_F(PracticeCommandTest, ADamagedPracticeFileDoesNotKeepTheWorksheetFromOpening) {
  dir.Write("phone.tqw.practice", "#TessaloquinePractice - 1\nC:23 1 9 0 0 0\n");
  Start({dir.File("phone.tqw")});
  EXPECT_EQ(Cell(0, 0), "23");
  EXPECT_TRUE(platform.statusAlert);
  EXPECT_EQ(platform.statusText, "The practice file '" + dir.File("phone.tqw.practice") +
                                     "' is damaged; the schedule starts afresh. It will be kept aside, not "
                                     "overwritten.");
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(PracticeCommandTest, ExportWritesTheCardsAndAsksBeforeOverwriting) {
  Start({dir.File("phone.tqw")});
  platform.QueueText(dir.File("cards.txt"));
  Run("MenuExportFlashCards");
  EXPECT_EQ(dir.Read("cards.txt"), "friend\t23: name\n1\ttie\n");
  EXPECT_FALSE(Modified());

  platform.QueueText(dir.File("cards.txt"));
  platform.QueueAnswer(ResultNo);
  dir.Write("cards.txt", "mine\n");
  Run("MenuExportFlashCards");
  EXPECT_EQ(dir.Read("cards.txt"), "mine\n");
  EXPECT_TRUE(platform.AllAnswersUsed());
}

TEST_F(PracticeCommandTest, PractiseUntitledThenSaveKeepsTheScheduleBesideEachName) {
  Start();
  EnterNumber("23");
  platform.QueueModal([](QDialog* dialog) {
    // No description nor phrase yet: the number is asked for a phrase.
    dialog->findChild<QRadioButton*>("RadioRecallPhrase")->setChecked(true);
    AnswerField(dialog)->setText(QStringLiteral("name"));
    dialog->findChild<QPushButton*>("ButtonAnswer")->click();
    dialog->reject();
    return dialog->result();
  });
  Run("MenuPractice");

  // Saved, then saved under a new name: the schedule is beside each one.
  platform.QueueText(dir.File("first.tqw"));
  Run("MenuSaveWorksheet");
  platform.QueueText(dir.File("second.tqw"));
  Run("MenuSaveAs");
  EXPECT_TRUE(platform.AllAnswersUsed());
  RPracticeSchedule stored;
  ASSERT_EQ(ReadPracticeFile(dir.File("second.tqw.practice"), stored), PracticeLoad::Loaded);
  EXPECT_EQ(stored.Cards().size(), 1u);
  program.reset();
  Start({dir.File("first.tqw")});
  EXPECT_EQ(form->findChild<TFormPractice*>("FormPractice")->Schedule().Cards().size(), 1u);
}

// The practice file follows the worksheet's name only once a save there
// succeeded; one there that a newer version wrote is kept, with the notice
// that opening the worksheet gives.
TEST_F(PracticeCommandTest, ThePracticeFileFollowsOnlyASuccessfulSave) {
  const std::string history = "#TessaloquinePractice - 1\nC:99 1 4 0 30 2\n", newer = "#TessaloquinePractice - 2\n";
  dir.Write("other.tqw", "");
  dir.Write("other.tqw.practice", history);
  dir.Write("newer.tqw.practice", newer);
  std::filesystem::permissions(dir.File("other.tqw"), std::filesystem::perms::owner_read);
  Start({dir.File("phone.tqw")});
  const auto practise = [this] {
    platform.QueueModal([](QDialog* dialog) {
      AnswerField(dialog)->setText(QStringLiteral("23"));
      dialog->findChild<QPushButton*>("ButtonAnswer")->click();
      return QDialog::Rejected;
    });
    Run("MenuPractice");
  };
  platform.QueueText(dir.File("other.tqw"));
  platform.QueueAnswer(ResultYes);
  Run("MenuSaveAs");  // refused: the file is read-only
  practise();
  EXPECT_EQ(dir.Read("other.tqw.practice"), history);
  RPracticeSchedule stored;
  EXPECT_EQ(ReadPracticeFile(dir.File("phone.tqw.practice"), stored), PracticeLoad::Loaded);
  EXPECT_EQ(stored.Cards().size(), 1u);

  platform.QueueText(dir.File("newer.tqw"));
  Run("MenuSaveAs");
  EXPECT_EQ(platform.statusText, "The practice file '" + dir.File("newer.tqw.practice") +
                                     "' is from a newer version of Tessaloquine. It is left as it is, and "
                                     "practice on this worksheet is not saved.");
  practise();
  EXPECT_EQ(dir.Read("newer.tqw.practice"), newer);
}

TEST_F(PracticeCommandTest, ExportOffersTheWorksheetsNameLeavesUnfinishedPhrasesOutAndSaysWhatItWrote) {
  dir.Write("phone.tqw", WorksheetText({{"23", " name", "friend"}, {"123", " tin \xB7", "door"}, {"1", " tie", ""}}));
  Start({dir.File("phone.tqw")});
  platform.ClearShown();
  platform.QueueText(dir.File("cards.txt"));
  Run("MenuExportFlashCards");
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].text, dir.path());
  EXPECT_EQ(platform.shown()[0].fileName, "phone.txt");
  EXPECT_EQ(dir.Read("cards.txt"), "friend\t23: name\n1\ttie\n");
  EXPECT_EQ(platform.statusText, "Wrote 2 flash cards to '" + dir.File("cards.txt") +
                                     "'. Left out 1 number without a complete phrase.");
}

}  // namespace
}  // namespace tq::test
