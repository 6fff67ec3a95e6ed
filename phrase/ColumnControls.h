// The controls of one word column (its button, list, count and separator)
// and the pool they are kept in. Only the strip of word columns uses these;
// the strip itself is in WordColumns.h.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SlotLogic.h"

class QLabel;

namespace tq {

inline constexpr int kMinListWidth = 15;
inline constexpr int kSplitterWidth = 2;

// The rows of one column, asked for on demand. The rows themselves stay in
// the column record; the model only remembers how many it last announced, so
// the view never reads past what it was told about.
class TWordListModel final : public QAbstractListModel {
 public:
  TWordListModel(const RWordColumns& table, QObject* parent) : QAbstractListModel(parent), table_(table) {}

  // The column's place in the table; -1 once the column is gone.
  void SetIndex(int index) { index_ = index; }

  // The record changed under us: announce its rows afresh.
  void Reload();

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : count_; }
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  const std::string* RowText(int row) const;

 private:
  const std::vector<std::string>* Rows() const;

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
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// A column's list: routes the keys, focus changes, first paint and pop-up
// requests to the strip, which knows the column's index.
class TWordListView final : public QListView {
 public:
  explicit TWordListView(QWidget* parent);

  std::function<void()> onChoose;
  std::function<void(char)> onLetter;
  std::function<void(bool entered)> onFocus;
  std::function<void()> onFirstPaint;
  // The row the menu is for (-1 for none) and where to show it.
  std::function<void(int row, const QPoint& globalPos)> onContextMenu;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The arrow and page keys step over the header rows to the next word
  // that way (or back the other way at an end), so that Down and Enter
  // always choose a word. A list without words moves as usual.
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Every list keeps its selected word marked, so the selection cannot say
  // which list the keys go to: the focused one wears a frame in the
  // highlight colour, its own frame and a rim of one pixel inside it that
  // the rows leave free for it (in the rows' colour otherwise).
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Which way a cursor move looks for a word row first: 1 down, -1 up, 0
  // for a move that does not step over headers.
  static int WordSearchStep(CursorAction action);
};

// The button above a column: shows the chosen word, and pressing it gives
// the word back. The strip hands it the focus with Tab while it holds a
// word; then Space or Enter presses it, as in a dialog.
class TWordButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The separator right of a column. Only the first column's one can be
// dragged; the width changes when the drag ends, for all columns at once.
class TColumnSplitter final : public QWidget {
 public:
  explicit TColumnSplitter(QWidget* parent);

  std::function<void(int dx)> onMoved;

  void SetDraggable(bool draggable);
  bool Draggable() const { return draggable_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool draggable_ = false;
  bool dragging_ = false;
  int pressX_ = 0;
};

// One set of controls; the widgets belong to the strip, their parent.
struct TColumnControls {
  int index = -1;  // the column shown; -1 while the controls are spare
  QWidget* panel = nullptr;
  TWordButton* button = nullptr;
  TWordListView* list = nullptr;
  QLabel* label = nullptr;
  TColumnSplitter* splitter = nullptr;
  TWordListModel* model = nullptr;

  // The selected row, or -1 when no row is selected.
  int SelectedRow() const;
  // The selected row's text, or empty when no row is selected.
  std::string SelectedText() const;
  // Makes `row` the current and only selected row.
  void Select(int row) const;
};

// Hooks a new set of controls up to the user's actions, and unhooks them
// before they go.
class TColumnWiring {
 public:
  virtual void Connect(TColumnControls& controls) = 0;
  virtual void Disconnect(TColumnControls& controls) = 0;

 protected:
  ~TColumnWiring() = default;
};

// The pool of column controls. It owns the records of the controls alive:
// those of the columns in view and either side, the focused list's column
// wherever it is, and columns asked for by index. Controls that leave their
// column wait, hidden, for the next one; new ones are made only when none
// wait, and spare ones nobody needs go for good. The table tells the pool
// about every column it inserts or deletes, and only the controls alive are
// renumbered, however long the number is.
class TColumnPool final : public RColumnObserver {
 public:
  // New widgets go into `strip`; one painter of rows serves every list.
  TColumnPool(RWordColumns& table, QWidget& strip);

  // Who hooks new controls up; set once, before the first ones are made.
  void SetWiring(TColumnWiring* wiring) { wiring_ = wiring; }

  const std::vector<std::unique_ptr<TColumnControls>>& All() const { return controls_; }
  // Column i's controls; null when it has none.
  TColumnControls* At(int column) const;
  // The controls of a column whose list or button is `widget`; null for none.
  TColumnControls* Holding(const QWidget* widget) const;

  // New controls, spare and hidden until bound to a column.
  TColumnControls& Create();
  void SetIndex(TColumnControls& controls, int column);
  // The column is gone (or its controls go to another one): the controls
  // stop showing it and wait, hidden, for the next column.
  void MakeSpare(TColumnControls& controls);
  // The column is still there but leaves the view: it keeps where its list
  // stood and lets its rows go.
  void Release(TColumnControls& controls);
  // Spare controls nobody needs go for good.
  void Retire(const std::vector<TColumnControls*>& spare);
  // Forgets every record; for the strip's end, after its widgets went.
  void Clear() { controls_.clear(); }

  void ColumnInserted(int column) override;
  void ColumnDeleted(int column) override;
  void ColumnEmptied(int column) override;

 private:
  TWordButton* CreateButton(QWidget& panel) const;
  void CreateList(TColumnControls& controls) const;
  void Dismantle(TColumnControls& controls);

  RWordColumns& table_;
  QWidget& strip_;
  TWordRowDelegate* delegate_;
  TColumnWiring* wiring_ = nullptr;
  std::vector<std::unique_ptr<TColumnControls>> controls_;
};

}  // namespace tq
