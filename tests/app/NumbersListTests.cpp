#include <QCheckBox>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "AppFixture.h"
#include "FindDialog.h"

namespace tq::test {
namespace {

class NumbersListTest : public AppTest {
 protected:
  // A worksheet of used entries, opened at start.
  void StartWith(const std::vector<std::vector<std::string>>& entries) {
    dir.Write("w.tqw", WorksheetText(entries));
    Start({dir.File("w.tqw")});
  }
  int PageRows() const { return List()->viewport()->height() / List()->verticalHeader()->defaultSectionSize(); }
  int LastUsed() const {
    const RWorksheet* w = form->CurrentWorksheet();
    int last = w->Count() - 1;
    while (last >= 0 && w->At(last).IsEmpty()) --last;
    return last;
  }
  void Find(const char* text, bool down = true, bool matchCase = false, bool wholeWord = false) {
    TFindDialog* dialog = form->FindDialog();
    dialog->findChild<QLineEdit*>("EditFind")->setText(QString::fromLatin1(text));
    dialog->findChild<QRadioButton*>(down ? "RadioDown" : "RadioUp")->setChecked(true);
    dialog->findChild<QCheckBox*>("CheckMatchCase")->setChecked(matchCase);
    dialog->findChild<QCheckBox*>("CheckWholeWord")->setChecked(wholeWord);
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonFindNext"), Qt::LeftButton);
  }
};

TEST_F(NumbersListTest, ANewWorksheetHasItsFirstRowSelectedAndBlankRowsFillingThePage) {
  Start();
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(QApplication::focusWidget(), Edit("EditNumber"));
  EXPECT_GE(Rows(), 5);
  EXPECT_GE(Rows(), PageRows() - 1);
  EXPECT_EQ(Rows(), form->CurrentWorksheet()->Count());
  EXPECT_FALSE(Modified());
}

TEST_F(NumbersListTest, BlankRowsFollowTheListsHeight) {
  Start();
  form->resize(form->width(), 900);
  Settle();
  const int tall = Rows();
  EXPECT_GE(tall, PageRows() - 1);
  form->resize(form->width(), 300);
  Settle();
  EXPECT_LT(Rows(), tall);
  EXPECT_GE(Rows(), 5);  // never fewer than four blank rows after the used one
  EXPECT_GE(Rows(), PageRows() - 1);
  EXPECT_EQ(Rows(), form->CurrentWorksheet()->Count());
}

TEST_F(NumbersListTest, ADescriptionMarksModifiedAndKeepsFourBlankRowsAfterIt) {
  Start();
  form->resize(form->width(), 250);  // a short list: only the four are kept
  Settle();
  ClickRow(4);
  TypeDescription("fifth");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Cell(4, 2), "fifth");
  EXPECT_GE(Rows(), 9);
}

TEST_F(NumbersListTest, ANumberTypedWithoutEnterIsDroppedWhenAnotherRowIsSelected) {
  StartWith({{"111", "", ""}, {"222", "", ""}});
  QTest::keyClicks(Edit("EditNumber"), "999");
  ClickRow(1);
  EXPECT_EQ(Text("EditNumber"), "222");
  EXPECT_EQ(form->CurrentWorksheet()->At(0).Number(), "111");
  EXPECT_EQ(Cell(0, 0), "111");
  EXPECT_FALSE(Modified());
  ClickRow(0);
  EXPECT_EQ(Text("EditNumber"), "111");
}

TEST_F(NumbersListTest, InsertDeleteAndMoveMarkTheWorksheetModified) {
  StartWith({{"111", "", ""}, {"222", "", ""}});
  ClickRow(1);
  Run("MenuInsertNumber");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Cell(0, 0), "111");
  EXPECT_EQ(Cell(1, 0), "");
  EXPECT_EQ(Cell(2, 0), "222");
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(QApplication::focusWidget(), Edit("EditNumber"));

  form->CurrentWorksheet()->SetModified(false);
  Run("MenuDeleteNumber");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Cell(1, 0), "222");
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(Text("EditNumber"), "222");

  form->CurrentWorksheet()->SetModified(false);
  Run("MenuMoveUp");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Cell(0, 0), "222");
  EXPECT_EQ(Cell(1, 0), "111");
  EXPECT_EQ(SelectedRow(), 0);

  form->CurrentWorksheet()->SetModified(false);
  Run("MenuMoveUp");  // already at the top
  EXPECT_FALSE(Modified());
  EXPECT_EQ(Cell(0, 0), "222");
}

TEST_F(NumbersListTest, MovingTheLastUsedEntryDownPutsABlankBeforeIt) {
  StartWith({{"111", "", ""}, {"222", "", "x"}});
  ClickRow(1);
  Run("MenuMoveDown");
  EXPECT_EQ(Cell(1, 0), "");
  EXPECT_EQ(Cell(2, 0), "222");
  EXPECT_EQ(SelectedRow(), 2);
  platform.QueueText(dir.File("moved.tqw"));
  Run("MenuSaveAs");
  EXPECT_NE(dir.Read("moved.tqw").find("#Count = 3\nN:111\n"), std::string::npos);
}

TEST_F(NumbersListTest, DeletingTheOnlyUsedEntryLeavesBlankRows) {
  StartWith({{"111", "", "only"}});
  Run("MenuDeleteNumber");
  EXPECT_EQ(LastUsed(), -1);
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(Text("EditDescription"), "");
  EXPECT_GE(Rows(), 4);
}

TEST_F(NumbersListTest, ClearEmptiesTheEntryWithoutMarkingModified) {
  StartWith({{"111", "", "desc"}, {"222", "", ""}});
  Run("MenuClear");
  EXPECT_FALSE(Modified());
  EXPECT_EQ(Cell(0, 0), "");
  EXPECT_EQ(Cell(0, 2), "");
  EXPECT_EQ(Text("EditNumber"), "");
  EXPECT_EQ(Text("EditDescription"), "");
  EXPECT_EQ(SelectedRow(), 0);
}

TEST_F(NumbersListTest, TheNumbersListMenuRunsTheSameCommands) {
  StartWith({{"111", "", ""}, {"222", "", ""}});
  auto* popup = form->findChild<QMenu*>("PopupLeft");
  ASSERT_NE(popup, nullptr);
  QStringList captions;
  for (QAction* a : popup->actions()) {
    captions << a->text();
    EXPECT_TRUE(a->shortcut().isEmpty());
  }
  EXPECT_EQ(captions, QStringList({"&Insert Number", "&Delete Number", "Move &Up", "Move &Down"}));
  ClickRow(1);
  popup->actions()[2]->trigger();
  EXPECT_EQ(Cell(0, 0), "222");
  EXPECT_TRUE(Modified());
}

TEST_F(NumbersListTest, FindWrapsAndSaysSo) {
  StartWith({{"555-1234", "", "office"}, {"42", "", "home"}, {"99", "", ""}});
  ClickRow(2);
  Find("office");
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(platform.statusText, "Search wrapped.");
  EXPECT_TRUE(platform.statusAlert);

  Find("HOME");  // case is ignored unless asked for
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(platform.statusText, "");
  EXPECT_FALSE(platform.statusAlert);

  Find("HOME", true, true);
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(platform.statusText, "Not found.");
  EXPECT_TRUE(platform.statusAlert);

  Find("42", false);  // only the current entry has it: found after a full round
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(platform.statusText, "Search wrapped.");
}

TEST_F(NumbersListTest, FindAgainRepeatsOrOpensTheDialog) {
  StartWith({{"12 34", "", ""}, {"3123", "", ""}, {"812", "", ""}});
  Run("MenuFindAgain");  // nothing to repeat yet
  EXPECT_TRUE(form->FindDialog()->isVisible());
  Find("12", true, false, true);
  EXPECT_EQ(SelectedRow(), 0);  // 3123 and 812 hold 12 only inside a number
  EXPECT_EQ(platform.statusText, "Search wrapped.");
  form->FindDialog()->hide();
  Run("MenuFindAgain");
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(platform.statusText, "Search wrapped.");
  EXPECT_FALSE(form->FindDialog()->isVisible());
}

TEST_F(NumbersListTest, TheStatusPanelTurnsNavyForAnAlert) {
  Start();
  QWidget* panel = Child<QWidget>("StatusPanel0");
  form->SetStatusAlert("Not found.");
  EXPECT_TRUE(form->StatusHighlight());
  QImage shot = panel->grab().toImage();
  EXPECT_EQ(shot.pixelColor(shot.width() - 2, shot.height() - 2), QColor(0, 0, 128));
  form->SetStatusText("");
  EXPECT_FALSE(form->StatusHighlight());
  shot = panel->grab().toImage();
  EXPECT_NE(shot.pixelColor(shot.width() - 2, shot.height() - 2), QColor(0, 0, 128));

  form->resize(320, form->height());
  Settle();
  EXPECT_EQ(Child<QWidget>("StatusPanel1")->width(), 50);
}

// The rectangle the text covers: every pixel that is not the background.
QRect InkBox(const QImage& image, const QColor& background) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}

// A note too long for the panel ends in an ellipsis inside it, with the whole
// note as the panel's tip; one that fits has no tip. The note on a damaged
// worksheet fits at the window's first width.
TEST_F(NumbersListTest, ANoteThatDoesNotFitIsCutWithTheWholeNoteAsItsTip) {
  Start();
  form->resize(640, form->height());
  Settle();
  QWidget* panel = Child<QWidget>("StatusPanel0");
  const QColor navy(0, 0, 128);
  std::string note = "The note begins here <b>and</b>";
  for (int i = 0; i < 40; ++i) note += " and goes on";
  form->SetStatusAlert(note + " to its end.");
  EXPECT_TRUE(panel->toolTip().contains("begins here &lt;b&gt;and&lt;/b&gt; and goes on"))
      << panel->toolTip().toStdString();
  EXPECT_TRUE(panel->toolTip().contains("to its end.")) << panel->toolTip().toStdString();
  const QRect ink = InkBox(panel->grab().toImage(), navy);
  EXPECT_LT(ink.right(), panel->width() - 2);
  EXPECT_GT(ink.right(), panel->width() * 3 / 4);

  dir.Write("damaged.tqw", "#Tessaloquine - 1\n#Count = 40\nN:1\nP:\nD:\n\nN:2\nP: t");
  RWorksheet damaged;
  damaged.SetFileName(dir.File("damaged.tqw"));
  ASSERT_TRUE(damaged.Load());
  ASSERT_NE(damaged.LoadNote().find("Damaged file: 2 entries"), std::string::npos) << damaged.LoadNote();
  form->SetStatusAlert(damaged.LoadNote());
  EXPECT_LE(panel->fontMetrics().horizontalAdvance(ToQString(damaged.LoadNote())), panel->width());
  EXPECT_EQ(panel->toolTip(), "");
}

TEST_F(NumbersListTest, TheStatusTextStandsAtThePanelsLeftEdgeOnePixelDown) {
  Start();
  QWidget* panel = Child<QWidget>("StatusPanel0");
  const QColor navy(0, 0, 128);
  for (const char* text : {"Not found.", "Search wrapped.", "|"}) {
    SCOPED_TRACE(text);
    form->SetStatusAlert(text);
    const QImage shot = panel->grab().toImage();
    QImage expected(shot.size(), QImage::Format_RGB32);
    expected.fill(navy);
    QPainter p(&expected);
    p.setFont(panel->font());
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(0, 1), shot.size()), Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(text));
    p.end();
    const QRect ink = InkBox(shot, navy);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_EQ(ink, InkBox(expected, navy));
  }
}

TEST_F(NumbersListTest, HidingTheDescriptionMovesThePhraseUp) {
  Start();
  QLineEdit* phrase = Edit("EditPhrase");
  const int shownTop = phrase->y();
  form->ShowDescriptionField(false);
  Settle();
  EXPECT_FALSE(Edit("EditDescription")->isVisible());
  EXPECT_LT(phrase->y(), shownTop);
  const int hiddenTop = phrase->y();
  form->ShowDescriptionField(false);  // the same value twice changes nothing
  Settle();
  EXPECT_EQ(phrase->y(), hiddenTop);
  form->ShowDescriptionField(true);
  Settle();
  EXPECT_EQ(phrase->y(), shownTop);
}

}  // namespace
}  // namespace tq::test
