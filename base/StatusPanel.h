// Panel 0 of the main window's status bar: the status text, on navy in white
// while it is an alert, else in the colours of the bar itself. A text too
// wide for the panel ends in an ellipsis, and the panel's tool tip holds it
// whole.
#pragma once

#include <QWidget>

namespace tq {

class TStatusPanel final : public QWidget {
 public:
  explicit TStatusPanel(QWidget* parent);
  void SetText(const QString& text, bool alert);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();

  QString text_;
  QString shown_;  // text_, cut to the panel's width
  bool alert_ = false;
};

}  // namespace tq
