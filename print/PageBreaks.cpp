#include "PageBreaks.h"

#include <algorithm>

namespace tq {

std::vector<double> ColumnWidths(const std::vector<RColumnRoom>& columns, double width) {
  std::vector<double> widths(columns.size());
  // A column fixed at its least width stays so; the others share the rest,
  // again and again while one of them comes out below its least.
  std::vector<bool> fixed(columns.size(), false);
  for (bool again = true; again;) {
    again = false;
    double room = width;
    int shares = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (fixed[c])
        room -= widths[c];
      else
        shares += std::max(columns[c].share, 1);
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (fixed[c]) continue;
      widths[c] = std::max(room, 0.0) * std::max(columns[c].share, 1) / std::max(shares, 1);
      if (columns[c].least > widths[c]) {
        widths[c] = std::min(columns[c].least, width);
        fixed[c] = again = true;
      }
    }
  }
  return widths;
}

int RowHeight(int lines, const RPageMetrics& metrics) {
  return std::max(lines, 1) * metrics.lineHeight + metrics.rowPadding;
}

std::vector<RPrintedPage> BreakIntoPages(const std::vector<int>& rowLines, const RPageMetrics& metrics) {
  std::vector<RPrintedPage> pages(1);
  int used = 0;
  auto room = [&] { return (pages.size() == 1 ? metrics.firstPage : metrics.otherPages) - used; };
  auto nextPage = [&] {
    pages.emplace_back();
    used = 0;
  };
  const int lineHeight = std::max(metrics.lineHeight, 1);
  for (std::size_t row = 0; row < rowLines.size(); ++row) {
    const int lines = std::max(rowLines[row], 1);
    const int height = RowHeight(lines, metrics);
    if (height > room() && height <= metrics.otherPages) nextPage();
    if (height <= room()) {
      pages.back().push_back(RRowPiece{row, 0, lines});
      used += height;
      continue;
    }
    // Taller than any page: as many lines as fit here, the rest on the next
    // pages. A page already holding rows is not cut into for less than a line.
    for (int line = 0; line < lines;) {
      int fit = (room() - metrics.rowPadding) / lineHeight;
      if (fit <= 0 && !pages.back().empty()) {
        nextPage();
        continue;
      }
      fit = std::clamp(fit, 1, lines - line);
      pages.back().push_back(RRowPiece{row, line, fit});
      used += RowHeight(fit, metrics);
      line += fit;
    }
  }
  return pages;
}

}  // namespace tq
