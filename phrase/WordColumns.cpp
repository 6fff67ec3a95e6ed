#include "WordColumns.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "Codec.h"
#include "ColumnLayout.h"
#include "RConfig.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "SlotLogic.h"

namespace tq {
namespace {

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

  bool ValidateSlots(const RSlotPlaces* before = nullptr) {
    if (!state_.number) return true;
    const bool sound = state_.table.ValidateSlots(*state_.number, before);
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

bool TWordColumns::ValidateSlots(const RSlotPlaces* before) {
  // Called from outside only after the dictionary or the mapping changed:
  // the known codes may differ now, so every run is cut again.
  d_->state.table.DictionaryChanged();
  return d_->sync->ValidateSlots(before);
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
