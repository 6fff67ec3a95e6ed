#include "Messages.h"

#include "Platform.h"

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

bool FatalErrorShown() { return fatalShown; }
void ResetFatalErrorForTesting() { fatalShown = false; }

void ShowFatalError(const std::string& text) {
  fatalShown = true;
  Show("Fatal Error: " + text, MessageIcon::Error);
  CurrentPlatform().RequestTerminate();
}

void ShowError(const std::string& text) { Show("Error: " + text, MessageIcon::Error); }

void ShowWarning(const std::string& text) { Show("Warning: " + text, MessageIcon::Error); }

int ShowNotice(const std::string& text) { return Show(text, MessageIcon::None); }

bool AskOverwrite(const std::string& path) {
  MessageRequest question;
  question.caption = kProductName;
  question.text = "Overwrite file '" + path + "'?";
  question.icon = MessageIcon::Question;
  question.buttons = ButtonYes | ButtonNo;
  return CurrentPlatform().ShowMessage(question) == ResultYes;
}

void ShowStatusAlert(const std::string& text) { CurrentPlatform().SetStatus(text, true); }

void ShowStatus(const std::string& text) { CurrentPlatform().SetStatus(text, false); }

}  // namespace tq
