#include "Messages.h"

#include "Platform.h"
#include "Text.h"

namespace tq {
namespace {

bool fatalShown = false;

int Show(const std::string& text, MessageIcon icon) {
  MessageRequest request;
  request.caption = kProductName;
  request.text = text;
  request.icon = icon;
  request.buttons = ButtonOk;
  CurrentPlatform().ShowMessage(request);
  return ResultOk;
}

}  // namespace

std::string NativeText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  out.push_back(kNativeOpen);
  // The marks themselves cannot be part of the text: they would end it early.
  for (char c : utf8)
    if (c != kNativeOpen && c != kNativeClose) out.push_back(c);
  out.push_back(kNativeClose);
  return out;
}

std::string StripNativeMarks(std::string_view message) {
  std::string out;
  out.reserve(message.size());
  for (char c : message)
    if (c != kNativeOpen && c != kNativeClose) out.push_back(c);
  return out;
}

std::string MessageToUtf8(std::string_view message) {
  std::string out;
  out.reserve(message.size() + message.size() / 4);
  std::size_t pos = 0;
  while (pos < message.size()) {
    const std::size_t open = message.find(kNativeOpen, pos);
    out += Utf8From1252(message.substr(pos, open == std::string_view::npos ? std::string_view::npos : open - pos));
    if (open == std::string_view::npos) break;
    const std::size_t close = message.find(kNativeClose, open + 1);
    out += message.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
    if (close == std::string_view::npos) break;
    pos = close + 1;
  }
  return out;
}

bool FatalErrorShown() { return fatalShown; }
void ResetFatalErrorForTesting() { fatalShown = false; }

void ShowFatalError(const std::string& text) {
  fatalShown = true;
  Show("Fatal Error: " + text, MessageIcon::Error);
  CurrentPlatform().RequestTerminate();
}

void ShowError(const std::string& text) { Show("Error: " + text, MessageIcon::Error); }

void ShowWarning(const std::string& text) { Show("Warning: " + text, MessageIcon::Error); }

void ShowCaution(const std::string& text) { Show("Warning: " + text, MessageIcon::Warning); }

int ShowNotice(const std::string& text) { return Show(text, MessageIcon::None); }

bool AskOverwrite(const std::string& path) {
  MessageRequest question;
  question.caption = kProductName;
  question.text = "Overwrite file '" + NativeText(path) + "'?";
  question.icon = MessageIcon::Question;
  question.buttons = ButtonYes | ButtonNo;
  return CurrentPlatform().ShowMessage(question) == ResultYes;
}

void ShowStatusAlert(const std::string& text) { CurrentPlatform().SetStatus(text, true); }

void ShowStatus(const std::string& text) { CurrentPlatform().SetStatus(text, false); }

}  // namespace tq
