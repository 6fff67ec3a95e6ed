// What the rows of the word lists look like when the user clicks them:
// header rows keep their silver band, the placeholder rows of the blank
// columns show nothing, whatever is selected and wherever the focus is.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListView>
#include <QTest>
#include <memory>

#include "Codec.h"
#include "PhraseFixture.h"
#include "RConfig.h"
#include "RNumber.h"
#include "ScriptedPlatform.h"
#include "WordColumns.h"

namespace tq {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "tq_phrase_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

const QColor kSilver(192, 192, 192);

class WordRowLook : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    test::LoadDictionary(dict, dir, test::CommonWords());
    strip = std::make_unique<TWordColumns>(dict);
    strip->resize(600, 300);
    strip->SetConfig(&config);
    strip->SetCurrentNumber(&number);
    strip->show();
    strip->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(strip.get()));
  }

  QListView* List(int column) const { return strip->WordList(column); }
  QModelIndex Row(int column, int row) const { return List(column)->model()->index(row, 0); }

  // Clicks a row and keeps the focus in its list, then paints the list as
  // the screen shows it.
  QImage ClickAndPaint(int column, int row) {
    QApplication::processEvents();
    QListView* list = List(column);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(Row(column, row)).center());
    list->setFocus();
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(list->currentIndex().row(), row);
    return list->viewport()->grab().toImage();
  }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  RConfig config;
  RNumber number;
  std::unique_ptr<TWordColumns> strip;
};

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

TEST_F(WordRowLook, AHeaderRowStaysSilverWhenClickedInTheFocusedList) {
  ASSERT_TRUE(strip->CommitNumber("12"));
  QListView* list = List(0);
  // 12 tin ton, 1 tie toe, (none) ah oh
  ASSERT_EQ(Row(0, 0).data().toString().toStdString(), "12");
  ASSERT_EQ(Row(0, 6).data().toString().toStdString(), "(none)");
  for (int header : {0, 3, 6}) {
    SCOPED_TRACE(header);
    const QImage shot = ClickAndPaint(0, header);
    const QRect band = list->visualRect(Row(0, header)).intersected(shot.rect());
    ASSERT_FALSE(band.isEmpty());
    EXPECT_EQ(ColouredPixels(shot, band), 0);
    EXPECT_EQ(shot.pixelColor(band.left(), band.center().y()), kSilver);
  }
  // A word row still shows that it is the chosen one.
  const QImage shot = ClickAndPaint(0, 1);
  EXPECT_GT(ColouredPixels(shot, list->visualRect(Row(0, 1)).intersected(shot.rect())), 0);
}

TEST_F(WordRowLook, PlaceholderRowsShowNothingWhenClickedOrWalkedThrough) {
  number.SetNumber("no digits");
  strip->RebuildColumns();
  ASSERT_EQ(strip->ColumnCount(), 4);
  QListView* list = List(1);
  const QColor base = list->palette().color(QPalette::Base);
  QApplication::processEvents();
  const QImage before = list->viewport()->grab().toImage();
  for (int row : {0, 2, 7}) {
    SCOPED_TRACE(row);
    EXPECT_TRUE(ClickAndPaint(1, row) == before);
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
