#include "StatusPanel.h"

#include <QPainter>

namespace tq {
namespace {

// No panel shows more characters than this; a longer text is cut to it
// before it is measured, so that measuring stays quick whatever the text.
constexpr qsizetype kMeasuredLength = 2000;

// Lines of the tip: a tip does not wrap a plain text, and wraps a rich one
// to a narrow column.
constexpr qsizetype kTipColumns = 90;

// The text as a tip: in lines broken at blanks, each kept whole, and as rich
// text, so that markup in the text (a path can hold "<b>") shows as it is.
QString TipText(const QString& text) {
  QStringList lines;
  QString line;
  for (const QString& word : text.split(QLatin1Char(' '))) {
    if (!line.isEmpty() && line.size() + 1 + word.size() > kTipColumns) {
      lines << line.toHtmlEscaped();
      line.clear();
    }
    line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
  }
  lines << line.toHtmlEscaped();
  return QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(lines.join(QStringLiteral("<br>")));
}

}  // namespace

TStatusPanel::TStatusPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("StatusPanel0");
  setMinimumHeight(fontMetrics().height() + 4);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TStatusPanel::SetText(const QString& text, bool alert) {
  text_ = text;
  alert_ = alert;
  Fit();
  update();
}

void TStatusPanel::Fit() {
  const QString measured = text_.size() > kMeasuredLength ? text_.left(kMeasuredLength) + QChar(0x2026) : text_;
  shown_ = fontMetrics().elidedText(measured, Qt::ElideRight, width());
  setToolTip(shown_ == text_ ? QString() : TipText(text_));
}

void TStatusPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Fit();
}

void TStatusPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), alert_ ? QColor(0, 0, 128) : palette().color(QPalette::Button));
  p.setPen(alert_ ? Qt::white : Qt::black);
  p.drawText(rect().adjusted(0, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, shown_);
}

}  // namespace tq
