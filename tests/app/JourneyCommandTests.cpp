// The journey from the main window: the Journey window following the entry
// through choices, a fill and its undo, and the Journey dialog keeping its
// edits in the journey file.
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "FormJourney.h"
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
  EXPECT_EQ(Row(0, TJourneyModel::ColumnPlace), "red door");
  EXPECT_EQ(Row(2, TJourneyModel::ColumnPlace), "shed");
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
