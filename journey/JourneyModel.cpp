#include "JourneyModel.h"

#include "Codec.h"
#include "FormBest.h"

namespace tq {

void TJourneyModel::SetScenes(RJourneyScenes scenes, bool sameEntry) {
  const int after = static_cast<int>(scenes.Count());
  if (!sameEntry) {
    beginResetModel();
    scenes_ = std::move(scenes);
    rows_ = after;
    endResetModel();
    return;
  }
  if (after < rows_) {
    beginRemoveRows(QModelIndex(), after, rows_ - 1);
    scenes_ = std::move(scenes);
    rows_ = after;
    endRemoveRows();
  } else if (after > rows_) {
    beginInsertRows(QModelIndex(), rows_, after - 1);
    scenes_ = std::move(scenes);
    rows_ = after;
    endInsertRows();
  } else {
    scenes_ = std::move(scenes);
  }
  RowsChanged();
}

bool TJourneyModel::CutMore(std::size_t count) {
  const bool complete = scenes_.CutMore(count);
  const int after = static_cast<int>(scenes_.Count());
  if (after > rows_) {
    beginInsertRows(QModelIndex(), rows_, after - 1);
    rows_ = after;
    endInsertRows();
  }
  return complete;
}

void TJourneyModel::SetJourney(const RJourney& journey) {
  journey_ = journey;
  RowsChanged();
}

void TJourneyModel::RowsChanged() {
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int TJourneyModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TJourneyModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString TJourneyModel::WordsText(std::size_t row) const {
  // Each word with its mark, as the Best Phrases dialog marks them; a
  // stretch of uncovered digits shows its dots.
  QString text;
  for (const RSceneWord& word : scenes_.Words(row)) {
    if (!text.isEmpty()) text += QStringLiteral("   ");
    if (!word.uncovered) text += PictureMark(word.pictured) + QLatin1Char(' ');
    text += ToQString(word.text);
  }
  return text;
}

QVariant TJourneyModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const auto row = static_cast<std::size_t>(index.row());
  // A cell may be too narrow for its text: the tip holds the whole scene,
  // whichever cell the pointer rests on.
  if (role == Qt::ToolTipRole)
    return ToQString(PlaceName(journey_, row)) + QLatin1Char('\n') + WordsText(row) + QLatin1Char('\n') +
           ToQString(scenes_.Digits(row)) + QStringLiteral(" (") + ToQString(scenes_.DigitRange(row)) +
           QLatin1Char(')');
  switch (index.column()) {
    case ColumnPlace:
      return ToQString(PlaceName(journey_, row));
    case ColumnWords:
      return WordsText(row);
    case ColumnDigits:
      return ToQString(scenes_.Digits(row));
    case ColumnWhere:
      return ToQString(scenes_.DigitRange(row));
    default:
      return {};
  }
}

QVariant TJourneyModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  switch (section) {
    case ColumnPlace:
      return QStringLiteral("Place");
    case ColumnWords:
      return QStringLiteral("Words");
    case ColumnDigits:
      return QStringLiteral("Digits");
    case ColumnWhere:
      return QStringLiteral("In the number");
    default:
      return {};
  }
}

}  // namespace tq
