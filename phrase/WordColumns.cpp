#include "WordColumns.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QBoxLayout>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "Codec.h"
#include "RConfig.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "SlotLogic.h"

namespace tq {
namespace {

constexpr int kDefaultListWidth = 111;
constexpr int kMinListWidth = 15;
constexpr int kSplitterWidth = 2;
constexpr int kButtonHeight = 15;
// The pixels between a list's frame and its rows, where the focused list
// widens its frame.
constexpr int kFocusRim = 1;
const QColor kHeaderColour(192, 192, 192);

// The rows of one column, asked for on demand. The rows themselves stay in
// the column record; the model only remembers how many it last announced, so
// the view never reads past what it was told about.
class TWordListModel final : public QAbstractListModel {
 public:
  TWordListModel(const RWordColumns& table, QObject* parent) : QAbstractListModel(parent), table_(table) {}

  // The column's place in the table; -1 once the column is gone.
  void SetIndex(int index) { index_ = index; }

  // The record changed under us: announce its rows afresh.
  void Reload() {
    beginResetModel();
    count_ = Rows() ? static_cast<int>(Rows()->size()) : 0;
    endResetModel();
  }

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : count_; }

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* rows = Rows();
    if (!rows || !index.isValid() || index.row() >= static_cast<int>(rows->size())) return {};
    const std::string& row = (*rows)[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return ToQString(row);
    if (role == Qt::BackgroundRole && IsHeaderRow(row)) return kHeaderColour;
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    // The empty rows of a placeholder column only fill it out; there is
    // nothing in them to select.
    const std::string* row = RowText(index.row());
    return row && row->empty() ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  }

  const std::string* RowText(int row) const {
    const auto* rows = Rows();
    if (!rows || row < 0 || row >= static_cast<int>(rows->size())) return nullptr;
    return &(*rows)[static_cast<std::size_t>(row)];
  }

 private:
  const std::vector<std::string>* Rows() const {
    if (index_ < 0 || index_ >= table_.ColumnCount()) return nullptr;
    return &table_.Column(index_).rows;
  }

  const RWordColumns& table_;
  int index_ = -1;
  int count_ = 0;
};

// Header rows keep their silver band when selected or current, in the
// focused list too: they are labels, not choices. Empty rows show nothing.
class TWordRowDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!IsWordRow(FromQString(option->text))) option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
  }
};

// A column's list: routes the keys, focus changes, first paint and pop-up
// requests to the strip, which knows the column's index.
class TWordListView final : public QListView {
 public:
  explicit TWordListView(QWidget* parent) : QListView(parent) {
    setViewportMargins(kFocusRim, kFocusRim, kFocusRim, kFocusRim);
  }

  std::function<void()> onChoose;
  std::function<void(char)> onLetter;
  std::function<void(bool entered)> onFocus;
  std::function<void()> onFirstPaint;
  // The row the menu is for (-1 for none) and where to show it.
  std::function<void(int row, const QPoint& globalPos)> onContextMenu;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      if (onChoose) onChoose();
      return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0] >= QChar('a') && text[0] <= QChar('z')) {
      if (onLetter) onLetter(static_cast<char>(text[0].unicode()));
      return;
    }
    // Other characters do nothing: the list's own type-ahead search would
    // fight the first-letter jump.
    if (!text.isEmpty() && text[0].isPrint()) return;
    QListView::keyPressEvent(event);
  }

  // The arrow and page keys step over the header rows to the next word
  // that way (or back the other way at an end), so that Down and Enter
  // always choose a word. A list without words moves as usual.
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
    const QModelIndex moved = QListView::moveCursor(action, modifiers);
    const auto* rows = static_cast<const TWordListModel*>(model());
    if (!moved.isValid() || !rows) return moved;
    int step = 0;
    switch (action) {
      case MoveDown: case MoveNext: case MovePageDown: case MoveHome: step = 1; break;
      case MoveUp: case MovePrevious: case MovePageUp: case MoveEnd: step = -1; break;
      default: return moved;
    }
    for (int direction : {step, -step})
      for (int r = moved.row(); const std::string* row = rows->RowText(r); r += direction)
        if (IsWordRow(*row)) return rows->index(r);
    return moved;
  }

  void focusInEvent(QFocusEvent* event) override {
    QListView::focusInEvent(event);
    update();  // the frame
    if (onFocus && MovedWithinWindow(event->reason())) onFocus(true);
  }

  void focusOutEvent(QFocusEvent* event) override {
    QListView::focusOutEvent(event);
    update();
    if (onFocus && MovedWithinWindow(event->reason())) onFocus(false);
  }

  // Every list keeps its selected word marked, so the selection cannot say
  // which list the keys go to: the focused one wears a frame in the
  // highlight colour, its own frame and a rim of one pixel inside it that
  // the rows leave free for it (in the rows' colour otherwise).
  bool event(QEvent* event) override {
    const bool handled = QListView::event(event);
    if (event->type() == QEvent::Paint) {
      QPainter painter(this);
      const int frame = frameWidth();
      const bool focused = hasFocus();
      const int width = focused ? frame + kFocusRim : kFocusRim;
      const qreal inset = (focused ? 0 : frame) + width / 2.0;
      QPen pen(palette().color(QPalette::Active, focused ? QPalette::Highlight : QPalette::Base), width);
      pen.setJoinStyle(Qt::MiterJoin);
      painter.setPen(pen);
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
    }
    return handled;
  }

  bool viewportEvent(QEvent* event) override {
    if (event->type() == QEvent::Paint && onFirstPaint) onFirstPaint();
    return QListView::viewportEvent(event);
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    if (!onContextMenu) return;
    // From the mouse the row under it; from the keyboard the current row.
    const QModelIndex index = event->reason() == QContextMenuEvent::Mouse
                                  ? indexAt(viewport()->mapFromGlobal(event->globalPos()))
                                  : currentIndex();
    onContextMenu(index.isValid() ? index.row() : -1, event->globalPos());
  }

 private:
  // Switching to another window or opening a pop-up menu is not leaving
  // the list.
  static bool MovedWithinWindow(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
  }
};

// The button above a column: shows the chosen word, and pressing it gives
// the word back. The strip hands it the focus with Tab while it holds a
// word; then Space or Enter presses it, as in a dialog.
class TWordButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
      click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

// The separator right of a column. Only the first column's one can be
// dragged; the width changes when the drag ends, for all columns at once.
class TColumnSplitter final : public QWidget {
 public:
  explicit TColumnSplitter(QWidget* parent) : QWidget(parent) {
    setObjectName("WordSplitter");
    setFixedWidth(kSplitterWidth);
  }

  std::function<void(int dx)> onMoved;

  void SetDraggable(bool draggable) {
    draggable_ = draggable;
    setCursor(draggable ? Qt::SplitHCursor : Qt::ArrowCursor);
  }
  bool Draggable() const { return draggable_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (draggable_ && event->button() == Qt::LeftButton) {
      dragging_ = true;
      pressX_ = mapToGlobal(QPoint(0, 0)).x();
    }
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (!dragging_) return;
    dragging_ = false;
    if (onMoved) onMoved(static_cast<int>(event->globalPosition().x()) - pressX_);
  }

 private:
  bool draggable_ = false;
  bool dragging_ = false;
  int pressX_ = 0;
};

struct TColumnControls {
  int index = -1;  // the column shown; -1 while the controls are spare
  QWidget* panel = nullptr;
  TWordButton* button = nullptr;
  TWordListView* list = nullptr;
  QLabel* label = nullptr;
  TColumnSplitter* splitter = nullptr;
  TWordListModel* model = nullptr;
};

// Columns either side of the view that keep their controls, so that a step
// of the scroll bar finds most of the next columns ready.
constexpr int kColumnMargin = 2;

}  // namespace

struct TWordColumns::Private final : RColumnObserver {
  Private(TWordColumns& owner, const RDictionary& dictionary) : q(owner), table(dictionary) {
    table.SetObserver(this);
  }

  TWordColumns& q;
  RConfig* config = nullptr;
  RNumber* number = nullptr;
  RWordColumns table;
  // The controls alive: those of the columns in view and the margins, the
  // focused list's column wherever it is, and columns asked for by index.
  std::vector<std::unique_ptr<TColumnControls>> controls;
  QWidget* strip = nullptr;
  TWordRowDelegate* delegate = nullptr;
  int width = kDefaultListWidth;
  // Raised while the columns are being reshaped: focus moving off a list that
  // is being removed must not touch the half-changed slots.
  int updateDepth = 0;
  bool inLayout = false;

  int Pitch() const { return width + kSplitterWidth; }

  TColumnControls* At(int i) const {
    if (i < 0) return nullptr;
    for (const auto& c : controls)
      if (c->index == i) return c.get();
    return nullptr;
  }

  int ConfiguredWidth() const {
    const int w = config ? config->GetWordListWidth() : width;
    return std::max(w, kMinListWidth);
  }

  // --- RColumnObserver --------------------------------------------------------
  //
  // The table tells us about every column it inserts or deletes; only the
  // controls alive need renumbering, however long the number is.

  void ColumnInserted(int i) override {
    for (auto& c : controls)
      if (c->index >= i) SetIndex(*c, c->index + 1);
  }

  void ColumnDeleted(int i) override {
    for (auto& c : controls) {
      if (c->index == i)
        MakeSpare(*c);
      else if (c->index > i)
        SetIndex(*c, c->index - 1);
    }
  }

  void ColumnEmptied(int i) override {
    if (TColumnControls* c = At(i)) c->model->Reload();
  }

  void SetIndex(TColumnControls& c, int i) {
    c.index = i;
    c.model->SetIndex(i);
    c.splitter->SetDraggable(i == 0);
  }

  // --- controls --------------------------------------------------------------

  TColumnControls* CreateControls() {
    auto c = std::make_unique<TColumnControls>();
    TColumnControls* raw = c.get();
    c->panel = new QWidget(strip);
    c->panel->setObjectName("WordColumn");
    auto* box = new QVBoxLayout(c->panel);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);

    c->button = new TWordButton(c->panel);
    c->button->setObjectName("WordButton");
    c->button->setFlat(true);
    c->button->setCheckable(true);
    // A click leaves the focus where it was; Tab reaches the button through
    // the strip (focusNextPrevChild), only while it holds a word.
    c->button->setFocusPolicy(Qt::NoFocus);
    c->button->setFixedHeight(std::max(kButtonHeight, c->button->fontMetrics().height() + 2));
    QObject::connect(c->button, &QPushButton::clicked, &q, [this, raw] { UnselectWord(*raw); });
    box->addWidget(c->button);

    c->list = new TWordListView(c->panel);
    c->list->setObjectName("WordList");
    c->model = new TWordListModel(table, c->list);
    c->list->setModel(c->model);
    c->list->setItemDelegate(delegate);
    c->list->setUniformItemSizes(true);
    c->list->setSelectionMode(QAbstractItemView::SingleSelection);
    c->list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c->list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c->list->setTextElideMode(Qt::ElideRight);
    c->list->setMinimumWidth(kMinListWidth);
    c->list->setContextMenuPolicy(Qt::DefaultContextMenu);
    // Lists are recycled as the strip scrolls, so their places in the
    // window's tab chain say nothing about their columns: Tab reaches them
    // through the strip alone.
    c->list->setFocusPolicy(Qt::ClickFocus);
    c->list->onChoose = [this, raw] { SelectWord(*raw, true); };
    c->list->onLetter = [this, raw](char letter) { FirstLetterJump(*raw, letter); };
    c->list->onFocus = [this, raw](bool entered) { ListFocus(*raw, entered); };
    c->list->onFirstPaint = [this, raw] { ListCustomDraw(*raw); };
    c->list->onContextMenu = [this, raw](int row, const QPoint& global) { ContextMenu(*raw, row, global); };
    QObject::connect(c->list, &QListView::doubleClicked, &q, [this, raw] { SelectWord(*raw, false); });
    QObject::connect(c->list, &QListView::clicked, &q, [this, raw] { ListClick(*raw); });
    box->addWidget(c->list, 1);

    c->label = new QLabel(c->panel);
    c->label->setObjectName("CountLabel");
    box->addWidget(c->label);

    c->splitter = new TColumnSplitter(strip);
    c->splitter->onMoved = [this](int dx) { q.SplitterMoved(width + dx); };

    controls.push_back(std::move(c));
    return raw;
  }

  // The column is gone (or its controls go to another one): the controls
  // stop showing it and wait, hidden, for the next column.
  void MakeSpare(TColumnControls& c) {
    c.index = -1;
    c.model->SetIndex(-1);
    c.model->Reload();
    c.panel->hide();
    c.splitter->hide();
  }

  // The column is still there but leaves the view: it keeps where its list
  // stood and lets its rows go.
  void Release(TColumnControls& c) {
    const QModelIndex top = c.list->indexAt(QPoint(1, 1));
    const QModelIndexList selected = c.list->selectionModel()->selectedIndexes();
    table.ReleaseRows(c.index, top.isValid() ? top.row() : 0, selected.isEmpty() ? -1 : selected.first().row());
    MakeSpare(c);
  }

  // Spare controls nobody needs go for good.
  void Retire(TColumnControls& c) {
    c.list->onChoose = nullptr;
    c.list->onLetter = nullptr;
    c.list->onFocus = nullptr;
    c.list->onFirstPaint = nullptr;
    c.list->onContextMenu = nullptr;
    c.splitter->onMoved = nullptr;
    QObject::disconnect(c.button, nullptr, &q, nullptr);
    QObject::disconnect(c.list, nullptr, &q, nullptr);
    c.panel->hide();
    c.splitter->hide();
    // Later, not now: the column's own button may be the one being clicked.
    c.panel->deleteLater();
    c.splitter->deleteLater();
  }

  // Gives the controls to column i and shows what the record holds, listed
  // first when the column is in view.
  void Bind(TColumnControls& c, int i) {
    SetIndex(c, i);
    if (InView(i) && table.NeedsUpdate(i)) table.UpdateColumn(i);
    ShowRows(c);
    ShowButton(c);
    c.panel->show();
    c.splitter->show();
  }

  // The model announces the record's rows afresh and the list goes back to
  // where the record says it stood.
  void ShowRows(TColumnControls& c) {
    c.model->Reload();
    const RWordColumn& column = table.Column(c.index);
    const int rows = c.model->rowCount(QModelIndex());
    if (column.selectedRow >= 0 && column.selectedRow < rows)
      c.list->selectionModel()->setCurrentIndex(c.model->index(column.selectedRow),
                                                QItemSelectionModel::ClearAndSelect);
    if (column.topRow > 0 && column.topRow < rows)
      c.list->scrollTo(c.model->index(column.topRow), QAbstractItemView::PositionAtTop);
    else
      c.list->scrollToTop();
    if (column.filled || column.blank)
      ShowCount(c);
    else
      c.label->clear();
  }

  void ShowButton(TColumnControls& c) {
    const RWordColumn& column = table.Column(c.index);
    const bool chosen = !column.blank && !IsUncoveredSlot(column.slotText);
    c.button->setText(chosen ? ToQString(column.slotText) : QString());
    c.button->setChecked(chosen);
  }

  // Where the panel of column i stands in the strip. Columns far off
  // (the focused one, or one asked for) wait just outside the view.
  int Left(int i) const {
    const long long x = static_cast<long long>(i) * Pitch() - q.horizontalScrollBar()->value();
    if (x + Pitch() <= 0) return -Pitch();
    if (x >= strip->width()) return strip->width();
    return static_cast<int>(x);
  }

  void Place(TColumnControls& c) {
    const int x = Left(c.index);
    c.panel->setGeometry(x, 0, width, strip->height());
    c.splitter->setGeometry(x + width, 0, kSplitterWidth, strip->height());
  }

  // The scroll bar spans every column, as if each had its panel.
  void UpdateScrollRange() {
    QScrollBar* bar = q.horizontalScrollBar();
    const long long total = static_cast<long long>(table.ColumnCount()) * Pitch();
    const int view = q.viewport()->width();
    const long long most = std::max<long long>(0, total - view);
    bar->setRange(0, static_cast<int>(std::min<long long>(most, std::numeric_limits<int>::max())));
    bar->setPageStep(std::max(view, 1));
    bar->setSingleStep(20);
  }

  // The first and one past the last column that keep controls.
  std::pair<int, int> WantedRange() const {
    const int count = table.ColumnCount();
    const int left = q.horizontalScrollBar()->value();
    const int first = std::max(0, left / Pitch() - kColumnMargin);
    const long long right = static_cast<long long>(left) + q.viewport()->width();
    const long long last = right / Pitch() + 1 + kColumnMargin;
    return {std::min(first, count), static_cast<int>(std::min<long long>(last, count))};
  }

  // Gives controls to the columns in and near the view, taking them from
  // the columns that left it, and places every panel.
  void Layout() {
    if (inLayout) return;
    inLayout = true;
    const auto [first, last] = WantedRange();
    std::vector<TColumnControls*> spare;
    std::vector<TColumnControls*> shown(static_cast<std::size_t>(last - first), nullptr);
    for (auto& c : controls) {
      const int i = c->index;
      if (i >= first && i < last) {
        shown[static_cast<std::size_t>(i - first)] = c.get();
        continue;
      }
      // The focused list keeps its column, in view or not: taking it away
      // would move the focus and clear the preview.
      if (i >= 0 && (c->list->hasFocus() || c->button->hasFocus())) continue;
      if (i >= 0) Release(*c);
      spare.push_back(c.get());
    }
    for (int i = first; i < last; ++i) {
      if (shown[static_cast<std::size_t>(i - first)]) continue;
      TColumnControls* c = nullptr;
      if (!spare.empty()) {
        c = spare.back();
        spare.pop_back();
      } else {
        c = CreateControls();
      }
      Bind(*c, i);
    }
    for (TColumnControls* c : spare) Retire(*c);
    controls.erase(std::remove_if(controls.begin(), controls.end(),
                                  [&spare](const std::unique_ptr<TColumnControls>& c) {
                                    return std::find(spare.begin(), spare.end(), c.get()) != spare.end();
                                  }),
                   controls.end());
    for (auto& c : controls) Place(*c);
    inLayout = false;
  }

  // Column i's controls, made now when it has none.
  TColumnControls* Controls(int i) {
    if (i < 0 || i >= table.ColumnCount()) return nullptr;
    if (TColumnControls* c = At(i)) return c;
    TColumnControls* c = CreateControls();
    Bind(*c, i);
    Place(*c);
    return c;
  }

  // --- filling ---------------------------------------------------------------

  // Whether the column overlaps the part of the strip scrolled into view.
  // Worked out from the fixed column pitch, so it holds before a new
  // column's panel is placed.
  bool InView(int i) const {
    const long long pitch = Pitch();
    const long long left = q.horizontalScrollBar()->value();
    const long long right = left + q.viewport()->width();
    return i * pitch < right && (i + 1) * pitch > left;
  }

  void ShowCount(TColumnControls& c) {
    const RWordColumn& column = table.Column(c.index);
    if (column.blank) {
      c.label->clear();
      c.label->hide();
    } else {
      c.label->setText(QString::number(column.wordCount));
      c.label->show();
    }
  }

  void FillColumn(TColumnControls& c, bool toTop) {
    QScrollBar* bar = c.list->verticalScrollBar();
    const int position = bar->value();
    table.FillColumn(c.index);
    c.model->Reload();
    if (toTop) {
      c.list->scrollToTop();
    } else {
      c.list->doItemsLayout();
      bar->setValue(position);
    }
    ShowCount(c);
  }

  // Brings the column up to date; a column listed afresh starts where its
  // record says (at the top when its digits changed).
  void UpdateColumn(TColumnControls& c) {
    if (!table.UpdateColumn(c.index)) return;
    ShowRows(c);
  }

  void FillVisibleColumns() {
    for (auto& c : controls)
      if (c->index >= 0 && InView(c->index) && table.NeedsUpdate(c->index)) UpdateColumn(*c);
  }

  // The strip scrolled or changed size: the controls follow the view.
  void ViewMoved() {
    UpdateScrollRange();
    Layout();
    FillVisibleColumns();
  }

  // A list about to paint rows it has not got yet fills first.
  void ListCustomDraw(TColumnControls& c) {
    if (c.index < 0 || updateDepth > 0 || !table.NeedsUpdate(c.index)) return;
    UpdateColumn(c);
    c.list->doItemsLayout();
  }

  // --- phrase and columns ----------------------------------------------------

  void ShowPhrase() {
    if (number) emit q.PhraseShown(ToQString(number->Phrase()));
  }

  void RefreshPhrase() {
    if (!number) return;
    table.RefreshPhrase(*number);
    ShowPhrase();
    emit q.NumberRowChanged();
  }

  bool ValidateSlots() {
    if (!number) return true;
    const bool sound = table.ValidateSlots(*number);
    if (!sound) {
      // The table already recomposed the phrase; the window still has to show it.
      ShowPhrase();
      emit q.NumberRowChanged();
      emit q.SlotsRepaired();
    }
    return sound;
  }

  // `all`: the entry may have changed anywhere (another entry, a new
  // number, a dictionary change); otherwise only around the last choice.
  // `shown`: RefreshPhrase has just shown the phrase, and laying a long one
  // out in the field again would cost more than the rest of the step. (Had
  // the validation to repair anything, it showed the phrase itself.)
  void RebuildColumns(bool all, bool shown) {
    ++updateDepth;
    if (all) ValidateSlots();
    strip->setUpdatesEnabled(false);
    const std::vector<int> changed = all || !number ? table.RebuildColumns(number) : table.RebuildChanged(*number);
    for (int i : changed) {
      // A placeholder column has its blank rows already; the others are
      // brought up to date below if in view, else when first painted.
      if (!table.Column(i).blank) continue;
      if (TColumnControls* c = At(i)) {
        c->model->Reload();
        c->list->scrollToTop();
        ShowCount(*c);
      }
    }
    ViewMoved();
    for (auto& c : controls)
      if (c->index >= 0) ShowButton(*c);
    strip->setUpdatesEnabled(true);
    --updateDepth;
    if (!shown) ShowPhrase();
  }

  void RefillColumns() {
    table.DictionaryChanged();
    // Only the columns with controls have rows; the others are listed
    // afresh when they come into view.
    for (auto& c : controls)
      if (c->index >= 0 && table.Column(c->index).filled && !table.Column(c->index).digits.empty())
        FillColumn(*c, false);
  }

  // --- the user's actions on a column ---------------------------------------

  // The selected row's text, or empty when no row is selected.
  std::string SelectedRow(const TColumnControls& c) const {
    const QModelIndexList rows = c.list->selectionModel()->selectedIndexes();
    if (rows.isEmpty()) return std::string();
    const std::string* text = c.model->RowText(rows.first().row());
    return text ? *text : std::string();
  }

  int SelectedRowIndex(const TColumnControls& c) const {
    const QModelIndexList rows = c.list->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
  }

  // `byKey`: chosen with Enter, so the keyboard goes on to the next digit
  // still uncovered, where Enter again takes its first word; a second Enter
  // here would only replace the word just chosen.
  void SelectWord(TColumnControls& c, bool byKey) {
    if (c.index < 0 || !number || updateDepth > 0) return;
    const int i = c.index;
    ++updateDepth;
    const bool chosen = table.ChooseWord(*number, i, SelectedRow(c));
    --updateDepth;
    if (!chosen) return;
    RefreshPhrase();
    RebuildColumns(false, true);
    emit q.WorksheetModified();
    if (TColumnControls* after = At(i)) after->list->scrollToTop();
    if (!byKey) return;
    const int next = table.NextUncoveredColumn(i);
    if (next >= 0) {
      FocusList(next, Qt::OtherFocusReason);
    } else {
      emit q.PhraseCompleted();
    }
  }

  void UnselectWord(TColumnControls& c) {
    if (c.index < 0 || updateDepth > 0) return;
    // Clicking toggles the button; what it shows is set from the slots below.
    c.button->setChecked(false);
    if (!number) return;
    const int i = c.index;
    // Pressed from the keyboard: the button holds no word afterwards, so
    // the focus goes down to the digits given back.
    const bool byKey = c.button->hasFocus();
    ++updateDepth;
    const bool changed = table.UnselectWord(*number, i);
    --updateDepth;
    if (!changed) return;
    RefreshPhrase();
    RebuildColumns(false, true);
    emit q.WorksheetModified();
    if (byKey) FocusList(std::min(i, table.ColumnCount() - 1), Qt::OtherFocusReason);
  }

  // --- the keyboard's way through the strip ---------------------------------

  // Column i's button is a stop of the tab chain while it holds a word.
  bool ButtonIsStop(int i) const {
    const RWordColumn& column = table.Column(i);
    return !column.blank && !IsUncoveredSlot(column.slotText);
  }

  // Gives column i's list the focus, scrolled into view, with its first
  // word selected. False when there is no column i.
  bool FocusList(int i, Qt::FocusReason reason) {
    if (i < 0 || i >= table.ColumnCount()) return false;
    q.ShowColumn(i);
    TColumnControls* c = Controls(i);
    if (!c) return false;
    UpdateColumn(*c);
    const int row = FirstWordRow(table.Column(i).rows);
    if (row >= 0 && row < c->model->rowCount(QModelIndex())) {
      const QModelIndex index = c->model->index(row);
      c->list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
      c->list->scrollTo(index);
    }
    c->list->setFocus(reason);
    return true;
  }

  // Column i's button or its list takes the focus, scrolled into view.
  void FocusStop(int i, bool button, Qt::FocusReason reason) {
    q.ShowColumn(i);
    TColumnControls* c = Controls(i);
    if (!c) return;
    if (button)
      c->button->setFocus(reason);
    else
      c->list->setFocus(reason);
  }

  void ListClick(TColumnControls& c) {
    if (c.index < 0 || !number || updateDepth > 0) return;
    if (table.PreviewWord(*number, c.index, SelectedRow(c))) ShowPhrase();
  }

  void ListFocus(TColumnControls& c, bool /*entered*/) {
    if (c.index < 0 || !number || updateDepth > 0) return;
    if (table.ClearPreview(*number, c.index)) ShowPhrase();
  }

  void FirstLetterJump(TColumnControls& c, char letter) {
    if (c.index < 0) return;
    const int row = table.FirstLetterJump(c.index, SelectedRowIndex(c), letter);
    if (row < 0) return;
    const QModelIndex index = c.model->index(row);
    c.list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    // Above the view the row becomes the top one, below it the last one.
    c.list->scrollTo(index, QAbstractItemView::EnsureVisible);
  }

  void ContextMenu(TColumnControls& c, int row, const QPoint& globalPos) {
    if (c.index < 0) return;
    QString word;
    if (row >= 0) {
      c.list->selectionModel()->setCurrentIndex(c.model->index(row), QItemSelectionModel::ClearAndSelect);
      const std::string* text = c.model->RowText(row);
      if (text && IsWordRow(*text)) word = ToQString(*text);
    }
    emit q.WordListContextMenu(c.index, word, globalPos);
  }
};

TWordColumns::TWordColumns(RDictionary& dictionary, QWidget* parent)
    : QAbstractScrollArea(parent), d_(new Private(*this, dictionary)) {
  setObjectName("ScrollBox");
  // Only Tab stops here, and only to hand the focus on to a column.
  setFocusPolicy(Qt::TabFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  d_->strip = new QWidget(viewport());
  d_->strip->setObjectName("ColumnStrip");
  // The chosen row of every list stays marked, in white on the highlight
  // colour, when another list has the focus. Set once here, the lists
  // inherit it.
  QPalette palette = d_->strip->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Active, QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
  d_->strip->setPalette(palette);
  // One painter of rows serves every list.
  d_->delegate = new TWordRowDelegate(d_->strip);
}

TWordColumns::~TWordColumns() {
  // The controls go first, while the state their handlers look at still
  // exists; a list losing the focus on the way out must change nothing.
  d_->table.SetObserver(nullptr);
  d_->number = nullptr;
  ++d_->updateDepth;
  delete d_->strip;
  d_->controls.clear();
  delete d_;
}

void TWordColumns::SetConfig(RConfig* config) {
  d_->config = config;
  if (config && config->GetWordListWidth() != d_->width) {
    d_->width = d_->ConfiguredWidth();
    d_->ViewMoved();
  }
}

void TWordColumns::SetCurrentNumber(RNumber* number) { d_->number = number; }
RNumber* TWordColumns::CurrentNumber() const { return d_->number; }

bool TWordColumns::CommitNumber(const std::string& typed) {
  if (!d_->number) return false;
  ++d_->updateDepth;
  d_->strip->setUpdatesEnabled(false);
  const bool changed = d_->table.CommitNumber(*d_->number, typed);
  d_->strip->setUpdatesEnabled(true);
  --d_->updateDepth;
  if (!changed) {
    emit NumberRowChanged();
    return false;
  }
  d_->RefreshPhrase();
  d_->RebuildColumns(true, true);
  return true;
}

bool TWordColumns::ValidateSlots() {
  // Called from outside only after the dictionary or the mapping changed:
  // the known codes may differ now, so every run is cut again.
  d_->table.DictionaryChanged();
  return d_->ValidateSlots();
}
void TWordColumns::RebuildColumns() { d_->RebuildColumns(true, false); }
void TWordColumns::RefreshPhrase() { d_->RefreshPhrase(); }
void TWordColumns::RefillColumns() { d_->RefillColumns(); }

void TWordColumns::DeleteAllColumns() {
  ++d_->updateDepth;
  d_->strip->setUpdatesEnabled(false);
  d_->table.DeleteAllColumns();
  d_->ViewMoved();
  d_->strip->setUpdatesEnabled(true);
  --d_->updateDepth;
}

int TWordColumns::ColumnCount() const { return d_->table.ColumnCount(); }

QWidget* TWordColumns::ColumnPanel(int column) const {
  const TColumnControls* c = d_->Controls(column);
  return c ? c->panel : nullptr;
}
QListView* TWordColumns::WordList(int column) const {
  const TColumnControls* c = d_->Controls(column);
  return c ? c->list : nullptr;
}
QAbstractButton* TWordColumns::WordButton(int column) const {
  const TColumnControls* c = d_->Controls(column);
  return c ? c->button : nullptr;
}
QLabel* TWordColumns::CountLabel(int column) const {
  const TColumnControls* c = d_->Controls(column);
  return c ? c->label : nullptr;
}
QWidget* TWordColumns::ColumnSplitter(int column) const {
  const TColumnControls* c = d_->Controls(column);
  return c ? c->splitter : nullptr;
}

QListView* TWordColumns::FocusedWordList() const {
  const QWidget* focus = QApplication::focusWidget();
  if (!focus) return nullptr;
  for (const auto& c : d_->controls)
    if (c->index >= 0 && c->list == focus) return c->list;
  return nullptr;
}

void TWordColumns::ShowColumn(int column) {
  if (column < 0 || column >= ColumnCount()) return;
  QScrollBar* bar = horizontalScrollBar();
  const long long left = static_cast<long long>(column) * d_->Pitch();
  const long long right = left + d_->width;
  if (left < bar->value())
    bar->setValue(static_cast<int>(left));
  else if (right > static_cast<long long>(bar->value()) + viewport()->width())
    bar->setValue(static_cast<int>(std::min<long long>(right - viewport()->width(), bar->maximum())));
}

const RWordColumns& TWordColumns::Columns() const { return d_->table; }
int TWordColumns::WordListWidth() const { return d_->width; }

void TWordColumns::SplitterMoved(int width) {
  if (ColumnCount() == 0) return;
  const int w = std::max(width, kMinListWidth);
  d_->width = w;
  if (d_->config) d_->config->SetWordListWidth(w);
  d_->ViewMoved();
}

void TWordColumns::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  d_->strip->setGeometry(viewport()->rect());
  d_->ViewMoved();
}

void TWordColumns::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  d_->strip->setGeometry(viewport()->rect());
  d_->ViewMoved();
}

void TWordColumns::scrollContentsBy(int /*dx*/, int /*dy*/) {
  // The panels are placed afresh rather than the view's pixels moved.
  d_->Layout();
  d_->FillVisibleColumns();
}

bool TWordColumns::focusNextPrevChild(bool next) {
  QWidget* focus = QApplication::focusWidget();
  const Qt::FocusReason reason = next ? Qt::TabFocusReason : Qt::BacktabFocusReason;
  for (const auto& c : d_->controls) {
    if (c->index < 0 || (c->list != focus && c->button != focus)) continue;
    // Column by column: the button while it holds a word, then the list.
    const int i = c->index;
    const bool onButton = c->button == focus;
    if (next && onButton) {
      d_->FocusStop(i, false, reason);
      return true;
    }
    if (!next && !onButton && d_->ButtonIsStop(i)) {
      d_->FocusStop(i, true, reason);
      return true;
    }
    const int target = i + (next ? 1 : -1);
    if (target >= 0 && target < ColumnCount()) {
      d_->FocusStop(target, next && d_->ButtonIsStop(target), reason);
      return true;
    }
    // Past the first or the last column the focus leaves the strip; the
    // other lists' places in the focus chain say nothing about their columns.
    for (QWidget* w = next ? focus->nextInFocusChain() : focus->previousInFocusChain(); w && w != focus;
         w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
      if (isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisibleTo(window()))
        continue;
      w->setFocus(reason);
      return true;
    }
    return false;
  }
  return QAbstractScrollArea::focusNextPrevChild(next);
}

void TWordColumns::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  // The strip is the one stop of the window's tab chain for all its
  // columns and passes the focus on at once: Tab enters at the first
  // column in view, Shift+Tab at the last one's list.
  const int count = ColumnCount();
  if (count == 0) return;  // only before the first entry is laid out
  const QScrollBar* bar = horizontalScrollBar();
  const int pitch = d_->Pitch();
  if (event->reason() == Qt::BacktabFocusReason) {
    const long long right = static_cast<long long>(bar->value()) + std::max(viewport()->width(), 1) - 1;
    d_->FocusStop(static_cast<int>(std::min<long long>(right / pitch, count - 1)), false, Qt::BacktabFocusReason);
  } else {
    const int first = std::min((bar->value() + pitch - 1) / pitch, count - 1);
    d_->FocusStop(first, d_->ButtonIsStop(first),
                  event->reason() == Qt::TabFocusReason ? Qt::TabFocusReason : Qt::OtherFocusReason);
  }
}

bool TWordColumns::FocusWordList(int column) { return d_->FocusList(column, Qt::OtherFocusReason); }

bool TWordColumns::FocusFirstWordList() {
  if (!d_->number || d_->number->SlotCount() == 0) return false;
  const int uncovered = d_->table.NextUncoveredColumn(-1);
  return d_->FocusList(uncovered >= 0 ? uncovered : 0, Qt::OtherFocusReason);
}

}  // namespace tq
