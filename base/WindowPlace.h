// Small helpers for how our windows open and how their lists answer the
// mouse, shared by the dialogs.
#pragma once

#include <QMargins>
#include <QRect>
#include <functional>
#include <vector>

class QAbstractItemView;
class QWidget;

namespace tq {

// Centres a window on the free area of its screen (the primary screen when
// it has none yet), by the size the window has now, frame included. A window
// larger than that area is made smaller as far as its minimum size allows,
// and whatever is still too large hangs off the right and bottom edges, so
// that its title bar and its top left stay on the screen.
void CentreOnScreen(QWidget& window);

// --- remembered places -------------------------------------------------------------
// A window whose place survives a restart keeps one rectangle: its client
// area (the window without the frame the window manager draws), as it is
// while the window is neither maximized nor minimized. It is taken and given
// back in the same terms, so a frame of any height never shifts it, and it
// is brought back onto the screen first, as screens come and go between two
// runs.

// The place to keep for the window.
QRect PlaceOf(const QWidget& window);

// Where a window kept at `place` (a client area) with `frame` around it
// opens, given the free areas of the screens: where it was, when its frame
// lies within one of them. Else on the area it overlaps most (the first,
// when it overlaps none), made smaller as far as `minimum` allows and moved
// so that its frame lies within the area; a window that still does not fit
// keeps its frame's top left corner on the area, its title bar in sight.
QRect PlaceOnScreen(const QRect& place, const QMargins& frame, const std::vector<QRect>& areas, QSize minimum);

// The frame the window manager draws around the window: its own once the
// window has been shown, before that the frame of the window it belongs to,
// which the same window manager drew; none when neither is known.
QMargins LikelyFrame(const QWidget& window);

// Once the window is next on the screen, and so knows its frame, brings that
// frame onto the free area of a screen, making the window smaller as far as
// its minimum size allows: a window sized for the screen before the window
// manager framed it would otherwise hang off its bottom.
void KeepOnScreenOnceFramed(QWidget& window);

// Gives the window its place, brought onto the free area of a screen. Before
// the window is shown its frame is unknown: once the window manager has
// framed it, it is brought onto the screen again with the frame it got. A
// maximized or full-screen window is left to the window manager.
void RestorePlace(QWidget& window, const QRect& place);

// Runs `handler` on a left double click on the empty part of a list, below
// or beside its rows, as a double click on a row already does through the
// view's doubleClicked signal. The handler looks at the selection itself.
void OnEmptyAreaDoubleClick(QAbstractItemView& view, std::function<void()> handler);

}  // namespace tq
