#include "PracticeChart.h"

#include <QPainter>
#include <QPaintEvent>
#include <algorithm>

namespace tq {
namespace {

const QColor kRight(0x3a, 0x9a, 0x48);
const QColor kWrong(0xc8, 0x3c, 0x32);
const QColor kNew(0xb8, 0xbe, 0xc8);
const QColor kLearning(0xe8, 0xb0, 0x30);
const QColor kLearned(0x2c, 0x6c, 0xc0);

// The most answers of any day; in 64 bits, as a day's counters may each be
// near the 32-bit limit.
int64_t Busiest(const std::vector<RDayTally>& days) {
  int64_t most = 0;
  for (const RDayTally& day : days) most = std::max(most, int64_t{day.right} + day.wrong);
  return most;
}

}  // namespace

std::vector<RDayTally> RecentDays(const RPracticeSchedule& schedule, int32_t today) {
  std::vector<RDayTally> days;
  days.reserve(TPracticeChart::kDaysShown);
  for (int32_t d = today - TPracticeChart::kDaysShown + 1; d <= today; ++d) {
    auto it = schedule.Days().find(d);
    days.push_back(it == schedule.Days().end() ? RDayTally{} : it->second);
  }
  return days;
}

TPracticeChart::TPracticeChart(QWidget* parent) : QWidget(parent), days_(kDaysShown) {
  setObjectName("ChartProgress");
  setMinimumSize(sizeHint());
}

void TPracticeChart::SetData(std::vector<RDayTally> days, RStageCounts stages) {
  days_ = std::move(days);
  stages_ = stages;
  update();
}

QString TPracticeChart::ScaleText() const {
  const int64_t busiest = Busiest(days_);
  return busiest > 0 ? QStringLiteral("most %1").arg(busiest) : QString();
}

QSize TPracticeChart::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  return QSize(metrics.averageCharWidth() * 56, metrics.height() * 9);
}

void TPracticeChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QFontMetrics metrics = fontMetrics();
  const int line = metrics.height();
  const QRect area = rect().adjusted(4, 2, -4, -2);
  p.fillRect(rect(), palette().base());

  // The stages: one bar across the width, with its legend below it.
  const int total = stages_.newCount + stages_.learning + stages_.learned;
  const QRect stageBar(area.left(), area.bottom() - 2 * line + 2, area.width(), line - 4);
  struct Part {
    int count;
    QColor colour;
    QString name;
  } parts[] = {{stages_.learned, kLearned, QStringLiteral("Learned")},
               {stages_.learning, kLearning, QStringLiteral("Learning")},
               {stages_.newCount, kNew, QStringLiteral("New")}};
  int x = stageBar.left();
  for (const Part& part : parts) {
    if (total == 0 || part.count == 0) continue;
    const int w = stageBar.width() * part.count / total;
    p.fillRect(QRect(x, stageBar.top(), w, stageBar.height()), part.colour);
    x += w;
  }
  // Rounding leaves a few pixels; they go to the last part drawn.
  if (total > 0 && x < stageBar.right() + 1) {
    for (auto it = std::rbegin(parts); it != std::rend(parts); ++it) {
      if (it->count == 0) continue;
      p.fillRect(QRect(x, stageBar.top(), stageBar.right() + 1 - x, stageBar.height()), it->colour);
      break;
    }
  }
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(stageBar.adjusted(0, 0, -1, -1));
  int legendX = area.left();
  const int legendY = area.bottom() - line + 1;
  for (const Part& part : parts) {
    p.fillRect(QRect(legendX, legendY + line / 4, line / 2, line / 2), part.colour);
    legendX += line / 2 + 4;
    const QString text = QStringLiteral("%1 %2").arg(part.name).arg(part.count);
    p.setPen(palette().color(QPalette::Text));
    p.drawText(QRect(legendX, legendY, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter, text);
    legendX += metrics.horizontalAdvance(text) + line;
  }

  // The days: a bar per day, scaled to the busiest day shown.
  const QRect plot(area.left(), area.top() + line, area.width(), stageBar.top() - area.top() - 2 * line - 2);
  p.setPen(palette().color(QPalette::Text));
  p.drawText(QRect(area.left(), area.top(), area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Answers per day, last %1 days").arg(kDaysShown));
  const int64_t busiest = std::max<int64_t>(1, Busiest(days_));
  p.drawText(QRect(area.left(), area.top(), area.width(), line), Qt::AlignRight | Qt::AlignVCenter, ScaleText());
  const int count = std::max<int>(1, static_cast<int>(days_.size()));
  const double slot = static_cast<double>(plot.width()) / count;
  for (int i = 0; i < static_cast<int>(days_.size()); ++i) {
    const RDayTally& day = days_[static_cast<std::size_t>(i)];
    const int left = plot.left() + static_cast<int>(i * slot) + 1;
    const int width = std::max(1, static_cast<int>(slot) - 2);
    const int rightHeight = static_cast<int>(static_cast<long long>(plot.height()) * day.right / busiest);
    const int wrongHeight = static_cast<int>(static_cast<long long>(plot.height()) * day.wrong / busiest);
    p.fillRect(QRect(left, plot.bottom() + 1 - rightHeight, width, rightHeight), kRight);
    p.fillRect(QRect(left, plot.bottom() + 1 - rightHeight - wrongHeight, width, wrongHeight), kWrong);
  }
  p.setPen(palette().color(QPalette::Mid));
  p.drawLine(plot.left(), plot.bottom() + 1, plot.right(), plot.bottom() + 1);
  p.setPen(palette().color(QPalette::Text));
  const QRect axis(plot.left(), plot.bottom() + 2, plot.width(), line);
  p.drawText(axis, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1 days ago").arg(kDaysShown - 1));
  p.drawText(axis, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("today"));
  // The colours of the bars, between the two ends of the axis.
  const QString rightText = QStringLiteral("right"), wrongText = QStringLiteral("wrong");
  int keyX = axis.center().x() - (metrics.horizontalAdvance(rightText + wrongText) + 2 * line + 12) / 2;
  for (const auto& [text, colour] : {std::pair{rightText, kRight}, std::pair{wrongText, kWrong}}) {
    p.fillRect(QRect(keyX, axis.top() + line / 4, line / 2, line / 2), colour);
    keyX += line / 2 + 3;
    p.drawText(QRect(keyX, axis.top(), metrics.horizontalAdvance(text) + 2, line), Qt::AlignLeft | Qt::AlignVCenter,
               text);
    keyX += metrics.horizontalAdvance(text) + line;
  }
}

}  // namespace tq
