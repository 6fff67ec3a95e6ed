// The Qt implementation of the platform seam, installed by the program at start.
#pragma once

#include <QPointer>
#include <functional>

#include "Platform.h"

class QWidget;

namespace tq {

class QtPlatform final : public Platform {
 public:
  int ShowMessage(const MessageRequest& request) override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;
  std::string OpenFileName(const FileDialogRequest& request) override;
  std::string SaveFileName(const FileDialogRequest& request) override;
  int RunModal(QDialog* dialog) override;
  bool PrintPreview(const std::string& documentName, const PagePainter& paint) override;
  void ShowHelp(int topic) override;
  void CloseHelp() override;
  void OpenUrl(const std::string& url) override;
  void SetBusy(bool busy) override;
  void SetStatus(const std::string& text, bool alert) override;
  void RequestTerminate() override;

  // The main window registers where status texts go, and the parent of boxes.
  void SetStatusSink(std::function<void(const std::string&, bool)> sink) { statusSink_ = std::move(sink); }
  void SetParentWindow(QWidget* parent) { parent_ = parent; }
  // The help viewer is ours; the program hands in how to open and close it.
  // True once RequestTerminate was called: a fatal error before the event
  // loop runs must still keep the main window from ever showing.
  bool TerminateRequested() const { return terminateRequested_; }
  void SetHelpHandlers(std::function<void(int)> show, std::function<void()> close) {
    showHelp_ = std::move(show);
    closeHelp_ = std::move(close);
  }

 private:
  QPointer<QWidget> parent_;
  bool terminateRequested_ = false;
  std::function<void(const std::string&, bool)> statusSink_;
  std::function<void(int)> showHelp_;
  std::function<void()> closeHelp_;
};

// Turns "Text (*.a)|*.a|All Files|*.*" into Qt's "Text (*.a);;All Files (*.*)".
QString QtFilterFrom(const std::string& filter);

}  // namespace tq
