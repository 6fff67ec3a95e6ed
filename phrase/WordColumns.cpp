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
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <functional>
#include <memory>
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
const QColor kHeaderColour(192, 192, 192);

struct ColumnControls;

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
  using QListView::QListView;

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

  void focusInEvent(QFocusEvent* event) override {
    QListView::focusInEvent(event);
    if (onFocus && MovedWithinWindow(event->reason())) onFocus(true);
  }

  void focusOutEvent(QFocusEvent* event) override {
    QListView::focusOutEvent(event);
    if (onFocus && MovedWithinWindow(event->reason())) onFocus(false);
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

struct ColumnControls {
  int index = -1;  // the column's place; -1 once it is being destroyed
  QWidget* panel = nullptr;
  QPushButton* button = nullptr;
  TWordListView* list = nullptr;
  QLabel* label = nullptr;
  TColumnSplitter* splitter = nullptr;
  TWordListModel* model = nullptr;
};

}  // namespace

struct TWordColumns::Private final : ColumnObserver {
  Private(TWordColumns& owner, const RDictionary& dictionary) : q(owner), table(dictionary) {
    table.SetObserver(this);
  }

  TWordColumns& q;
  RConfig* config = nullptr;
  RNumber* number = nullptr;
  RWordColumns table;
  std::vector<std::unique_ptr<ColumnControls>> controls;
  QWidget* strip = nullptr;
  TWordRowDelegate* delegate = nullptr;
  QHBoxLayout* layout = nullptr;
  int width = kDefaultListWidth;
  // Raised while the columns are being reshaped: focus moving off a list that
  // is being removed must not touch the half-changed slots.
  int updateDepth = 0;

  ColumnControls* At(int i) const {
    return i >= 0 && i < static_cast<int>(controls.size()) ? controls[static_cast<std::size_t>(i)].get() : nullptr;
  }

  int ConfiguredWidth() const {
    const int w = config ? config->GetWordListWidth() : width;
    return std::max(w, kMinListWidth);
  }

  // --- ColumnObserver --------------------------------------------------------

  void ColumnInserted(int i) override {
    auto c = std::make_unique<ColumnControls>();
    ColumnControls* raw = c.get();
    c->panel = new QWidget(strip);
    c->panel->setObjectName("WordColumn");
    c->panel->setFixedWidth(width);
    auto* box = new QVBoxLayout(c->panel);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);

    c->button = new QPushButton(c->panel);
    c->button->setObjectName("WordButton");
    c->button->setFlat(true);
    c->button->setCheckable(true);
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
    c->list->onChoose = [this, raw] { SelectWord(*raw); };
    c->list->onLetter = [this, raw](char letter) { FirstLetterJump(*raw, letter); };
    c->list->onFocus = [this, raw](bool entered) { ListFocus(*raw, entered); };
    c->list->onFirstPaint = [this, raw] { ListCustomDraw(*raw); };
    c->list->onContextMenu = [this, raw](int row, const QPoint& global) { ContextMenu(*raw, row, global); };
    QObject::connect(c->list, &QListView::doubleClicked, &q, [this, raw] { SelectWord(*raw); });
    QObject::connect(c->list, &QListView::clicked, &q, [this, raw] { ListClick(*raw); });
    box->addWidget(c->list, 1);

    c->label = new QLabel(c->panel);
    c->label->setObjectName("CountLabel");
    box->addWidget(c->label);

    c->splitter = new TColumnSplitter(strip);
    c->splitter->onMoved = [this](int dx) { q.SplitterMoved(width + dx); };

    layout->insertWidget(2 * i, c->panel);
    layout->insertWidget(2 * i + 1, c->splitter);
    controls.insert(controls.begin() + i, std::move(c));
    Renumber(i);
  }

  void ColumnDeleted(int i) override {
    std::unique_ptr<ColumnControls> c = std::move(controls[static_cast<std::size_t>(i)]);
    controls.erase(controls.begin() + i);
    // The controls outlive this record until the event loop deletes them;
    // nothing they still report may reach the strip.
    c->index = -1;
    c->model->SetIndex(-1);
    c->model->Reload();
    c->list->onChoose = nullptr;
    c->list->onLetter = nullptr;
    c->list->onFocus = nullptr;
    c->list->onFirstPaint = nullptr;
    c->list->onContextMenu = nullptr;
    c->splitter->onMoved = nullptr;
    QObject::disconnect(c->button, nullptr, &q, nullptr);
    QObject::disconnect(c->list, nullptr, &q, nullptr);
    layout->removeWidget(c->panel);
    layout->removeWidget(c->splitter);
    c->panel->hide();
    c->splitter->hide();
    // Later, not now: the column's own button may be the one being clicked.
    c->panel->deleteLater();
    c->splitter->deleteLater();
    Renumber(i);
  }

  void ColumnEmptied(int i) override { At(i)->model->Reload(); }

  void Renumber(int from) {
    for (int i = std::max(from, 0); i < static_cast<int>(controls.size()); ++i) {
      controls[static_cast<std::size_t>(i)]->index = i;
      controls[static_cast<std::size_t>(i)]->model->SetIndex(i);
      controls[static_cast<std::size_t>(i)]->splitter->SetDraggable(i == 0);
    }
  }

  // --- filling ---------------------------------------------------------------

  // Whether the column overlaps the part of the strip scrolled into view.
  // Worked out from the fixed column pitch, so it holds before the layout
  // has placed a new column.
  bool InView(int i) const {
    const int pitch = width + kSplitterWidth;
    const int left = q.horizontalScrollBar()->value();
    const int right = left + q.viewport()->width();
    return i * pitch < right && (i + 1) * pitch > left;
  }

  void ShowCount(ColumnControls& c) {
    const WordColumn& column = table.Column(c.index);
    if (column.blank) {
      c.label->clear();
      c.label->hide();
    } else {
      c.label->setText(QString::number(column.wordCount));
      c.label->show();
    }
  }

  void FillColumn(ColumnControls& c, bool toTop) {
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

  // Brings the column up to date; a column listed afresh starts at its top.
  void UpdateColumn(ColumnControls& c) {
    if (!table.UpdateColumn(c.index)) return;
    c.model->Reload();
    c.list->scrollToTop();
    ShowCount(c);
  }

  void FillVisibleColumns() {
    for (auto& c : controls)
      if (table.NeedsUpdate(c->index) && InView(c->index)) UpdateColumn(*c);
  }

  // A list about to paint rows it has not got yet fills first.
  void ListCustomDraw(ColumnControls& c) {
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
    }
    return sound;
  }

  void RebuildColumns() {
    ++updateDepth;
    ValidateSlots();
    strip->setUpdatesEnabled(false);
    const std::vector<int> changed = table.RebuildColumns(number);
    for (int i : changed) {
      // A placeholder column has its blank rows already; the others are
      // brought up to date below if in view, else when first painted.
      if (!table.Column(i).blank) continue;
      ColumnControls& c = *At(i);
      c.model->Reload();
      c.list->scrollToTop();
      ShowCount(c);
    }
    FillVisibleColumns();
    for (auto& c : controls) {
      const WordColumn& column = table.Column(c->index);
      const bool chosen = !column.blank && !IsUncoveredSlot(column.slotText);
      c->button->setText(chosen ? ToQString(column.slotText) : QString());
      c->button->setChecked(chosen);
    }
    strip->setUpdatesEnabled(true);
    --updateDepth;
    ShowPhrase();
  }

  void RefillColumns() {
    table.DictionaryChanged();
    for (int i : table.ColumnsToRefill()) FillColumn(*At(i), false);
  }

  // --- the user's actions on a column ---------------------------------------

  // The selected row's text, or empty when no row is selected.
  std::string SelectedRow(const ColumnControls& c) const {
    const QModelIndexList rows = c.list->selectionModel()->selectedIndexes();
    if (rows.isEmpty()) return std::string();
    const std::string* text = c.model->RowText(rows.first().row());
    return text ? *text : std::string();
  }

  int SelectedRowIndex(const ColumnControls& c) const {
    const QModelIndexList rows = c.list->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
  }

  void SelectWord(ColumnControls& c) {
    if (c.index < 0 || !number || updateDepth > 0) return;
    const int i = c.index;
    ++updateDepth;
    const bool chosen = table.ChooseWord(*number, i, SelectedRow(c));
    --updateDepth;
    if (!chosen) return;
    RefreshPhrase();
    RebuildColumns();
    emit q.WorksheetModified();
    if (ColumnControls* after = At(i)) after->list->scrollToTop();
  }

  void UnselectWord(ColumnControls& c) {
    if (c.index < 0 || updateDepth > 0) return;
    // Clicking toggles the button; what it shows is set from the slots below.
    c.button->setChecked(false);
    if (!number) return;
    ++updateDepth;
    const bool changed = table.UnselectWord(*number, c.index);
    --updateDepth;
    if (!changed) return;
    RefreshPhrase();
    RebuildColumns();
    emit q.WorksheetModified();
  }

  void ListClick(ColumnControls& c) {
    if (c.index < 0 || !number || updateDepth > 0) return;
    if (table.PreviewWord(*number, c.index, SelectedRow(c))) ShowPhrase();
  }

  void ListFocus(ColumnControls& c, bool /*entered*/) {
    if (c.index < 0 || !number || updateDepth > 0) return;
    if (table.ClearPreview(*number, c.index)) ShowPhrase();
  }

  void FirstLetterJump(ColumnControls& c, char letter) {
    if (c.index < 0) return;
    const int row = table.FirstLetterJump(c.index, SelectedRowIndex(c), letter);
    if (row < 0) return;
    const QModelIndex index = c.model->index(row);
    c.list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    // Above the view the row becomes the top one, below it the last one.
    c.list->scrollTo(index, QAbstractItemView::EnsureVisible);
  }

  void ContextMenu(ColumnControls& c, int row, const QPoint& globalPos) {
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
    : QScrollArea(parent), d_(new Private(*this, dictionary)) {
  setObjectName("ScrollBox");
  setWidgetResizable(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  d_->strip = new QWidget;
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
  d_->layout = new QHBoxLayout(d_->strip);
  d_->layout->setContentsMargins(0, 0, 0, 0);
  d_->layout->setSpacing(0);
  d_->layout->addStretch(1);
  setWidget(d_->strip);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { d_->FillVisibleColumns(); });
}

TWordColumns::~TWordColumns() {
  // The controls go first, while the state their handlers look at still
  // exists; a list losing the focus on the way out must change nothing.
  d_->table.SetObserver(nullptr);
  d_->number = nullptr;
  ++d_->updateDepth;
  delete takeWidget();
  delete d_;
}

void TWordColumns::SetConfig(RConfig* config) {
  d_->config = config;
  if (config && config->GetWordListWidth() != d_->width) {
    const int w = d_->ConfiguredWidth();
    d_->width = w;
    for (auto& c : d_->controls) c->panel->setFixedWidth(w);
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
  d_->RebuildColumns();
  return true;
}

bool TWordColumns::ValidateSlots() {
  // Called from outside only after the dictionary or the mapping changed:
  // the known codes may differ now, so every run is cut again.
  d_->table.DictionaryChanged();
  return d_->ValidateSlots();
}
void TWordColumns::RebuildColumns() { d_->RebuildColumns(); }
void TWordColumns::RefreshPhrase() { d_->RefreshPhrase(); }
void TWordColumns::RefillColumns() { d_->RefillColumns(); }

void TWordColumns::DeleteAllColumns() {
  ++d_->updateDepth;
  d_->strip->setUpdatesEnabled(false);
  d_->table.DeleteAllColumns();
  d_->strip->setUpdatesEnabled(true);
  --d_->updateDepth;
}

int TWordColumns::ColumnCount() const { return d_->table.ColumnCount(); }

QWidget* TWordColumns::ColumnPanel(int column) const {
  const ColumnControls* c = d_->At(column);
  return c ? c->panel : nullptr;
}
QListView* TWordColumns::WordList(int column) const {
  const ColumnControls* c = d_->At(column);
  return c ? c->list : nullptr;
}
QAbstractButton* TWordColumns::WordButton(int column) const {
  const ColumnControls* c = d_->At(column);
  return c ? c->button : nullptr;
}
QLabel* TWordColumns::CountLabel(int column) const {
  const ColumnControls* c = d_->At(column);
  return c ? c->label : nullptr;
}
QWidget* TWordColumns::ColumnSplitter(int column) const {
  const ColumnControls* c = d_->At(column);
  return c ? c->splitter : nullptr;
}

const RWordColumns& TWordColumns::Columns() const { return d_->table; }
int TWordColumns::WordListWidth() const { return d_->width; }

void TWordColumns::SplitterMoved(int width) {
  if (ColumnCount() == 0) return;
  const int w = std::max(width, kMinListWidth);
  d_->width = w;
  for (auto& c : d_->controls) c->panel->setFixedWidth(w);
  if (d_->config) d_->config->SetWordListWidth(w);
  d_->FillVisibleColumns();
}

void TWordColumns::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  d_->FillVisibleColumns();
}

void TWordColumns::showEvent(QShowEvent* event) {
  QScrollArea::showEvent(event);
  d_->FillVisibleColumns();
}

}  // namespace tq
