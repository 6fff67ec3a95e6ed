// The progress chart of the Practice dialog, painted by hand: answers per day
// over the last weeks as bars (right below, wrong stacked on top) and one
// bar split into the entries that are new, learning and learned.
#pragma once

#include <QWidget>
#include <vector>

#include "PracticeSchedule.h"

namespace tq {

class TPracticeChart : public QWidget {
  Q_OBJECT

 public:
  // Days shown, today the last of them.
  static constexpr int kDaysShown = 28;

  explicit TPracticeChart(QWidget* parent = nullptr);

  // days: kDaysShown tallies, the oldest first.
  void SetData(std::vector<RDayTally> days, RStageCounts stages);
  const std::vector<RDayTally>& Days() const { return days_; }
  const RStageCounts& Stages() const { return stages_; }
  // The scale of the day bars: the busiest day's answers; none while no day
  // shown has any.
  QString ScaleText() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<RDayTally> days_;
  RStageCounts stages_;
};

// The last kDaysShown days' tallies of a schedule up to `today`, oldest first.
std::vector<RDayTally> RecentDays(const RPracticeSchedule& schedule, int32_t today);

}  // namespace tq
