#include "TrainingCharts.h"

#include <QPainter>
#include <QPaintEvent>
#include <algorithm>

#include "PracticeSchedule.h"  // DayOf

namespace tq {
namespace {

const QColor kBar(0x2c, 0x6c, 0xc0);
const QColor kSlowBar(0xe8, 0xb0, 0x30);
const QColor kTarget(0xc8, 0x3c, 0x32);
const QColor kDot(0x3a, 0x9a, 0x48);

QString Seconds(int64_t ms) { return QString::number(static_cast<double>(ms) / 1000.0, 'f', 1) + QStringLiteral(" s"); }

int64_t MeanMs(const RDrillDay& day) { return day.answers > 0 ? day.totalMs / day.answers : 0; }

// The frame every chart shares: its title on the first line, the plot below
// and the two ends of the day axis under it. Returns the plot's rectangle.
QRect PaintFrame(QPainter& p, const QWidget& widget, const QString& title, const QString& corner, int daysShown) {
  const QFontMetrics metrics = widget.fontMetrics();
  const int line = metrics.height();
  const QRect area = widget.rect().adjusted(4, 2, -4, -2);
  p.fillRect(widget.rect(), widget.palette().base());
  p.setPen(widget.palette().color(QPalette::Text));
  const QRect top(area.left(), area.top(), area.width(), line);
  p.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, title);
  p.drawText(top, Qt::AlignRight | Qt::AlignVCenter, corner);
  const QRect plot(area.left(), area.top() + line + 2, area.width(), area.height() - 2 * line - 6);
  p.setPen(widget.palette().color(QPalette::Mid));
  p.drawLine(plot.left(), plot.bottom() + 1, plot.right(), plot.bottom() + 1);
  p.setPen(widget.palette().color(QPalette::Text));
  const QRect axis(plot.left(), plot.bottom() + 3, plot.width(), line);
  p.drawText(axis, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1 days ago").arg(daysShown - 1));
  p.drawText(axis, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("today"));
  return plot;
}

// A dashed line across the plot at height y, with its label at its left end.
void PaintLevel(QPainter& p, const QRect& plot, int y, const QColor& colour, const QString& label) {
  QPen pen(colour);
  pen.setStyle(Qt::DashLine);
  p.setPen(pen);
  p.drawLine(plot.left(), y, plot.right(), y);
  p.setPen(colour);
  // Above the line where there is room, else below it: never across it.
  const int height = p.fontMetrics().height();
  const int top = y - height - 1 >= plot.top() ? y - height - 1 : y + 2;
  p.drawText(QRect(plot.left() + 2, top, plot.width(), height), Qt::AlignLeft | Qt::AlignVCenter, label);
}

}  // namespace

std::vector<RDrillDay> RecentDrillDays(const RPegDrillRecord& record, int32_t today) {
  std::vector<RDrillDay> days;
  days.reserve(TPegDrillChart::kDaysShown);
  for (int32_t d = today - TPegDrillChart::kDaysShown + 1; d <= today; ++d) {
    const auto it = record.days.find(d);
    days.push_back(it == record.days.end() ? RDrillDay{} : it->second);
  }
  return days;
}

TPegDrillChart::TPegDrillChart(QWidget* parent) : QWidget(parent), days_(kDaysShown) {
  setObjectName("ChartTimes");
  setMinimumSize(sizeHint());
}

void TPegDrillChart::SetData(std::vector<RDrillDay> days, int32_t targetMs) {
  days_ = std::move(days);
  targetMs_ = targetMs;
  update();
}

QString TPegDrillChart::ScaleText() const {
  for (auto it = days_.rbegin(); it != days_.rend(); ++it)
    if (it->answers > 0) return QStringLiteral("latest %1").arg(Seconds(MeanMs(*it)));
  return QString();
}

QSize TPegDrillChart::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  return QSize(metrics.averageCharWidth() * 56, metrics.height() * 8);
}

void TPegDrillChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect plot =
      PaintFrame(p, *this, QStringLiteral("Mean time per answer, last %1 days").arg(kDaysShown), ScaleText(), kDaysShown);
  int64_t top = targetMs_;
  for (const RDrillDay& day : days_) top = std::max(top, MeanMs(day));
  top = std::max<int64_t>(1, top + top / 8);
  const int count = std::max<int>(1, static_cast<int>(days_.size()));
  const double slot = static_cast<double>(plot.width()) / count;
  for (int i = 0; i < static_cast<int>(days_.size()); ++i) {
    const int64_t mean = MeanMs(days_[static_cast<std::size_t>(i)]);
    const int height = static_cast<int>(static_cast<int64_t>(plot.height()) * mean / top);
    const int left = plot.left() + static_cast<int>(i * slot) + 1;
    p.fillRect(QRect(left, plot.bottom() + 1 - height, std::max(1, static_cast<int>(slot) - 2), height),
               mean > targetMs_ ? kSlowBar : kBar);
  }
  const int y = plot.bottom() + 1 - static_cast<int>(static_cast<int64_t>(plot.height()) * targetMs_ / top);
  PaintLevel(p, plot, y, kTarget, QStringLiteral("target %1").arg(Seconds(targetMs_)));
}

TNumbersChart::TNumbersChart(QWidget* parent) : QWidget(parent) {
  setObjectName("ChartScores");
  setMinimumSize(sizeHint());
}

void TNumbersChart::SetData(const RNumbersHistory& history, int32_t today) {
  dots_.clear();
  const int32_t first = today - kDaysShown + 1;
  for (const RNumbersAttempt& attempt : history.attempts) {
    const int32_t day = DayOf(attempt.moment);
    if (day >= first && day <= today) dots_.push_back(Dot{day - first, attempt.score, attempt.digits});
  }
  const RNumbersAttempt* best = history.Best();
  best_ = best ? best->score : -1;
  bestDigits_ = best ? best->digits : 0;
  update();
}

QString TNumbersChart::BestText() const {
  return best_ < 0 ? QString() : QStringLiteral("best %1 of %2").arg(best_).arg(bestDigits_);
}

QSize TNumbersChart::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  return QSize(metrics.averageCharWidth() * 56, metrics.height() * 8);
}

void TNumbersChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRect plot =
      PaintFrame(p, *this, QStringLiteral("Scores, last %1 weeks").arg(kDaysShown / 7), BestText(), kDaysShown);
  int top = std::max(best_, 1);
  for (const Dot& dot : dots_) top = std::max(top, dot.score);
  top += std::max(1, top / 8);
  const double slot = static_cast<double>(plot.width()) / kDaysShown;
  const int radius = std::max(3, fontMetrics().height() / 5);
  p.setPen(Qt::NoPen);
  p.setBrush(kDot);
  for (const Dot& dot : dots_) {
    const int x = plot.left() + static_cast<int>((dot.day + 0.5) * slot);
    const int y = plot.bottom() + 1 - static_cast<int>(static_cast<int64_t>(plot.height()) * dot.score / top);
    p.drawEllipse(QPoint(x, y), radius, radius);
  }
  p.setBrush(Qt::NoBrush);
  if (best_ >= 0) {
    const int y = plot.bottom() + 1 - static_cast<int>(static_cast<int64_t>(plot.height()) * best_ / top);
    PaintLevel(p, plot, y, kTarget, QStringLiteral("best %1").arg(best_));
  }
}

}  // namespace tq
