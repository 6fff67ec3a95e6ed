#include "JourneyModel.h"

#include "Codec.h"
#include "FormBest.h"

namespace tq {

void TJourneyModel::SetScenes(RJourneyScenes scenes, bool sameEntry) {
  if (!sameEntry) {
    beginResetModel();
    scenes_ = std::move(scenes);
    endResetModel();
    return;
  }
  const int before = rowCount();
  const int after = static_cast<int>(scenes.Count());
  if (after < before) {
    beginRemoveRows(QModelIndex(), after, before - 1);
    scenes_ = std::move(scenes);
    endRemoveRows();
  } else if (after > before) {
    beginInsertRows(QModelIndex(), before, after - 1);
    scenes_ = std::move(scenes);
    endInsertRows();
  } else {
    scenes_ = std::move(scenes);
  }
  RowsChanged();
}

void TJourneyModel::SetJourney(const RJourney& journey) {
  journey_ = journey;
  RowsChanged();
}

void TJourneyModel::RowsChanged() {
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int TJourneyModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(scenes_.Count());
}

int TJourneyModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TJourneyModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) return {};
  const auto row = static_cast<std::size_t>(index.row());
  switch (index.column()) {
    case ColumnPlace:
      return ToQString(PlaceName(journey_, row));
    case ColumnWords: {
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
