#include "ScriptedPlatform.h"

#include <gtest/gtest.h>

#include "Messages.h"

namespace tq::test {

ScriptedPlatform::ScriptedPlatform() { previous_ = InstallPlatform(this); }

ScriptedPlatform::~ScriptedPlatform() { InstallPlatform(previous_); }

void ScriptedPlatform::SetStatus(const std::string& text, bool alert) {
  statusText = StripNativeMarks(text);
  statusDisplay = MessageToUtf8(text);
  statusAlert = alert;
}

std::vector<std::string> ScriptedPlatform::MessageTexts() const {
  std::vector<std::string> out;
  for (const auto& s : shown_)
    if (s.kind == "message") out.push_back(s.text);
  return out;
}

bool ScriptedPlatform::Take(const char* what, Answer& answer, QDialog* dialog) {
  if (answers_.empty() && responder_) {
    // A copy: what the responder sets off may record more.
    const Shown request = shown_.back();
    answer = Answer{ResultCancel, {}, {}, {}};
    answer.result = responder_(what, request, dialog, answer.text);
    return true;
  }
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected " << what << " with nothing queued: "
                  << (shown_.empty() ? std::string() : shown_.back().text);
    return false;
  }
  answer = std::move(answers_.front());
  answers_.pop_front();
  return true;
}

int ScriptedPlatform::ShowMessage(const MessageRequest& request) {
  shown_.push_back(Shown{"message", request.caption, StripNativeMarks(request.text), request.icon, request.buttons, 0,
                         MessageToUtf8(request.text)});
  if (whileMessageShown) whileMessageShown(request);
  if (request.buttons == ButtonOk) return ResultOk;
  Answer a;
  return Take("question", a) ? a.result : ResultCancel;
}

bool ScriptedPlatform::InputBox(const std::string& caption, const std::string& prompt, std::string& value) {
  shown_.push_back(Shown{"input", caption, prompt, MessageIcon::None, 0, 0});
  Answer a;
  if (!Take("input box", a) || a.result != ResultOk) return false;
  value = a.text;
  return true;
}

std::string ScriptedPlatform::OpenFileName(const FileDialogRequest& request) {
  shown_.push_back(Shown{"open", request.title, request.initialDirectory, MessageIcon::None, 0, 0});
  Answer a;
  return Take("open dialog", a) && a.result == ResultOk ? a.text : std::string();
}

std::string ScriptedPlatform::SaveFileName(const FileDialogRequest& request) {
  shown_.push_back(Shown{"save", request.title, request.initialDirectory, MessageIcon::None, 0, 0});
  shown_.back().fileName = request.fileName;
  Answer a;
  return Take("save dialog", a) && a.result == ResultOk ? a.text : std::string();
}

int ScriptedPlatform::RunModal(QDialog* dialog) {
  shown_.push_back(Shown{"modal", {}, {}, MessageIcon::None, 0, 0});
  Answer a;
  if (!Take("modal dialog", a, dialog)) return ResultCancel;
  return a.modal ? a.modal(dialog) : a.result;
}

bool ScriptedPlatform::PrintPreview(const std::string& documentName, const PagePainter& paint) {
  shown_.push_back(Shown{"preview", documentName, {}, MessageIcon::None, 0, 0});
  Answer a;
  if (!Take("print preview", a)) return false;
  return (a.preview ? a.preview(paint) : a.result) == ResultOk;
}

void ScriptedPlatform::ShowHelp(int topic) { shown_.push_back(Shown{"help", {}, {}, MessageIcon::None, 0, topic}); }

void ScriptedPlatform::OpenUrl(const std::string& url) {
  shown_.push_back(Shown{"url", {}, url, MessageIcon::None, 0, 0});
}

}  // namespace tq::test
