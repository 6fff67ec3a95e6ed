// The strip of word columns, driven offscreen with real clicks and keys.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "Codec.h"
#include "PhraseFixture.h"
#include "RConfig.h"
#include "RNumber.h"
#include "ScriptedPlatform.h"
#include "SlotLogic.h"
#include "WordColumns.h"

namespace tq {
namespace {

using Slots = std::vector<std::string>;

QApplication& App() {
  static int argc = 1;
  static char name[] = "tq_phrase_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

const QString kDot = ToQString(std::string(1, kUncoveredMark));
const QString kBullet = ToQString(std::string(1, kHighlightMark));

class WordColumnsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    test::LoadDictionary(dict, dir, test::CommonWords());
    strip = std::make_unique<TWordColumns>(dict);
    strip->resize(600, 300);
    strip->SetConfig(&config);
    strip->SetCurrentNumber(&number);
    QObject::connect(strip.get(), &TWordColumns::PhraseShown, [this](const QString& p) { phrases.push_back(p); });
    QObject::connect(strip.get(), &TWordColumns::WorksheetModified, [this] { ++modified; });
    QObject::connect(strip.get(), &TWordColumns::NumberRowChanged, [this] { ++rowRefreshes; });
    strip->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(strip.get()));
  }

  QListView* List(int column) const { return strip->WordList(column); }
  // Lets the strip lay out its new columns, as it would before the user
  // could click anything.
  static void Settle() { QApplication::processEvents(); }
  QModelIndex Row(int column, int row) const { return List(column)->model()->index(row, 0); }
  QString Text(int column, int row) const { return Row(column, row).data().toString(); }
  int RowOf(int column, const QString& text) const {
    for (int r = 0; r < List(column)->model()->rowCount(); ++r)
      if (Text(column, r) == text) return r;
    return -1;
  }
  QPoint Centre(int column, int row) const { return List(column)->visualRect(Row(column, row)).center(); }
  void Click(int column, const QString& word) {
    Settle();
    const int row = RowOf(column, word);
    ASSERT_GE(row, 0) << word.toStdString();
    List(column)->scrollTo(Row(column, row));
    QTest::mouseClick(List(column)->viewport(), Qt::LeftButton, {}, Centre(column, row));
  }
  void DoubleClick(int column, const QString& word) {
    Settle();
    const int row = RowOf(column, word);
    ASSERT_GE(row, 0) << word.toStdString();
    DoubleClickRow(column, row);
  }
  void DoubleClickRow(int column, int row) {
    Settle();
    List(column)->scrollTo(Row(column, row));
    // As the window system delivers it: a click, then the second press as
    // a double click, then its release.
    QWidget* viewport = List(column)->viewport();
    const QPoint at = Centre(column, row);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    if (strip->WordList(column) && strip->WordList(column)->viewport() == viewport)
      QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
  }
  int SelectedRow(int column) const {
    const auto rows = List(column)->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
  }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  RConfig config;
  RNumber number;
  std::unique_ptr<TWordColumns> strip;
  std::vector<QString> phrases;
  int modified = 0;
  int rowRefreshes = 0;
};

TEST_F(WordColumnsTest, CommittingANumberLaysOutOneFilledColumnPerDigit) {
  EXPECT_TRUE(strip->CommitNumber("1-2-3-4"));
  EXPECT_EQ(strip->ColumnCount(), 4);
  EXPECT_EQ(strip->objectName(), "ScrollBox");
  EXPECT_EQ(strip->findChildren<QListView*>("WordList").size(), 4);
  EXPECT_EQ(strip->findChildren<QAbstractButton*>("WordButton").size(), 4);
  EXPECT_EQ(strip->findChildren<QLabel*>("CountLabel").size(), 4);
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  ASSERT_FALSE(phrases.empty());
  EXPECT_EQ(phrases.back(), " " + kDot + " " + kDot + " " + kDot + " " + kDot);
  EXPECT_GE(rowRefreshes, 1);
  EXPECT_EQ(modified, 0);  // the caller marks the worksheet for a commit
  QAbstractItemModel* model = List(0)->model();
  ASSERT_EQ(model->rowCount(), 11);
  EXPECT_EQ(Text(0, 0), "123");
  EXPECT_EQ(Text(0, 1), "denim");
  EXPECT_EQ(Text(0, 8), "(none)");
  EXPECT_EQ(strip->CountLabel(0)->text(), "7");
  EXPECT_FALSE(strip->CountLabel(0)->isHidden());
  // Header rows are silver; word rows have no colour of their own.
  EXPECT_EQ(Row(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(192, 192, 192));
  EXPECT_EQ(Row(0, 8).data(Qt::BackgroundRole).value<QColor>(), QColor(192, 192, 192));
  EXPECT_FALSE(Row(0, 1).data(Qt::BackgroundRole).isValid());
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(strip->WordButton(i)->isChecked());
    EXPECT_TRUE(strip->WordButton(i)->text().isEmpty());
    EXPECT_EQ(strip->ColumnPanel(i)->width(), 111);
  }
  // The same digits in another format change nothing.
  rowRefreshes = 0;
  EXPECT_FALSE(strip->CommitNumber("1234"));
  EXPECT_EQ(rowRefreshes, 1);
}

TEST_F(WordColumnsTest, AnEntryWithoutDigitsShowsFourBlankColumns) {
  number.SetNumber("call me");
  strip->RebuildColumns();
  ASSERT_EQ(strip->ColumnCount(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(List(i)->model()->rowCount(), 101);
    EXPECT_TRUE(Text(i, 0).isEmpty());
    EXPECT_FALSE(strip->WordButton(i)->isChecked());
    EXPECT_TRUE(strip->WordButton(i)->text().isEmpty());
    EXPECT_TRUE(strip->CountLabel(i)->isHidden());
  }
  // Clicking a blank button or double-clicking an empty row does nothing.
  QTest::mouseClick(strip->WordButton(0), Qt::LeftButton);
  EXPECT_FALSE(strip->WordButton(0)->isChecked());
  DoubleClickRow(1, 2);
  EXPECT_EQ(modified, 0);
  EXPECT_EQ(number.SlotCount(), 0);
  // A number then replaces them with real columns.
  ASSERT_TRUE(strip->CommitNumber("5"));
  ASSERT_EQ(strip->ColumnCount(), 1);
  EXPECT_EQ(List(0)->model()->rowCount(), 6);
  EXPECT_FALSE(strip->CountLabel(0)->isHidden());
  EXPECT_EQ(strip->CountLabel(0)->text(), "4");
}

TEST_F(WordColumnsTest, DoubleClickChoosesAndTheButtonGivesBack) {
  ASSERT_TRUE(strip->CommitNumber("1234"));
  QListView* third = List(2);
  DoubleClick(0, "tin");
  EXPECT_EQ(number.Slots(), (Slots{"tin", ".", "."}));
  EXPECT_EQ(strip->ColumnCount(), 3);
  EXPECT_EQ(modified, 1);
  EXPECT_EQ(phrases.back(), " tin " + kDot + " " + kDot);
  EXPECT_TRUE(strip->WordButton(0)->isChecked());
  EXPECT_EQ(strip->WordButton(0)->text(), "tin");
  EXPECT_EQ(Text(0, 0), "12");
  // The column of the third digit is the same list, only moved.
  EXPECT_EQ(List(1), third);
  EXPECT_EQ(List(0)->verticalScrollBar()->value(), 0);

  QTest::mouseClick(strip->WordButton(0), Qt::LeftButton);
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  EXPECT_EQ(strip->ColumnCount(), 4);
  EXPECT_EQ(modified, 2);
  EXPECT_FALSE(strip->WordButton(0)->isChecked());
  EXPECT_TRUE(strip->WordButton(0)->text().isEmpty());
  EXPECT_EQ(phrases.back(), " " + kDot + " " + kDot + " " + kDot + " " + kDot);
  // A click on the raised button of an uncovered column still marks.
  QTest::mouseClick(strip->WordButton(3), Qt::LeftButton);
  EXPECT_FALSE(strip->WordButton(3)->isChecked());
  EXPECT_EQ(modified, 3);
  EXPECT_EQ(number.SlotCount(), 4);
}

TEST_F(WordColumnsTest, UnchoosingTheLastWordWithoutACodeRemovesItsColumn) {
  ASSERT_TRUE(strip->CommitNumber("1"));
  number.InsertSlot(1, "oh");
  strip->RebuildColumns();
  ASSERT_EQ(strip->ColumnCount(), 2);
  EXPECT_EQ(strip->WordButton(1)->text(), "oh");
  QTest::mouseClick(strip->WordButton(1), Qt::LeftButton);  // its own button goes
  EXPECT_EQ(strip->ColumnCount(), 1);
  EXPECT_EQ(number.Slots(), (Slots{"."}));
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(strip->findChildren<QListView*>("WordList").size(), 1);
}

TEST_F(WordColumnsTest, ASingleClickPreviewsWithBullets) {
  ASSERT_TRUE(strip->CommitNumber("1234"));
  Click(0, "tin");
  EXPECT_EQ(phrases.back(), " " + kBullet + " " + kBullet + " " + kDot + " " + kDot);
  EXPECT_EQ(number.Slots(), (Slots{".", ".", ".", "."}));
  EXPECT_EQ(modified, 0);
  // Moving the focus to another list clears the preview.
  strip->activateWindow();
  List(1)->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(phrases.back(), " " + kDot + " " + kDot + " " + kDot + " " + kDot);
}

TEST_F(WordColumnsTest, MovingBetweenListsShowsThePhraseOnlyWhenItChanges) {
  number.SetNumber("1234");
  number.SetPhrase("   tin  " + std::string(1, kUncoveredMark) + " " + std::string(1, kUncoveredMark));
  number.SlotsFromPhrase();
  strip->RebuildColumns();
  Settle();
  strip->activateWindow();
  phrases.clear();
  // The first list entered rewrites a phrase stored in another spacing...
  List(1)->setFocus(Qt::MouseFocusReason);
  ASSERT_EQ(phrases.size(), 1u);
  EXPECT_EQ(phrases.back(), " tin " + kDot + " " + kDot);
  // ...after that, going from list to list changes nothing to show.
  List(2)->setFocus(Qt::MouseFocusReason);
  List(1)->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(phrases.size(), 1u);
  Click(1, "ma");
  ASSERT_EQ(phrases.size(), 2u);
  EXPECT_EQ(phrases.back(), " tin " + kBullet + " " + kDot);
  List(2)->setFocus(Qt::MouseFocusReason);
  ASSERT_EQ(phrases.size(), 3u);
  EXPECT_EQ(phrases.back(), " tin " + kDot + " " + kDot);
}

TEST_F(WordColumnsTest, EnterChoosesTheSelectedWord) {
  ASSERT_TRUE(strip->CommitNumber("1234"));
  Click(1, "enemy");
  QTest::keyClick(List(1), Qt::Key_Return);
  EXPECT_EQ(number.Slots(), (Slots{".", "enemy", "."}));
  EXPECT_EQ(strip->WordButton(1)->text(), "enemy");
  EXPECT_EQ(modified, 1);
}

// Down and Enter always choose a word: the keys step over the headers.
TEST_F(WordColumnsTest, TheArrowKeysStepOverHeaderRows) {
  ASSERT_TRUE(strip->CommitNumber("12"));
  // Rows: 12 tin ton 1 tie toe (none) ah oh
  Click(0, "ton");
  for (const auto& [key, row] : {std::pair{Qt::Key_Down, 4}, {Qt::Key_Up, 2}, {Qt::Key_Home, 1}, {Qt::Key_Up, 1}}) {
    QTest::keyClick(List(0), key);
    EXPECT_EQ(SelectedRow(0), row) << key;
  }
}

TEST_F(WordColumnsTest, ALetterJumpsToTheNextWordWithIt) {
  ASSERT_TRUE(strip->CommitNumber("12"));
  // Rows: 12 tin ton 1 tie toe (none) ah oh
  Click(0, "ton");
  ASSERT_EQ(SelectedRow(0), 2);
  QTest::keyClick(List(0), Qt::Key_T);
  EXPECT_EQ(SelectedRow(0), 4);
  EXPECT_EQ(List(0)->currentIndex().row(), 4);
  QTest::keyClick(List(0), Qt::Key_T);
  QTest::keyClick(List(0), Qt::Key_T);
  EXPECT_EQ(SelectedRow(0), 1);  // round from the last t-word to the first
  QTest::keyClick(List(0), Qt::Key_Z);
  EXPECT_EQ(SelectedRow(0), 1);
  QTest::keyClick(List(0), 'T');  // capitals never match
  EXPECT_EQ(SelectedRow(0), 1);
  QTest::keyClick(List(0), Qt::Key_A);
  EXPECT_EQ(SelectedRow(0), 7);
  EXPECT_EQ(number.SlotCount(), 2);
}

TEST_F(WordColumnsTest, TheJumpScrollsTheFoundRowIntoView) {
  std::vector<test::CodedWord> words;
  for (char c = 'a'; c <= 'z'; ++c)
    for (int k = 0; k < 4; ++k) words.push_back({std::string(1, c) + std::string(k + 1, 'x'), "1"});
  test::LoadDictionary(dict, dir, words);
  ASSERT_TRUE(strip->CommitNumber("1"));
  ASSERT_EQ(List(0)->model()->rowCount(), 105);
  Click(0, "ax");
  QTest::keyClick(List(0), Qt::Key_Y);
  const int row = SelectedRow(0);
  ASSERT_EQ(Text(0, row), "yx");
  EXPECT_TRUE(List(0)->viewport()->rect().contains(List(0)->visualRect(Row(0, row))));
  QTest::keyClick(List(0), Qt::Key_B);
  EXPECT_EQ(Text(0, SelectedRow(0)), "bx");
  EXPECT_TRUE(List(0)->viewport()->rect().contains(List(0)->visualRect(Row(0, SelectedRow(0)))));
}

TEST_F(WordColumnsTest, TheFirstSplitterSetsEveryWidth) {
  config.SetWordListWidth(150);
  strip->SetConfig(&config);
  ASSERT_TRUE(strip->CommitNumber("123"));
  EXPECT_EQ(strip->ColumnPanel(2)->width(), 150);
  QWidget* handle = strip->ColumnSplitter(0);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(handle->width(), 2);
  EXPECT_EQ(handle->cursor().shape(), Qt::SplitHCursor);
  EXPECT_NE(strip->ColumnSplitter(1)->cursor().shape(), Qt::SplitHCursor);
  // Drag it to 30 pixels left of its left edge and let go.
  QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(1, 50));
  QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(-30, 50));
  EXPECT_EQ(strip->WordListWidth(), 120);
  EXPECT_EQ(config.GetWordListWidth(), 120);
  QApplication::processEvents();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(strip->ColumnPanel(i)->width(), 120) << i;
  strip->SplitterMoved(3);
  EXPECT_EQ(config.GetWordListWidth(), 15);
  // New columns take the stored width.
  ASSERT_TRUE(strip->CommitNumber("12345"));
  EXPECT_EQ(strip->ColumnPanel(4)->width(), 15);
}

TEST_F(WordColumnsTest, ValidationUncoversTheLostWordAndTheColumnsFollow) {
  ASSERT_TRUE(strip->CommitNumber("1234"));
  DoubleClick(0, "tie");
  DoubleClick(1, "enemy");
  ASSERT_EQ(number.Slots(), (Slots{"tie", "enemy", "."}));
  dict.RemoveWord("tie");
  dict.BuildCodeIndex();
  EXPECT_FALSE(strip->ValidateSlots());
  EXPECT_EQ(platform.statusText, "Word 'tie' was removed from the dictionary; its digits are uncovered in the phrase.");
  EXPECT_EQ(phrases.back(), " " + kDot + " enemy " + kDot);
  strip->RebuildColumns();
  EXPECT_EQ(strip->ColumnCount(), 3);
  EXPECT_FALSE(strip->WordButton(0)->isChecked());
  EXPECT_TRUE(strip->WordButton(1)->isChecked());
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(WordColumnsTest, RefillingKeepsTheColumnsAndShowsNewWords) {
  ASSERT_TRUE(strip->CommitNumber("5"));
  ASSERT_EQ(strip->CountLabel(0)->text(), "4");
  dict.AddWord("lo");
  dict.BuildCodeIndex();
  QListView* list = List(0);
  strip->RefillColumns();
  EXPECT_EQ(List(0), list);
  EXPECT_EQ(strip->CountLabel(0)->text(), "5");
  EXPECT_GE(RowOf(0, "lo"), 0);
}

TEST_F(WordColumnsTest, ColumnsOutOfViewFillWhenScrolledTo) {
  std::string digits;
  for (int i = 0; i < 300; ++i) digits.push_back(static_cast<char>('1' + i % 5));
  ASSERT_TRUE(strip->CommitNumber(digits));
  ASSERT_EQ(strip->ColumnCount(), 300);
  EXPECT_EQ(number.SlotCount(), 300);
  EXPECT_TRUE(strip->Columns().Column(0).filled);
  EXPECT_FALSE(strip->Columns().Column(299).filled);
  QApplication::processEvents();
  EXPECT_FALSE(strip->Columns().Column(299).filled);
  QScrollBar* bar = strip->horizontalScrollBar();
  QApplication::processEvents();  // the strip is laid out
  bar->setValue(bar->maximum());
  QApplication::processEvents();
  ASSERT_TRUE(strip->Columns().Column(299).filled);
  EXPECT_EQ(strip->CountLabel(299)->text(), "4");  // law lee ah oh
  DoubleClick(299, "law");
  EXPECT_EQ(number.Slot(299), "law");
  EXPECT_EQ(strip->ColumnCount(), 300);
  EXPECT_TRUE(strip->WordButton(299)->isChecked());
  // A word far from the start covering several digits.
  bar->setValue(0);
  QApplication::processEvents();
  DoubleClick(0, "denim");
  EXPECT_EQ(strip->ColumnCount(), 298);
  EXPECT_EQ(number.Slot(297), "law");
  strip->DeleteAllColumns();
  EXPECT_EQ(strip->ColumnCount(), 0);
}

TEST_F(WordColumnsTest, AColumnPaintedBeforeItIsScrolledToFillsFirst) {
  std::string digits(40, '1');
  ASSERT_TRUE(strip->CommitNumber(digits));
  ASSERT_FALSE(strip->Columns().Column(39).filled);
  // Rendering the list paints it, as the window system would.
  strip->WordList(39)->grab();
  EXPECT_TRUE(strip->Columns().Column(39).filled);
  EXPECT_EQ(List(39)->model()->rowCount(), 6);  // 1 tie toe (none) ah oh
  EXPECT_EQ(strip->CountLabel(39)->text(), "4");
}

TEST_F(WordColumnsTest, APopupRequestNamesTheWordUnderTheMouse) {
  ASSERT_TRUE(strip->CommitNumber("12"));
  QSignalSpy spy(strip.get(), &TWordColumns::WordListContextMenu);
  QListView* list = List(0);
  const int row = RowOf(0, "ton");
  Settle();
  const QPoint onRow = Centre(0, row);
  QContextMenuEvent onWord(QContextMenuEvent::Mouse, onRow, list->viewport()->mapToGlobal(onRow));
  QApplication::sendEvent(list->viewport(), &onWord);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toInt(), 0);
  EXPECT_EQ(spy.at(0).at(1).toString(), "ton");
  EXPECT_EQ(SelectedRow(0), row);
  const QPoint onHeaderRow = Centre(0, 0);
  QContextMenuEvent onHeader(QContextMenuEvent::Mouse, onHeaderRow, list->viewport()->mapToGlobal(onHeaderRow));
  QApplication::sendEvent(list->viewport(), &onHeader);
  ASSERT_EQ(spy.count(), 2);
  EXPECT_TRUE(spy.at(1).at(1).toString().isEmpty());
  EXPECT_EQ(spy.at(1).at(2).toPoint(), list->viewport()->mapToGlobal(onHeaderRow));
}

// --- long numbers -------------------------------------------------------------------

// `count` digits from 1 to 5 (the digits the shared dictionary has words for).
std::string LongDigits(int count) {
  std::string digits;
  unsigned state = 31415;
  for (int i = 0; i < count; ++i) {
    state = state * 1103515245u + 12345u;
    digits.push_back(static_cast<char>('1' + (state >> 16) % 5));
  }
  return digits;
}

class LongNumberTest : public WordColumnsTest {
 protected:
  // The word lists alive once the ones let go are really gone.
  int LiveLists() const {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return static_cast<int>(strip->findChildren<QListView*>("WordList").size());
  }
  // Enough for the columns in view (600 pixels of 113) and the margins.
  static constexpr int kFewLists = 16;

  void ScrollTo(int column) {
    strip->ShowColumn(column);
    Settle();
  }
  // Whether column i's panel stands whole inside the part in view.
  bool WhollyInView(int column) const {
    QWidget* panel = strip->ColumnPanel(column);
    const QRect shown(panel->mapTo(strip->viewport(), QPoint(0, 0)), panel->size());
    return strip->viewport()->rect().contains(shown);
  }
  std::vector<std::string> ListedRows(int column) const {
    std::vector<std::string> rows;
    for (int r = 0; r < List(column)->model()->rowCount(); ++r) rows.push_back(FromQString(Text(column, r)));
    return rows;
  }
  QString Composed(int start, int length) const {
    RNumber copy = number;
    copy.ComposePhrase(start, length);
    return ToQString(copy.Phrase());
  }
};

TEST_F(LongNumberTest, TenThousandDigitsKeepControlsOnlyAroundTheView) {
  ASSERT_TRUE(strip->CommitNumber(LongDigits(10000)));
  Settle();
  ASSERT_EQ(strip->ColumnCount(), 10000);
  EXPECT_LE(LiveLists(), kFewLists);
  // The scroll bar spans every column.
  QScrollBar* bar = strip->horizontalScrollBar();
  EXPECT_EQ(bar->maximum(), 10000 * (strip->WordListWidth() + 2) - strip->viewport()->width());
  for (int column : {5000, 9999, 1234, 0, 7777}) {
    ScrollTo(column);
    EXPECT_TRUE(WhollyInView(column)) << column;
    // In view, the column lists the words of its own digits.
    EXPECT_TRUE(strip->Columns().Column(column).filled) << column;
    std::vector<std::string> expected;
    dict.ListWordsForDigits(strip->Columns().ColumnDigits(column), expected);
    EXPECT_EQ(ListedRows(column), expected) << column;
    EXPECT_EQ(strip->CountLabel(column)->text().toInt(), strip->Columns().Column(column).wordCount);
    EXPECT_LE(LiveLists(), kFewLists) << column;
  }
  // Dragging the scroll bar to its end shows the last column.
  bar->setValue(bar->maximum());
  Settle();
  EXPECT_TRUE(WhollyInView(9999));
  EXPECT_LE(LiveLists(), kFewLists);
  // Only the columns that were shown hold rows.
  int holdingRows = 0;
  for (int i = 0; i < strip->ColumnCount(); ++i) holdingRows += strip->Columns().Column(i).rows.empty() ? 0 : 1;
  EXPECT_LE(holdingRows, kFewLists);
}

TEST_F(LongNumberTest, FarIntoTheNumberChoosingUnchoosingAndPreviewWorkAsAtItsStart) {
  std::string digits = LongDigits(10000);
  const int c = 6000;
  digits.replace(c, 3, "124");  // tin and ton (12), dinner (124) start here
  ASSERT_TRUE(strip->CommitNumber(digits));
  ScrollTo(c);
  ASSERT_TRUE(WhollyInView(c));

  Click(c, "tin");
  EXPECT_EQ(phrases.back(), Composed(c, 2));
  EXPECT_EQ(phrases.back().count(kBullet), 2);
  EXPECT_EQ(modified, 0);

  DoubleClick(c, "dinner");
  EXPECT_EQ(number.Slot(c), "dinner");
  EXPECT_EQ(number.SlotCount(), 9998);
  EXPECT_EQ(strip->ColumnCount(), 9998);
  EXPECT_TRUE(strip->WordButton(c)->isChecked());
  EXPECT_EQ(strip->WordButton(c)->text(), "dinner");
  EXPECT_EQ(phrases.back(), Composed(0, 0));
  EXPECT_EQ(modified, 1);
  // The columns after it moved up by two; the one before it, in view, now
  // stops its run at the word and lists afresh.
  EXPECT_EQ(strip->Columns().Column(c + 1).start, static_cast<std::size_t>(c + 3));
  ASSERT_TRUE(WhollyInView(c - 1));
  std::vector<std::string> expected;
  dict.ListWordsForDigits(digits.substr(c - 1, 1), expected);
  EXPECT_EQ(ListedRows(c - 1), expected);

  // An alternative with a shorter code gives a digit back.
  DoubleClick(c, "ton");
  EXPECT_EQ(number.Slot(c), "ton");
  EXPECT_EQ(number.Slot(c + 1), ".");
  EXPECT_EQ(number.SlotCount(), 9999);

  QTest::mouseClick(strip->WordButton(c), Qt::LeftButton);
  EXPECT_EQ(number.Slot(c), ".");
  EXPECT_EQ(number.SlotCount(), 10000);
  EXPECT_FALSE(strip->WordButton(c)->isChecked());
  EXPECT_EQ(phrases.back(), Composed(0, 0));
  EXPECT_EQ(phrases.back().count(kDot), 10000);
  EXPECT_EQ(modified, 3);

  // The first-letter jump there.
  Click(c, "tin");
  QTest::keyClick(List(c), Qt::Key_T);
  EXPECT_EQ(Text(c, SelectedRow(c)), "ton");
  EXPECT_LE(LiveLists(), kFewLists);
}

TEST_F(LongNumberTest, AListScrolledAwayComesBackAsItWasLeft) {
  std::vector<test::CodedWord> words;
  for (char c = 'a'; c <= 'z'; ++c)
    for (int k = 0; k < 4; ++k) words.push_back({std::string(1, c) + std::string(k + 1, 'x'), "1"});
  test::LoadDictionary(dict, dir, words);
  ASSERT_TRUE(strip->CommitNumber(std::string(300, '1')));
  Settle();
  Click(1, "px");
  const int selected = SelectedRow(1);
  const int top = List(1)->indexAt(QPoint(1, 1)).row();
  ASSERT_GT(top, 0);
  List(1)->clearFocus();
  ScrollTo(299);
  EXPECT_TRUE(strip->Columns().Column(1).rows.empty()) << "column 1 let its rows go";
  ScrollTo(0);
  EXPECT_EQ(SelectedRow(1), selected);
  EXPECT_EQ(Text(1, SelectedRow(1)), "px");
  EXPECT_EQ(List(1)->indexAt(QPoint(1, 1)).row(), top);
  // A list that keeps the focus keeps its column while the strip scrolls away.
  Click(2, "bx");
  QListView* focused = List(2);
  ScrollTo(250);
  EXPECT_EQ(strip->FocusedWordList(), focused);
  EXPECT_EQ(strip->WordList(2), focused);
  EXPECT_EQ(Text(2, SelectedRow(2)), "bx");
}

TEST_F(LongNumberTest, TabGoesFromListToListAndScrollsTheNextIntoView) {
  ASSERT_TRUE(strip->CommitNumber(LongDigits(300)));
  Settle();
  strip->activateWindow();
  List(0)->setFocus(Qt::MouseFocusReason);
  for (int i = 1; i <= 40; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(strip->FocusedWordList(), strip->WordList(i)) << i;
    EXPECT_TRUE(WhollyInView(i)) << i;
  }
  EXPECT_GT(strip->horizontalScrollBar()->value(), 0);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(strip->FocusedWordList(), strip->WordList(39));
  strip->ShowColumn(2);
  Settle();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(strip->FocusedWordList(), strip->WordList(38));
  EXPECT_TRUE(WhollyInView(38));
  EXPECT_LE(LiveLists(), kFewLists + 1);
}

// Clicks a row of a list in the active window and keeps the focus in the
// list, then paints the list as the screen shows it.
QImage ClickAndPaint(QListView* list, int row) {
  QApplication::processEvents();
  list->window()->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(list->window()));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
  list->setFocus();
  EXPECT_TRUE(list->hasFocus());
  EXPECT_EQ(list->currentIndex().row(), row);
  return list->viewport()->grab().toImage();
}

const QColor kSilver(192, 192, 192);

// Pixels that are neither grey (the silver band, dark text smoothed onto
// it) nor exactly silver at the band's two ends, where a focus frame or a
// selection colour would show first.
int ColouredPixels(const QImage& image, const QRect& rect) {
  int coloured = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      const bool end = x == rect.left() || x == rect.right();
      if (c.red() != c.green() || c.green() != c.blue() || (end && c != kSilver)) ++coloured;
    }
  return coloured;
}

TEST_F(WordColumnsTest, AHeaderRowStaysSilverWhenClickedInTheFocusedList) {
  ASSERT_TRUE(strip->CommitNumber("12"));
  QListView* list = List(0);
  // 12 tin ton, 1 tie toe, (none) ah oh
  ASSERT_EQ(Row(0, 0).data().toString().toStdString(), "12");
  ASSERT_EQ(Row(0, 6).data().toString().toStdString(), "(none)");
  for (int header : {0, 3, 6}) {
    SCOPED_TRACE(header);
    const QImage shot = ClickAndPaint(list, header);
    const QRect band = list->visualRect(Row(0, header)).intersected(shot.rect());
    ASSERT_FALSE(band.isEmpty());
    EXPECT_EQ(ColouredPixels(shot, band), 0);
    EXPECT_EQ(shot.pixelColor(band.left(), band.center().y()), kSilver);
  }
  // A word row still shows that it is the chosen one.
  const QImage shot = ClickAndPaint(list, 1);
  EXPECT_GT(ColouredPixels(shot, list->visualRect(Row(0, 1)).intersected(shot.rect())), 0);
}

TEST_F(WordColumnsTest, PlaceholderRowsShowNothingWhenClickedOrWalkedThrough) {
  number.SetNumber("no digits");
  strip->RebuildColumns();
  ASSERT_EQ(strip->ColumnCount(), 4);
  QListView* list = List(1);
  const QColor base = list->palette().color(QPalette::Base);
  strip->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(strip.get()));
  QApplication::processEvents();
  const QImage before = list->viewport()->grab().toImage();
  for (int row : {0, 2, 7}) {
    SCOPED_TRACE(row);
    EXPECT_TRUE(ClickAndPaint(list, row) == before);
  }
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_End);
  EXPECT_TRUE(list->viewport()->grab().toImage() == before);
  EXPECT_TRUE(list->selectionModel()->selectedIndexes().isEmpty());
  EXPECT_EQ(before.pixelColor(before.width() / 2, before.height() / 2), base);
  // Nothing was chosen either.
  EXPECT_EQ(number.SlotCount(), 0);
}

}  // namespace
}  // namespace tq
