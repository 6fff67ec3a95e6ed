// The splash window that covers the start: shown before the dictionary is
// loaded, and once the event loop runs and its timer fires, it brings up the
// main window (and the tip of the day when the user wants it) and hides for
// good. Creating it also points the program at its help file.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QLabel;
class QTimer;

namespace tq {

// The help file beside the executable; empty until the splash is created.
const std::string& ApplicationHelpFile();

class TFormSplash : public QWidget {
  Q_OBJECT

 public:
  // directory: the executable's directory with its trailing separator.
  explicit TFormSplash(const std::string& directory, QWidget* parent = nullptr);

  // What the timer brings up: the main window, then (when wanted) the tip
  // of the day, which is shown modally before the splash goes away.
  void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
  void SetTipsHandler(std::function<void()> showTips) { showTips_ = std::move(showTips); }

  // Fires once, 3000 ms after it is started, or as soon as the start-up
  // work lets the event loop run, whichever is later.
  QTimer* TimerSplash() const { return timer_; }
  void TimerSplashTimer();
  // Start-up calls this once everything is loaded. Until then the timer
  // brings nothing up: a box shown during the load runs an event loop of its
  // own, the timer can fire inside it, and after a fatal error the main window
  // must never appear. A timer that fired early is honoured once the event
  // loop runs.
  void StartupFinished();

  // The picture; the about box borrows it.
  QLabel* ImageSplash() const { return image_; }

 private:
  QLabel* image_;
  QLabel* version_;
  QLabel* copyright_;
  QTimer* timer_;
  QWidget* mainWindow_ = nullptr;
  bool startupFinished_ = false;
  bool fired_ = false;
  std::function<void()> showTips_;
};

}  // namespace tq
