// Notes the first paint of the widget it watches, for the benchmarks that
// time a window until it shows.
#pragma once

#include <QEvent>
#include <QObject>

namespace tq::bench {

class PaintWatch : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace tq::bench
