#include "ColumnControls.h"

#include <QBoxLayout>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "Codec.h"

namespace tq {
namespace {

constexpr int kButtonHeight = 15;
// The pixels between a list's frame and its rows, where the focused list
// widens its frame.
constexpr int kFocusRim = 1;
const QColor kHeaderColour(192, 192, 192);

// Switching to another window or opening a pop-up menu is not leaving the
// list.
bool MovedWithinWindow(Qt::FocusReason reason) {
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

// --- TWordListModel ----------------------------------------------------------

void TWordListModel::Reload() {
  beginResetModel();
  count_ = Rows() ? static_cast<int>(Rows()->size()) : 0;
  endResetModel();
}

QVariant TWordListModel::data(const QModelIndex& index, int role) const {
  const auto* rows = Rows();
  if (!rows || !index.isValid() || index.row() >= static_cast<int>(rows->size())) return {};
  const std::string& row = (*rows)[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole) return ToQString(row);
  if (role == Qt::BackgroundRole && IsHeaderRow(row)) return kHeaderColour;
  return {};
}

Qt::ItemFlags TWordListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // The empty rows of a placeholder column only fill it out; there is
  // nothing in them to select.
  const std::string* row = RowText(index.row());
  return row && row->empty() ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

const std::string* TWordListModel::RowText(int row) const {
  const auto* rows = Rows();
  if (!rows || row < 0 || row >= static_cast<int>(rows->size())) return nullptr;
  return &(*rows)[static_cast<std::size_t>(row)];
}

const std::vector<std::string>* TWordListModel::Rows() const {
  if (index_ < 0 || index_ >= table_.ColumnCount()) return nullptr;
  return &table_.Column(index_).rows;
}

// --- TWordRowDelegate --------------------------------------------------------

void TWordRowDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (!IsWordRow(FromQString(option->text))) option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
}

// --- TWordListView -----------------------------------------------------------

TWordListView::TWordListView(QWidget* parent) : QListView(parent) {
  setViewportMargins(kFocusRim, kFocusRim, kFocusRim, kFocusRim);
}

void TWordListView::keyPressEvent(QKeyEvent* event) {
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

int TWordListView::WordSearchStep(CursorAction action) {
  switch (action) {
    case MoveDown: case MoveNext: case MovePageDown: case MoveHome: return 1;
    case MoveUp: case MovePrevious: case MovePageUp: case MoveEnd: return -1;
    default: return 0;
  }
}

QModelIndex TWordListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex moved = QListView::moveCursor(action, modifiers);
  const auto* rows = static_cast<const TWordListModel*>(model());
  if (!moved.isValid() || !rows) return moved;
  const int step = WordSearchStep(action);
  if (step == 0) return moved;
  for (int direction : {step, -step})
    for (int r = moved.row(); const std::string* row = rows->RowText(r); r += direction)
      if (IsWordRow(*row)) return rows->index(r);
  return moved;
}

void TWordListView::focusInEvent(QFocusEvent* event) {
  QListView::focusInEvent(event);
  update();  // the frame
  if (onFocus && MovedWithinWindow(event->reason())) onFocus(true);
}

void TWordListView::focusOutEvent(QFocusEvent* event) {
  QListView::focusOutEvent(event);
  update();
  if (onFocus && MovedWithinWindow(event->reason())) onFocus(false);
}

bool TWordListView::event(QEvent* event) {
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

bool TWordListView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Paint && onFirstPaint) onFirstPaint();
  return QListView::viewportEvent(event);
}

void TWordListView::contextMenuEvent(QContextMenuEvent* event) {
  if (!onContextMenu) return;
  // From the mouse the row under it; from the keyboard the current row.
  const QModelIndex index = event->reason() == QContextMenuEvent::Mouse
                                ? indexAt(viewport()->mapFromGlobal(event->globalPos()))
                                : currentIndex();
  onContextMenu(index.isValid() ? index.row() : -1, event->globalPos());
}

// --- TWordButton -------------------------------------------------------------

void TWordButton::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

// --- TColumnSplitter ---------------------------------------------------------

TColumnSplitter::TColumnSplitter(QWidget* parent) : QWidget(parent) {
  setObjectName("WordSplitter");
  setFixedWidth(kSplitterWidth);
}

void TColumnSplitter::SetDraggable(bool draggable) {
  draggable_ = draggable;
  setCursor(draggable ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TColumnSplitter::mousePressEvent(QMouseEvent* event) {
  if (draggable_ && event->button() == Qt::LeftButton) {
    dragging_ = true;
    pressX_ = mapToGlobal(QPoint(0, 0)).x();
  }
}

void TColumnSplitter::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_) return;
  dragging_ = false;
  if (onMoved) onMoved(static_cast<int>(event->globalPosition().x()) - pressX_);
}

// --- TColumnControls ---------------------------------------------------------

int TColumnControls::SelectedRow() const {
  const QModelIndexList rows = list->selectionModel()->selectedIndexes();
  return rows.isEmpty() ? -1 : rows.first().row();
}

std::string TColumnControls::SelectedText() const {
  const std::string* text = model->RowText(SelectedRow());
  return text ? *text : std::string();
}

void TColumnControls::Select(int row) const {
  list->selectionModel()->setCurrentIndex(model->index(row), QItemSelectionModel::ClearAndSelect);
}

// --- TColumnPool -------------------------------------------------------------

TColumnPool::TColumnPool(RWordColumns& table, QWidget& strip)
    : table_(table), strip_(strip), delegate_(new TWordRowDelegate(&strip)) {}

TColumnControls* TColumnPool::At(int column) const {
  if (column < 0) return nullptr;
  for (const auto& c : controls_)
    if (c->index == column) return c.get();
  return nullptr;
}

TColumnControls* TColumnPool::Holding(const QWidget* widget) const {
  for (const auto& c : controls_)
    if (c->index >= 0 && (c->list == widget || c->button == widget)) return c.get();
  return nullptr;
}

TColumnControls& TColumnPool::Create() {
  auto c = std::make_unique<TColumnControls>();
  c->panel = new QWidget(&strip_);
  c->panel->setObjectName("WordColumn");
  auto* box = new QVBoxLayout(c->panel);
  box->setContentsMargins(0, 0, 0, 0);
  box->setSpacing(0);
  c->button = CreateButton(*c->panel);
  box->addWidget(c->button);
  CreateList(*c);
  box->addWidget(c->list, 1);
  c->label = new QLabel(c->panel);
  c->label->setObjectName("CountLabel");
  box->addWidget(c->label);
  c->splitter = new TColumnSplitter(&strip_);
  wiring_->Connect(*c);
  controls_.push_back(std::move(c));
  return *controls_.back();
}

TWordButton* TColumnPool::CreateButton(QWidget& panel) const {
  auto* button = new TWordButton(&panel);
  button->setObjectName("WordButton");
  button->setFlat(true);
  button->setCheckable(true);
  // A click leaves the focus where it was; Tab reaches the button through
  // the strip (focusNextPrevChild), only while it holds a word.
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedHeight(std::max(kButtonHeight, button->fontMetrics().height() + 2));
  return button;
}

void TColumnPool::CreateList(TColumnControls& c) const {
  c.list = new TWordListView(c.panel);
  c.list->setObjectName("WordList");
  c.model = new TWordListModel(table_, c.list);
  c.list->setModel(c.model);
  c.list->setItemDelegate(delegate_);
  c.list->setUniformItemSizes(true);
  c.list->setSelectionMode(QAbstractItemView::SingleSelection);
  c.list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  c.list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  c.list->setTextElideMode(Qt::ElideRight);
  c.list->setMinimumWidth(kMinListWidth);
  c.list->setContextMenuPolicy(Qt::DefaultContextMenu);
  // Lists are recycled as the strip scrolls, so their places in the
  // window's tab chain say nothing about their columns: Tab reaches them
  // through the strip alone.
  c.list->setFocusPolicy(Qt::ClickFocus);
}

void TColumnPool::SetIndex(TColumnControls& c, int column) {
  c.index = column;
  c.model->SetIndex(column);
  c.splitter->SetDraggable(column == 0);
}

void TColumnPool::MakeSpare(TColumnControls& c) {
  c.index = -1;
  c.model->SetIndex(-1);
  c.model->Reload();
  c.panel->hide();
  c.splitter->hide();
}

void TColumnPool::Release(TColumnControls& c) {
  const QModelIndex top = c.list->indexAt(QPoint(1, 1));
  table_.ReleaseRows(c.index, top.isValid() ? top.row() : 0, c.SelectedRow());
  MakeSpare(c);
}

void TColumnPool::Retire(const std::vector<TColumnControls*>& spare) {
  for (TColumnControls* c : spare) Dismantle(*c);
  std::erase_if(controls_, [&spare](const std::unique_ptr<TColumnControls>& c) {
    return std::find(spare.begin(), spare.end(), c.get()) != spare.end();
  });
}

void TColumnPool::Dismantle(TColumnControls& c) {
  wiring_->Disconnect(c);
  c.panel->hide();
  c.splitter->hide();
  // Later, not now: the column's own button may be the one being clicked.
  c.panel->deleteLater();
  c.splitter->deleteLater();
}

void TColumnPool::ColumnInserted(int column) {
  for (auto& c : controls_)
    if (c->index >= column) SetIndex(*c, c->index + 1);
}

void TColumnPool::ColumnDeleted(int column) {
  for (auto& c : controls_) {
    if (c->index == column)
      MakeSpare(*c);
    else if (c->index > column)
      SetIndex(*c, c->index - 1);
  }
}

void TColumnPool::ColumnEmptied(int column) {
  if (TColumnControls* c = At(column)) c->model->Reload();
}

}  // namespace tq
