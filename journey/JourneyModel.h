// The rows of the Journey window: one per scene, asked for by the view only
// for the rows it shows, so that a number of ten thousand digits lists at
// once. The text of a row is made when it is asked for. Scenes cut step by
// step become rows as they are cut.
#pragma once

#include <QAbstractTableModel>

#include "Journey.h"
#include "JourneyScenes.h"

namespace tq {

class TJourneyModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { ColumnPlace, ColumnWords, ColumnDigits, ColumnWhere, ColumnCount };

  explicit TJourneyModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // New scenes. For the entry already shown (`sameEntry`) the rows stay
  // where they are, so the view keeps its place; rows come or go at the end
  // and the rest are told that they changed. Another entry starts afresh.
  void SetScenes(RJourneyScenes scenes, bool sameEntry);
  // Cuts about `count` more slots of scenes cut step by step, and adds the
  // rows they make. True once the scenes are complete.
  bool CutMore(std::size_t count);
  // The places' names changed; the rows stay.
  void SetJourney(const RJourney& journey);
  const RJourneyScenes& Scenes() const { return scenes_; }
  const RJourney& Journey() const { return journey_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  void RowsChanged();
  QString WordsText(std::size_t row) const;

  RJourneyScenes scenes_;
  int rows_ = 0;  // the rows the view has been told of
  RJourney journey_;
};

}  // namespace tq
