// Small helpers for how our windows open and how their lists answer the
// mouse, shared by the dialogs.
#pragma once

#include <functional>

class QAbstractItemView;
class QWidget;

namespace tq {

// Centres a window on the free area of its screen (the primary screen when
// it has none yet), by the size the window has now, frame included. A window
// larger than that area is made smaller as far as its minimum size allows,
// and whatever is still too large hangs off the right and bottom edges, so
// that its title bar and its top left stay on the screen.
void CentreOnScreen(QWidget& window);

// Runs `handler` on a left double click on the empty part of a list, below
// or beside its rows, as a double click on a row already does through the
// view's doubleClicked signal. The handler looks at the selection itself.
void OnEmptyAreaDoubleClick(QAbstractItemView& view, std::function<void()> handler);

}  // namespace tq
