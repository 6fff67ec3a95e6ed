#include "NumbersModel.h"

#include <algorithm>

#include "Codec.h"
#include "RWorksheet.h"

namespace tq {
namespace {

// A cell shows the start of its text, cut off at the column's edge. Text
// beyond this many characters can never show in a column on any screen, and
// laying out the whole of a long number's phrase at every paint of its row
// would make the list slow to draw.
constexpr std::size_t kShownLength = 2048;

QVariant Shown(const std::string& text) {
  return ToQString(text.size() <= kShownLength ? text : text.substr(0, kShownLength));
}

}  // namespace

TNumbersModel::TNumbersModel(QObject* parent) : QAbstractTableModel(parent) {}

void TNumbersModel::ResetRows(int count) {
  beginResetModel();
  rows_ = count < 0 ? 0 : count;
  endResetModel();
}

void TNumbersModel::AppendRows(int count) {
  if (count <= 0) return;
  beginInsertRows(QModelIndex(), rows_, rows_ + count - 1);
  rows_ += count;
  endInsertRows();
}

void TNumbersModel::RemoveRowAt(int row) {
  if (row < 0 || row >= rows_) return;
  beginRemoveRows(QModelIndex(), row, row);
  --rows_;
  endRemoveRows();
}

void TNumbersModel::RefreshRows(int first, int last) {
  if (rows_ == 0) return;
  first = std::max(first, 0);
  last = std::min(last, rows_ - 1);
  if (first > last) return;
  emit dataChanged(index(first, 0), index(last, ColumnCount - 1), {Qt::DisplayRole});
}

int TNumbersModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TNumbersModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TNumbersModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || !worksheet_) return {};
  if (index.row() >= worksheet_->Count()) return {};
  const RNumber& entry = worksheet_->At(index.row());
  switch (index.column()) {
    case ColumnNumber: return Shown(entry.Number());
    case ColumnPhrase: return Shown(entry.Phrase());
    case ColumnDescription: return Shown(entry.Description());
    default: return {};
  }
}

QVariant TNumbersModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  switch (section) {
    case ColumnNumber: return QStringLiteral("Number");
    case ColumnPhrase: return QStringLiteral("Phrase");
    case ColumnDescription: return QStringLiteral("Description");
    default: return {};
  }
}

Qt::ItemFlags TNumbersModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace tq
