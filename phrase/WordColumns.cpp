#include "WordColumns.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "Codec.h"
#include "ColumnControls.h"
#include "RConfig.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "SlotLogic.h"

namespace tq {
namespace {

constexpr int kDefaultListWidth = 111;
// Columns either side of the view that keep their controls, so that a step
// of the scroll bar finds most of the next columns ready.
constexpr int kColumnMargin = 2;

// The panels' parent inside the viewport.
std::unique_ptr<QWidget> MakeStrip(QWidget* viewport) {
  auto strip = std::make_unique<QWidget>(viewport);
  strip->setObjectName("ColumnStrip");
  // The chosen row of every list stays marked, in white on the highlight
  // colour, when another list has the focus. Set once here, the lists
  // inherit it.
  QPalette palette = strip->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Active, QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
  strip->setPalette(palette);
  return strip;
}

// What every part of the strip works on: the widget, the column records and
// the entry they belong to.
struct TStripState {
  TStripState(TWordColumns& stripOwner, const RDictionary& dictionary)
      : owner(stripOwner), table(dictionary), strip(MakeStrip(stripOwner.viewport())) {}

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
  void ShowRows(TColumnControls& c) {
    c.model->Reload();
    RestorePlace(c);
    ShowChosenWord(c);
    const RWordColumn& column = table_.Column(c.index);
    if (column.filled || column.blank)
      ShowCount(c);
    else
      c.label->clear();
  }

  void ShowButton(TColumnControls& c) {
    const RWordColumn& column = table_.Column(c.index);
    const bool chosen = !column.blank && !IsUncoveredSlot(column.slotText);
    c.button->setText(chosen ? ToQString(column.slotText) : QString());
    c.button->setChecked(chosen);
    ShowChosenWord(c);
  }

  // A column holding a chosen word has that word selected in its list, in
  // view: the highlight follows the word, whatever put it there (a choice,
  // an accepted phrase, Undo or Redo).
  void ShowChosenWord(TColumnControls& c) {
    const RWordColumn& column = table_.Column(c.index);
    if (column.blank || !column.filled || IsUncoveredSlot(column.slotText)) return;
    const auto word = std::find(column.rows.begin(), column.rows.end(), column.slotText);
    const auto row = static_cast<int>(word - column.rows.begin());
    if (word == column.rows.end() || row >= c.model->rowCount(QModelIndex())) return;
    if (c.SelectedRow() != row) c.Select(row);
    c.list->scrollTo(c.model->index(row), QAbstractItemView::EnsureVisible);
  }

  void ShowButtons() {
    for (auto& c : pool_.All())
      if (c->index >= 0) ShowButton(*c);
  }

  // The columns laid out afresh for an entry: the lists of its uncovered
  // digits highlight nothing, since none of their words is chosen (a list
  // whose digits stayed would still mark the word of the entry before).
  void ClearUncoveredHighlights() {
    for (auto& c : pool_.All()) {
      if (c->index < 0) continue;
      const RWordColumn& column = table_.Column(c->index);
      if (!column.blank && IsUncoveredSlot(column.slotText)) c->list->selectionModel()->clear();
    }
  }

  void ShowCount(TColumnControls& c) {
    const RWordColumn& column = table_.Column(c.index);
    if (column.blank) {
      c.label->clear();
      c.label->hide();
    } else {
      c.label->setText(QString::number(column.wordCount));
      c.label->show();
    }
  }

  // A placeholder column got its blank rows: shown from the top.
  void ShowBlankRows(TColumnControls& c) {
    c.model->Reload();
    c.list->scrollToTop();
    ShowCount(c);
  }

  // Brings the column up to date; a column listed afresh starts where its
  // record says (at the top when its digits changed).
  void UpdateColumn(TColumnControls& c) {
    if (!table_.UpdateColumn(c.index)) return;
    ShowRows(c);
  }

  // After a dictionary change. Only the columns with controls have rows;
  // the others are listed afresh when they come into view.
  void RefillColumns() {
    table_.DictionaryChanged();
    for (auto& c : pool_.All())
      if (c->index >= 0 && table_.Column(c->index).filled && !table_.Column(c->index).digits.empty())
        FillColumn(*c);
  }

 private:
  // Lists the column's words afresh; the list keeps its scroll position.
  void FillColumn(TColumnControls& c) {
    QScrollBar* bar = c.list->verticalScrollBar();
    const int position = bar->value();
    table_.FillColumn(c.index);
    c.model->Reload();
    c.list->doItemsLayout();
    bar->setValue(position);
    ShowCount(c);
    ShowChosenWord(c);
  }

  void RestorePlace(TColumnControls& c) {
    const RWordColumn& column = table_.Column(c.index);
    const int rows = c.model->rowCount(QModelIndex());
    if (column.selectedRow >= 0 && column.selectedRow < rows) c.Select(column.selectedRow);
    if (column.topRow > 0 && column.topRow < rows)
      c.list->scrollTo(c.model->index(column.topRow), QAbstractItemView::PositionAtTop);
    else
      c.list->scrollToTop();
  }

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
  bool InView(int i) const {
    const long long pitch = Pitch();
    const long long left = Bar()->value();
    const long long right = left + ViewWidth();
    return i * pitch < right && (i + 1) * pitch > left;
  }

  // The first column whose left edge is in view (or the last column).
  int FirstColumnInView() const {
    const int pitch = Pitch();
    return std::min((Bar()->value() + pitch - 1) / pitch, state_.table.ColumnCount() - 1);
  }

  // The column under the view's right edge (or the last column).
  int LastColumnInView() const {
    const long long right = static_cast<long long>(Bar()->value()) + std::max(ViewWidth(), 1) - 1;
    return static_cast<int>(std::min<long long>(right / Pitch(), state_.table.ColumnCount() - 1));
  }

  // Scrolls just far enough to show column i whole.
  void ShowColumn(int i) {
    if (i < 0 || i >= state_.table.ColumnCount()) return;
    QScrollBar* bar = Bar();
    const long long left = static_cast<long long>(i) * Pitch();
    const long long right = left + width_;
    if (left < bar->value())
      bar->setValue(static_cast<int>(left));
    else if (right > static_cast<long long>(bar->value()) + ViewWidth())
      bar->setValue(static_cast<int>(std::min<long long>(right - ViewWidth(), bar->maximum())));
  }

  // The viewport changed size or was shown: the strip fills it again.
  void FitStrip() {
    state_.strip->setGeometry(state_.owner.viewport()->rect());
    ViewMoved();
  }

  // The columns or their width changed: the scroll range and the controls
  // follow.
  void ViewMoved() {
    UpdateScrollRange();
    FollowView();
  }

  // The strip scrolled. The panels are placed afresh rather than the
  // view's pixels moved.
  void FollowView() {
    Arrange();
    FillVisibleColumns();
  }

  // Column i's controls, made now when it has none.
  TColumnControls* Controls(int i) {
    if (i < 0 || i >= state_.table.ColumnCount()) return nullptr;
    if (TColumnControls* c = pool_.At(i)) return c;
    TColumnControls& c = pool_.Create();
    Bind(c, i);
    Place(c);
    return &c;
  }

 private:
  QScrollBar* Bar() const { return state_.owner.horizontalScrollBar(); }
  int ViewWidth() const { return state_.owner.viewport()->width(); }

  void UpdateScrollRange() {
    QScrollBar* bar = Bar();
    const long long total = static_cast<long long>(state_.table.ColumnCount()) * Pitch();
    const int view = ViewWidth();
    const long long most = std::max<long long>(0, total - view);
    bar->setRange(0, static_cast<int>(std::min<long long>(most, std::numeric_limits<int>::max())));
    bar->setPageStep(std::max(view, 1));
    bar->setSingleStep(20);
  }

  // The first and one past the last column that keep controls.
  std::pair<int, int> WantedRange() const {
    const int count = state_.table.ColumnCount();
    const int left = Bar()->value();
    const int first = std::max(0, left / Pitch() - kColumnMargin);
    const long long right = static_cast<long long>(left) + ViewWidth();
    const long long last = right / Pitch() + 1 + kColumnMargin;
    return {std::min(first, count), static_cast<int>(std::min<long long>(last, count))};
  }

  // Gives controls to the columns in and near the view, taking them from
  // the columns that left it, and places every panel.
  void Arrange() {
    if (arranging_) return;
    arranging_ = true;
    const auto [first, last] = WantedRange();
    std::vector<TColumnControls*> spare = FreeOutside(first, last);
    for (int i = first; i < last; ++i)
      if (!pool_.At(i)) Bind(TakeSpare(spare), i);
    pool_.Retire(spare);
    for (auto& c : pool_.All()) Place(*c);
    arranging_ = false;
  }

  // The controls not wanted for the columns first to last, their columns
  // released. The focused list keeps its column, in view or not: taking it
  // away would move the focus and clear the preview.
  std::vector<TColumnControls*> FreeOutside(int first, int last) {
    std::vector<TColumnControls*> spare;
    for (auto& c : pool_.All()) {
      const int i = c->index;
      if (i >= first && i < last) continue;
      if (i >= 0 && (c->list->hasFocus() || c->button->hasFocus())) continue;
      if (i >= 0) pool_.Release(*c);
      spare.push_back(c.get());
    }
    return spare;
  }

  TColumnControls& TakeSpare(std::vector<TColumnControls*>& spare) {
    if (spare.empty()) return pool_.Create();
    TColumnControls& c = *spare.back();
    spare.pop_back();
    return c;
  }

  // Gives the controls to column i and shows what the record holds, listed
  // first when the column is in view.
  void Bind(TColumnControls& c, int i) {
    pool_.SetIndex(c, i);
    if (InView(i) && state_.table.NeedsUpdate(i)) state_.table.UpdateColumn(i);
    filler_.ShowRows(c);
    filler_.ShowButton(c);
    c.panel->show();
    c.splitter->show();
  }

  // Where the panel of column i stands in the strip. Columns far off
  // (the focused one, or one asked for) wait just outside the view.
  int Left(int i) const {
    const long long x = static_cast<long long>(i) * Pitch() - Bar()->value();
    if (x + Pitch() <= 0) return -Pitch();
    if (x >= state_.strip->width()) return state_.strip->width();
    return static_cast<int>(x);
  }

  void Place(TColumnControls& c) {
    const int x = Left(c.index);
    const int height = state_.strip->height();
    c.panel->setGeometry(x, 0, width_, height);
    c.splitter->setGeometry(x + width_, 0, kSplitterWidth, height);
  }

  void FillVisibleColumns() {
    for (auto& c : pool_.All())
      if (c->index >= 0 && InView(c->index) && state_.table.NeedsUpdate(c->index)) filler_.UpdateColumn(*c);
  }

  TStripState& state_;
  TColumnPool& pool_;
  TColumnFiller& filler_;
  int width_ = kDefaultListWidth;
  bool arranging_ = false;
};

// Keeps the phrase and the columns in step with the entry after a new
// number, a choice or a dictionary change, and tells the main window through
// the strip's signals. Owns nothing.
class TStripSync {
 public:
  TStripSync(TStripState& state, TColumnPool& pool, TColumnLayout& layout, TColumnFiller& filler)
      : state_(state), pool_(pool), layout_(layout), filler_(filler) {}

  void ShowPhrase() {
    if (state_.number) emit state_.owner.PhraseShown(ToQString(state_.number->Phrase()));
  }

  void RefreshPhrase() {
    if (!state_.number) return;
    state_.table.RefreshPhrase(*state_.number);
    ShowPhrase();
    emit state_.owner.NumberRowChanged();
  }

  bool ValidateSlots() {
    if (!state_.number) return true;
    const bool sound = state_.table.ValidateSlots(*state_.number);
    if (!sound) {
      // The table already recomposed the phrase; the window still has to show it.
      ShowPhrase();
      emit state_.owner.NumberRowChanged();
    }
    return sound;
  }

  // `all`: the entry may have changed anywhere (another entry, a new
  // number, a dictionary change); otherwise only around the last choice.
  // `shown`: RefreshPhrase has just shown the phrase, and laying a long one
  // out in the field again would cost more than the rest of the step. (Had
  // the validation to repair anything, it showed the phrase itself.)
  // Returns true when the validation repaired the entry's words.
  bool RebuildColumns(bool all, bool shown) {
    bool repaired = false;
    {
      TReshaping reshaping(state_);
      if (all) repaired = !ValidateSlots();
      TFrozenStrip frozen(state_);
      ShowBlankColumns(all || !state_.number ? state_.table.RebuildColumns(state_.number)
                                             : state_.table.RebuildChanged(*state_.number));
      layout_.ViewMoved();
      filler_.ShowButtons();
      if (all) filler_.ClearUncoveredHighlights();
    }
    if (!shown) ShowPhrase();
    return repaired;
  }

  // A word was chosen or given back.
  void WordsChanged(bool chosen) {
    RefreshPhrase();
    RebuildColumns(false, true);
    emit state_.owner.WorksheetModified(chosen);
  }

  bool CommitNumber(const std::string& typed) {
    if (!state_.number) return false;
    if (!TakeNumber(typed)) {
      emit state_.owner.NumberRowChanged();
      return false;
    }
    RefreshPhrase();
    RebuildColumns(true, true);
    return true;
  }

  void DeleteAllColumns() {
    TReshaping reshaping(state_);
    TFrozenStrip frozen(state_);
    state_.table.DeleteAllColumns();
    layout_.ViewMoved();
  }

 private:
  bool TakeNumber(const std::string& typed) {
    TReshaping reshaping(state_);
    TFrozenStrip frozen(state_);
    return state_.table.CommitNumber(*state_.number, typed);
  }

  // A placeholder column has its blank rows already; the other changed
  // columns are brought up to date when in view, else when first painted.
  void ShowBlankColumns(const std::vector<int>& changed) {
    for (int i : changed) {
      if (!state_.table.Column(i).blank) continue;
      if (TColumnControls* c = pool_.At(i)) filler_.ShowBlankRows(*c);
    }
  }

  TStripState& state_;
  TColumnPool& pool_;
  TColumnLayout& layout_;
  TColumnFiller& filler_;
};

// A stop of the tab chain: column `column`'s button or its list.
struct TTabStop {
  int column = 0;
  bool button = false;
};

// The user's actions on the columns (choosing and giving back words, the
// preview, the first-letter jump, the pop-up menu) and the keyboard's way
// through the strip. Owns the hooking up of every set of controls to these
// handlers.
class TColumnActions final : public TColumnWiring {
 public:
  TColumnActions(TStripState& state, TColumnPool& pool, TColumnLayout& layout, TColumnFiller& filler,
                 TStripSync& sync)
      : state_(state), pool_(pool), layout_(layout), filler_(filler), sync_(sync) {}

  void Connect(TColumnControls& c) override {
    TColumnControls* raw = &c;
    TWordColumns* owner = &state_.owner;
    QObject::connect(c.button, &QPushButton::clicked, owner, [this, raw] { UnselectWord(*raw); });
    c.list->onChoose = [this, raw] { SelectWord(*raw, true); };
    c.list->onLetter = [this, raw](char letter) { FirstLetterJump(*raw, letter); };
    c.list->onFocus = [this, raw](bool entered) { ListFocus(*raw, entered); };
    c.list->onFirstPaint = [this, raw] { ListCustomDraw(*raw); };
    c.list->onContextMenu = [this, raw](int row, const QPoint& global) { ContextMenu(*raw, row, global); };
    QObject::connect(c.list, &QListView::doubleClicked, owner, [this, raw] { SelectWord(*raw, false); });
    QObject::connect(c.list, &QListView::clicked, owner, [this, raw] { ListClick(*raw); });
    c.splitter->onMoved = [this](int dx) { state_.owner.SplitterMoved(layout_.Width() + dx); };
  }

  void Disconnect(TColumnControls& c) override {
    c.list->onChoose = nullptr;
    c.list->onLetter = nullptr;
    c.list->onFocus = nullptr;
    c.list->onFirstPaint = nullptr;
    c.list->onContextMenu = nullptr;
    c.splitter->onMoved = nullptr;
    QObject::disconnect(c.button, nullptr, &state_.owner, nullptr);
    QObject::disconnect(c.list, nullptr, &state_.owner, nullptr);
  }

  // Column i's button is a stop of the tab chain while it holds a word.
  bool ButtonIsStop(int i) const {
    const RWordColumn& column = state_.table.Column(i);
    return !column.blank && !IsUncoveredSlot(column.slotText);
  }

  // Gives column i's list the focus, scrolled into view, with its first
  // word selected. False when there is no column i.
  bool FocusList(int i, Qt::FocusReason reason) {
    if (i < 0 || i >= state_.table.ColumnCount()) return false;
    layout_.ShowColumn(i);
    TColumnControls* c = layout_.Controls(i);
    if (!c) return false;
    filler_.UpdateColumn(*c);
    SelectFirstWord(*c);
    c->list->setFocus(reason);
    return true;
  }

  // Column i's button or its list takes the focus, scrolled into view.
  void FocusStop(TTabStop stop, Qt::FocusReason reason) {
    layout_.ShowColumn(stop.column);
    TColumnControls* c = layout_.Controls(stop.column);
    if (!c) return;
    if (stop.button)
      c->button->setFocus(reason);
    else
      c->list->setFocus(reason);
  }

  // The strip is the one stop of the window's tab chain for all its
  // columns and passes the focus on at once: Tab enters at the first
  // column in view, Shift+Tab at the last one's list.
  void EnterStrip(Qt::FocusReason reason) {
    if (state_.table.ColumnCount() == 0) return;  // only before the first entry is laid out
    if (reason == Qt::BacktabFocusReason) {
      FocusStop({layout_.LastColumnInView(), false}, Qt::BacktabFocusReason);
      return;
    }
    const int first = layout_.FirstColumnInView();
    FocusStop({first, ButtonIsStop(first)}, reason == Qt::TabFocusReason ? Qt::TabFocusReason : Qt::OtherFocusReason);
  }

  // Tab (`next`) or Shift+Tab from `focus`, column c's button or list.
  bool TabFrom(QWidget* focus, const TColumnControls& c, bool next) {
    const Qt::FocusReason reason = next ? Qt::TabFocusReason : Qt::BacktabFocusReason;
    if (const std::optional<TTabStop> stop = StopAfter(c.index, c.button == focus, next)) {
      FocusStop(*stop, reason);
      return true;
    }
    return LeaveStrip(focus, next, reason);
  }

 private:
  // Whether a list's event may act on the slots.
  bool Answers(const TColumnControls& c) const { return c.index >= 0 && state_.number && !state_.Reshaping(); }

  template <class Change>
  bool Reshape(Change change) {
    TReshaping reshaping(state_);
    return change();
  }

  // `byKey`: chosen with Enter, so the keyboard goes on to the next digit
  // still uncovered, where Enter again takes its first word; a second Enter
  // here would only replace the word just chosen.
  void SelectWord(TColumnControls& c, bool byKey) {
    if (!Answers(c)) return;
    const int i = c.index;
    if (!Reshape([&] { return state_.table.ChooseWord(*state_.number, i, c.SelectedText()); })) return;
    // The column lists the words of the chosen one's code now, with that
    // word highlighted and in view.
    sync_.WordsChanged(true);
    if (byKey) MoveOnFrom(i);
  }

  void MoveOnFrom(int i) {
    const int next = state_.table.NextUncoveredColumn(i);
    if (next >= 0)
      FocusList(next, Qt::OtherFocusReason);
    else
      emit state_.owner.PhraseCompleted();
  }

  void UnselectWord(TColumnControls& c) {
    if (c.index < 0 || state_.Reshaping()) return;
    // Clicking toggles the button; what it shows is set from the slots below.
    c.button->setChecked(false);
    if (!state_.number) return;
    const int i = c.index;
    // Pressed from the keyboard: the button holds no word afterwards, so
    // the focus goes down to the digits given back.
    const bool byKey = c.button->hasFocus();
    if (!Reshape([&] { return state_.table.UnselectWord(*state_.number, i); })) return;
    sync_.WordsChanged(false);
    if (byKey) FocusList(std::min(i, state_.table.ColumnCount() - 1), Qt::OtherFocusReason);
  }

  void SelectFirstWord(TColumnControls& c) {
    const int row = FirstWordRow(state_.table.Column(c.index).rows);
    if (row < 0 || row >= c.model->rowCount(QModelIndex())) return;
    c.Select(row);
    c.list->scrollTo(c.model->index(row));
  }

  void ListClick(TColumnControls& c) {
    if (!Answers(c)) return;
    if (state_.table.PreviewWord(*state_.number, c.index, c.SelectedText())) sync_.ShowPhrase();
  }

  void ListFocus(TColumnControls& c, bool /*entered*/) {
    if (!Answers(c)) return;
    if (state_.table.ClearPreview(*state_.number, c.index)) sync_.ShowPhrase();
  }

  // A list about to paint rows it has not got yet fills first.
  void ListCustomDraw(TColumnControls& c) {
    if (c.index < 0 || state_.Reshaping() || !state_.table.NeedsUpdate(c.index)) return;
    filler_.UpdateColumn(c);
    c.list->doItemsLayout();
  }

  void FirstLetterJump(TColumnControls& c, char letter) {
    if (c.index < 0) return;
    const int row = state_.table.FirstLetterJump(c.index, c.SelectedRow(), letter);
    if (row < 0) return;
    c.Select(row);
    // Above the view the row becomes the top one, below it the last one.
    c.list->scrollTo(c.model->index(row), QAbstractItemView::EnsureVisible);
  }

  void ContextMenu(TColumnControls& c, int row, const QPoint& globalPos) {
    if (c.index < 0) return;
    QString word;
    if (row >= 0) {
      c.Select(row);
      const std::string* text = c.model->RowText(row);
      if (text && IsWordRow(*text)) word = ToQString(*text);
    }
    emit state_.owner.WordListContextMenu(c.index, word, globalPos);
  }

  // Column by column: the button while it holds a word, then the list.
  // None past the first or the last column.
  std::optional<TTabStop> StopAfter(int i, bool onButton, bool next) const {
    if (next && onButton) return TTabStop{i, false};
    if (!next && !onButton && ButtonIsStop(i)) return TTabStop{i, true};
    const int target = i + (next ? 1 : -1);
    if (target < 0 || target >= state_.table.ColumnCount()) return std::nullopt;
    return TTabStop{target, next && ButtonIsStop(target)};
  }

  // Past the first or the last column the focus leaves the strip; the
  // other lists' places in the focus chain say nothing about their columns.
  bool LeaveStrip(QWidget* focus, bool next, Qt::FocusReason reason) {
    for (QWidget* w = Neighbour(focus, next); w && w != focus; w = Neighbour(w, next)) {
      if (!TakesTabOutside(*w)) continue;
      w->setFocus(reason);
      return true;
    }
    return false;
  }

  static QWidget* Neighbour(QWidget* w, bool next) { return next ? w->nextInFocusChain() : w->previousInFocusChain(); }

  bool TakesTabOutside(const QWidget& w) const {
    const TWordColumns& owner = state_.owner;
    return !owner.isAncestorOf(&w) && (w.focusPolicy() & Qt::TabFocus) && w.isEnabled() &&
           w.isVisibleTo(owner.window());
  }

  TStripState& state_;
  TColumnPool& pool_;
  TColumnLayout& layout_;
  TColumnFiller& filler_;
  TStripSync& sync_;
};

}  // namespace

// The strip's parts, built in the order they lean on one another.
struct TWordColumns::Private {
  Private(TWordColumns& owner, const RDictionary& dictionary)
      : state(owner, dictionary),
        pool(std::make_unique<TColumnPool>(state.table, *state.strip)),
        filler(std::make_unique<TColumnFiller>(state.table, *pool)),
        layout(std::make_unique<TColumnLayout>(state, *pool, *filler)),
        sync(std::make_unique<TStripSync>(state, *pool, *layout, *filler)),
        actions(std::make_unique<TColumnActions>(state, *pool, *layout, *filler, *sync)) {
    pool->SetWiring(actions.get());
    state.table.SetObserver(pool.get());
  }

  TStripState state;
  RConfig* config = nullptr;
  std::unique_ptr<TColumnPool> pool;
  std::unique_ptr<TColumnFiller> filler;
  std::unique_ptr<TColumnLayout> layout;
  std::unique_ptr<TStripSync> sync;
  std::unique_ptr<TColumnActions> actions;
};

TWordColumns::TWordColumns(RDictionary& dictionary, QWidget* parent)
    : QAbstractScrollArea(parent), d_(std::make_unique<Private>(*this, dictionary)) {
  setObjectName("ScrollBox");
  // Only Tab stops here, and only to hand the focus on to a column.
  setFocusPolicy(Qt::TabFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

TWordColumns::~TWordColumns() {
  // The controls go first, while the state their handlers look at still
  // exists; a list losing the focus on the way out must change nothing.
  d_->state.table.SetObserver(nullptr);
  d_->state.number = nullptr;
  ++d_->state.updateDepth;
  d_->state.strip.reset();
  d_->pool->Clear();
}

void TWordColumns::SetConfig(RConfig* config) {
  d_->config = config;
  if (config && config->GetWordListWidth() != d_->layout->Width()) {
    d_->layout->SetWidth(std::max(config->GetWordListWidth(), kMinListWidth));
    d_->layout->ViewMoved();
  }
}

void TWordColumns::SetCurrentNumber(RNumber* number) { d_->state.number = number; }
RNumber* TWordColumns::CurrentNumber() const { return d_->state.number; }

bool TWordColumns::CommitNumber(const std::string& typed) { return d_->sync->CommitNumber(typed); }

bool TWordColumns::ValidateSlots() {
  // Called from outside only after the dictionary or the mapping changed:
  // the known codes may differ now, so every run is cut again.
  d_->state.table.DictionaryChanged();
  return d_->sync->ValidateSlots();
}
bool TWordColumns::RebuildColumns() { return d_->sync->RebuildColumns(true, false); }
void TWordColumns::RefreshPhrase() { d_->sync->RefreshPhrase(); }
void TWordColumns::RefillColumns() { d_->filler->RefillColumns(); }
void TWordColumns::DeleteAllColumns() { d_->sync->DeleteAllColumns(); }

int TWordColumns::ColumnCount() const { return d_->state.table.ColumnCount(); }

namespace {

// One of the controls `c` holds; null when there are no controls.
template <class Widget>
Widget* ControlOf(const TColumnControls* c, Widget* TColumnControls::*which) {
  return c ? c->*which : nullptr;
}

}  // namespace

QWidget* TWordColumns::ColumnPanel(int column) const {
  return ControlOf(d_->layout->Controls(column), &TColumnControls::panel);
}
QListView* TWordColumns::WordList(int column) const {
  return ControlOf(d_->layout->Controls(column), &TColumnControls::list);
}
QAbstractButton* TWordColumns::WordButton(int column) const {
  return ControlOf(d_->layout->Controls(column), &TColumnControls::button);
}
QLabel* TWordColumns::CountLabel(int column) const {
  return ControlOf(d_->layout->Controls(column), &TColumnControls::label);
}
QWidget* TWordColumns::ColumnSplitter(int column) const {
  return ControlOf(d_->layout->Controls(column), &TColumnControls::splitter);
}

QListView* TWordColumns::FocusedWordList() const {
  const QWidget* focus = QApplication::focusWidget();
  const TColumnControls* c = focus ? d_->pool->Holding(focus) : nullptr;
  return c && c->list == focus ? c->list : nullptr;
}

void TWordColumns::ShowColumn(int column) { d_->layout->ShowColumn(column); }

const RWordColumns& TWordColumns::Columns() const { return d_->state.table; }
int TWordColumns::WordListWidth() const { return d_->layout->Width(); }

void TWordColumns::SplitterMoved(int width) {
  if (ColumnCount() == 0) return;
  const int w = std::max(width, kMinListWidth);
  d_->layout->SetWidth(w);
  if (d_->config) d_->config->SetWordListWidth(w);
  d_->layout->ViewMoved();
}

void TWordColumns::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  d_->layout->FitStrip();
}

void TWordColumns::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  d_->layout->FitStrip();
}

void TWordColumns::scrollContentsBy(int /*dx*/, int /*dy*/) { d_->layout->FollowView(); }

bool TWordColumns::focusNextPrevChild(bool next) {
  QWidget* focus = QApplication::focusWidget();
  const TColumnControls* c = focus ? d_->pool->Holding(focus) : nullptr;
  if (!c) return QAbstractScrollArea::focusNextPrevChild(next);
  return d_->actions->TabFrom(focus, *c, next);
}

void TWordColumns::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  d_->actions->EnterStrip(event->reason());
}

bool TWordColumns::FocusWordList(int column) { return d_->actions->FocusList(column, Qt::OtherFocusReason); }

bool TWordColumns::FocusFirstWordList() {
  if (!d_->state.number || d_->state.number->SlotCount() == 0) return false;
  const int uncovered = d_->state.table.NextUncoveredColumn(-1);
  return d_->actions->FocusList(uncovered >= 0 ? uncovered : 0, Qt::OtherFocusReason);
}

}  // namespace tq
