#include "DocumentPainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <numeric>
#include <vector>

#include "AtomicFile.h"
#include "Messages.h"
#include "PageBreaks.h"
#include "Platform.h"
#include "PrintDocument.h"
#include "Text.h"

namespace tq {
namespace {

// The text's lines as it wraps within `width`: between words, or anywhere
// in a word longer than the width (the digits of a long number).
QStringList WrappedLines(const QString& text, const QFont& font, qreal width, QPaintDevice* device) {
  QStringList lines;
  if (text.isEmpty()) return lines;
  QTextLayout layout(text, font, device);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    lines << text.mid(line.textStart(), line.textLength()).trimmed();
  }
  layout.endLayout();
  return lines;
}

// Everything measured once for the device: fonts, heights, where the
// columns stand, and every cell already cut into its lines.
struct TPageLayout {
  QFont body, heading, title, foot;
  int lineHeight = 1;
  int padding = 0;
  qreal cellMargin = 0;
  qreal width = 0;
  int height = 0;
  std::vector<qreal> columnLeft, columnWidth;
  QStringList titleLines;            // the title, then the notes
  int titleHeight = 0;               // with the gap below it
  int titleLineCount = 0;            // of titleLines, those of the title itself
  std::vector<QStringList> headings;  // per column
  int headingHeight = 0;
  int footHeight = 0;
  std::vector<std::vector<QStringList>> cells;  // per row, per column
};

int Ceil(qreal value) { return qCeil(value); }

TPageLayout Measure(const RPrintDocument& doc, QPagedPaintDevice& device) {
  TPageLayout l;
  l.body = QFont();
  l.body.setPointSizeF(10);
  // No ligatures (Qt joins none in spaced text): "fi" stays two letters, so
  // that a search in the PDF, or a copy of its text, finds "fireplace".
  l.body.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
  l.heading = l.body;
  l.heading.setBold(true);
  l.title = l.heading;
  l.title.setPointSizeF(16);
  l.foot = l.body;
  l.foot.setPointSizeF(8);
  const QFontMetricsF body(l.body, &device);
  l.lineHeight = std::max(1, Ceil(body.lineSpacing()));
  l.padding = Ceil(body.lineSpacing() * 0.5);
  l.cellMargin = body.averageCharWidth() * 0.6;
  l.width = device.width();
  l.height = device.height();

  std::vector<RColumnRoom> columns;
  for (const RPrintColumn& column : doc.columns) {
    const qreal widest = column.widest.empty() ? 0 : body.horizontalAdvance(QString::fromUtf8(column.widest));
    columns.push_back(RColumnRoom{column.share, column.widest.empty() ? 0 : widest + 2 * l.cellMargin + 1});
  }
  for (const double width : ColumnWidths(columns, l.width)) l.columnWidth.push_back(width);
  qreal left = 0;
  for (const qreal width : l.columnWidth) {
    l.columnLeft.push_back(left);
    left += width;
  }
  auto inner = [&l](std::size_t c) { return std::max<qreal>(l.columnWidth[c] - 2 * l.cellMargin, 1); };

  const QFontMetricsF title(l.title, &device);
  l.titleLines = WrappedLines(QString::fromUtf8(doc.title), l.title, l.width, &device);
  l.titleLineCount = static_cast<int>(l.titleLines.size());
  for (const std::string& note : doc.notes) l.titleLines << WrappedLines(QString::fromUtf8(note), l.body, l.width, &device);
  l.titleHeight = Ceil(l.titleLineCount * title.lineSpacing()) +
                  (static_cast<int>(l.titleLines.size()) - l.titleLineCount) * l.lineHeight + l.lineHeight;

  int headingLines = 1;
  for (std::size_t c = 0; c < doc.columns.size(); ++c) {
    l.headings.push_back(WrappedLines(QString::fromUtf8(doc.columns[c].heading), l.heading, inner(c), &device));
    headingLines = std::max(headingLines, static_cast<int>(l.headings.back().size()));
  }
  l.headingHeight = headingLines * l.lineHeight + l.padding;
  l.footHeight = Ceil(QFontMetricsF(l.foot, &device).lineSpacing()) + l.lineHeight;

  l.cells.reserve(doc.rows.size());
  for (const auto& row : doc.rows) {
    std::vector<QStringList> cells;
    for (std::size_t c = 0; c < doc.columns.size(); ++c)
      cells.push_back(c < row.size() ? WrappedLines(QString::fromUtf8(row[c]), l.body, inner(c), &device)
                                     : QStringList());
    l.cells.push_back(std::move(cells));
  }
  return l;
}

// Draws `lines` from `first` on, one under the other, from the top at y.
void DrawLines(QPainter& painter, const QStringList& lines, int first, int count, qreal x, qreal y,
               qreal lineHeight) {
  const qreal ascent = painter.fontMetrics().ascent();
  for (int i = 0; i < count && first + i < lines.size(); ++i)
    painter.drawText(QPointF(x, y + ascent + i * lineHeight), lines[first + i]);
}

}  // namespace

int PaintDocument(const RPrintDocument& doc, QPagedPaintDevice& device, int* total) {
  const TPageLayout l = Measure(doc, device);
  std::vector<int> rowLines;
  rowLines.reserve(l.cells.size());
  for (const auto& cells : l.cells) {
    int lines = 1;
    for (const QStringList& cell : cells) lines = std::max(lines, static_cast<int>(cell.size()));
    rowLines.push_back(lines);
  }
  RPageMetrics metrics;
  metrics.otherPages = l.height - l.headingHeight - l.footHeight;
  metrics.firstPage = metrics.otherPages - l.titleHeight;
  metrics.lineHeight = l.lineHeight;
  metrics.rowPadding = l.padding;
  const std::vector<RPrintedPage> pages = BreakIntoPages(rowLines, metrics);
  if (total) *total = static_cast<int>(pages.size());

  QPainter painter;
  if (!painter.begin(&device)) return 0;
  int painted = 0;
  const QPen textPen(Qt::black);
  const QPen rulePen(QColor(0xb4, 0xb4, 0xb4), 0);
  const QString title = QString::fromUtf8(doc.title);
  for (std::size_t p = 0; p < pages.size(); ++p) {
    if (p > 0 && !device.newPage()) break;
    painter.setPen(textPen);
    qreal y = 0;
    if (p == 0) {
      painter.setFont(l.title);
      const qreal titleSpacing = painter.fontMetrics().lineSpacing();
      DrawLines(painter, l.titleLines, 0, l.titleLineCount, 0, y, titleSpacing);
      y += l.titleLineCount * titleSpacing;
      painter.setFont(l.body);
      const int notes = static_cast<int>(l.titleLines.size()) - l.titleLineCount;
      DrawLines(painter, l.titleLines, l.titleLineCount, notes, 0, y, l.lineHeight);
      y = l.titleHeight;
    }
    painter.setFont(l.heading);
    for (std::size_t c = 0; c < l.headings.size(); ++c)
      DrawLines(painter, l.headings[c], 0, static_cast<int>(l.headings[c].size()), l.columnLeft[c] + l.cellMargin,
                y + l.padding / 2.0, l.lineHeight);
    y += l.headingHeight;
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(QPointF(0, y), QPointF(l.width, y));

    painter.setFont(l.body);
    for (const RRowPiece& piece : pages[p]) {
      painter.setPen(textPen);
      const auto& cells = l.cells[piece.row];
      for (std::size_t c = 0; c < cells.size(); ++c)
        DrawLines(painter, cells[c], piece.firstLine, piece.lineCount, l.columnLeft[c] + l.cellMargin,
                  y + l.padding / 2.0, l.lineHeight);
      y += RowHeight(piece.lineCount, metrics);
      painter.setPen(rulePen);
      painter.drawLine(QPointF(0, y), QPointF(l.width, y));
    }

    painter.setPen(textPen);
    painter.setFont(l.foot);
    const QFontMetricsF foot = painter.fontMetrics();
    const qreal baseline = l.height - foot.descent();
    const QString pageText = QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size());
    const qreal pageWidth = foot.horizontalAdvance(pageText);
    painter.drawText(QPointF(0, baseline), foot.elidedText(title, Qt::ElideRight, l.width - pageWidth - l.lineHeight));
    painter.drawText(QPointF(l.width - pageWidth, baseline), pageText);
    ++painted;
  }
  // A device that cannot finish leaves the last page unfinished.
  if (!painter.end()) painted = std::max(painted - 1, 0);
  return painted;
}

QByteArray PdfOf(const RPrintDocument& document, int* pages, int* total, const PdfWriterMaker& makeWriter) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  int painted = 0;
  int all = 0;
  {
    const std::unique_ptr<QPdfWriter> writer =
        makeWriter ? makeWriter(&buffer) : std::make_unique<QPdfWriter>(&buffer);
    writer->setTitle(QString::fromUtf8(document.title));
    writer->setCreator(QString::fromLatin1(kProductName));
    const bool us = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    writer->setPageSize(QPageSize(us ? QPageSize::Letter : QPageSize::A4));
    writer->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    painted = PaintDocument(document, *writer, &all);
  }
  if (pages) *pages = painted;
  if (total) *total = all;
  return painted > 0 && painted == all ? buffer.data() : QByteArray();
}

bool ExportPdf(const RPrintDocument& document, const std::string& path, const PdfWriterMaker& makeWriter) {
  int pages = 0;
  int total = 0;
  const QByteArray bytes = PdfOf(document, &pages, &total, makeWriter);
  const std::string writeError = "Error writing to file '" + NativeText(path) + "'. The disk could be full.";
  if (bytes.isEmpty() && pages > 0) {
    // Half a document is no document: the file is not written.
    ShowError("The PDF broke off after page " + std::to_string(pages) + " of " + std::to_string(total) +
              "; nothing was written to '" + NativeText(path) + "'.");
    return false;
  }
  if (bytes.isEmpty()) {
    ShowError(writeError);
    return false;
  }
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return false;
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
  if (!out.CommitOrReport(writeError)) return false;
  ShowStatus("Wrote " + CountOf(pages, "page") + " to '" + NativeText(path) + "'.");
  return true;
}

bool PreviewDocument(const RPrintDocument& document) {
  return CurrentPlatform().PrintPreview(document.title,
                                        [&document](QPagedPaintDevice& device) { return PaintDocument(document, device); });
}

}  // namespace tq
