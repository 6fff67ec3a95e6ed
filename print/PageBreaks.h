// How the rows of a printed table go onto pages. Plain arithmetic over row
// heights in lines, so that it is tested without printing anything.
//
// A row is kept whole on one page: a row that does not fit in what is left
// of a page starts the next one. Only a row taller than a whole page (a
// number of ten thousand digits, say) is cut, between two of its lines, and
// goes on over as many pages as it needs.
#pragma once

#include <cstddef>
#include <vector>

namespace tq {

// The page's measures, in device units of the printer or PDF writer. The
// first page holds less, as the title stands at its top.
struct RPageMetrics {
  int firstPage = 0;   // the height the first page has for rows
  int otherPages = 0;  // the height every later page has for rows
  int lineHeight = 1;  // one line of a row's text
  int rowPadding = 0;  // added once to every row (or piece of one)
};

// A row on a page: all of it, or a run of its lines when it was cut.
struct RRowPiece {
  std::size_t row = 0;
  int firstLine = 0;
  int lineCount = 0;
  bool operator==(const RRowPiece&) const = default;
};

using RPrintedPage = std::vector<RRowPiece>;

// A column of the table: its share of the page's width against the other
// columns' shares, and the width it needs at the least (its widest text on
// one line), or 0.
struct RColumnRoom {
  int share = 1;
  double least = 0;
};

// The columns' widths on a page `width` wide, adding up to it while the
// least widths leave room: each its share, but a column that needs more than
// its share gets what it needs (at most the page), and the others share the
// rest by their shares.
std::vector<double> ColumnWidths(const std::vector<RColumnRoom>& columns, double width);

// The height of `lines` lines of a row on the page (a row has one line at
// least, even when all its cells are empty).
int RowHeight(int lines, const RPageMetrics& metrics);

// The pages, each with its rows top to bottom, for rows of rowLines[i]
// lines, in order. Every row's lines are on the pages exactly once, in
// order; a row no taller than a page stays in one piece; no page holds more
// than its height, unless it is too low for a single line (it then takes
// one line all the same, so that the pages come to an end). There is one
// page at least, even for no rows.
std::vector<RPrintedPage> BreakIntoPages(const std::vector<int>& rowLines, const RPageMetrics& metrics);

}  // namespace tq
