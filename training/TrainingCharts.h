// The drills' charts, painted by hand as the practice chart is: the peg
// drill's mean time per answer per day, against the target, and the numbers
// drill's scores over the days, with the best of them.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "NumbersHistory.h"
#include "PegDrillRecord.h"

namespace tq {

// The mean time per answer on each of the last kDaysShown days, as bars, and
// the target as a dashed line across them.
class TPegDrillChart : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDaysShown = 28;

  explicit TPegDrillChart(QWidget* parent = nullptr);

  // days: kDaysShown tallies, the oldest first.
  void SetData(std::vector<RDrillDay> days, int32_t targetMs);
  const std::vector<RDrillDay>& Days() const { return days_; }
  // What the top right corner says: the latest day's mean, or nothing while
  // no day shown has an answer.
  QString ScaleText() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<RDrillDay> days_;
  int32_t targetMs_ = kDefaultTargetMs;
};

// The last kDaysShown days' tallies of a record up to `today`, oldest first.
std::vector<RDrillDay> RecentDrillDays(const RPegDrillRecord& record, int32_t today);

// Every attempt of the last kDaysShown days as a dot at its day and score
// (the digits right that counted), and the best score of the whole history
// as a dashed line.
class TNumbersChart : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDaysShown = 56;

  explicit TNumbersChart(QWidget* parent = nullptr);

  void SetData(const RNumbersHistory& history, int32_t today);
  // The attempts shown: their day (0 for the oldest day shown) and score.
  struct Dot {
    int day;
    int score;
    int digits;
  };
  const std::vector<Dot>& Dots() const { return dots_; }
  // "best 62 of 80", or nothing before the first attempt.
  QString BestText() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<Dot> dots_;
  int best_ = -1;
  int bestDigits_ = 0;
};

}  // namespace tq
