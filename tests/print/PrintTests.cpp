// What goes on paper, without printing: the pages the rows are broken into,
// and the document made of a worksheet.
#include <gtest/gtest.h>

#include <random>

#include "JourneyScenes.h"
#include "PageBreaks.h"
#include "PhraseFixture.h"
#include "PrintDocument.h"
#include "RWorksheet.h"

namespace tq {
namespace {

// Every row's lines on the pages once and in order; a row that fits a page
// in one piece; no page over its height; and no page ended early: the row
// that starts a page would not have fitted on the page before.
TEST(PageBreaks, RowsStayWholeInOrderAndPagesKeepTheirHeight) {
  std::mt19937 rng(26);
  auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (int round = 0; round < 2000; ++round) {
    RPageMetrics m;
    // Small measures, so that rows often fill a page exactly.
    m.lineHeight = 1 + below(4);
    m.rowPadding = below(3);
    m.otherPages = m.lineHeight + m.rowPadding + below(60);
    m.firstPage = below(4) == 0 ? below(m.otherPages) : m.otherPages - below(m.otherPages / 2 + 1);
    std::vector<int> rows(static_cast<std::size_t>(below(60)));
    for (int& lines : rows) lines = below(10) == 0 ? below(80) : below(4);
    SCOPED_TRACE("round " + std::to_string(round));

    const auto pages = BreakIntoPages(rows, m);
    ASSERT_FALSE(pages.empty());
    std::size_t row = 0;
    int line = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const int height = p == 0 ? m.firstPage : m.otherPages;
      int used = 0;
      for (const RRowPiece& piece : pages[p]) {
        ASSERT_EQ(piece.row, row);
        ASSERT_EQ(piece.firstLine, line);
        const int lines = std::max(rows[row], 1);
        if (RowHeight(lines, m) <= m.otherPages) {
          ASSERT_EQ(piece.lineCount, lines) << "a row that fits was cut";
        }
        ASSERT_GT(piece.lineCount, 0);
        used += RowHeight(piece.lineCount, m);
        line += piece.lineCount;
        if (line == lines) {
          ++row;
          line = 0;
        }
      }
      if (used > height) {
        ASSERT_EQ(pages[p].size(), 1u) << "page " << p << " overflows";
      }
      // With rows to print, no page is left empty, but for the first when
      // the first row, whole, does not fit under the title. One taller than
      // a page begins there all the same.
      if (!rows.empty() && pages[p].empty()) {
        const int first = RowHeight(std::max(rows[0], 1), m);
        ASSERT_TRUE(p == 0 && first > m.firstPage && first <= m.otherPages) << "page " << p << " is empty";
      }
      // A whole row starting the next page did not fit on this one; a row
      // cut over pages goes on on the next only once this one has no room
      // for another line.
      if (p + 1 < pages.size() && !pages[p + 1].empty()) {
        const RRowPiece& next = pages[p + 1].front();
        const bool whole = next.firstLine == 0 && next.lineCount == std::max(rows[next.row], 1);
        EXPECT_GT(used + RowHeight(whole ? next.lineCount : 1, m), height) << "page " << p << " ended early";
      }
    }
    EXPECT_EQ(row, rows.size());
  }
}

// Columns of any shares and least widths on a page of any width: each gets
// its least width, the rest share what is left by their shares, and
// together they fill the page while the least widths leave room.
TEST(PageBreaks, ColumnsGetTheirLeastWidthAndShareTheRest) {
  std::mt19937 random(35);
  for (int round = 0; round < 3000; ++round) {
    std::vector<RColumnRoom> columns(1 + random() % 6);
    double least = 0;
    for (RColumnRoom& column : columns) {
      column.share = static_cast<int>(random() % 8);
      if (random() % 3 == 0) column.least = static_cast<double>(random() % 400);
      least += column.least;
    }
    const double width = 100 + random() % 900;
    const std::vector<double> widths = ColumnWidths(columns, width);
    ASSERT_EQ(widths.size(), columns.size());
    double sum = 0, perShare = -1;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      sum += widths[c];
      ASSERT_GE(widths[c] + 1e-9, std::min(columns[c].least, width)) << round;
      if (widths[c] > columns[c].least + 1e-9) {  // a sharing column: the same width per share as the others
        const double each = widths[c] / std::max(columns[c].share, 1);
        if (perShare >= 0) {
          ASSERT_NEAR(each, perShare, 1e-6) << round;
        }
        perShare = each;
      }
    }
    if (least <= width) {
      ASSERT_NEAR(sum, width, 1e-6) << round;
    }
  }
}

// The marks as printed: ★ and ☆ held to their word, · for an uncovered digit.
const std::string kStar = "\xE2\x98\x85\xE2\x80\xAF", kHollow = "\xE2\x98\x86\xE2\x80\xAF", kDot = "\xC2\xB7";

// The small dictionary of the phrase tests; of its words, tin can be pictured.
class PrintDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    test::LoadDictionary(dict, dir, test::CommonWords());
    dir.Write("wordinfo.dat", "tin,10,n,p\nray,10,n\n");
    dict.LoadWordKnowledge();
  }
  static std::unique_ptr<RNumber> Entry(const std::string& number, const std::string& phrase,
                                        const std::string& description) {
    auto entry = std::make_unique<RNumber>();
    entry->SetNumber(number);
    entry->SetPhrase(phrase);
    entry->SetDescription(description);
    entry->SlotsFromPhrase();
    return entry;
  }
  test::TempDir dir;
  RDictionary dict;
};

TEST_F(PrintDocument, TheWorksheetLeavesEmptyEntriesOutAndMarksEveryWord) {
  RWorksheet sheet;
  sheet.SetFileName("/home/u/My phone.tqw");
  sheet.Insert(Entry("124", " tin Ray!", "d\xE9j\xE0 vu"), 0);
  sheet.Insert(Entry("", "", ""), 1);
  sheet.Insert(Entry("9 13", " \xB7 tie \xB7", ""), 2);
  const RPrintDocument doc = WorksheetDocument(sheet, dict);
  EXPECT_EQ(doc.title, "My phone.tqw");
  EXPECT_EQ(doc.fileName, "My phone.pdf");
  EXPECT_EQ(doc.notes.front(), "2 numbers");
  ASSERT_EQ(doc.rows.size(), 2u);
  EXPECT_EQ(doc.rows[0], (std::vector<std::string>{"124", kStar + "tin " + kHollow + "Ray!", "d\xC3\xA9j\xC3\xA0 vu"}));
  EXPECT_EQ(doc.rows[1][1], kDot + " " + kHollow + "tie " + kDot);
}

TEST_F(PrintDocument, TheJourneyHasARowPerSceneWithNumberedPlacesPastItsEnd) {
  const auto entry = Entry("12-34 5", " tin ma ray \xB7", "locker");
  const RJourney journey{{"front door"}, 2};
  const RPrintDocument doc = JourneyDocument(RJourneyScenes(dict, *entry, 2), journey, *entry, "/w/pi.tqw");
  EXPECT_EQ(doc.title, "Journey: locker");
  EXPECT_EQ(doc.fileName, "pi journey.pdf");
  EXPECT_EQ(doc.notes.front(), "5 digits at 2 places, 2 words a place; 1 of them past the end of your journey");
  ASSERT_EQ(doc.rows.size(), 2u);
  const std::string dash = "\xE2\x80\x93";
  EXPECT_EQ(doc.rows[0], (std::vector<std::string>{"1", "front door", kStar + "tin " + kHollow + "ma", "123",
                                                   "digits 1" + dash + "3"}));
  EXPECT_EQ(doc.rows[1], (std::vector<std::string>{"2", "place 2", kHollow + "ray " + kDot, "45", "digits 4" + dash + "5"}));
  // The key in the words of the Journey window.
  EXPECT_EQ(doc.notes.back(),
            "\xE2\x98\x85 a thing you can picture, \xE2\x98\x86 a word to make a picture of, " + kDot +
                " digit no word covers yet");
}

// However many places, their numbers stay on one line; the header holds the
// whole number.
TEST_F(PrintDocument, ThePlaceNumbersFitTheirColumnAndTheHeaderHoldsTheWholeNumber) {
  std::string digits;
  for (int k = 0; k < 3 * 12000; ++k) digits += static_cast<char>('0' + k % 10);
  for (const std::size_t length : {std::size_t{100}, digits.size()}) {
    const auto entry = Entry(digits.substr(0, length), "", length == 100 ? "pi" : "");
    entry->SetSlots(UncoveredSlots(length));
    const RJourneyScenes scenes(dict, *entry, 1);
    ASSERT_EQ(scenes.Count(), (length + 2) / 3);
    const RPrintDocument doc = JourneyDocument(scenes, RJourney{{"door"}, 1}, *entry, "");
    EXPECT_EQ(doc.columns[0].widest, std::to_string(scenes.Count()));
    const std::string number = "Number: " + digits.substr(0, length);
    if (length == 100)
      EXPECT_NE(std::find(doc.notes.begin(), doc.notes.end(), number), doc.notes.end());
    else
      EXPECT_EQ(doc.notes[1].rfind(number.substr(0, 2000), 0), 0u);
  }
}

}  // namespace
}  // namespace tq
