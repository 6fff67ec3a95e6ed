// A platform for tests: records everything shown and answers from a queue.
// Boxes with an OK button only need no answer. A question with nothing queued
// fails the test and answers Cancel, so a test never hangs on a dialog.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "Platform.h"

namespace tq::test {

struct Shown {
  std::string kind;  // "message", "input", "open", "save", "modal", "preview", "help", "url"
  std::string caption;
  std::string text;  // the message's bytes, native parts unmarked
  MessageIcon icon = MessageIcon::None;
  int buttons = 0;
  int topic = 0;
  std::string display{};  // a message as the user reads it, in UTF-8
  std::string fileName{};  // the name a file dialog offers
};

class ScriptedPlatform final : public Platform {
 public:
  ScriptedPlatform();   // installs itself
  ~ScriptedPlatform() override;  // restores the previous platform

  // Answers, consumed in order by the calls that need one.
  void QueueAnswer(int result) { answers_.push_back(Answer{result, {}, {}, {}}); }
  void QueueText(const std::string& text, bool accepted = true) {
    answers_.push_back(Answer{accepted ? ResultOk : ResultCancel, text, {}, {}});
  }
  // For RunModal: the callback gets the live dialog, sets its controls and
  // closes it; its return value is the dialog's result.
  void QueueModal(std::function<int(QDialog*)> handler) {
    answers_.push_back(Answer{ResultOk, {}, std::move(handler), {}});
  }
  // For PrintPreview: the callback gets what paints the pages (it may paint
  // them onto a device of its own) and returns ResultOk for "printed".
  void QueuePreview(std::function<int(const PagePainter&)> handler) {
    answers_.push_back(Answer{ResultOk, {}, {}, std::move(handler)});
  }
  bool AllAnswersUsed() const { return answers_.empty(); }

  // Answers what is asked while nothing is queued, instead of failing the
  // test: what is one of "question", "input box", "open dialog", "save
  // dialog", "modal dialog" or "print preview"; request is what was shown, dialog the live
  // dialog of a modal one. Sets text for an input box or a file dialog and
  // returns the result.
  using Responder = std::function<int(const char* what, const Shown& request, QDialog* dialog, std::string& text)>;
  void SetResponder(Responder responder) { responder_ = std::move(responder); }

  const std::vector<Shown>& shown() const { return shown_; }
  std::vector<std::string> MessageTexts() const;
  void ClearShown() { shown_.clear(); }

  std::string statusText;     // bytes, native parts unmarked
  std::string statusDisplay;  // as the status bar shows it, in UTF-8
  bool statusAlert = false;
  // Runs while a message box stands, before it is answered: what the event
  // loop of a real box would do meanwhile (timers firing, say).
  std::function<void(const MessageRequest&)> whileMessageShown;
  int terminateRequests = 0;
  int busyDepth = 0;
  int helpClosed = 0;

  int ShowMessage(const MessageRequest& request) override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;
  std::string OpenFileName(const FileDialogRequest& request) override;
  std::string SaveFileName(const FileDialogRequest& request) override;
  int RunModal(QDialog* dialog) override;
  bool PrintPreview(const std::string& documentName, const PagePainter& paint) override;
  void ShowHelp(int topic) override;
  void CloseHelp() override { ++helpClosed; }
  void OpenUrl(const std::string& url) override;
  void SetBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
  void SetStatus(const std::string& text, bool alert) override;
  void RequestTerminate() override { ++terminateRequests; }

 private:
  struct Answer {
    int result;
    std::string text;
    std::function<int(QDialog*)> modal;
    std::function<int(const PagePainter&)> preview;
  };
  bool Take(const char* what, Answer& answer, QDialog* dialog = nullptr);

  Platform* previous_ = nullptr;
  std::deque<Answer> answers_;
  std::vector<Shown> shown_;
  Responder responder_;
};

}  // namespace tq::test
