// The strip of word columns in the lower right of the main window: one column
// per slot of the current entry (a chosen word or one uncovered digit), each
// with the chosen word's button on top, the list of words that fit there in
// the middle and the count of those words below. Choosing and un-choosing
// words, the phrase preview and the first-letter jump happen here; the slot
// arithmetic itself is plain C++ in SlotLogic.h.
//
// The main window owns this widget and the entry; the widget tells it what to
// show and what changed through signals.
//
// A number can be thousands of digits long, so only the columns in view (and
// a few either side) have controls. As the strip scrolls, the controls of
// columns that leave the view go to the columns that come into it; the
// scroll bar still spans every column, and the column records in SlotLogic
// remember where each list stood.
//
// The strip keeps the known codes of the dictionary to cut runs of uncovered
// digits quickly. After any change to the dictionary's words or codes, call
// ValidateSlots (then RebuildColumns when it repaired something) and then
// RefillColumns: both make the strip gather the codes afresh, and the refill
// also brings columns whose digits stayed the same up to date.
#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QString>
#include <memory>
#include <string>

class QAbstractButton;
class QLabel;
class QListView;

namespace tq {

class RConfig;
class RDictionary;
class RNumber;
class RWordColumns;
struct RSlotPlaces;

class TWordColumns : public QAbstractScrollArea {
  Q_OBJECT

 public:
  TWordColumns(RDictionary& dictionary, QWidget* parent = nullptr);
  ~TWordColumns() override;

  // WordListWidth lives in the configuration; null until the first show.
  void SetConfig(RConfig* config);
  // The entry the columns belong to; null when no worksheet is open.
  void SetCurrentNumber(RNumber* number);

  // Takes the typed number into the entry and refits its slots. Returns true
  // when the digits changed (the caller then marks the worksheet modified and
  // keeps its blank rows); false when only the entry's row needs refreshing.
  bool CommitNumber(const std::string& typed);
  // Checks that the chosen words still exist and fit; repairs and warns.
  // `before`: where the entry's slots stood before the change (SlotPlaces),
  // when known. True when nothing had to change.
  bool ValidateSlots(const RSlotPlaces* before = nullptr);
  // Lays the columns out for the entry, repairing (and warning about) its
  // stored words first. True when they had to be repaired.
  bool RebuildColumns();
  void RefreshPhrase();
  void RefillColumns();
  void DeleteAllColumns();

  int ColumnCount() const;

  // Column i's controls, for the main window (pop-up menus, focus) and for
  // tests; null when there is no column i. A column out of view gets
  // controls when asked, which it keeps until the strip next scrolls or is
  // rebuilt; keep the pointers no longer than that.
  QWidget* ColumnPanel(int column) const;
  QListView* WordList(int column) const;
  QAbstractButton* WordButton(int column) const;
  QLabel* CountLabel(int column) const;
  // The 2-pixel separator right of column i; only column 0's one drags.
  QWidget* ColumnSplitter(int column) const;
  // The list that has the keyboard focus, or null when no list has it.
  QListView* FocusedWordList() const;
  // Scrolls the strip just far enough to show column i whole.
  void ShowColumn(int column);
  // Gives column i's list the keyboard focus, scrolled into view, with its
  // first word selected. False when there is no column i.
  bool FocusWordList(int column);
  // Down from the Number field: the same for the first column whose digit
  // is uncovered, or the first column when every digit is covered. False
  // when the entry has no digits.
  bool FocusFirstWordList();
  // The column records behind the controls (digits, rows, filled).
  const RWordColumns& Columns() const;
  RNumber* CurrentNumber() const;
  // The common width of all columns.
  int WordListWidth() const;
  // Sets every column to `width` (at least 15) and stores it in the
  // configuration; what releasing the dragged splitter does.
  void SplitterMoved(int width);

 signals:
  // EditPhrase should show this text (the entry's phrase, maybe a preview).
  void PhraseShown(const QString& phrase);
  // The entry's number, phrase or description changed: refresh its row.
  void NumberRowChanged();
  // A word was chosen (`chosen`) or given back: the worksheet is modified.
  void WorksheetModified(bool chosen);
  // The last digit was covered with Enter: the keyboard leaves the strip, so
  // that another Down and Enter cannot replace the word just chosen.
  void PhraseCompleted();
  // The user asked for the pop-up menu of column `column`'s list; `word` is
  // the word row under the mouse (made the selected row), empty over a
  // header, an empty row or no row.
  void WordListContextMenu(int column, const QString& word, const QPoint& globalPos);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  // Tab and Shift+Tab go through the columns in order, scrolling the next
  // one into view: in each, the button while it holds a word, then the list.
  bool focusNextPrevChild(bool next) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  struct Private;
  std::unique_ptr<Private> d_;
};

}  // namespace tq
