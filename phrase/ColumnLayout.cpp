#include "ColumnLayout.h"

#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <limits>

#include "Codec.h"
#include "RNumber.h"

namespace tq {
namespace {

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

}  // namespace

TStripState::TStripState(TWordColumns& stripOwner, const RDictionary& dictionary)
    : owner(stripOwner), table(dictionary), strip(MakeStrip(stripOwner.viewport())) {}

void TColumnFiller::ShowRows(TColumnControls& c) {
  c.model->Reload();
  RestorePlace(c);
  ShowChosenWord(c);
  const RWordColumn& column = table_.Column(c.index);
  if (column.filled || column.blank)
    ShowCount(c);
  else
    c.label->clear();
}

void TColumnFiller::ShowButton(TColumnControls& c) {
  const RWordColumn& column = table_.Column(c.index);
  const bool chosen = !column.blank && !IsUncoveredSlot(column.slotText);
  c.button->setText(chosen ? ToQString(column.slotText) : QString());
  c.button->setChecked(chosen);
  ShowChosenWord(c);
}

void TColumnFiller::ShowChosenWord(TColumnControls& c) {
  const RWordColumn& column = table_.Column(c.index);
  if (column.blank || !column.filled || IsUncoveredSlot(column.slotText)) return;
  const auto word = std::find(column.rows.begin(), column.rows.end(), column.slotText);
  const auto row = static_cast<int>(word - column.rows.begin());
  if (word == column.rows.end() || row >= c.model->rowCount(QModelIndex())) return;
  if (c.SelectedRow() != row) c.Select(row);
  c.list->scrollTo(c.model->index(row), QAbstractItemView::EnsureVisible);
}

void TColumnFiller::ShowButtons() {
  for (auto& c : pool_.All())
    if (c->index >= 0) ShowButton(*c);
}

void TColumnFiller::ClearUncoveredHighlights() {
  for (auto& c : pool_.All()) {
    if (c->index < 0) continue;
    const RWordColumn& column = table_.Column(c->index);
    if (!column.blank && IsUncoveredSlot(column.slotText)) c->list->selectionModel()->clear();
  }
}

void TColumnFiller::ShowCount(TColumnControls& c) {
  const RWordColumn& column = table_.Column(c.index);
  if (column.blank) {
    c.label->clear();
    c.label->hide();
  } else {
    c.label->setText(QString::number(column.wordCount));
    c.label->show();
  }
}

void TColumnFiller::ShowBlankRows(TColumnControls& c) {
  c.model->Reload();
  c.list->scrollToTop();
  ShowCount(c);
}

void TColumnFiller::UpdateColumn(TColumnControls& c) {
  if (!table_.UpdateColumn(c.index)) return;
  ShowRows(c);
}

void TColumnFiller::RefillColumns() {
  table_.DictionaryChanged();
  for (auto& c : pool_.All())
    if (c->index >= 0 && table_.Column(c->index).filled && !table_.Column(c->index).digits.empty())
      FillColumn(*c);
}

void TColumnFiller::FillColumn(TColumnControls& c) {
  QScrollBar* bar = c.list->verticalScrollBar();
  const int position = bar->value();
  table_.FillColumn(c.index);
  c.model->Reload();
  c.list->doItemsLayout();
  bar->setValue(position);
  ShowCount(c);
  ShowChosenWord(c);
}

void TColumnFiller::RestorePlace(TColumnControls& c) {
  const RWordColumn& column = table_.Column(c.index);
  const int rows = c.model->rowCount(QModelIndex());
  if (column.selectedRow >= 0 && column.selectedRow < rows) c.Select(column.selectedRow);
  if (column.topRow > 0 && column.topRow < rows)
    c.list->scrollTo(c.model->index(column.topRow), QAbstractItemView::PositionAtTop);
  else
    c.list->scrollToTop();
}

bool TColumnLayout::InView(int i) const {
  const long long pitch = Pitch();
  const long long left = Bar()->value();
  const long long right = left + ViewWidth();
  return i * pitch < right && (i + 1) * pitch > left;
}

int TColumnLayout::FirstColumnInView() const {
  const int pitch = Pitch();
  return std::min((Bar()->value() + pitch - 1) / pitch, state_.table.ColumnCount() - 1);
}

int TColumnLayout::LastColumnInView() const {
  const long long right = static_cast<long long>(Bar()->value()) + std::max(ViewWidth(), 1) - 1;
  return static_cast<int>(std::min<long long>(right / Pitch(), state_.table.ColumnCount() - 1));
}

void TColumnLayout::ShowColumn(int i) {
  if (i < 0 || i >= state_.table.ColumnCount()) return;
  QScrollBar* bar = Bar();
  const long long left = static_cast<long long>(i) * Pitch();
  const long long right = left + width_;
  if (left < bar->value())
    bar->setValue(static_cast<int>(left));
  else if (right > static_cast<long long>(bar->value()) + ViewWidth())
    bar->setValue(static_cast<int>(std::min<long long>(right - ViewWidth(), bar->maximum())));
}

void TColumnLayout::FitStrip() {
  state_.strip->setGeometry(state_.owner.viewport()->rect());
  ViewMoved();
}

void TColumnLayout::ViewMoved() {
  UpdateScrollRange();
  FollowView();
}

void TColumnLayout::FollowView() {
  Arrange();
  FillVisibleColumns();
}

TColumnControls* TColumnLayout::Controls(int i) {
  if (i < 0 || i >= state_.table.ColumnCount()) return nullptr;
  if (TColumnControls* c = pool_.At(i)) return c;
  TColumnControls& c = pool_.Create();
  Bind(c, i);
  Place(c);
  return &c;
}

void TColumnLayout::UpdateScrollRange() {
  QScrollBar* bar = Bar();
  const long long total = static_cast<long long>(state_.table.ColumnCount()) * Pitch();
  const int view = ViewWidth();
  const long long most = std::max<long long>(0, total - view);
  bar->setRange(0, static_cast<int>(std::min<long long>(most, std::numeric_limits<int>::max())));
  bar->setPageStep(std::max(view, 1));
  bar->setSingleStep(20);
}

std::pair<int, int> TColumnLayout::WantedRange() const {
  const int count = state_.table.ColumnCount();
  const int left = Bar()->value();
  const int first = std::max(0, left / Pitch() - kColumnMargin);
  const long long right = static_cast<long long>(left) + ViewWidth();
  const long long last = right / Pitch() + 1 + kColumnMargin;
  return {std::min(first, count), static_cast<int>(std::min<long long>(last, count))};
}

void TColumnLayout::Arrange() {
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

std::vector<TColumnControls*> TColumnLayout::FreeOutside(int first, int last) {
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

TColumnControls& TColumnLayout::TakeSpare(std::vector<TColumnControls*>& spare) {
  if (spare.empty()) return pool_.Create();
  TColumnControls& c = *spare.back();
  spare.pop_back();
  return c;
}

void TColumnLayout::Bind(TColumnControls& c, int i) {
  pool_.SetIndex(c, i);
  if (InView(i) && state_.table.NeedsUpdate(i)) state_.table.UpdateColumn(i);
  filler_.ShowRows(c);
  filler_.ShowButton(c);
  c.panel->show();
  c.splitter->show();
}

int TColumnLayout::Left(int i) const {
  const long long x = static_cast<long long>(i) * Pitch() - Bar()->value();
  if (x + Pitch() <= 0) return -Pitch();
  if (x >= state_.strip->width()) return state_.strip->width();
  return static_cast<int>(x);
}

void TColumnLayout::Place(TColumnControls& c) {
  const int x = Left(c.index);
  const int height = state_.strip->height();
  c.panel->setGeometry(x, 0, width_, height);
  c.splitter->setGeometry(x + width_, 0, kSplitterWidth, height);
}

void TColumnLayout::FillVisibleColumns() {
  for (auto& c : pool_.All())
    if (c->index >= 0 && InView(c->index) && state_.table.NeedsUpdate(c->index)) filler_.UpdateColumn(*c);
}

}  // namespace tq
