#include "WindowPlace.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace tq {

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // The frame is known only once the window system has decorated the window;
  // before that it adds nothing.
  const QSize frame = window.frameGeometry().size() - window.geometry().size();
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
