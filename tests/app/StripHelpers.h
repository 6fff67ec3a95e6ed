// The word strip from a test's side: the rows a column lists, choosing a word
// the way the user does, and putting the focus on a row of a column.
#pragma once

#include <QListView>
#include <QTest>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "WordColumns.h"

namespace tq::test {

class StripTest : public AppTest {
 protected:
  QListView* ColumnList(int column) const { return form->WordColumns()->WordList(column); }

  // Every row column `column` lists: headers, words and blank rows alike.
  std::vector<std::string> ColumnRows(int column) const {
    std::vector<std::string> rows;
    QListView* list = ColumnList(column);
    if (!list) return rows;
    for (int i = 0; i < list->model()->rowCount(); ++i)
      rows.push_back(FromQString(list->model()->index(i, 0).data().toString()));
    return rows;
  }
  bool Lists(int column, const std::string& word) const {
    for (const std::string& row : ColumnRows(column))
      if (row == word) return true;
    return false;
  }

  QModelIndex RowOf(int column, const char* text) const {
    QListView* list = ColumnList(column);
    if (!list) return {};
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       QString::fromLatin1(text), 1, Qt::MatchExactly);
    return found.isEmpty() ? QModelIndex() : found.front();
  }

  // Double-clicks the word in column `column`, as choosing it does.
  void ChooseWord(int column, const char* word) {
    QListView* list = ColumnList(column);
    ASSERT_NE(list, nullptr) << "column " << column;
    const QModelIndex row = RowOf(column, word);
    ASSERT_TRUE(row.isValid()) << word << " in column " << column;
    list->scrollTo(row);
    const QPoint at = list->visualRect(row).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    Settle();
  }

  // Gives column `column`'s list the focus with the row showing `text`
  // selected, or with no row selected when text is null.
  void FocusRow(int column, const char* text) {
    QListView* list = ColumnList(column);
    ASSERT_NE(list, nullptr) << "column " << column;
    list->setFocus();
    if (text) {
      const QModelIndex row = RowOf(column, text);
      ASSERT_TRUE(row.isValid()) << text << " in column " << column;
      list->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    } else {
      list->selectionModel()->clearSelection();
    }
    ASSERT_EQ(QApplication::focusWidget(), list);
  }

  std::string CodeOf(const char* word) const {
    const int k = form->Dictionary()->FindWord(word);
    return k >= 0 ? form->Dictionary()->CodeAt(k) : std::string("(missing)");
  }
  bool Known(const char* word) const { return form->Dictionary()->FindWord(word) >= 0; }

  std::string Phrase() const { return Text("EditPhrase"); }
  static std::string Dots(int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += std::string(" ") + kUncoveredMark;
    return out;
  }
};

}  // namespace tq::test
