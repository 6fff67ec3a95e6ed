// The parts of the strip of word columns that show the column records in
// the columns' controls: the state every part of the strip works on, the
// filling of the lists, and the placing of the controls along the scroll
// position. Only the strip uses these; WordColumns.cpp adds the keeping in
// step with the entry and the user's actions on the columns.
#pragma once

#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

#include "ColumnControls.h"
#include "WordColumns.h"

class QScrollBar;

namespace tq {

inline constexpr int kDefaultListWidth = 111;

// What every part of the strip works on: the widget, the column records and
// the entry they belong to.
struct TStripState {
  TStripState(TWordColumns& stripOwner, const RDictionary& dictionary);

  bool Reshaping() const { return updateDepth > 0; }

  TWordColumns& owner;
  RWordColumns table;
  // Held here rather than left to the viewport, so that at the end the
  // controls can go first, while what their handlers look at still exists.
  std::unique_ptr<QWidget> strip;
  RNumber* number = nullptr;
  // Raised while the columns are being reshaped: focus moving off a list
  // that is being removed must not touch the half-changed slots.
  int updateDepth = 0;
};

// Holds the handlers of the lists off the slots for its lifetime.
class TReshaping {
 public:
  explicit TReshaping(TStripState& state) : depth_(state.updateDepth) { ++depth_; }
  ~TReshaping() { --depth_; }
  TReshaping(const TReshaping&) = delete;
  TReshaping& operator=(const TReshaping&) = delete;

 private:
  int& depth_;
};

// Keeps the strip from painting while many columns change at once.
class TFrozenStrip {
 public:
  explicit TFrozenStrip(TStripState& state) : strip_(*state.strip) { strip_.setUpdatesEnabled(false); }
  ~TFrozenStrip() { strip_.setUpdatesEnabled(true); }
  TFrozenStrip(const TFrozenStrip&) = delete;
  TFrozenStrip& operator=(const TFrozenStrip&) = delete;

 private:
  QWidget& strip_;
};

// The filling of the lists. Owns nothing: it shows in a column's controls
// what the column's record holds (its rows, where the list stood, the count
// and the chosen word) and has the table list the rows when they are stale.
class TColumnFiller {
 public:
  TColumnFiller(RWordColumns& table, TColumnPool& pool) : table_(table), pool_(pool) {}

  // The model announces the record's rows afresh and the list goes back to
  // where the record says it stood.
  void ShowRows(TColumnControls& c);

  void ShowButton(TColumnControls& c);

  // A column holding a chosen word has that word selected in its list, in
  // view: the highlight follows the word, whatever put it there (a choice,
  // an accepted phrase, Undo or Redo).
  void ShowChosenWord(TColumnControls& c);

  void ShowButtons();

  // The columns laid out afresh for an entry: the lists of its uncovered
  // digits highlight nothing, since none of their words is chosen (a list
  // whose digits stayed would still mark the word of the entry before).
  void ClearUncoveredHighlights();

  void ShowCount(TColumnControls& c);

  // A placeholder column got its blank rows: shown from the top.
  void ShowBlankRows(TColumnControls& c);

  // Brings the column up to date; a column listed afresh starts where its
  // record says (at the top when its digits changed).
  void UpdateColumn(TColumnControls& c);

  // After a dictionary change. Only the columns with controls have rows;
  // the others are listed afresh when they come into view.
  void RefillColumns();

 private:
  // Lists the column's words afresh; the list keeps its scroll position.
  void FillColumn(TColumnControls& c);

  void RestorePlace(TColumnControls& c);

  RWordColumns& table_;
  TColumnPool& pool_;
};


// The mapping of columns to the scroll position. Owns the common column
// width. The scroll bar spans every column as if each had its panel; only
// the columns in view and kColumnMargin either side get controls from the
// pool, placed where their column stands, and the controls follow the view
// as it scrolls or changes size.
class TColumnLayout {
 public:
  TColumnLayout(TStripState& state, TColumnPool& pool, TColumnFiller& filler)
      : state_(state), pool_(pool), filler_(filler) {}

  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width; }
  int Pitch() const { return width_ + kSplitterWidth; }

  // Whether the column overlaps the part of the strip scrolled into view.
  // Worked out from the fixed column pitch, so it holds before a new
  // column's panel is placed.
  bool InView(int i) const;

  // The first column whose left edge is in view (or the last column).
  int FirstColumnInView() const;

  // The column under the view's right edge (or the last column).
  int LastColumnInView() const;

  // Scrolls just far enough to show column i whole.
  void ShowColumn(int i);

  // The viewport changed size or was shown: the strip fills it again.
  void FitStrip();

  // The columns or their width changed: the scroll range and the controls
  // follow.
  void ViewMoved();

  // The strip scrolled. The panels are placed afresh rather than the
  // view's pixels moved.
  void FollowView();

  // Column i's controls, made now when it has none.
  TColumnControls* Controls(int i);

 private:
  QScrollBar* Bar() const { return state_.owner.horizontalScrollBar(); }
  int ViewWidth() const { return state_.owner.viewport()->width(); }

  void UpdateScrollRange();

  // The first and one past the last column that keep controls.
  std::pair<int, int> WantedRange() const;

  // Gives controls to the columns in and near the view, taking them from
  // the columns that left it, and places every panel.
  void Arrange();

  // The controls not wanted for the columns first to last, their columns
  // released. The focused list keeps its column, in view or not: taking it
  // away would move the focus and clear the preview.
  std::vector<TColumnControls*> FreeOutside(int first, int last);

  TColumnControls& TakeSpare(std::vector<TColumnControls*>& spare);

  // Gives the controls to column i and shows what the record holds, listed
  // first when the column is in view.
  void Bind(TColumnControls& c, int i);

  // Where the panel of column i stands in the strip. Columns far off
  // (the focused one, or one asked for) wait just outside the view.
  int Left(int i) const;

  void Place(TColumnControls& c);

  void FillVisibleColumns();

  TStripState& state_;
  TColumnPool& pool_;
  TColumnFiller& filler_;
  int width_ = kDefaultListWidth;
  bool arranging_ = false;
};

}  // namespace tq
