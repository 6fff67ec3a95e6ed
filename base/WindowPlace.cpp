#include "WindowPlace.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

namespace tq {

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // The frame is known only once the window system has decorated the window;
  // before that the frame of the window it belongs to stands in for it.
  const QMargins margins = LikelyFrame(window);
  const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
  const QSize room = area.size() - frame;
  const QSize now = window.size();
  const QSize fitted = now.boundedTo(room).expandedTo(window.minimumSize());
  if (fitted != now) window.resize(fitted);
  const QSize whole = window.size() + frame;
  const int left = area.left() + std::max(0, (area.width() - whole.width()) / 2);
  const int top = area.top() + std::max(0, (area.height() - whole.height()) / 2);
  // A window's position is that of its frame.
  window.move(left, top);
}

QMargins LikelyFrame(const QWidget& window) {
  for (const QWidget* w = &window; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
    const QWindow* handle = w->windowHandle();
    if (handle && !handle->frameMargins().isNull()) return handle->frameMargins();
  }
  return {};
}

QRect PlaceOf(const QWidget& window) { return window.normalGeometry(); }

QRect PlaceOnScreen(const QRect& place, const QMargins& frame, const std::vector<QRect>& areas, QSize minimum) {
  if (areas.empty()) return place;
  const QRect whole = place.marginsAdded(frame);
  const QRect* best = &areas.front();
  long long most = -1;
  for (const QRect& area : areas) {
    if (area.contains(whole)) return place;
    const QRect both = area.intersected(whole);
    const long long shared = both.isEmpty() ? 0 : static_cast<long long>(both.width()) * both.height();
    if (shared > most) {
      most = shared;
      best = &area;
    }
  }
  const QRect& area = *best;
  const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
  const QSize size = place.size().boundedTo(area.size() - frameSize).expandedTo(minimum).expandedTo(QSize(1, 1));
  QRect framed = QRect(place.topLeft(), size).marginsAdded(frame);
  framed.moveLeft(std::max(area.left(), std::min(framed.left(), area.right() - framed.width() + 1)));
  framed.moveTop(std::max(area.top(), std::min(framed.top(), area.bottom() - framed.height() + 1)));
  return framed.marginsRemoved(frame);
}

namespace {

std::vector<QRect> FreeAreas() {
  std::vector<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas.push_back(screen->availableGeometry());
  return areas;
}

void BringOnScreen(QWidget& window, const QRect& place) {
  if (window.isMaximized() || window.isFullScreen() || window.isMinimized()) return;
  const QRect onScreen = PlaceOnScreen(place, LikelyFrame(window), FreeAreas(), window.minimumSize());
  if (onScreen != window.geometry()) window.setGeometry(onScreen);
}

// Looks at the window again once it is first on the screen: only then does
// the window know the frame the window manager gave it.
class TFramedCheck final : public QObject {
 public:
  TFramedCheck(QWidget& window, QWindow& handle) : QObject(&handle), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
      // After the window has drawn itself: moved in the middle of its first
      // exposure, it would stay blank.
      QMetaObject::invokeMethod(
          &window_, [window = QPointer<QWidget>(&window_)] {
            if (window) BringOnScreen(*window, PlaceOf(*window));
          },
          Qt::QueuedConnection);
      deleteLater();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& window_;
};

}  // namespace

void KeepOnScreenOnceFramed(QWidget& window) {
  if (window.windowHandle() && window.windowHandle()->isExposed()) return;
  window.winId();  // makes the window's handle, so that its showing can be watched
  if (QWindow* handle = window.windowHandle()) handle->installEventFilter(new TFramedCheck(window, *handle));
}

void RestorePlace(QWidget& window, const QRect& place) {
  BringOnScreen(window, place);
  if (!window.isMaximized() && !window.isFullScreen()) KeepOnScreenOnceFramed(window);
}

namespace {

class TEmptyAreaDoubleClick final : public QObject {
 public:
  TEmptyAreaDoubleClick(QAbstractItemView& view, std::function<void()> handler)
      : QObject(&view), view_(view), viewport_(view.viewport()), handler_(std::move(handler)) {}

 protected:
  // The viewport's events go on while the view is taken down: the event's
  // type is looked at first, and the view itself only for a double-click.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick && watched == viewport_) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && !view_.indexAt(mouse->position().toPoint()).isValid() && handler_)
        handler_();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QAbstractItemView& view_;
  const QObject* viewport_;
  std::function<void()> handler_;
};

}  // namespace

void OnEmptyAreaDoubleClick(QAbstractItemView& view, std::function<void()> handler) {
  view.viewport()->installEventFilter(new TEmptyAreaDoubleClick(view, std::move(handler)));
}

}  // namespace tq
